// Eclipses seen from a place, with the precise engine, against published
// local circumstances and an independent library:
//   NASA: the 2024 April 8 eclipse's city table (local times to the minute,
//         science.nasa.gov "Where and when", Dallas and Indianapolis);
//   AE:   Astronomy Engine 2.1 (npm astronomy-engine), SearchLocalSolarEclipse
//         and Horizon, run by hand; its contacts to the second and its
//         altitudes (with refraction) pasted below.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/local_eclipses.h"
#include "engine/precise/precise_engine.h"

namespace {

Location place(const char* name, double latitude, double longitude) {
    return Location{name, latitude < 0.0 ? COMPASS_SOUTH : COMPASS_NORTH, longitude < 0.0 ? COMPASS_WEST : COMPASS_EAST,
                    std::fabs(latitude), std::fabs(longitude), 0.0, 0};
}

// A UT instant given as year, month, day, hours, minutes, seconds.
JulianDay ut(int year, int month, int day, int hours, int minutes, double seconds) {
    return julian_day(day, month, year) + (hours + minutes / 60.0 + seconds / 3600.0) / 24.0;
}

constexpr double SECONDS_PER_DAY = 86400.0;

// The difference of two instants, seconds.
double seconds_apart(JulianDay a, JulianDay b) { return (a - b) * SECONDS_PER_DAY; }

// A place's published circumstances: contacts (0 where there is none),
// obscuration, and the Sun's altitude at the maximum.
struct SolarCase {
    const char* name;
    double latitude, longitude;
    JulianDay jd_max;  // the eclipse's greatest eclipse (anywhere), UT: where the search starts
    JulianDay c1, c2, maximum, c3, c4;
    double obscuration;
    double altitude_at_maximum;
};

// Greatest eclipses: NASA's Five Millennium Canon (2017 Aug 21 18:25:32 UT,
// 2024 Apr 8 18:17:16 UT, 2026 Aug 12 17:46:06 UT, 2025 Mar 29 10:47:27 UT).
const JulianDay GREATEST_2017 = ut(2017, 8, 21, 18, 25, 32);
const JulianDay GREATEST_2024 = ut(2024, 4, 8, 18, 17, 16);
const JulianDay GREATEST_2026 = ut(2026, 8, 12, 17, 46, 6);
const JulianDay GREATEST_2025 = ut(2025, 3, 29, 10, 47, 27);

// AE's contacts and obscurations.
const SolarCase AE_CASES[] = {
    {"Nashville", 36.1627, -86.7816, GREATEST_2017, ut(2017, 8, 21, 16, 58, 31.1), ut(2017, 8, 21, 18, 27, 22.9),
     ut(2017, 8, 21, 18, 28, 22.4), ut(2017, 8, 21, 18, 29, 21.6), ut(2017, 8, 21, 19, 53, 59.1), 1.0, 64.22},
    {"Salem", 44.9429, -123.0351, GREATEST_2017, ut(2017, 8, 21, 16, 5, 25.7), ut(2017, 8, 21, 17, 17, 16.4),
     ut(2017, 8, 21, 17, 18, 15.8), ut(2017, 8, 21, 17, 19, 15.7), ut(2017, 8, 21, 18, 37, 46.3), 1.0, 39.94},
    {"Dallas", 32.7767, -96.7970, GREATEST_2024, ut(2024, 4, 8, 17, 23, 18.6), ut(2024, 4, 8, 18, 40, 39.0),
     ut(2024, 4, 8, 18, 42, 37.1), ut(2024, 4, 8, 18, 44, 35.2), ut(2024, 4, 8, 20, 2, 37.8), 1.0, 64.63},
    {"Indianapolis", 39.7684, -86.1581, GREATEST_2024, ut(2024, 4, 8, 17, 50, 34.1), ut(2024, 4, 8, 19, 6, 0.4),
     ut(2024, 4, 8, 19, 7, 57.8), ut(2024, 4, 8, 19, 9, 54.0), ut(2024, 4, 8, 20, 23, 9.6), 1.0, 53.01},
    {"New York", 40.7128, -74.0060, GREATEST_2024, ut(2024, 4, 8, 18, 10, 36.5), 0.0, ut(2024, 4, 8, 19, 25, 33.9),
     0.0, ut(2024, 4, 8, 20, 36, 21.3), 0.8988, 43.37},
    {"Leon", 42.5987, -5.5671, GREATEST_2026, ut(2026, 8, 12, 17, 32, 37.2), ut(2026, 8, 12, 18, 28, 10.4),
     ut(2026, 8, 12, 18, 29, 4.4), ut(2026, 8, 12, 18, 29, 58.2), ut(2026, 8, 12, 19, 21, 58.0), 1.0, 9.72},
    {"London", 51.5074, -0.1278, GREATEST_2026, ut(2026, 8, 12, 17, 17, 12.2), 0.0, ut(2026, 8, 12, 18, 13, 11.7),
     0.0, ut(2026, 8, 12, 19, 6, 11.2), 0.9133, 10.44},
    // The annular eclipse of 2023 October 14 (greatest 17:59:29 UT, NASA).
    {"Albuquerque", 35.0844, -106.6504, ut(2023, 10, 14, 17, 59, 29), ut(2023, 10, 14, 15, 13, 12.9),
     ut(2023, 10, 14, 16, 34, 31.3), ut(2023, 10, 14, 16, 36, 53.6), ut(2023, 10, 14, 16, 39, 15.8),
     ut(2023, 10, 14, 18, 9, 20.3), 0.8960, 36.16},
};

TEST(LocalSolarEclipse, ContactsMaximumAndObscurationAgreeWithAstronomyEngine) {
    double worst_contact = 0.0, worst_maximum = 0.0;
    for (const SolarCase& c : AE_CASES) {
        SCOPED_TRACE(c.name);
        const LocalSolarEclipse e = local_solar_eclipse(PRECISE_ENGINE, place(c.name, c.latitude, c.longitude), c.jd_max);
        ASSERT_EQ(e.view, SOLAR_SEEN);
        EXPECT_NEAR(seconds_apart(e.begins.jd_ut, c.c1), 0.0, 20.0);
        EXPECT_NEAR(seconds_apart(e.ends.jd_ut, c.c4), 0.0, 20.0);
        // The maximum is a flat minimum: a minute either way changes the magnitude by little.
        EXPECT_NEAR(seconds_apart(e.maximum.jd_ut, c.maximum), 0.0, 30.0);
        EXPECT_EQ(e.central, c.c2 != 0.0);
        if (e.central && c.c2 != 0.0) {
            EXPECT_EQ(e.total, c.obscuration == 1.0);  // else annular
            EXPECT_NEAR(seconds_apart(e.central_begins.jd_ut, c.c2), 0.0, 20.0);
            EXPECT_NEAR(seconds_apart(e.central_ends.jd_ut, c.c3), 0.0, 20.0);
            worst_contact = std::fmax(worst_contact, std::fabs(seconds_apart(e.central_begins.jd_ut, c.c2)));
            worst_contact = std::fmax(worst_contact, std::fabs(seconds_apart(e.central_ends.jd_ut, c.c3)));
        }
        EXPECT_NEAR(e.obscuration, c.obscuration, 0.01);
        // AE's altitudes carry the refraction (a few minutes of arc this high).
        EXPECT_NEAR(e.maximum.sun_altitude, c.altitude_at_maximum, 0.2);
        worst_contact = std::fmax(worst_contact, std::fabs(seconds_apart(e.begins.jd_ut, c.c1)));
        worst_contact = std::fmax(worst_contact, std::fabs(seconds_apart(e.ends.jd_ut, c.c4)));
        worst_maximum = std::fmax(worst_maximum, std::fabs(seconds_apart(e.maximum.jd_ut, c.maximum)));
        std::printf("%-12s C1 %+6.1f C2 %+6.1f MX %+6.1f C3 %+6.1f C4 %+6.1f s  obsc %.4f (%.4f) mag %.4f alt %.2f\n",
                    c.name, seconds_apart(e.begins.jd_ut, c.c1),
                    c.c2 ? seconds_apart(e.central_begins.jd_ut, c.c2) : 0.0,
                    seconds_apart(e.maximum.jd_ut, c.maximum), c.c3 ? seconds_apart(e.central_ends.jd_ut, c.c3) : 0.0,
                    seconds_apart(e.ends.jd_ut, c.c4), e.obscuration, c.obscuration, e.magnitude,
                    e.maximum.sun_altitude);
    }
    std::printf("largest difference: contacts %.1f s, maximum %.1f s\n", worst_contact, worst_maximum);
}

// NASA's city table for 2024 April 8 (local daylight time, to the minute):
// Dallas 12:23, 1:40, 1:44, 3:02 p.m. CDT; Indianapolis 1:50, 3:06, 3:10,
// 4:23 p.m. EDT.
TEST(LocalSolarEclipse, TotalityTimesAgreeWithNasasCityTable) {
    struct Published {
        const char* name;
        double latitude, longitude;
        JulianDay c1, c2, c3, c4;
    };
    const Published cities[] = {
        {"Dallas", 32.7767, -96.7970, ut(2024, 4, 8, 17, 23, 0), ut(2024, 4, 8, 18, 40, 0), ut(2024, 4, 8, 18, 44, 0),
         ut(2024, 4, 8, 20, 2, 0)},
        {"Indianapolis", 39.7684, -86.1581, ut(2024, 4, 8, 17, 50, 0), ut(2024, 4, 8, 19, 6, 0),
         ut(2024, 4, 8, 19, 10, 0), ut(2024, 4, 8, 20, 23, 0)},
    };
    for (const Published& c : cities) {
        SCOPED_TRACE(c.name);
        const LocalSolarEclipse e =
            local_solar_eclipse(PRECISE_ENGINE, place(c.name, c.latitude, c.longitude), GREATEST_2024);
        ASSERT_TRUE(e.central);
        EXPECT_TRUE(e.total);
        // Published to the minute: within a minute of it.
        EXPECT_NEAR(seconds_apart(e.begins.jd_ut, c.c1), 0.0, 60.0);
        EXPECT_NEAR(seconds_apart(e.central_begins.jd_ut, c.c2), 0.0, 60.0);
        EXPECT_NEAR(seconds_apart(e.central_ends.jd_ut, c.c3), 0.0, 60.0);
        EXPECT_NEAR(seconds_apart(e.ends.jd_ut, c.c4), 0.0, 60.0);
    }
}

// Madrid, 2026 August 12: the Sun sets (AE: 19:16:23 UT) before the partial
// phase ends (AE: 19:24:21 UT, the Sun 1.6 degrees down).
TEST(LocalSolarEclipse, SunSettingDuringTheEclipseIsFoundAndTheEndIsBelowTheHorizon) {
    const LocalSolarEclipse e = local_solar_eclipse(PRECISE_ENGINE, place("Madrid", 40.4168, -3.7038), GREATEST_2026);
    ASSERT_EQ(e.view, SOLAR_SEEN);
    EXPECT_NEAR(seconds_apart(e.sunset, ut(2026, 8, 12, 19, 16, 23)), 0.0, 30.0);
    EXPECT_EQ(e.sunrise, 0.0);
    EXPECT_TRUE(e.begins.sun_up);
    EXPECT_FALSE(e.ends.sun_up);
    EXPECT_NEAR(seconds_apart(e.ends.jd_ut, ut(2026, 8, 12, 19, 24, 21.2)), 0.0, 20.0);
    EXPECT_FALSE(e.seen_at_horizon);  // the maximum (AE: 18:32:15 UT) is well before sunset
    EXPECT_NEAR(seconds_apart(e.seen_maximum.jd_ut, ut(2026, 8, 12, 18, 32, 14.6)), 0.0, 30.0);
    EXPECT_NEAR(e.obscuration, 0.9997, 0.01);
}

// Boston, 2025 March 29: the Sun rises (AE: 10:31:23 UT) eclipsed, after the
// greatest eclipse there (AE: 10:14:42 UT, the Sun 3.3 degrees down), so the
// greatest seen is at sunrise; the partial phase ends at 11:07:51 UT (AE).
TEST(LocalSolarEclipse, SunRisingEclipsedMakesSunriseTheGreatestEclipseSeen) {
    const LocalSolarEclipse e =
        local_solar_eclipse(PRECISE_ENGINE, place("Boston", 42.3601, -71.0589), GREATEST_2025);
    ASSERT_EQ(e.view, SOLAR_SEEN);
    EXPECT_FALSE(e.begins.sun_up);
    EXPECT_FALSE(e.maximum.sun_up);
    EXPECT_NEAR(seconds_apart(e.begins.jd_ut, ut(2025, 3, 29, 9, 24, 32.5)), 0.0, 20.0);
    EXPECT_NEAR(seconds_apart(e.maximum.jd_ut, ut(2025, 3, 29, 10, 14, 41.5)), 0.0, 30.0);
    EXPECT_NEAR(seconds_apart(e.ends.jd_ut, ut(2025, 3, 29, 11, 7, 50.6)), 0.0, 20.0);
    EXPECT_NEAR(seconds_apart(e.sunrise, ut(2025, 3, 29, 10, 31, 23.1)), 0.0, 30.0);
    EXPECT_TRUE(e.seen_at_horizon);
    EXPECT_EQ(e.seen_maximum.jd_ut, e.sunrise);
    EXPECT_GT(e.magnitude, 0.0);
    EXPECT_LT(e.magnitude, 0.8);  // less than at the maximum below the horizon
}

// 2026 August 12 misses Sydney altogether (AE's next eclipse there is
// 2028 July 22); at Kazan it begins at about 16:58 UT with the Sun already
// 4.6 degrees down (AE's places of the Sun and the Moon, by hand).
TEST(LocalSolarEclipse, PlacesOutsideThePenumbraOrInTheNightSeeNothing) {
    EXPECT_EQ(local_solar_eclipse(PRECISE_ENGINE, place("Sydney", -33.8688, 151.2093), GREATEST_2026).view,
              SOLAR_NOT_HERE);
    const LocalSolarEclipse kazan = local_solar_eclipse(PRECISE_ENGINE, place("Kazan", 55.79, 49.12), GREATEST_2026);
    EXPECT_EQ(kazan.view, SOLAR_SUN_DOWN);
    EXPECT_NEAR(seconds_apart(kazan.begins.jd_ut, ut(2026, 8, 12, 16, 58, 0)), 0.0, 120.0);
    EXPECT_LT(kazan.begins.sun_altitude, -4.0);
}

// Two equal disks whose centres are one radius apart overlap by
// (2 pi / 3 - sqrt(3) / 2) / pi = 0.3910 of either; a Moon 0.9 times the
// Sun's size centred on it hides 0.81 of it.
TEST(LocalSolarEclipse, ObscurationIsTheCoveredShareOfTheSunsArea) {
    EXPECT_NEAR(eclipse_obscuration(1.0, 1.0, 1.0), 0.3910, 1e-4);
    EXPECT_NEAR(eclipse_obscuration(1.0, 0.9, 0.0), 0.81, 1e-12);
    EXPECT_EQ(eclipse_obscuration(1.0, 1.05, 0.02), 1.0);
    EXPECT_EQ(eclipse_obscuration(1.0, 1.0, 2.0), 0.0);
}

// The total lunar eclipse of 2026 March 3 (AE: greatest 11:33:40 UT, partial
// semi-duration 103.9 min, total 29.7 min) with AE's Moon altitudes (no
// refraction) at the five phases: from Los Angeles 52.4, 39.4, 33.6, 27.7 and
// 12.7 degrees; from London the Moon set at 6:40:55 UT and is 25 to 33
// degrees down throughout.
TEST(LocalLunarEclipse, MoonAltitudesAtThePhasesAgreeWithAstronomyEngine) {
    const JulianDay peak = ut(2026, 3, 3, 11, 33, 40.3);
    const double partial = 103.919 / 1440.0, total = 29.706 / 1440.0;
    const JulianDay phases[] = {peak - partial, peak - total, peak, peak + total, peak + partial};
    const double los_angeles[] = {52.42, 39.36, 33.62, 27.73, 12.69};
    const double london[] = {-25.36, -31.03, -32.32, -32.98, -31.80};
    for (int i = 0; i < 5; ++i) {
        const MoonSight la = moon_sight(PRECISE_ENGINE, place("Los Angeles", 34.05, -118.25), phases[i]);
        EXPECT_TRUE(la.up);
        EXPECT_NEAR(la.altitude, los_angeles[i], 0.1);
        const MoonSight uk = moon_sight(PRECISE_ENGINE, place("London", 51.5074, -0.1278), phases[i]);
        EXPECT_FALSE(uk.up);
        EXPECT_NEAR(uk.altitude, london[i], 0.1);
    }
    EXPECT_TRUE(moon_horizon_crossings(PRECISE_ENGINE, place("London", 51.5074, -0.1278), phases[0], phases[4]).empty());
}

// The partial lunar eclipse of 2026 August 28 from London: the Moon sets
// (AE: 5:15:54 UT) between the maximum and the end of the partial phase.
TEST(LocalLunarEclipse, MoonSettingDuringTheEclipseIsFound) {
    const std::vector<HorizonCrossing> crossings = moon_horizon_crossings(
        PRECISE_ENGINE, place("London", 51.5074, -0.1278), ut(2026, 8, 28, 2, 33, 0), ut(2026, 8, 28, 5, 52, 0));
    ASSERT_EQ(crossings.size(), 1u);
    EXPECT_FALSE(crossings[0].rising);
    EXPECT_NEAR(seconds_apart(crossings[0].jd_ut, ut(2026, 8, 28, 5, 15, 53.8)), 0.0, 30.0);
}

}  // namespace
