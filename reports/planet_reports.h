#pragma once
// The three planet reports: Planet View Info (weekly rise, set, place,
// elongation, phase and distance over a month range), Planet Apsides
// (perihelia and aphelia over a year range) and Planet Conj/Opp (conjunctions
// with the Sun and oppositions over a month range).  Each appends to the
// document, shows progress, and returns 1 when the user stopped it (the lines
// so far stay, without an end marker), else 0.
//
// segment: the report's place in an Almanac (7, 8, 9); in_almanac: run as
// part of one.  planet_set: bits over body ids (bit b for body b); View Info
// and Conj/Opp take Mercury (3) to Pluto (10), Apsides Earth (2) to Saturn (7).
// Dates and times are the location's standard time (UT + time_zone).
#include "engine/bodies.h"
#include "engine/sky_context.h"
#include "reports/report_document.h"

int view_info_report(ReportDocument& document, int segment, bool in_almanac, int year,
                     int start_month, int stop_month, BodySet planet_set, const SkyContext& sky);

int apsides_report(ReportDocument& document, int segment, bool in_almanac, int first_year,
                   int last_year, BodySet planet_set, const SkyContext& sky);

int conjunction_report(ReportDocument& document, int segment, bool in_almanac, int year,
                       int start_month, int stop_month, BodySet planet_set,
                       const SkyContext& sky);
