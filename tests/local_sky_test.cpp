// The sky from the place through the engine seam: apparent altitude and
// azimuth, meridian transits, and polar day and night.  Reference values:
// Astronomy Engine 2.1 (npm astronomy-engine; Equator(body, time, observer,
// ofdate, aberration) then Horizon(..., "normal") for altitude and azimuth,
// SearchHourAngle(body, observer, 0, start) for transits, SearchRiseSet and
// the Sun's altitude at its culminations for the polar days), run by hand
// for the places and instants below; published polar dates as noted.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/calendar.h"
#include "engine/clock.h"
#include "engine/local_sky.h"
#include "engine/precise/precise_engine.h"
#include "engine/sky_engine.h"
#include "tests/zoned_place.h"

namespace {

Location with_elevation(Location l, int metres) {
    l.elevation = metres;
    return l;
}

// The city list's Denver and London.
const Location DENVER = with_elevation(zoned_place("Denver", 39.739167, -104.984722, "America/Denver", -7.0), 1609);
const Location LONDON = with_elevation(zoned_place("London", 51.508611, -0.125833, "Europe/London", 0.0), 25);
const SkyEngine* const ENGINES[2] = {&PRECISE_ENGINE, &CLASSICAL_ENGINE};

double minutes_between(JulianDay a, JulianDay b) { return std::fabs(a - b) * 1440.0; }

// The UT instant of a local clock reading.
JulianDay clock_instant(const Location& l, int day, int month, int year, int hour, int minute, int second) {
    return clock_to_ut(l, julian_day(day + (hour + minute / 60.0 + second / 3600.0) / 24.0, month, year));
}

// Local clock readings, bodies and Astronomy Engine's altitude, azimuth and
// transit (hour -1: no transit that date).
struct Sight {
    const Location* location;
    int day, month, year, hour, minute;  // the instant of altitude and azimuth
    int body;
    double altitude, azimuth;            // refracted, topocentric
    int transit_hour, transit_minute, transit_second;
};

// Both engines: altitude and the arc of azimuth within 0.02 degrees (the
// classical 0.03), transits within 5 s (the classical a minute).  Denver on
// the evening of 2026-03-20 (Moon and Venus low in the west, Jupiter high);
// London at sunrise on 2026-01-15 (refraction lifts the Sun half a degree;
// Saturn under the horizon, its refraction tapered); the Moon missing London's
// meridian on 3 January 2026 (2 January 23:39:40, 4 January 00:44:03); Denver's
// Sun on the 23-hour day daylight saving time begins (8 March 2026).
TEST(LocalSky, AltitudeAzimuthAndTransitAgainstAstronomyEngine) {
    const Sight cases[] = {
        {&DENVER, 20, 3, 2026, 20, 0, 1, 15.865, 274.677, 14, 29, 27},
        {&DENVER, 20, 3, 2026, 20, 0, 4, 6.821, 272.684, 14, 13, 40},
        {&DENVER, 20, 3, 2026, 20, 0, 6, 73.007, 170.624, 20, 11, 49},
        {&DENVER, 8, 3, 2026, 14, 0, 0, 44.196, 197.298, 13, 10, 35},
        {&LONDON, 15, 1, 2026, 8, 0, 0, -0.157, 124.176, 12, 9, 53},
        {&LONDON, 15, 1, 2026, 8, 0, 1, 8.072, 162.502, 9, 21, 16},
        {&LONDON, 15, 1, 2026, 8, 0, 7, -22.289, 64.416, 16, 13, 9},
        {&LONDON, 2, 1, 2026, 23, 0, 1, -99, 0, 23, 39, 40},
        {&LONDON, 3, 1, 2026, 23, 0, 1, -99, 0, -1, 0, 0},
        {&LONDON, 4, 1, 2026, 23, 0, 1, -99, 0, 0, 44, 3},
    };
    for (const SkyEngine* engine : ENGINES) {
        const double degrees = engine->precise ? 0.02 : 0.03, minutes = engine->precise ? 5.0 / 60.0 : 1.0;
        for (const Sight& c : cases) {
            const Location& l = *c.location;
            const std::string what = std::string(engine->name) + " " + l.name + " body " + std::to_string(c.body) +
                                     " day " + std::to_string(c.day);
            if (c.altitude > -90) {
                const SkyPosition p = sky_position(*engine, c.body, clock_instant(l, c.day, c.month, c.year, c.hour,
                                                                                   c.minute, 0), l);
                EXPECT_NEAR(p.altitude, c.altitude, degrees) << what;
                EXPECT_NEAR(std::remainder(p.azimuth - c.azimuth, 360.0) * std::cos(c.altitude * M_PI / 180.0), 0.0,
                            degrees)
                    << what;
            }
            const JulianDay t = meridian_transit_ut(*engine, c.body, c.day, c.month, c.year, l);
            if (c.transit_hour < 0)
                EXPECT_EQ(t, NO_EVENT) << what;
            else
                EXPECT_LT(minutes_between(t, clock_instant(l, c.day, c.month, c.year, c.transit_hour,
                                                           c.transit_minute, c.transit_second)),
                          minutes)
                    << what;
        }
    }
}

// A run of days of one kind, first and last date.
struct PolarRun {
    const char* place;
    double latitude, longitude;
    const char* zone;
    double altitude;  // the Sun's centre, degrees: rising and setting, or a twilight's depression
    SunDay kind;
    int first_day, first_month, last_day, last_month;
};

// Polar days and nights to a day of Astronomy Engine (SearchRiseSet finding
// neither event; the Sun's altitude at its culminations) and of published
// dates: Tromso (69.65 N) polar night about 27 November to 15 January,
// midnight Sun about 20 May to 22 July (published; with the upper limb and
// 34' of refraction, Astronomy Engine gives 18 May to 24 July); Longyearbyen
// midnight Sun 20 April to 23 August, polar night 27 October to 14 February;
// McMurdo (77.85 S) polar night 25 April to 18 August, Sun up 24 October to
// 19 February; no astronomical darkness at Helsinki 22 April to 21 August
// (published: late April to late August) and London 23 May to 20 July.
TEST(LocalSky, PolarDaysAndNightsAgainstPublishedDates) {
    const double rise_set = sun_rise_set_altitude(PRECISE_ENGINE, julian_day(1, 1, 2026));
    const PolarRun runs[] = {
        {"Tromso", 69.6492, 18.9553, "Europe/Oslo", rise_set, SunDay::ABOVE_ALL_DAY, 18, 5, 24, 7},
        {"Tromso", 69.6492, 18.9553, "Europe/Oslo", rise_set, SunDay::BELOW_ALL_DAY, 28, 11, 14, 1},
        {"Longyearbyen", 78.2232, 15.6469, "Arctic/Longyearbyen", rise_set, SunDay::ABOVE_ALL_DAY, 19, 4, 23, 8},
        {"Longyearbyen", 78.2232, 15.6469, "Arctic/Longyearbyen", rise_set, SunDay::BELOW_ALL_DAY, 27, 10, 14, 2},
        {"McMurdo", -77.85, 166.67, "Antarctica/McMurdo", rise_set, SunDay::BELOW_ALL_DAY, 25, 4, 18, 8},
        {"McMurdo", -77.85, 166.67, "Antarctica/McMurdo", rise_set, SunDay::ABOVE_ALL_DAY, 24, 10, 19, 2},
        {"Helsinki", 60.1694, 24.9356, "Europe/Helsinki", -18.0, SunDay::ABOVE_ALL_DAY, 22, 4, 21, 8},
        {"London", 51.5086, -0.1258, "Europe/London", -18.0, SunDay::ABOVE_ALL_DAY, 23, 5, 20, 7},
    };
    for (const PolarRun& run : runs) {
        const Location l = zoned_place(run.place, run.latitude, run.longitude, run.zone, 0.0);
        const JulianDay first = julian_day(run.first_day, run.first_month, 2026);
        const JulianDay last = julian_day(run.last_day, run.last_month, run.last_month < run.first_month ? 2027 : 2026);
        auto kind_on = [&](JulianDay date) {
            double day = 0.0;
            int month = 0, year = 0;
            calendar_date(date, day, month, year);
            return sun_day(sun_culminations(PRECISE_ENGINE, static_cast<int>(day), month, year, l), run.altitude);
        };
        // The kind holds a day in from each end, and not two days out.
        for (JulianDay d = first + 1; d <= last - 1; d += 1.0) ASSERT_EQ(kind_on(d), run.kind) << run.place;
        EXPECT_NE(kind_on(first - 2), run.kind) << run.place << " before";
        EXPECT_NE(kind_on(last + 2), run.kind) << run.place << " after";
    }
}

}  // namespace
