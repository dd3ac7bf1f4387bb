// Rising and setting against Meeus's worked example, reference times for
// named places, and the facts of polar day and night and of the Moon's
// missing rise or set.  Times marked "AE" were computed independently with the
// Astronomy Engine library 2.1.19 (upper limb of the Sun and Moon, centre of a
// planet, 34' of refraction, events within the local calendar day).  The older
// theories here keep the Sun within half a minute, the Moon and planets within
// a minute at middle latitudes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/classical/rising_setting.h"

namespace {

constexpr double MINUTE = 1.0 / 60.0;  // hours

// A place from signed degrees: latitude north-positive, longitude east-positive.
Location place(const char* name, double latitude, double longitude, double time_zone) {
    return Location{name, latitude < 0.0 ? COMPASS_SOUTH : COMPASS_NORTH, longitude < 0.0 ? COMPASS_WEST : COMPASS_EAST,
                    std::fabs(latitude), std::fabs(longitude), time_zone};
}

const Location GREENWICH = place("Greenwich", 51.4769, -0.0005, 0.0);
const Location NEW_YORK = place("New York", 40.7128, -74.0060, -5.0);
const Location SYDNEY = place("Sydney", -33.8688, 151.2093, 10.0);
const Location QUITO = place("Quito", -0.1807, -78.4678, -5.0);
const Location REYKJAVIK = place("Reykjavik", 64.1466, -21.9426, 0.0);
const Location TOKYO = place("Tokyo", 35.6762, 139.6503, 9.0);
const Location TROMSO = place("Tromso", 69.6492, 18.9553, 1.0);
const Location BOSTON = place("Boston", 42.3333, -71.0833, 0.0);  // Meeus's example: UT

struct EventCase {
    int body;
    const Location* location;
    int day, month, year;
    double rise, set, tolerance;  // local standard hours, or -1.0; hours
    const char* source;
};

// Calls visit(day, month, year) for every date of a year.
template <typename Visit>
void for_each_date_of(int year, Visit visit) {
    for (JulianDay jd = julian_day(1, 1, year); jd < julian_day(1, 1, year + 1); jd += 1.0) {
        double day = 0.0;
        int month = 0, y = 0;
        calendar_date(jd, day, month, y);
        visit(static_cast<int>(day), month, y);
    }
}

void expect_events(const EventCase& c) {
    double rise = 0.0, set = 0.0;
    rise_set(c.body, c.day, c.month, c.year, rise, set, *c.location);
    const std::string what = "body " + std::to_string(c.body) + " at " + c.location->name + " on " +
                             std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day) +
                             " (" + c.source + ")";
    for (const auto& [actual, expected, event] : {std::tuple{rise, c.rise, "rise"}, std::tuple{set, c.set, "set"}}) {
        if (expected == NO_EVENT_HOURS)
            EXPECT_EQ(actual, NO_EVENT_HOURS) << event << " of " << what;
        else
            EXPECT_NEAR(actual, expected, c.tolerance)
                << event << " of " << what << ": off by " << (actual - expected) * 60.0 << " min";
    }
}

