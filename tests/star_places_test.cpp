// Star places, the observer's geocentric coordinates, topocentric places and
// planetary magnitudes and diameters against Meeus's worked examples
// (Astronomical Algorithms, 2nd ed.: "AA"), an independent precession theory
// and published values at the oppositions of 2025-2026.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/planets.h"
#include "engine/classical/star_places.h"

namespace {

double hms(double h, double m, double s) { return h + m / 60.0 + s / 3600.0; }
const double arcsecond = 1.0 / 3600.0;  // degrees

TEST(PrecessionAngles, AgreeWithTheIau1976Theory) {
    // Lieske et al. (1977), AA eq. 21.2: T Julian centuries from J2000 to the
    // start, t from the start to the end.  Newcomb's constant is 1.1"/century
    // smaller in longitude: the angles part by up to ~0.6" per century.
    const double intervals[][2] = {{2415020.5, 2451545.0}, {2433282.5, 2451545.0}, {2451545.0, 2462088.69},
                                   {2451545.0, 2488070.0}};  // start, end: JD
    for (const auto& [start, end] : intervals) {
        const double big_t = (start - 2451545.0) / 36525.0, t = (end - start) / 36525.0;
        const double common = 2306.2181 + 1.39656 * big_t - 0.000139 * big_t * big_t;
        const double zeta_iau = common * t + (0.30188 - 0.000344 * big_t) * t * t + 0.017998 * t * t * t;
        const double z_iau = common * t + (1.09468 + 0.000066 * big_t) * t * t + 0.018203 * t * t * t;
        const double theta_iau = (2004.3109 - 0.8533 * big_t - 0.000217 * big_t * big_t) * t -
                                 (0.42665 + 0.000217 * big_t) * t * t - 0.041833 * t * t * t;
        double zeta, z, theta;
        precession_angles(start, end, zeta, z, theta);
        const double tolerance = 0.6 * std::fabs(t) + 0.05;
        EXPECT_NEAR(zeta * 3600.0, zeta_iau, tolerance) << "JD " << start << " to " << end;
        EXPECT_NEAR(z * 3600.0, z_iau, tolerance) << "JD " << start << " to " << end;
        EXPECT_NEAR(theta * 3600.0, theta_iau, tolerance) << "JD " << start << " to " << end;
    }
}

TEST(StarApparentPlace, ThetaPerseiMeeus23aAndStarsAtTheEpoch) {
    // AA ex. 23.a: theta Persei, J2000.0 place with 28.86 years of proper
    // motion (+0.03425 s/yr, -0.0895"/yr), at 2028 Nov 13.19 TD.  Mean place
    // of date 41.5472, 49.3485; apparent 2h46m14.390s, +49 21'07.45", i.e.
    // nutation plus aberration 45.9" and 12.9".  The older series reach ~1".
    const double years = 28.86;
    const double ra0 = hms(2, 44, 11.986 + 0.03425 * years), dec0 = 49 + 13 / 60.0 + (42.48 - 0.0895 * years) / 3600.0;
    double ra = 0.0, dec = 0.0;
    star_apparent_place(2000, ra0, dec0, julian_day(13.19, 11, 2028), ra, dec);
    EXPECT_NEAR(ra * 15.0, hms(2, 46, 14.390) * 15.0, 1.5 * arcsecond);
    EXPECT_NEAR(dec, 49 + 21 / 60.0 + 7.45 / 3600.0, 1.0 * arcsecond);
    EXPECT_NEAR((ra * 15.0 - 41.5472) * 3600.0, 45.9, 2.0);
    EXPECT_NEAR((dec - 49.3485) * 3600.0, 12.9, 2.0);
    // Sirius and Polaris at the epoch: at most 20.5" of aberration and 17" of
    // nutation, magnified by 1/cos(dec) in right ascension.
    for (const auto& [star_ra, star_dec] : {std::pair{6.7525, -16.7161}, std::pair{2.5303, 89.2641}}) {
        star_apparent_place(2000, star_ra, star_dec, julian_day(1.0, 1, 2000), ra, dec);
        EXPECT_LT(std::fabs(dec - star_dec), 40.0 * arcsecond) << "RA " << star_ra;
        EXPECT_LT(std::fabs(ra - star_ra) * 15.0 * cos_deg(star_dec), 40.0 * arcsecond) << "RA " << star_ra;
    }
}

TEST(ObserverGeocentric, PalomarMeeus11aAndTheGlobe) {
    struct Case { double elevation, latitude, rho_sin, rho_cos, tolerance; const char* source; };
    const Case cases[] = {
        {1706, 33 + 21 / 60.0 + 22 / 3600.0, 0.546861, 0.836339, 1e-6, "Palomar, AA ex. 11.a"},
        {0, 0.0, 0.0, 1.0, 1e-12, "equator: one equatorial radius"},
        {0, 90.0, 0.99664719, 0.0, 1e-9, "pole: the polar radius b/a"},
        {6378.14, 0.0, 0.0, 1.001, 1e-9, "6378.14 m up is 1/1000 radius"},
    };
    double rho_sin = 0.0, rho_cos = 0.0;
    for (const Case& c : cases) {
        observer_geocentric(c.elevation, c.latitude, rho_sin, rho_cos);
        EXPECT_NEAR(rho_sin, c.rho_sin, c.tolerance) << c.source;
        EXPECT_NEAR(rho_cos, c.rho_cos, c.tolerance) << c.source;
    }
    // At 45 S the geocentric latitude is 11'32.7" nearer the equator (the
    // largest difference, AA ch. 11) and the radius 6367.49 km.
    observer_geocentric(0.0, -45.0, rho_sin, rho_cos);
    EXPECT_NEAR(atan2_deg(rho_cos, rho_sin), -45.0 + (11 * 60 + 32.7) * arcsecond, 0.2 * arcsecond);
    EXPECT_NEAR(std::hypot(rho_sin, rho_cos), 6367.49 / 6378.14, 2e-6);
}

Location place(double latitude, int ns, double longitude, int ew, int elevation) {
    return Location{"", ns, ew, latitude, longitude, 0.0, elevation};
}

// Angular distance between two places, degrees.
double separation(double ra1, double dec1, double ra2, double dec2) {
    return acos_deg(
        std::min(1.0, sin_deg(dec1) * sin_deg(dec2) + cos_deg(dec1) * cos_deg(dec2) * cos_deg(15.0 * (ra1 - ra2))));
}

TEST(TopocentricPlace, MarsFromPalomarMeeus40aAndOnTheMeridian) {
    // AA ex. 40.a: Mars 2003 Aug 28, 3h17m UT, Delta = 0.37276 AU, alpha =
    // 22h38m07.25s, delta = -15 46'15.9"; topocentric 22h38m08.54s, -15 46'30.0".
    const Location palomar =
        place(33 + 21 / 60.0 + 22 / 3600.0, COMPASS_NORTH, hms(7, 47, 27) * 15.0, COMPASS_WEST, 1706);
    double ra = hms(22, 38, 7.25), dec = -(15 + 46 / 60.0 + 15.9 / 3600.0);
    topocentric_place(palomar, 5, 0.37276, 0.0, hms(3, 17, 0), 28, 8, 2003, ra, dec);
    EXPECT_NEAR(ra, hms(22, 38, 8.54), 0.02 / 3600.0);
    EXPECT_NEAR(dec, -(15 + 46 / 60.0 + 30.0 / 3600.0), 0.1 * arcsecond);
    // A body on the local meridian (hour angle 0) keeps its right ascension and
    // is pushed away from the observer's pole: south for a northern observer.
    for (int ns : {COMPASS_NORTH, COMPASS_SOUTH}) {
        const double ra0 = apparent_sidereal_time(20.0, 3, 4, 2021) + 30.0 / 15.0;
        ra = ra0, dec = 10.0;
        topocentric_place(place(40.0, ns, 30.0, COMPASS_EAST, 0), 1, 0.0, 0.9, 20.0, 3, 4, 2021, ra, dec);
        EXPECT_NEAR(ra, ra0, 1e-9) << "hemisphere " << ns;
        EXPECT_GT((dec - 10.0) * (ns == COMPASS_NORTH ? -1.0 : 1.0), 0.3) << "hemisphere " << ns;
    }
}

TEST(TopocentricPlace, ShiftIsBoundedByTheHorizontalParallax) {
    // A planet at 1 AU moves by at most 8.794"; the Moon by up to its
    // horizontal parallax, about one degree; at any latitude (the pole too).
    for (double latitude : {0.0, 35.0, 60.0, 90.0})
        for (int ns : {COMPASS_NORTH, COMPASS_SOUTH})
            for (double hours = 0.0; hours < 24.0; hours += 1.5)
                for (double dec0 : {-60.0, 0.0, 45.0}) {
                    const Location observer = place(latitude, ns, 105.0, COMPASS_EAST, 0);
                    const std::string where = std::to_string(latitude) + (ns == COMPASS_NORTH ? " N at " : " S at ") +
                                              std::to_string(hours) + " h, dec " + std::to_string(dec0);
                    double ra = 5.0, dec = dec0;
                    topocentric_place(observer, 6, 1.0, 0.0, hours, 15, 6, 2020, ra, dec);
                    ASSERT_TRUE(std::isfinite(ra) && std::isfinite(dec)) << where;
                    EXPECT_LE(separation(ra, dec, 5.0, dec0), 8.794 * arcsecond * 1.0001) << where;
                    ra = 5.0, dec = dec0;
                    topocentric_place(observer, 1, 400.0, 0.95, hours, 15, 6, 2020, ra, dec);
                    EXPECT_LE(separation(ra, dec, 5.0, dec0), 0.96) << where;
                }
}

TEST(PlanetMagnitude, PublishedValuesAtOppositionAndVenusInTransit) {
    // Published magnitudes and diameters at the oppositions of 2025-2026.  The
    // 1-AU diameters of Uranus and Neptune here are older and smaller than
    // today's: only their magnitudes are compared.  Saturn has no ring term
    // (the rings were edge-on in 2025).
    struct Case { int body; double hours; int day, month, year; double magnitude, diameter; };
    const Case cases[] = {
        {5, 2.5, 16, 1, 2025, -1.4, 14.6}, {6, 9.0, 10, 1, 2026, -2.7, 46.6}, {7, 6.0, 21, 9, 2025, 0.6, 19.4},
        {8, 12.0, 21, 11, 2025, 5.6, 0.0}, {9, 13.0, 23, 9, 2025, 7.7, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(planet_magnitude(c.body, c.hours, c.day, c.month, c.year), c.magnitude, 0.15) << "body " << c.body;
        if (c.diameter > 0.0) {
            EXPECT_NEAR(planet_angular_diameter(c.body, c.hours, c.day, c.month, c.year), c.diameter, 0.3)
                << "body " << c.body;
        }
    }
    // Mid-transit, 2012 June 6 01:29 UT and 2004 June 8 08:20 UT: lit fraction
    // below 1e-5, magnitude 21.  Two days later Venus is an ordinary object again.
    EXPECT_EQ(planet_magnitude(4, 1.49, 6, 6, 2012), 21.0);
    EXPECT_EQ(planet_magnitude(4, 8.33, 8, 6, 2004), 21.0);
    EXPECT_LT(planet_magnitude(4, 1.49, 8, 6, 2012), 0.0);
}

}  // namespace
