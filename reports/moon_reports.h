#pragma once
// The Moon Apsides report (apogees and perigees with distance and apparent
// diameter) and the Moon Nodes report (passages through the ascending and
// descending nodes with the illuminated fraction), over a month range of one
// year, in the location's standard time (UT + time_zone).  Also the two
// helpers every month-range report of this family shares.
#include "engine/calendar.h"
#include "engine/sky_context.h"
#include "reports/report_document.h"

// Given months start_month .. stop_month (1-12) of year; returns the 0 h
// Julian days of the first day of start_month and of the last day of
// stop_month.
void month_range_days(int year, int start_month, int stop_month, JulianDay& first,
                      JulianDay& last);

// Appends the title string title_id (one "%s") filled with the month range,
// centred.
void add_month_range_title(int title_id, int year, int start_month, int stop_month,
                           ReportDocument& document);

// segment: the report's place in an Almanac (11); in_almanac: run as part of
// one.  An apsis is listed when its UT instant lies between 0 h of the first
// day and 0 h of the last day of the range and its local month in the range.
// Returns 1 when the user stopped it (the lines so far stay, without an end
// marker), else 0.
int moon_apsides_report(ReportDocument& document, int segment, bool in_almanac, int year,
                        int start_month, int stop_month, const SkyContext& sky);

// segment: the report's place in an Almanac (12).  A passage is listed when
// its local instant lies between 0 h of the first day and 0 h of the last day
// of the range.  It takes no messages while it runs (about a hundred series
// evaluations) and always returns 0.
int moon_nodes_report(ReportDocument& document, int segment, bool in_almanac, int year,
                      int start_month, int stop_month, const SkyContext& sky);
