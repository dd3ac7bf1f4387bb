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

struct Case1 {
    double input;
    double expected;
    const char* why;
};

TEST(NormalizeDegrees, WholeTurnsAwayAndNegativeMultiplesGive360) {
    const Case1 cases[] = {
        {-360.0, 360.0, "an exact negative turn lands on 360, not 0"},
        {-720.0, 360.0, "two negative turns as well"},
        {-1.0, 359.0, "negative input"},
        {360.0, 0.0, "one full turn"},
        {719.5, 359.5, "just under two turns"},
        {0.0, 0.0, "zero stays"},
        {-0.5, 359.5, "small negative"},
        {1080.25, 0.25, "three turns and a bit"},
    };
    for (const Case1& c : cases)
        EXPECT_DOUBLE_EQ(normalize_degrees(c.input), c.expected) << c.why << ", input " << c.input;
}

TEST(FoldLatitude, DeclinationsKeptLikeLongitudesComeBackSigned) {
    const Case1 cases[] = {
        {350.0, -10.0, "a southern declination kept in [0, 360)"},
        {100.0, 80.0, "past the pole folds back"},
        {270.0, -90.0, "south pole"},
        {90.0, 90.0, "north pole"},
        {-10.0, -10.0, "already signed"},
        {180.0, 0.0, "the far side of the equator"},
        {45.0, 45.0, "ordinary northern value"},
    };
    for (const Case1& c : cases)
        EXPECT_DOUBLE_EQ(fold_latitude(c.input), c.expected) << c.why << ", input " << c.input;
}

TEST(TrigInDegrees, ValuesAndArgumentOrder) {
    EXPECT_NEAR(sin_deg(30.0), 0.5, 1e-15);
    EXPECT_NEAR(cos_deg(60.0), 0.5, 1e-15);
    EXPECT_NEAR(tan_deg(45.0), 1.0, 1e-15);
    EXPECT_NEAR(asin_deg(0.5), 30.0, 1e-12);
    EXPECT_NEAR(acos_deg(-1.0), 180.0, 1e-12);
    EXPECT_NEAR(atan_deg(-1.0), -45.0, 1e-12);
    EXPECT_NEAR(rad_to_deg(M_PI), 180.0, 1e-12);
    // atan2_deg takes x first: the point (0, 1) is straight up.
    EXPECT_DOUBLE_EQ(atan2_deg(0.0, 1.0), 90.0);
    EXPECT_DOUBLE_EQ(atan2_deg(-1.0, 0.0), 180.0);
    EXPECT_DOUBLE_EQ(atan2_deg(1.0, -1.0), -45.0);
    EXPECT_TRUE(std::isnan(asin_deg(1.0000001))) << "no clamping of the argument";
}

TEST(NumericHelpers, TiesAndSigns) {
    // On equality the first argument comes back: -0.0 and 0.0 compare equal.
    EXPECT_TRUE(std::signbit(max_of(-0.0, 0.0)));
    EXPECT_FALSE(std::signbit(min_of(0.0, -0.0)));
    EXPECT_DOUBLE_EQ(max_of(2.0, 3.0), 3.0);
    EXPECT_DOUBLE_EQ(min_of(2.0, 3.0), 2.0);
    EXPECT_EQ(sign_of(0.0), 1);
    EXPECT_EQ(sign_of(-0.0), 1);
    EXPECT_EQ(sign_of(-1e-300), -1);
    double x = 0.0, y = 0.0;
    polar_to_rect(2.0, 90.0, x, y);
    EXPECT_NEAR(x, 0.0, 1e-15);
    EXPECT_NEAR(y, 2.0, 1e-15);
    EXPECT_DOUBLE_EQ(planar_distance(1.0, 1.0, 4.0, 5.0), 5.0);
}

TEST(Interpolate3, EndPointsAndMeeusExample) {
    EXPECT_DOUBLE_EQ(interpolate3(1.0, 4.0, 9.0, 0.0), 4.0);
    EXPECT_DOUBLE_EQ(interpolate3(1.0, 4.0, 9.0, 1.0), 9.0);
    EXPECT_DOUBLE_EQ(interpolate3(1.0, 4.0, 9.0, -1.0), 1.0);
    // Meeus example 3.a: Mars's distance 1992 Nov 7, 8, 9 at 0h TD, wanted at
    // Nov 8 4h21m (n = 0.18125): 0.876125 AU.
    EXPECT_NEAR(interpolate3(0.884226, 0.877366, 0.870531, 0.18125), 0.876125, 1e-6);
}

