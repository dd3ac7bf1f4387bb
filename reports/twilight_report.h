#pragma once
// The Twilight report: every seventh day of a month range of one year, the
// local times (UT + time_zone) of sunrise and sunset and of the begin and end
// of astronomical, nautical and civil twilight.  The twilight times are the
// sunrise and sunset moved by the interval the Sun takes to go from the
// geometric horizon to 18, 12 or 6 degrees below it, with the declination of
// 12 h UT of the date; an engine with its own twilight (the precise one) gives
// them directly.  Latitudes above 60 degrees get one explanatory line.
#include <string>

#include "engine/sky_context.h"
#include "reports/report_document.h"

// Zenith distances of the Sun's centre at the twilight limits, degrees.
constexpr double ASTRONOMICAL_TWILIGHT_ZENITH = 108.0;
constexpr double NAUTICAL_TWILIGHT_ZENITH = 102.0;
constexpr double CIVIL_TWILIGHT_ZENITH = 96.0;
// What twilight_offset returns when the Sun never reaches the zenith distance.
constexpr double TWILIGHT_NEVER_HOURS = 100.0;
constexpr double TWILIGHT_MAX_LATITUDE = 60.0;

// Given the latitude (degrees, north positive), the Sun's declination (degrees,
// signed or kept in [0, 360)) and a zenith distance z (degrees); returns the
// solar hours between the Sun's centre on the geometric horizon and at z, or
// TWILIGHT_NEVER_HOURS when it does not reach z that day.  The hour angles
// are turned into solar time with the factor 0.9973.
double twilight_offset(double latitude, double declination, double zenith_distance);

// A twilight time (local hours) as shown: hours and minutes when it lies in
// 0 <= hours < 24, otherwise "-----".
std::string twilight_time_text(double hours);

// segment: the report's place in an Almanac (14); in_almanac: run as part of
// one.  Returns 1 when the user stopped it (the lines so far stay, without an
// end marker), else 0; the latitude line above 60 degrees has no end marker.
int twilight_report(ReportDocument& document, int segment, bool in_almanac, int year,
                    int start_month, int stop_month, const SkyContext& sky);
