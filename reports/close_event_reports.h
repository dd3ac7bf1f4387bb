#pragma once
// Two reports of what the planets do near each other and near the Sun:
// Greatest Elongations (Mercury's and Venus's largest angles from the Sun over
// a year range, each in the evening or the morning sky) and Close Approaches
// (the conjunctions in ecliptic longitude of two planets and of the Moon with
// each planet over a month range, with the occultations of a planet by the
// Moon seen from the place).  Both compute through the engine seam, so
// either engine runs them; they are not part of an Almanac.  Each appends to
// the document, shows progress, and returns non-zero when the user stopped it
// (the lines so far stay, without an end marker), else 0.  Dates and times
// are the place's clock.
#include "engine/bodies.h"
#include "engine/sky_context.h"
#include "reports/report_document.h"

int elongations_report(ReportDocument& document, int segment, bool in_almanac, int start_year, int end_year,
                       const SkyContext& sky);

// planet_set: Mercury (3) to Neptune (9) count; other bits are ignored.
int close_approaches_report(ReportDocument& document, int segment, bool in_almanac, int year, int start_month,
                            int stop_month, BodySet planet_set, const SkyContext& sky);
