// The precise engine's build-time ephemeris against the ERFA series it was
// made from, at instants between the fitting nodes across all its years.
#include <gtest/gtest.h>

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "engine/precise/ephemeris_table.h"

namespace {

constexpr double AU_KM = 149597870.7;
constexpr double MAS_PER_RADIAN = ERFA_DR2AS * 1000.0;

// Instants spread over the table, none on a granule edge or a fitting node.
template <class Check>
void at_instants_across_the_table(Check check) {
    for (double t = precise::TABLE_FIRST_TT + 0.123; t < precise::TABLE_LAST_TT; t += 71.37) check(t);
}

TEST(PreciseEphemerisTable, TheEarthIsWithinAFifthOfAKilometreOfEpv00) {
    double worst_km = 0, worst_velocity = 0, worst_bary_velocity = 0;
    at_instants_across_the_table([&](double t) {
        double p[3], v[3], vb[3], pvh[2][3], pvb[2][3];
        ASSERT_TRUE(precise::table_earth(t, p, v, vb));
        eraEpv00(t, 0.0, pvh, pvb);
        for (int i = 0; i < 3; ++i) {
            worst_km = std::fmax(worst_km, std::fabs(p[i] - pvh[0][i]) * AU_KM);
            worst_velocity = std::fmax(worst_velocity, std::fabs(v[i] - pvh[1][i]));
            worst_bary_velocity = std::fmax(worst_bary_velocity, std::fabs(vb[i] - pvb[1][i]));
        }
    });
    EXPECT_LT(worst_km, 0.2);
    // 1e-7 AU/day in the velocity is 0.1 mas of aberration.
    EXPECT_LT(worst_velocity, 1e-7);
    EXPECT_LT(worst_bary_velocity, 1e-7);
}

TEST(PreciseEphemerisTable, TheNutationIsWithinATenthOfAMilliarcsecondOfNut00b) {
    double worst_mas = 0;
    at_instants_across_the_table([&](double t) {
        double dpsi, deps, dpsi_erfa, deps_erfa;
        ASSERT_TRUE(precise::table_nutation(t, dpsi, deps));
        eraNut00b(t, 0.0, &dpsi_erfa, &deps_erfa);
        worst_mas = std::fmax(worst_mas, std::fabs(dpsi - dpsi_erfa) * MAS_PER_RADIAN);
        worst_mas = std::fmax(worst_mas, std::fabs(deps - deps_erfa) * MAS_PER_RADIAN);
    });
    EXPECT_LT(worst_mas, 0.1);
}

TEST(PreciseEphemerisTable, CoversTheYears1000To3000AndNothingOutside) {
    double p[3], v[3], vb[3], dpsi, deps;
    EXPECT_TRUE(precise::table_earth(2086307.5, p, v, vb));   // 1000 January 1
    EXPECT_TRUE(precise::table_earth(2817151.5, p, v, vb));   // 3000 December 31
    EXPECT_FALSE(precise::table_earth(precise::TABLE_FIRST_TT - 0.001, p, v, vb));
    EXPECT_FALSE(precise::table_earth(precise::TABLE_LAST_TT, p, v, vb));
    EXPECT_FALSE(precise::table_nutation(2451545.0 + 1e6, dpsi, deps));
    EXPECT_FALSE(precise::table_nutation(std::nan(""), dpsi, deps));
}

}  // namespace