// Sunrise and sunset through the year at named places in both hemispheres and
// on both sides of Greenwich, in each place's standard time.  March 19-21 of
// 2000 take the Sun's right ascension across 0 h (equinox March 20, 7:35 UT).
// Meeus, Astronomical Algorithms, 2nd ed., example 15.a: Venus at Boston on
// 1988 March 20 in UT (the setting is that of the evening of March 19 local
// time); Meeus prints the minute, his unrounded values are 12h25m26s, 2h54m40s.
TEST(RiseSet, SunAndVenusAtNamedPlaces) {
    const double t = 0.5 * MINUTE;
    const EventCase cases[] = {
        {4, &BOSTON, 20, 3, 1988, 12.0 + 25.0 / 60.0, 2.0 + 55.0 / 60.0, 1.0 * MINUTE, "Meeus ex. 15.a, rounded"},
        {4, &BOSTON, 20, 3, 1988, 12.0 + 25.0 / 60.0 + 26.0 / 3600.0, 2.0 + 54.0 / 60.0 + 40.0 / 3600.0, t,
         "Meeus ex. 15.a, unrounded"},
        {id_of(Body::Sun), &GREENWICH, 19, 3, 2000, 6.0753, 18.1973, t, "AE"},
        {id_of(Body::Sun), &GREENWICH, 20, 3, 2000, 6.0373, 18.2254, t, "AE"},
        {id_of(Body::Sun), &GREENWICH, 21, 3, 2000, 5.9993, 18.2535, t, "AE"},
        {id_of(Body::Sun), &GREENWICH, 21, 6, 2000, 3.7133, 20.3471, t, "AE"},
        {id_of(Body::Sun), &NEW_YORK, 15, 1, 2026, 7.2978, 16.8904, t, "AE"},
        {id_of(Body::Sun), &SYDNEY, 21, 6, 2026, 6.9997, 16.8965, t, "AE"},
        {id_of(Body::Sun), &QUITO, 20, 3, 2026, 6.2998, 18.4082, t, "AE"},
        {id_of(Body::Sun), &REYKJAVIK, 21, 12, 2026, 11.3713, 15.4907, t, "AE"},
        {id_of(Body::Sun), &TOKYO, 15, 8, 1995, 4.9924, 18.5320, t, "AE"},
        {id_of(Body::Sun), &TROMSO, 1, 2, 2026, 9.4003, 14.5428, t, "AE"},
    };
    for (const EventCase& c : cases) expect_events(c);
}

// Moonrise and moonset (on some dates the setting comes before the rising:
// the Moon is up at local midnight), and each planet id reaching its own
// theory, in each place's standard time.  The Moon rises about 50 minutes
// later each day, so about once a month a calendar day has no moonrise and
// once a month none has no moonset.
TEST(RiseSet, MoonAndPlanetsAtNamedPlaces) {
    const double t = 1.0 * MINUTE;
    const EventCase cases[] = {
        {id_of(Body::Moon), &GREENWICH, 1, 1, 2000, 2.6718, 13.2084, t, "AE"},
        {id_of(Body::Moon), &GREENWICH, 21, 1, 2000, 17.0325, 8.0571, t, "AE: total lunar eclipse night"},
        {id_of(Body::Moon), &NEW_YORK, 10, 7, 2026, 0.3856, 15.9334, t, "AE"},
        {id_of(Body::Moon), &SYDNEY, 20, 5, 2026, 10.4455, 20.2768, t, "AE"},
        {id_of(Body::Moon), &TOKYO, 15, 8, 1995, 21.0608, 9.4813, t, "AE"},
        {id_of(Body::Moon), &GREENWICH, 5, 10, 2026, NO_EVENT_HOURS, 15.6274, t, "AE: no moonrise"},
        {id_of(Body::Moon), &GREENWICH, 20, 10, 2026, 14.9103, NO_EVENT_HOURS, t, "AE: no moonset"},
        {id_of(Body::Moon), &GREENWICH, 25, 1, 2026, 10.0229, NO_EVENT_HOURS, t, "AE: no moonset"},
        {3, &GREENWICH, 1, 4, 2026, 4.9853, 15.8302, t, "AE: Mercury"},
        {5, &NEW_YORK, 1, 4, 2026, 5.0625, 16.7532, t, "AE: Mars"},
        {6, &GREENWICH, 16, 12, 1992, 1.3291, 12.8290, t, "AE: Jupiter"},
        {7, &SYDNEY, 1, 9, 2026, 20.2057, 8.0675, t, "AE: Saturn"},
        {8, &GREENWICH, 1, 11, 2026, 17.4593, 9.4573, t, "AE: Uranus"},
        {9, &GREENWICH, 25, 9, 2026, 17.8655, 6.0032, t, "AE: Neptune"},
        {10, &SYDNEY, 1, 7, 2026, 18.6826, 9.0359, t, "AE: Pluto"},
    };
    for (const EventCase& c : cases) expect_events(c);
    // Over the whole of 2026 at Greenwich: 13 days without moonrise and 12 without moonset (AE).
    int days_without_rise = 0, days_without_set = 0;
    for_each_date_of(2026, [&](int day, int month, int year) {
        double rise = 0.0, set = 0.0;
        rise_set(id_of(Body::Moon), day, month, year, rise, set, GREENWICH);
        days_without_rise += rise == NO_EVENT_HOURS;
        days_without_set += set == NO_EVENT_HOURS;
    });
    EXPECT_EQ(days_without_rise, 13);
    EXPECT_EQ(days_without_set, 12);
}

