// The precise engine through the seam: its places in the seam's conventions
// and its searches over windows, against published instants.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/precise/precise_engine.h"
#include "engine/precise/rise_set.h"

namespace {

Location greenwich() {
    Location l;
    l.name = "Greenwich";
    l.latitude = 51.4769;
    return l;
}

TEST(PreciseSeam, SignedDeclinationsAndGeometricLongitudes) {
    const SunPlace apparent = PRECISE_ENGINE.sun_place(julian_day(21, 12, 2026), APPARENT_PLACE);
    EXPECT_NEAR(apparent.dec, -23.44, 0.01);  // December solstice
    EXPECT_NEAR(apparent.longitude, 269.116, 0.01);  // 20 h 50 m before the solstice, at 1.0185 degrees a day
    const SunPlace geometric = PRECISE_ENGINE.sun_place(julian_day(21, 12, 2026), GEOMETRIC_PLACE);
    // Geometric: the aberration (20.5") and the nutation (at most 17.3") taken off.
    EXPECT_NEAR(geometric.longitude - apparent.longitude, 20.5 / 3600.0, 17.3 / 3600.0);
    EXPECT_NEAR(geometric.dec, -23.44, 0.01);
}

TEST(PreciseSeam, EquationOfTimeAtItsExtremes) {
    // The published extremes: about +16.4 min early in November, -14.2 min mid-February.
    EXPECT_NEAR(PRECISE_ENGINE.equation_of_time(julian_day(3, 11, 2026)) * 60.0, 16.4, 0.2);
    EXPECT_NEAR(PRECISE_ENGINE.equation_of_time(julian_day(11, 2, 2026)) * 60.0, -14.2, 0.2);
}

TEST(PreciseSeam, RiseSetAndConjunctionsInLocalTime) {
    const RiseSet sun = PRECISE_ENGINE.rise_set(0, julian_day(21, 6, 2026), greenwich());
    precise::DayEvents e = precise::rise_set_transit(0, 21, 6, 2026, greenwich());
    EXPECT_EQ(sun.rise, e.rise);
    EXPECT_NEAR(sun.rise, 3 + 43 / 60.0, 2 / 60.0);  // 03:43 UT at Greenwich on the solstice
    EXPECT_NEAR(sun.set, 20 + 21 / 60.0, 2 / 60.0);

    // Mercury's inferior conjunction of 2023 January 7, about 13 h UT.
    const ConjunctionSearch search =
        PRECISE_ENGINE.conjunctions(3, julian_day(1, 1, 2023), julian_day(1, 2, 2023), nullptr, nullptr);
    ASSERT_EQ(search.events.size(), 1u);
    EXPECT_NEAR(search.events[0].jd_ut, julian_day(7 + 13 / 24.0, 1, 2023), 1.0 / 24);
    EXPECT_FALSE(search.events[0].superior);
    EXPECT_FALSE(search.events[0].opposition);
}

// Minutes, as a Julian day.
constexpr double MINUTE = 1.0 / 1440;

TEST(PreciseSearches, SeasonsAndPhasesOfAWindow) {
    // USNO: 2026 equinoxes and solstices, March 20 14:46, June 21 08:24,
    // September 23 00:05, December 21 20:50 UT.
    const std::vector<SeasonEvent> seasons = PRECISE_ENGINE.seasons(julian_day(1, 1, 2026), julian_day(1, 1, 2027));
    ASSERT_EQ(seasons.size(), 4u);
    const JulianDay usno[4] = {julian_day(20 + (14 + 46 / 60.0) / 24, 3, 2026),
                               julian_day(21 + (8 + 24 / 60.0) / 24, 6, 2026),
                               julian_day(23 + (0 + 5 / 60.0) / 24, 9, 2026),
                               julian_day(21 + (20 + 50 / 60.0) / 24, 12, 2026)};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(seasons[k].season, k);
        EXPECT_NEAR(seasons[k].jd_ut, usno[k], 1 * MINUTE) << k;
    }
    // USNO: 2024 January's phases, last quarter 4th 03:30, new Moon 11th
    // 11:57, first quarter 18th 03:53, full Moon 25th 17:54 UT; the window
    // ends before the next new Moon (February 9).
    const PhaseSearch phases = PRECISE_ENGINE.moon_phases(julian_day(1, 1, 2024), julian_day(1, 2, 2024), nullptr,
                                                          nullptr);
    ASSERT_EQ(phases.events.size(), 4u);
    const double days[4] = {4 + (3 + 30 / 60.0) / 24, 11 + (11 + 57 / 60.0) / 24, 18 + (3 + 53 / 60.0) / 24,
                            25 + (17 + 54 / 60.0) / 24};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(phases.events[i].phase, (i + 3) % 4);
        EXPECT_NEAR(phases.events[i].jd_ut, julian_day(days[i], 1, 2024), 1 * MINUTE) << i;
    }
}

