// The Moon's apsides and node passages against published values.
#include "engine/classical/moon_events.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/classical/moon.h"

namespace {

// The refinement works on whole hours and the lunar theory is the older
// trigonometric one: instants within an hour, distances within 40 km.
TEST(MoonApsides, RefinementMatchesPublishedApsides) {
    struct {
        int year, month, day;
        double hours_ut;
        MoonApsisKind kind;
        double distance_km;
        const char* source;
    } const published[] = {
        {2016, 11, 14, 11 + 23 / 60.0, MOON_PERIGEE, 356509, "Fourmilab / EarthSky"},
        {2034, 11, 25, 22 + 7 / 60.0, MOON_PERIGEE, 356445, "Fourmilab / EarthSky"},
        {2022, 1, 1, 22 + 49 / 60.0, MOON_PERIGEE, 358025, "JPL Horizons (neoprogrammics.com)"},
        {2022, 1, 14, 9 + 17 / 60.0, MOON_APOGEE, 405831, "JPL Horizons (neoprogrammics.com)"},
        {2022, 1, 30, 7 + 4 / 60.0, MOON_PERIGEE, 362236, "JPL Horizons (neoprogrammics.com)"},
    };
    for (const auto& p : published) {
        const JulianDay t_day = julian_day(p.day, p.month, p.year);
        const MoonApsis apsis = moon_apsis_refine(t_day, p.kind);
        EXPECT_NEAR((apsis.jd_ut - t_day) * 24.0, p.hours_ut, 1.0) << p.source << " " << p.year << "/" << p.month;
        EXPECT_NEAR(apsis.distance_km, p.distance_km, 40.0) << p.source << " " << p.year;
    }
}

TEST(MoonApsides, StrictExtremesAndTheEarliestHour) {
    EXPECT_EQ(moon_apsis_kind(400000, 405000, 401000), MOON_APOGEE);
    EXPECT_EQ(moon_apsis_kind(362000, 358000, 360000), MOON_PERIGEE);
    EXPECT_EQ(moon_apsis_kind(400000, 405000, 405000), MOON_APSIS_NONE) << "a plateau";
    EXPECT_EQ(moon_apsis_kind(0.0, 405000, 401000), MOON_APSIS_NONE) << "a sample never taken";
    double rising[MOON_APSIS_SAMPLES];
    double flat[MOON_APSIS_SAMPLES];
    for (int i = 0; i < MOON_APSIS_SAMPLES; ++i) rising[i] = 356500.0 + i, flat[i] = 380000.0;
    EXPECT_EQ(moon_apsis_extreme_hour(rising, MOON_PERIGEE), -23) << "perigee 23 hours before";
    EXPECT_EQ(moon_apsis_extreme_hour(rising, MOON_APOGEE), 23);
    flat[30] = flat[40] = 379000.0;
    EXPECT_EQ(moon_apsis_extreme_hour(flat, MOON_PERIGEE), 7) << "ties keep the earliest hour";
}

TEST(MoonNodes, SeriesReproducesMeeusExample) {
    // Meeus, Astronomical Algorithms, example 51.a: the ascending node of
    // 1987 May, k = -170, JDE 2446938.76803 (May 23, 6h26m TD).
    EXPECT_NEAR(moon_node_jde(-170, ASCENDING_NODE), 2446938.76803, 0.00005);
    // k = 0 is the ascending node of 2000 January (JDE of the mean passage 2451565.16).
    EXPECT_NEAR(moon_node_jde(0, ASCENDING_NODE), 2451565.0, 0.5);
}

// The node series and the engine's lunar theory are independent: at each
// passage of 2026 the Moon's ecliptic latitude must be within 0.01 degree of
// zero (about 12 minutes of its motion there) and rising at an ascending node.
TEST(MoonNodes, PassagesOf2026AreWhereTheMoonCrossesTheEcliptic) {
    auto latitude_at = [](JulianDay jd) {
        double day;
        int month, year;
        calendar_date(jd, day, month, year);
        double longitude, latitude, parallax, semidiameter, illuminated, shadow_u, ra, dec;
        moon_position(std::fmod(day, 1.0) * 24.0, static_cast<int>(day), month, year, longitude,
                      latitude, parallax, semidiameter, illuminated, shadow_u, ra, dec);
        return latitude;
    };
    for (int k = 348; k <= 361; ++k) {  // 2026 January to 2027 January
        for (MoonNode node : {ASCENDING_NODE, DESCENDING_NODE}) {
            const JulianDay t = moon_node_instant(k, node, 2026);
            EXPECT_NEAR(latitude_at(t), 0.0, 0.01) << "k " << k << " node " << node;
            const double rise = latitude_at(t + 0.25) - latitude_at(t - 0.25);
            EXPECT_EQ(rise > 0, node == ASCENDING_NODE) << "k " << k;
        }
    }
}

}  // namespace
