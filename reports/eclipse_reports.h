#pragma once
// The Solar Eclipses and Lunar Eclipses reports: every eclipse of one kind in
// a range of years, with its local date, the rise and set of the Sun or the
// Moon there on that date, the local time of maximum and the kind (solar) or
// the magnitude and phase times (lunar).
#include "engine/sky_context.h"
#include "reports/report_document.h"

// kind: LUNAR_ECLIPSE (1) or SOLAR_ECLIPSE (0) of engine/sky_events.h; segment:
// the report's place in an Almanac (5 lunar, 6 solar); in_almanac: run as part
// of one.  Times are the location's standard time (UT + time_zone).  Returns 1
// when the user stopped the report (the lines so far stay, without the note
// and the end marker), else 0.
int eclipse_report(ReportDocument& document, int segment, bool in_almanac, int kind,
                   int first_year, int last_year, const SkyContext& sky);