TEST(VectorHelpers, UnitVectorsAndRotations) {
    double v[3];
    sky_unit_vector(6.0, 0.0, v);  // 90 degrees of right ascension on the equator
    EXPECT_NEAR(v[0], 1.0, 1e-15);
    EXPECT_NEAR(v[1], 0.0, 1e-15);
    EXPECT_NEAR(v[2], 0.0, 1e-15);
    sky_unit_vector(3.0, 90.0, v);  // the pole points along -y
    EXPECT_NEAR(v[1], -1.0, 1e-15);
    EXPECT_NEAR(std::hypot(v[0], v[2]), 0.0, 1e-15);

    const double east[3] = {1.0, 0.0, 0.0};
    const double north[3] = {0.0, 1.0, 0.0};
    EXPECT_DOUBLE_EQ(dot3(east, north), 0.0);
    EXPECT_NEAR(angle_between(east, north), 90.0, 1e-12);

    // A quarter turn in x-z takes x to -z; a quarter turn in y-z then takes -z to +y.
    double w[3] = {1.0, 0.0, 0.0};
    rotate_vector(0.0, 1.0, 1.0, 0.0, w);
    EXPECT_NEAR(w[0], 0.0, 1e-15);
    EXPECT_NEAR(w[2], -1.0, 1e-15);
    rotate_vector(1.0, 0.0, 0.0, 1.0, w);
    EXPECT_NEAR(w[1], 1.0, 1e-15);
    EXPECT_NEAR(w[2], 0.0, 1e-15);
}

// Meeus example 22.a, 1987 April 10 at 0h TD.
TEST(Nutation, MeeusExample22a) {
    double delta_psi = 0.0, delta_epsilon = 0.0;
    nutation(0.0, 10, 4, 1987, delta_psi, delta_epsilon);
    // The 13- and 9-term series drops terms of up to about 0.01": 0.05" is its reach.
    EXPECT_NEAR(delta_psi, -3.788, 0.05);
    EXPECT_NEAR(delta_epsilon, 9.443, 0.05);
}

TEST(Obliquity, MeeusExample22a) {
    // Mean obliquity 23deg26'27.407"; true 23deg26'36.850".  The true value here
    // carries only the 9.2" node term of the nutation in obliquity, so 0.5".
    EXPECT_NEAR(obliquity(0.0, 10, 4, 1987, false), dms(23, 26, 27.407), 0.1 * ARCSEC);
    EXPECT_NEAR(obliquity(0.0, 10, 4, 1987, true), dms(23, 26, 36.850), 0.5 * ARCSEC);
}

TEST(EclipticToEquatorial, MeeusExample13aPollux) {
    // lambda 113.215630, beta 6.684170 with the J2000 obliquity 23.4392911
    // (this engine's mean obliquity at 2000 Jan 1.5): alpha 116.328942, delta 28.026183.
    double ra = 0.0, dec = 0.0;
    ecliptic_to_equatorial(12.0, 1, 1, 2000, 113.215630, 6.684170, false, ra, dec);
    EXPECT_NEAR(ra * 15.0, 116.328942, 1e-4);
    EXPECT_NEAR(dec, 28.026183, 1e-4);
}

TEST(EclipticToEquatorial, SouthernDeclinationIsKeptBelow360) {
    double ra = 0.0, dec = 0.0;
    ecliptic_to_equatorial(0.0, 1, 1, 2000, 270.0, 0.0, false, ra, dec);
    const double epsilon = obliquity(0.0, 1, 1, 2000, false);
    EXPECT_NEAR(dec, 360.0 - epsilon, 1e-9) << "the winter solstice point, -epsilon kept in [0, 360)";
    EXPECT_NEAR(ra, 18.0, 1e-9);
}

// Meeus example 23.a: theta Persei, 2028 Nov 13.19 TD, place of date
// alpha 41.5599646, delta 49.3484833, epsilon 23.436, Sun 231.328,
// dpsi 14.861", deps 2.705".  Nutation: +15.843" and +6.218"; aberration
// +30.045" and +6.697" (Meeus's form with the e-terms, which this one leaves
// out: they are at most 0.343", hence 0.4").
TEST(ApparentPlaceCorrection, MeeusExample23a) {
    const double ra0 = 41.5599646 / 15.0;
    const double dec0 = 49.3484833;
    double ra = ra0, dec = dec0;
    apparent_place_correction(ra, dec, 23.436, 231.328, 0.0, 0.0);
    const double aberration_ra = (ra - ra0) * 15.0 * 3600.0;
    const double aberration_dec = (dec - dec0) * 3600.0;
    EXPECT_NEAR(aberration_ra, 30.045, 0.4);
    EXPECT_NEAR(aberration_dec, 6.697, 0.4);
    ra = ra0;
    dec = dec0;
    apparent_place_correction(ra, dec, 23.436, 231.328, 14.861, 2.705);
    EXPECT_NEAR((ra - ra0) * 15.0 * 3600.0 - aberration_ra, 15.843, 0.01);
    EXPECT_NEAR((dec - dec0) * 3600.0 - aberration_dec, 6.218, 0.01);
}

