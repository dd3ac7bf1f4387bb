#pragma once
// The Twilight report: every seventh day of a month range of one year, the
// local times (UT + time_zone) of sunrise and sunset and of the begin and end
// of astronomical, nautical and civil twilight: the Sun's centre 18, 12 and 6
// degrees below the geometric horizon, as the engine gives them (the
// classical one by the 1995 rule, engine/classical/twilight.h).  With the
// classical engine, latitudes above 60 degrees get one explanatory line; the
// precise engine's report runs at every latitude and writes, where the Sun
// does not cross a pair's altitude all day, what it does instead ("Sun up
// all day", "Sun down all day", "No darkness", "No twilight").
#include <string>

#include "engine/sky_context.h"
#include "reports/report_document.h"

constexpr double TWILIGHT_MAX_LATITUDE = 60.0;

// A twilight time (local hours) as shown: hours and minutes when it lies in
// 0 <= hours < 24, otherwise "-----".
std::string twilight_time_text(double hours);

// segment: the report's place in an Almanac (14); in_almanac: run as part of
// one.  Returns 1 when the user stopped it (the lines so far stay, without an
// end marker), else 0; the classical engine's latitude line above 60 degrees
// has no end marker.
int twilight_report(ReportDocument& document, int segment, bool in_almanac, int year,
                    int start_month, int stop_month, const SkyContext& sky);
