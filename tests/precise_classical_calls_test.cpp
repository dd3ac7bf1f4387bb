// The precise engine through the classical engine's calls: same conventions,
// precise numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/classical/conjunctions.h"
#include "engine/precise/classical_calls.h"
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

TEST(PreciseClassicalCalls, RiseSetAndConjunctionsInLocalTime) {
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

TEST(PreciseClassicalCalls, YearEclipsesLunarFirstWithTheirKinds) {
    EclipseList list;
    PhaseTable phases;
    precise::build_phase_table(2024, phases, nullptr, nullptr);
    EXPECT_GT(phases.records.size(), 52u);
    precise::find_year_eclipses(2024, phases, greenwich(), list);
    // 2024: partial lunar September 18 (the penumbral one of March 25 is not
    // listed); solar total April 8 and annular October 2.
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0].kind, LUNAR_ECLIPSE);
    EXPECT_EQ(list.entries[1].solar_type, SOLAR_TOTAL);
    EXPECT_EQ(list.entries[2].solar_type, SOLAR_ANNULAR);
}

TEST(PreciseClassicalCalls, ApsidesAndNodesNearTheMeanOnes) {
    // The Earth's perihelion of 2026 (k = 126): January 3, 17:16 UT (USNO).
    EXPECT_NEAR(precise::planet_apsis_instant(2, 126), julian_day(3 + 17.27 / 24, 1, 2026), 2.0 / 1440);
    // The perigee of 2022 January 30, 07:04 UT, 362 236 km (JPL Horizons): in
    // minutes, not whole hours.
    double offset = 0, km = 0;
    precise::moon_apsis_refine(julian_day(30, 1, 2022), MOON_PERIGEE, offset, km);
    EXPECT_NEAR(offset, 7 + 4 / 60.0, 0.4);
    EXPECT_NE(offset, std::round(offset));
    EXPECT_NEAR(km, 362236, 40);
}

}  // namespace
