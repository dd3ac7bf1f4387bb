// The Meteor Showers report.
#include "reports/meteor_showers.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "reports/moon_reports.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int NO_RATE = -1;
constexpr int NO_RADIANT = -1;           // ra_hours of a shower without a radiant
constexpr char DEGREE_SIGN = '\xB0';
constexpr double TABLE_SHARE = 0.66;     // of the progress, for the daily Sun table
constexpr double MAXIMUM_WINDOW_DEGREES = 2.0;
// General precession in longitude, degrees per year: a longitude of the
// equinox of date plus (2000 - year) times this is referred to 2000.0.
constexpr double PRECESSION_DEGREES_PER_YEAR = 0.01396;

struct MeteorShower {
    double sun_longitude;  // Sun's longitude at maximum, degrees, equinox 2000.0
    int zhr;               // zenithal hourly rate, or NO_RATE
    int ra_hours;          // radiant right ascension, or NO_RADIANT
    int ra_minutes;
    int dec_degrees;       // radiant declination, signed
};

constexpr MeteorShower METEOR_SHOWERS[METEOR_SHOWER_COUNT] = {
    {283.4, 80, 15, 28, 50},                    // Quadrantids
    {22.0, 5, 14, 4, -9},                       // Virginids
    {32.1, 12, 18, 8, 32},                      // Lyrids
    {38.0, 5, 16, 32, -24},                     // alpha-Scorpiids
    {45.0, 35, 22, 20, -1},                     // eta-Aquarids
    {52.0, 5, 16, 4, -24},                      // alpha-Scorpiids
    {79.0, 5, 17, 56, -23},                     // Ophiuchids
    {89.0, 5, 17, 20, -20},                     // Ophiuchids
    {106.0, 5, NO_RADIANT, NO_RADIANT, NO_RADIANT},  // Capricornids
    {113.0, 5, 20, 44, -15},                    // Capricornids
    {118.0, 5, 21, 0, 48},                      // alpha-Cygnids
    {123.0, 5, 21, 0, -15},                     // Capricornids
    {126.0, 20, 22, 36, -17},                   // delta-Aquarids
    {128.0, 5, 22, 40, -30},                    // Piscis Australids
    {130.0, 5, 20, 36, -10},                    // alpha-Capricornids
    {134.0, 8, 22, 10, -15},                    // iota-Aquarids
    {140.0, 75, 3, 4, 58},                      // Perseids
    {148.0, 5, 21, 0, 48},                      // alpha-Cygnids
    {166.0, 10, 0, 36, 7},                      // Piscids
    {178.0, 5, 0, 24, 0},                       // Piscids
    {200.0, NO_RATE, 1, 44, 14},                // Piscids
    {209.0, 25, 6, 24, 15},                     // Orionids
    {221.0, 8, 3, 44, 14},                      // Taurids
    {235.4, 10, 10, 8, 22},                     // Leonids
    {257.0, 15, 9, 0, -48},                     // Puppids-Velids
    {262.0, 75, 7, 28, 32},                     // Geminids
    {271.0, 5, 14, 28, 78},                     // Ursids
    {274.0, 15, 9, 20, -65},                    // Puppids-Velids
};

// The Sun at 0 h UT of one day.
struct SunDay {
    JulianDay jd;
    double longitude;  // geometric, equinox 2000.0, degrees
};

SunDay sun_day(const SkyEngine& engine, JulianDay jd, int year) {
    double day = 0.0;
    int month = 0;
    int date_year = 0;
    calendar_date(jd, day, month, date_year);
    return {jd, sun_longitude_2000(engine, julian_day(static_cast<int>(day), month, date_year), year)};
}

// The entry whose longitude is nearest to target (plain difference, no wrap
// at 360 degrees; the earlier entry wins a tie).
const SunDay& nearest_day(const std::vector<SunDay>& table, double target) {
    size_t best = 0;
    for (size_t i = 1; i < table.size(); ++i)
        if (std::fabs(table[i].longitude - target) < std::fabs(table[best].longitude - target))
            best = i;
    return table[best];
}

