// Angles and coordinate transforms: the normalisation and folding rules, the
// numeric helpers, and the transforms against Meeus's worked examples
// (Astronomical Algorithms, 2nd ed.).  Tolerances are what the older
// low-precision series of this engine can reach, not the examples' last digit.
#include "engine/angles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/calendar.h"

namespace {

constexpr double ARCSEC = 1.0 / 3600.0;  // degrees

double dms(double d, double m, double s) { return d + m / 60.0 + s / 3600.0; }

// An exact negative turn normalises to 360, not 0; a declination kept in
// [0, 360) folds to a signed one, past a pole back from it.
TEST(NormalizeAndFold, WholeTurnsAndSignedDeclinations) {
    const double normalized[][2] = {{-360.0, 360.0}, {-720.0, 360.0}, {-0.5, 359.5}, {360.0, 0.0}, {1080.25, 0.25}};
    for (const auto& [input, expected] : normalized) EXPECT_DOUBLE_EQ(normalize_degrees(input), expected) << input;
    const double folded[][2] = {{350.0, -10.0}, {100.0, 80.0}, {270.0, -90.0}, {90.0, 90.0}, {-10.0, -10.0},
                                {180.0, 0.0}};
    for (const auto& [input, expected] : folded) EXPECT_DOUBLE_EQ(fold_latitude(input), expected) << input;
}

TEST(NumericHelpers, ConventionsTiesAndMeeusExample3a) {
    EXPECT_TRUE(std::isnan(asin_deg(1.0000001))) << "no clamping of the argument";
    // atan2_deg takes x first: the point (0, 1) is straight up.
    EXPECT_DOUBLE_EQ(atan2_deg(0.0, 1.0), 90.0);
    EXPECT_DOUBLE_EQ(atan2_deg(-1.0, 0.0), 180.0);
    EXPECT_DOUBLE_EQ(atan2_deg(1.0, -1.0), -45.0);
    // On equality the first argument comes back: -0.0 and 0.0 compare equal.
    EXPECT_TRUE(std::signbit(max_of(-0.0, 0.0)));
    EXPECT_FALSE(std::signbit(min_of(0.0, -0.0)));
    EXPECT_EQ(sign_of(-0.0), 1);
    EXPECT_EQ(sign_of(-1e-300), -1);
    double v[3];
    sky_unit_vector(6.0, 0.0, v);  // 6 h of right ascension on the equator points along +x
    EXPECT_NEAR(std::hypot(v[0] - 1.0, v[1], v[2]), 0.0, 1e-15);
    sky_unit_vector(3.0, 90.0, v);  // the pole points along -y
    EXPECT_NEAR(std::hypot(v[0], v[1] + 1.0, v[2]), 0.0, 1e-15);
    // A quarter turn in x-z takes x to -z; a quarter turn in y-z then takes -z to +y.
    double w[3] = {1.0, 0.0, 0.0};
    rotate_vector(0.0, 1.0, 1.0, 0.0, w);
    EXPECT_NEAR(std::hypot(w[0], w[1], w[2] + 1.0), 0.0, 1e-15);
    rotate_vector(1.0, 0.0, 0.0, 1.0, w);
    EXPECT_NEAR(std::hypot(w[0], w[1] - 1.0, w[2]), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(interpolate3(1.0, 4.0, 9.0, -1.0), 1.0);
    // Meeus ex. 3.a: Mars's distance 1992 Nov 7, 8, 9 at 0h TD, at n = 0.18125: 0.876125 AU.
    EXPECT_NEAR(interpolate3(0.884226, 0.877366, 0.870531, 0.18125), 0.876125, 1e-6);
}

TEST(NutationObliquityAndSiderealTime, MeeusExamples22aAnd12a) {
    // 1987 April 10 at 0h TD.  The 13- and 9-term series drops terms of up to
    // about 0.01": 0.05" is its reach.
    double delta_psi = 0.0, delta_epsilon = 0.0;
    nutation(0.0, 10, 4, 1987, delta_psi, delta_epsilon);
    EXPECT_NEAR(delta_psi, -3.788, 0.05);
    EXPECT_NEAR(delta_epsilon, 9.443, 0.05);
    // Mean obliquity 23deg26'27.407"; true 23deg26'36.850".  The true value here
    // carries only the 9.2" node term of the nutation in obliquity, so 0.5".
    EXPECT_NEAR(obliquity(0.0, 10, 4, 1987, false), dms(23, 26, 27.407), 0.1 * ARCSEC);
    EXPECT_NEAR(obliquity(0.0, 10, 4, 1987, true), dms(23, 26, 36.850), 0.5 * ARCSEC);
    // Ex. 12.a, the same instant in UT: apparent minus mean sidereal time is -0.2317 s.
    EXPECT_NEAR((apparent_sidereal_time(0.0, 10, 4, 1987) - mean_sidereal_time(0.0, 10, 4, 1987)) * 3600.0, -0.2317,
                0.005);
}

TEST(EclipticToEquatorial, MeeusExample13aPolluxAndASouthernPoint) {
    // lambda 113.215630, beta 6.684170 with the J2000 obliquity 23.4392911
    // (this engine's mean obliquity at 2000 Jan 1.5): alpha 116.328942, delta 28.026183.
    double ra = 0.0, dec = 0.0;
    ecliptic_to_equatorial(12.0, 1, 1, 2000, 113.215630, 6.684170, false, ra, dec);
    EXPECT_NEAR(ra * 15.0, 116.328942, 1e-4);
    EXPECT_NEAR(dec, 28.026183, 1e-4);
    // The winter solstice point: RA 18h, -epsilon kept in [0, 360).
    ecliptic_to_equatorial(0.0, 1, 1, 2000, 270.0, 0.0, false, ra, dec);
    EXPECT_NEAR(dec, 360.0 - obliquity(0.0, 1, 1, 2000, false), 1e-9);
    EXPECT_NEAR(ra, 18.0, 1e-9);
}

// Meeus ex. 23.a: theta Persei, 2028 Nov 13.19 TD, place of date alpha
// 41.5599646, delta 49.3484833, epsilon 23.436, Sun 231.328, dpsi 14.861",
// deps 2.705".  Nutation: +15.843" and +6.218"; aberration +30.045" and
// +6.697" (Meeus's form with the e-terms, which this one leaves out: they are
// at most 0.343", hence 0.4").
TEST(ApparentPlaceCorrection, MeeusExample23a) {
    const double ra0 = 41.5599646 / 15.0, dec0 = 49.3484833;
    double ra = ra0, dec = dec0;
    apparent_place_correction(ra, dec, 23.436, 231.328, 0.0, 0.0);
    const double aberration_ra = (ra - ra0) * 15.0 * 3600.0, aberration_dec = (dec - dec0) * 3600.0;
    EXPECT_NEAR(aberration_ra, 30.045, 0.4);
    EXPECT_NEAR(aberration_dec, 6.697, 0.4);
    ra = ra0, dec = dec0;
    apparent_place_correction(ra, dec, 23.436, 231.328, 14.861, 2.705);
    EXPECT_NEAR((ra - ra0) * 15.0 * 3600.0 - aberration_ra, 15.843, 0.01);
    EXPECT_NEAR((dec - dec0) * 3600.0 - aberration_dec, 6.218, 0.01);
}

TEST(EquatorialToHorizontal, MeeusExample13bMeridianAndPoleCases) {
    // Meeus ex. 13.b, Venus from Washington 1987 April 10, 19h21m UT: alpha
    // 23h09m16.641s, delta -6deg43'11.61"; A = 68.0337 from the South (248.0337
    // from the North), h = 15.1249.  Mean sidereal time costs about 0.001.
    const Location l{"", COMPASS_NORTH, COMPASS_WEST, dms(38, 55, 17), dms(77, 3, 56)};
    double azimuth = 0.0, altitude = 0.0;
    equatorial_to_horizontal(19.35, dms(23, 9, 16.641), -dms(6, 43, 11.61), 10, 4, 1987, azimuth, altitude, l);
    EXPECT_NEAR(azimuth, 248.0337, 0.002);
    EXPECT_NEAR(altitude, 15.1249, 0.002);
    const double lst = gst_to_lst(ut_to_gst(3.0, 1, 6, 2000), l);  // hour angle 0 for RA lst
    // On the meridian south of the zenith: sin H = 0 counts as >= 0, so 360 - 180.
    // (acos near -1 turns rounding of its argument into ~1e-6 degrees.)
    equatorial_to_horizontal(3.0, lst, 10.0, 1, 6, 2000, azimuth, altitude, l);
    EXPECT_NEAR(azimuth, 180.0, 1e-4);
    EXPECT_NEAR(altitude, 90.0 - l.latitude + 10.0, 1e-8);
    // On the meridian north of the zenith: 360, not 0.
    equatorial_to_horizontal(3.0, lst, 70.0, 1, 6, 2000, azimuth, altitude, l);
    EXPECT_NEAR(azimuth, 360.0, 1e-4);
    // An observer at either pole is taken at 89.999: finite azimuth, altitude ~ declination.
    Location pole = l;
    pole.latitude = 90.0;
    for (int hemisphere : {COMPASS_NORTH, COMPASS_SOUTH}) {
        pole.latitude_hemisphere = hemisphere;
        equatorial_to_horizontal(3.0, 5.0, hemisphere == COMPASS_NORTH ? 40.0 : -40.0, 1, 6, 2000, azimuth,
                                 altitude, pole);
        EXPECT_TRUE(std::isfinite(azimuth)) << "hemisphere " << hemisphere;
        EXPECT_NEAR(altitude, 40.0, 0.002) << "hemisphere " << hemisphere;
    }
}

TEST(Kepler, MeeusExample30aRootsAndTrueAnomaly) {
    EXPECT_NEAR(solve_kepler(5.0, 0.1), 5.554589, 1e-6);  // Meeus ex. 30.a
    EXPECT_EQ(solve_kepler(123.4, 0.0), 123.4) << "e = 0 returns M after one step";
    // Large eccentricities converge onto a root of E - e sin E = M (degrees).
    const double cases[][2] = {{200.0, 0.5}, {5.0, 0.967}, {359.0, 0.9}, {-30.0, 0.2}};  // M, e
    for (const auto& [m, e] : cases) {
        const double e_anomaly = solve_kepler(m, e);
        EXPECT_NEAR(e_anomaly - e * DEGREES_PER_RADIAN * sin_deg(e_anomaly), m, 1e-7) << "M " << m << " e " << e;
    }
    EXPECT_NEAR(true_anomaly(0.5, 90.0), 120.0, 1e-9);  // tan(nu/2) = sqrt(3)
    EXPECT_NEAR(true_anomaly(0.0, 270.0), 270.0, 1e-9) << "kept in [0, 360)";
    EXPECT_NEAR(true_anomaly(0.3, 180.0), 180.0, 1e-9) << "aphelion";
    EXPECT_DOUBLE_EQ(radius_vector(2.0, 0.1, 0.0), 1.8);
    EXPECT_NEAR(radius_vector(1.0, 0.5, 90.0), 1.0, 1e-15);
}

}  // namespace
