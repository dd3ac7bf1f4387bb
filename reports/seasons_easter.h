#pragma once
// The Seasons report (local date and time of the equinoxes and solstices and
// the lengths of the seasons, year by year) and the Dates of Easter report.
// Both append to the document, show progress once per year, and return 1 when
// the user stopped them (the lines so far stay, without an end marker), else 0.
#include "engine/sky_context.h"
#include "reports/report_document.h"

// segment: the report's place in an Almanac (3); in_almanac: run as part of one.
// Times are shown in the location's standard time (UT + time_zone).
int seasons_report(ReportDocument& document, int segment, bool in_almanac, int start_year,
                   int end_year, const SkyContext& sky);

// segment: the report's place in an Almanac (4).  Needs no location.
int easter_report(ReportDocument& document, int segment, bool in_almanac, int start_year,
                  int end_year);