// The line of shower s, whose maximum falls on the local instant `local`
// (0 h UT of the found day + zone); the Moon is taken at that local date and
// hour read as if they were UT.
void add_shower_line(const SkyEngine& engine, int s, JulianDay local, double sun_longitude, ReportDocument& document) {
    const MeteorShower& shower = METEOR_SHOWERS[s];
    double day = 0.0;
    int month = 0;
    int year = 0;
    calendar_date(local, day, month, year);
    const double whole_day = std::trunc(day);
    const double illuminated = engine.moon_place(local).illuminated;

    char rate[16];
    if (shower.zhr == NO_RATE)
        std::snprintf(rate, sizeof rate, "%s", std::string(load_string(STR_NO_RATE)).c_str());
    else
        std::snprintf(rate, sizeof rate, "%2d", shower.zhr);
    std::string radiant_ra;
    char radiant_dec[16] = "";
    if (shower.ra_hours != NO_RADIANT) {
        radiant_ra = format_angle_short(shower.ra_hours + shower.ra_minutes / 60.0, false);
        std::snprintf(radiant_dec, sizeof radiant_dec, "%3d%c", shower.dec_degrees, DEGREE_SIGN);
    }
    char sun_text[16];
    std::snprintf(sun_text, sizeof sun_text, "%3d", round_to_int(sun_longitude));

    char line[128];
    std::snprintf(line, sizeof line, std::string(load_string(STR_METEOR_LINE)).c_str(),
                  format_date(static_cast<int>(whole_day), month, year).c_str(),
                  std::string(load_string(STR_SHOWER_NAME + s)).c_str(), rate, radiant_ra.c_str(),
                  radiant_dec, format_fixed(illuminated, 1, 2).c_str(), sun_text);
    report_add_line(line, document);
}

}  // namespace

double shower_maximum_longitude(int shower) { return METEOR_SHOWERS[shower].sun_longitude; }

double sun_longitude_2000(const SkyEngine& engine, JulianDay jd_ut, int year) {
    const double longitude = engine.sun_place(jd_ut, GEOMETRIC_PLACE).longitude;
    return normalize_degrees(longitude + (2000 - year) * PRECESSION_DEGREES_PER_YEAR);
}

int meteor_report(ReportDocument& document, int segment, bool in_almanac, int year,
                  int start_month, int stop_month, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    report_header(sky, document, year, year);
    add_month_range_title(STR_METEOR_TITLE, year, start_month, stop_month, document);
    report_add_line("", document);
    report_add_line("", document);
    report_add_line(load_string(STR_METEOR_HEADER), document);
    report_add_line("", document);

    JulianDay first = 0.0;
    JulianDay last = 0.0;
    month_range_days(year, start_month, stop_month, first, last);
    // The days first - 1 .. last + 1 at 0 h UT.
    const int days = static_cast<int>(last - first) + 1;
    std::vector<SunDay> table;
    table.reserve(days + 2);
    for (int j = 0; j <= days + 1; ++j) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac, progress_fraction(0, days + 1, j) * TABLE_SHARE);
        table.push_back(sun_day(engine, first - 1 + j, year));
    }

    for (int s = 0; s < METEOR_SHOWER_COUNT; ++s) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac,
                        TABLE_SHARE + (1.0 - TABLE_SHARE) * s / (METEOR_SHOWER_COUNT - 1));
        const double maximum_longitude = METEOR_SHOWERS[s].sun_longitude;
        const SunDay& found = nearest_day(table, maximum_longitude);
        const JulianDay local = ut_to_clock(location, found.jd);
        if (std::fabs(found.longitude - maximum_longitude) <= MAXIMUM_WINDOW_DEGREES &&
            first <= local && local <= last)
            add_shower_line(engine, s, local, found.longitude, document);
    }
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