// A hook that stops a search at its first step.
int stop_at_once(double, void* calls) {
    ++*static_cast<int*>(calls);
    return 7;
}

TEST(PreciseSearches, EclipsesOfAYearInTimeOrderAndAStoppedSearch) {
    const EclipseSearch search =
        PRECISE_ENGINE.eclipses(julian_day(1, 1, 2024), julian_day(1, 1, 2025), nullptr, nullptr);
    // 2024 (NASA): total solar April 8, maximum 18:17 UT; partial lunar
    // September 18, 02:44; annular solar October 2, 18:45 (the penumbral
    // lunar eclipse of March 25 is no event).
    ASSERT_EQ(search.events.size(), 3u);
    EXPECT_EQ(search.events[0].kind, SOLAR_ECLIPSE);
    EXPECT_EQ(search.events[0].solar_type, SOLAR_TOTAL);
    EXPECT_NEAR(search.events[0].jd_max, julian_day(8 + (18 + 17 / 60.0) / 24, 4, 2024), 2 * MINUTE);
    EXPECT_EQ(search.events[1].kind, LUNAR_ECLIPSE);
    EXPECT_NEAR(search.events[1].jd_max, julian_day(18 + (2 + 44 / 60.0) / 24, 9, 2024), 2 * MINUTE);
    EXPECT_EQ(search.events[2].solar_type, SOLAR_ANNULAR);
    EXPECT_NEAR(search.events[2].jd_max, julian_day(2 + (18 + 45 / 60.0) / 24, 10, 2024), 2 * MINUTE);

    int calls = 0;
    const EclipseSearch stopped =
        PRECISE_ENGINE.eclipses(julian_day(1, 1, 2024), julian_day(1, 1, 2025), stop_at_once, &calls);
    EXPECT_EQ(stopped.stopped, 7);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(stopped.events.empty());
}

TEST(PreciseSearches, ApsidesAndNodesInTheirWindows) {
    // The Earth's perihelion of 2026: January 3, 17:16 UT (USNO); its aphelion July 6, 17:31 UT.
    const std::vector<PlanetApsis> earth = PRECISE_ENGINE.planet_apsides(2, julian_day(1, 1, 2026),
                                                                         julian_day(1, 1, 2027));
    ASSERT_EQ(earth.size(), 2u);
    EXPECT_EQ(earth[0].kind, APSIS_PERIHELION);
    EXPECT_NEAR(earth[0].jd_ut, julian_day(3 + 17.27 / 24, 1, 2026), 2 * MINUTE);
    EXPECT_EQ(earth[1].kind, APSIS_APHELION);
    EXPECT_NEAR(earth[1].jd_ut, julian_day(6 + (17 + 31 / 60.0) / 24, 7, 2026), 30 * MINUTE);
    // The perigee of 2022 January 30, 07:04 UT, 362 236 km (JPL Horizons): in
    // minutes, not whole hours.
    const MoonApsisSearch moon =
        PRECISE_ENGINE.moon_apsides(julian_day(29, 1, 2022), julian_day(31, 1, 2022), nullptr, nullptr);
    ASSERT_EQ(moon.events.size(), 1u);
    EXPECT_EQ(moon.events[0].kind, MOON_PERIGEE);
    EXPECT_NEAR(moon.events[0].jd_ut, julian_day(30 + (7 + 4 / 60.0) / 24, 1, 2022), 25 * MINUTE);
    EXPECT_NEAR(moon.events[0].distance_km, 362236, 40);
    // Meeus, Astronomical Algorithms, example 51.a: the ascending node of 1987
    // May 23, 06:25 TD (about 06:24 UT); a draconic month holds two passages.
    const std::vector<NodePassage> nodes = PRECISE_ENGINE.moon_nodes(julian_day(20, 5, 1987), julian_day(16, 6, 1987));
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].node, ASCENDING_NODE);
    EXPECT_NEAR(nodes[0].jd_ut, julian_day(23 + (6 + 24 / 60.0) / 24, 5, 1987), 10 * MINUTE);
    EXPECT_EQ(nodes[1].node, DESCENDING_NODE);
}

}  // namespace