// Polar day and night: the Sun does not cross the horizon, both times are
// "no event".  A latitude of exactly 90 degrees is computed as 89.999 (no
// division by a zero cosine): every day of a year, at both poles, for the Sun
// and the Moon, the results are those of 89.999 and are numbers.
TEST(RiseSet, PolarDayAndNightAndThePoleItself) {
    const Location north_70 = place("70 N", 70.0, 0.0, 0.0);
    const Location south_80 = place("80 S", -80.0, -60.0, -4.0);
    const EventCase cases[] = {
        {id_of(Body::Sun), &north_70, 21, 6, 2026, NO_EVENT_HOURS, NO_EVENT_HOURS, 0.0, "midnight sun"},
        {id_of(Body::Sun), &north_70, 21, 12, 2026, NO_EVENT_HOURS, NO_EVENT_HOURS, 0.0, "polar night"},
        {id_of(Body::Sun), &south_80, 15, 6, 2026, NO_EVENT_HOURS, NO_EVENT_HOURS, 0.0, "polar night"},
        {id_of(Body::Sun), &south_80, 15, 12, 2026, NO_EVENT_HOURS, NO_EVENT_HOURS, 0.0, "midnight sun"},
    };
    for (const EventCase& c : cases) expect_events(c);
    for (const double latitude : {90.0, -90.0}) {
        const Location pole = place("pole", latitude, 0.0, 0.0);
        const Location near_pole = place("near pole", latitude > 0 ? 89.999 : -89.999, 0.0, 0.0);
        for (int body : {id_of(Body::Sun), id_of(Body::Moon)}) {
            for_each_date_of(2026, [&](int day, int month, int year) {
                double rise = 0.0, set = 0.0, near_rise = 0.0, near_set = 0.0;
                rise_set(body, day, month, year, rise, set, pole);
                rise_set(body, day, month, year, near_rise, near_set, near_pole);
                const std::string when = "body " + std::to_string(body) + " at latitude " +
                                         std::to_string(latitude) + " on " + std::to_string(month) + "-" +
                                         std::to_string(day);
                EXPECT_FALSE(std::isnan(rise) || std::isnan(set)) << when;
                EXPECT_EQ(rise, near_rise) << when;
                EXPECT_EQ(set, near_set) << when;
            });
        }
    }
}

// Over a whole year the Sun's times at Greenwich move smoothly, by at most
// about 2.3 minutes a day (near the equinoxes), also across the day the
// Sun's right ascension passes 0 h; and every result is a time of the date or
// exactly "no event", also in the Arctic.
TEST(RiseSet, SmoothThroughTheYearAndAlwaysOnTheDate) {
    double previous_rise = NO_EVENT_HOURS, previous_set = NO_EVENT_HOURS;
    for_each_date_of(2026, [&](int day, int month, int year) {
        double rise = 0.0, set = 0.0;
        rise_set(id_of(Body::Sun), day, month, year, rise, set, GREENWICH);
        EXPECT_NE(rise, NO_EVENT_HOURS) << month << "-" << day;
        EXPECT_NE(set, NO_EVENT_HOURS) << month << "-" << day;
        if (previous_rise != NO_EVENT_HOURS) {
            EXPECT_NEAR(rise, previous_rise, 3.0 * MINUTE) << "sunrise " << month << "-" << day;
            EXPECT_NEAR(set, previous_set, 3.0 * MINUTE) << "sunset " << month << "-" << day;
        }
        previous_rise = rise, previous_set = set;
        for (int body : {id_of(Body::Sun), id_of(Body::Moon), 5}) {
            rise_set(body, day, month, year, rise, set, TROMSO);
            for (double t : {rise, set})
                EXPECT_TRUE(t == NO_EVENT_HOURS || (t >= 0.0 && t <= 24.0))
                    << "body " << body << ": " << t << " on " << month << "-" << day;
        }
    });
}

}  // namespace