TEST(ApparentSiderealTime, EquationOfTheEquinoxesMeeusExample12a) {
    // 1987 April 10, 0h UT: apparent minus mean sidereal time is -0.2317 s.
    const double seconds =
        (apparent_sidereal_time(0.0, 10, 4, 1987) - mean_sidereal_time(0.0, 10, 4, 1987)) * 3600.0;
    EXPECT_NEAR(seconds, -0.2317, 0.005);
}

Location washington() {
    Location l;
    l.name = "Washington";
    l.latitude = dms(38, 55, 17);
    l.latitude_hemisphere = COMPASS_NORTH;
    l.longitude = dms(77, 3, 56);
    l.longitude_hemisphere = COMPASS_WEST;
    return l;
}

TEST(EquatorialToHorizontal, MeeusExample13bVenusFromWashington) {
    // 1987 April 10, 19h21m UT: alpha 23h09m16.641s, delta -6deg43'11.61";
    // Meeus gives A = 68.0337 from the South, i.e. 248.0337 from the North, and
    // h = 15.1249.  Mean instead of apparent sidereal time costs about 0.001.
    double azimuth = 0.0, altitude = 0.0;
    equatorial_to_horizontal(19.35, dms(23, 9, 16.641), -dms(6, 43, 11.61), 10, 4, 1987, azimuth,
                             altitude, washington());
    EXPECT_NEAR(azimuth, 248.0337, 0.002);
    EXPECT_NEAR(altitude, 15.1249, 0.002);
}

// The local sidereal time at which the hour angle of right ascension lst is zero.
double local_sidereal(double ut, int day, int month, int year, const Location& l) {
    return gst_to_lst(ut_to_gst(ut, day, month, year), l);
}

TEST(EquatorialToHorizontal, MeridianAndPoleCases) {
    Location l = washington();
    const double lst = local_sidereal(3.0, 1, 6, 2000, l);
    double azimuth = 0.0, altitude = 0.0;

    // On the meridian south of the zenith: sin H = 0 counts as >= 0, so 360 - 180.
    // (acos near -1 turns rounding of its argument into ~1e-6 degrees.)
    equatorial_to_horizontal(3.0, lst, 10.0, 1, 6, 2000, azimuth, altitude, l);
    EXPECT_NEAR(azimuth, 180.0, 1e-4);
    EXPECT_NEAR(altitude, 90.0 - l.latitude + 10.0, 1e-8);

    // On the meridian north of the zenith: 360, not 0.
    equatorial_to_horizontal(3.0, lst, 70.0, 1, 6, 2000, azimuth, altitude, l);
    EXPECT_NEAR(azimuth, 360.0, 1e-4);

    // An observer at the pole is taken at 89.999: finite azimuth, altitude ~ declination.
    Location pole = l;
    pole.latitude = 90.0;
    equatorial_to_horizontal(3.0, 5.0, 40.0, 1, 6, 2000, azimuth, altitude, pole);
    EXPECT_TRUE(std::isfinite(azimuth));
    EXPECT_NEAR(altitude, 40.0, 0.002);
    EXPECT_EQ(pole.latitude, 90.0) << "the caller's location is untouched";

    // The same at the south pole sees the southern sky.
    pole.latitude_hemisphere = COMPASS_SOUTH;
    equatorial_to_horizontal(3.0, 5.0, -40.0, 1, 6, 2000, azimuth, altitude, pole);
    EXPECT_TRUE(std::isfinite(azimuth));
    EXPECT_NEAR(altitude, 40.0, 0.002);
}

TEST(Kepler, MeeusExample30aAndCircularOrbit) {
    EXPECT_NEAR(solve_kepler(5.0, 0.1), 5.554589, 1e-6);  // Meeus example 30.a
    EXPECT_EQ(solve_kepler(123.4, 0.0), 123.4) << "e = 0 returns M after one step";
    // Large eccentricities converge onto a root of E - e sin E = M (degrees).
    const struct {
        double m, e;
    } cases[] = {{200.0, 0.5}, {5.0, 0.967}, {359.0, 0.9}, {-30.0, 0.2}};
    for (const auto& c : cases) {
        const double e_anomaly = solve_kepler(c.m, c.e);
        EXPECT_NEAR(e_anomaly - c.e * DEGREES_PER_RADIAN * sin_deg(e_anomaly), c.m, 1e-7)
            << "M " << c.m << " e " << c.e;
    }
}

TEST(Kepler, TrueAnomalyAndRadiusVector) {
    EXPECT_NEAR(true_anomaly(0.5, 90.0), 120.0, 1e-9);  // tan(nu/2) = sqrt(3)
    EXPECT_NEAR(true_anomaly(0.0, 270.0), 270.0, 1e-9) << "kept in [0, 360)";
    EXPECT_NEAR(true_anomaly(0.3, 180.0), 180.0, 1e-9) << "aphelion";
    EXPECT_DOUBLE_EQ(radius_vector(2.0, 0.1, 0.0), 1.8);
    EXPECT_NEAR(radius_vector(1.0, 0.5, 90.0), 1.0, 1e-15);
}

}  // namespace
