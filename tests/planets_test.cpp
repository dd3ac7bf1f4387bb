// The planets against Meeus's worked examples (Astronomical Algorithms, 2nd
// ed.: "AA") and independent facts of the sky (oppositions, greatest
// elongations, transits).  The mean-element theory with its classical
// perturbations reaches about 0.005 degree for the inner planets and a few
// hundredths for the outer ones; no light time is applied.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/planets.h"
#include "engine/classical/sun.h"

namespace {

struct Place {
    double ra, dec, distance, illuminated, elongation, helio_latitude, helio_longitude, radius;
};

// The engine's time argument (hours, day, month, year) of a UT Julian day.
struct When { double hours; int day, month, year; };
When when_of(JulianDay jd_ut) {
    double day = 0.0;
    int month = 0, year = 0;
    calendar_date(jd_ut, day, month, year);
    return {(day - std::trunc(day)) * 24.0, static_cast<int>(day), month, year};
}

Place place_at(int body, JulianDay jd_ut, int want_equatorial = 1) {
    const When w = when_of(jd_ut);
    Place p{};
    planet_position(body, w.hours, w.day, w.month, w.year, want_equatorial, p.ra, p.dec, p.distance, p.illuminated,
                    p.elongation, p.helio_latitude, p.helio_longitude, p.radius);
    return p;
}

// A UT Julian day for an ephemeris-time date, with the engine's own Delta T.
JulianDay ut_of_td(double day, int month, int year) {
    return julian_day(day, month, year) - delta_t_hours(year) / 24.0;
}

const double hour = 1.0 / 24.0;

TEST(PlanetPosition, VenusMeeus33aAndPlutoMeeus37a) {
    // AA ex. 32.a/33.a, Venus 1992 Dec 20, 0 h TD.  The published distance
    // 0.910947 is the light-time one; the geometric distance of the first
    // iteration is 0.910845.  Missing light time moves Venus ~0.003 deg.
    const Place p = place_at(4, ut_of_td(20.0, 12, 1992));
    struct Case { const char* what; double actual, expected, tolerance; };
    const Case cases[] = {
        {"heliocentric longitude (VSOP87)", p.helio_longitude, 26.11428, 0.005},
        {"heliocentric latitude (VSOP87)", p.helio_latitude, -2.62070, 0.002},
        {"radius vector", p.radius, 0.724603, 0.00001},
        {"apparent RA 21h04m41.454s", p.ra * 15.0, (21 + 4 / 60.0 + 41.454 / 3600.0) * 15.0, 0.005},
        {"apparent dec -18 53'16.84\"", fold_latitude(p.dec), -(18 + 53 / 60.0 + 16.84 / 3600.0), 0.005},
        {"geometric distance", p.distance, 0.910845, 0.0002},
        {"illuminated fraction (ex. 41.a)", p.illuminated, 0.647, 0.001},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.actual, c.expected, c.tolerance) << c.what;
    // AA ex. 37.a, Pluto 1992 Oct 13.0 TD: l = 232.74009, b = 14.58782, r =
    // 29.711111 for the equinox J2000.0; of date, 7.2 years earlier, the
    // longitude is less by the general precession, 50.29"/yr.
    double latitude = 0.0, longitude = 0.0, radius = 0.0;
    pluto_heliocentric(julian_day(13.0, 10, 1992), latitude, longitude, radius);
    EXPECT_NEAR(longitude, 232.74009 - 50.29 * (2000.0 - 1992.78) / 3600.0, 0.003);
    EXPECT_NEAR(latitude, 14.58782, 0.003);
    EXPECT_NEAR(radius, 29.711111, 0.001);
    EXPECT_NEAR(place_at(10, ut_of_td(13.0, 10, 1992)).helio_longitude, longitude, 1e-9) << "Pluto's own series";
}

TEST(PlanetElements, MercuryMeeus31a) {
    // AA ex. 31.a, Mercury 2065 June 24, 0 h TD, mean equinox of date (VSOP87
    // elements; the 1961 polynomials agree to ~0.002 degree).
    double l, a, e, i, omega, node, m;
    planet_elements(3, 0.0, 24, 6, 2065, l, a, e, i, omega, node, m);
    EXPECT_NEAR(l, 203.494701, 0.003);
    EXPECT_NEAR(a, 0.387098310, 1e-6);
    EXPECT_NEAR(e, 0.20564510, 1e-5);
    EXPECT_NEAR(i, 7.006171, 0.001);
    EXPECT_NEAR(node, 49.107650, 0.001);
    EXPECT_NEAR(normalize_degrees(omega + node), 78.475382, 0.002) << "longitude of perihelion";
    EXPECT_NEAR(m, 125.019319, 0.003) << "M = L - node - omega, not normalised";
    planet_elements(5, 12.0, 0, 1, 1900, l, a, e, i, omega, node, m);
    EXPECT_LT(m, 0.0) << "Mars at T = 0: M is left as the difference, here below zero";
}

TEST(PlanetPosition, OppositionsFallOnThePublishedDates) {
    // At opposition the heliocentric longitude equals the Sun's geocentric
    // longitude + 180; the planet, retrograde, falls behind it across the date.
    struct Case { int body; int day, month, year; const char* source; };
    const Case cases[] = {
        {5, 16, 1, 2025, "Mars 2025 Jan 16"},    {6, 10, 1, 2026, "Jupiter 2026 Jan 10"},
        {7, 21, 9, 2025, "Saturn 2025 Sep 21"},  {8, 21, 11, 2025, "Uranus 2025 Nov 21"},
        {9, 23, 9, 2025, "Neptune 2025 Sep 23"}, {10, 25, 7, 2025, "Pluto 2025 Jul 25"},
    };
    auto offset = [](int body, JulianDay jd) {
        const When w = when_of(jd);
        double ra, dec, sun_longitude, distance, semidiameter, mean_anomaly;
        sun_position(w.hours, w.day, w.month, w.year, 0, ra, dec, sun_longitude, distance, semidiameter, mean_anomaly);
        return normalize_degrees(place_at(body, jd).helio_longitude - sun_longitude) - 180.0;
    };
    for (const Case& c : cases) {
        const JulianDay start = julian_day(c.day, c.month, c.year);
        EXPECT_GT(offset(c.body, start), 0.0) << c.source << " at 0 h";
        EXPECT_LT(offset(c.body, start + 1.0), 0.0) << c.source << " at 24 h";
        const Place p = place_at(c.body, start + 0.5);
        EXPECT_GT(p.elongation, 175.0) << c.source;
        EXPECT_GT(p.illuminated, 0.99) << c.source;
    }
}

TEST(PlanetPosition, GreatestElongationsAndTransits) {
    // Published greatest elongations of 2025 (dates UT, angles to 0.1 degree).
    struct Elongation { int body; int day, month; double degrees; };
    const Elongation elongations[] = {
        {4, 10, 1, 47.2}, {4, 1, 6, 45.9},  {3, 8, 3, 18.2},   {3, 21, 4, 27.4},
        {3, 4, 7, 25.9},  {3, 19, 8, 18.6}, {3, 29, 10, 23.9}, {3, 7, 12, 20.7},
    };
    for (const Elongation& c : elongations) {
        const JulianDay date = julian_day(c.day, c.month, 2025);
        double best = 0.0;
        JulianDay best_jd = 0.0;
        for (JulianDay jd = date - 3.0; jd <= date + 4.0; jd += hour) {
            const double elongation = place_at(c.body, jd, 0).elongation;
            if (elongation > best) best = elongation, best_jd = jd;
        }
        EXPECT_NEAR(best, c.degrees, 0.1) << "body " << c.body << " 2025-" << c.month << "-" << c.day;
        EXPECT_NEAR(best_jd, date + 0.5, 1.0) << "body " << c.body << " 2025-" << c.month << "-" << c.day;
    }
    // Least geocentric separation from the Sun's centre (arcseconds) at the
    // published transits; at inferior conjunction the lit fraction is near 0.
    struct Transit { int body; double day; int month, year; double arcseconds; };
    const Transit transits[] = {
        {4, 6 + 1.49 * hour, 6, 2012, 554.4},   {4, 8 + 8.34 * hour, 6, 2004, 626.9},
        {3, 11 + 15.33 * hour, 11, 2019, 75.9}, {3, 9 + 14.95 * hour, 5, 2016, 318.5},
    };
    for (const Transit& c : transits) {
        const JulianDay middle = julian_day(c.day, c.month, c.year);
        double least = 180.0;
        for (JulianDay jd = middle - 3 * hour; jd <= middle + 3 * hour; jd += hour / 60.0) {
            const Place p = place_at(c.body, jd, 0);
            least = std::min(least, p.elongation);
            EXPECT_LT(p.illuminated, 1e-4) << "body " << c.body << " " << c.year;
        }
        EXPECT_NEAR(least * 3600.0, c.arcseconds, 10.0) << "body " << c.body << " " << c.year;
    }
}

TEST(PlanetPosition, WithoutEquatorialStepsOnlyRaAndDecAreZero) {
    auto rest = [](const Place& p) {
        return std::tuple(p.distance, p.illuminated, p.elongation, p.helio_latitude, p.helio_longitude, p.radius);
    };
    for (int body = 3; body <= 10; ++body) {
        const Place full = place_at(body, julian_day(1.3, 3, 1995), 1);
        const Place bare = place_at(body, julian_day(1.3, 3, 1995), 0);
        EXPECT_NE(full.ra, 0.0) << "body " << body;
        EXPECT_EQ(std::tuple(bare.ra, bare.dec), std::tuple(0.0, 0.0)) << "body " << body;
        EXPECT_EQ(rest(full), rest(bare)) << "body " << body;
    }
}

// Searches share one instant among the Sun and all planets; every number must
// be planet_position's own, bit for bit, from 1000 to 3000, and the shared
// Sun must be sun_position's (geometric for the planets, apparent for itself).
TEST(PlanetPlace, SharedInstantGivesPlanetPositionBitForBit) {
    for (JulianDay jd = julian_day(1.0, 1, 1000); jd < julian_day(1.0, 1, 3000); jd += 3652.9 + 0.37) {
        const When w = when_of(jd);
        for (int want_equatorial : {0, 1}) {
            const PlanetInstant instant = planet_instant(w.hours, w.day, w.month, w.year, want_equatorial);
            for (int body = 3; body <= 10; ++body) {
                Place shared{};
                planet_place(body, instant, want_equatorial, shared.ra, shared.dec, shared.distance,
                             shared.illuminated, shared.elongation, shared.helio_latitude, shared.helio_longitude,
                             shared.radius);
                const Place alone = place_at(body, jd, want_equatorial);
                auto all = [](const Place& p) {
                    return std::tuple(p.ra, p.dec, p.distance, p.illuminated, p.elongation, p.helio_latitude,
                                      p.helio_longitude, p.radius);
                };
                EXPECT_EQ(all(shared), all(alone)) << "body " << body << " JD " << jd;
            }
        }
        for (int apparent : {0, 1}) {
            double ra, dec, longitude, distance, semidiameter, mean_anomaly, shared_ra, shared_dec, shared_longitude;
            sun_position(w.hours, w.day, w.month, w.year, apparent, ra, dec, longitude, distance, semidiameter,
                         mean_anomaly);
            const SunEcliptic sun = sun_ecliptic(w.hours, w.day, w.month, w.year);
            sun_equatorial(sun, apparent, shared_ra, shared_dec, shared_longitude);
            EXPECT_EQ(std::tuple(shared_ra, shared_dec, shared_longitude, sun.distance, sun_semidiameter(sun.distance),
                                 sun.mean_anomaly),
                      std::tuple(ra, dec, longitude, distance, semidiameter, mean_anomaly))
                << "Sun, apparent " << apparent << " JD " << jd;
        }
    }
}

TEST(PlanetPosition, LongitudeStraysPast360ByTheLastPerturbation) {
    // Mars crossing heliocentric longitude 0 in 1995-96: the perturbation dl is
    // added after the normalisation, so some instant (minute steps) shows a
    // longitude >= 360 or < 0, and the series jumps by a full turn once.
    bool outside = false;
    int jumps = 0;
    double previous = place_at(5, julian_day(1.0, 1, 1995), 0).helio_longitude;
    for (JulianDay jd = julian_day(1.0, 1, 1995); jd < julian_day(1.0, 1, 1997); jd += 0.5) {
        const double l = place_at(5, jd, 0).helio_longitude;
        if (std::fabs(l - previous) > 180.0) {
            ++jumps;
            for (JulianDay fine = jd - 0.5; fine <= jd; fine += hour / 60.0) {
                const double x = place_at(5, fine, 0).helio_longitude;
                outside = outside || x >= 360.0 || x < 0.0;
            }
        }
        previous = l;
    }
    EXPECT_EQ(jumps, 1);
    EXPECT_TRUE(outside);
}

TEST(PrecessEcliptic1950, TurnsOnlyByThePrecessionSince1950) {
    // General precession 1950 -> 2000: 50.27"/yr on the ecliptic; the ecliptic
    // of 2000 is tilted by 47"/century x 0.5 against that of 1950 about the
    // node at longitude 174.4, so latitudes change by up to 23.5".
    const JulianDay epoch_1950 = 2451545.0 - 18262.5;  // t = 0
    struct Case { double jd, longitude, latitude, expected_shift, tolerance; };
    const Case cases[] = {
        {epoch_1950, 300.0, -45.0, 0.0, 1e-6},  {2451545.0, 10.0, 0.0, 0.6982, 0.001},
        {2451545.0, 100.0, 0.0, 0.6982, 0.001}, {2451545.0, 280.0, 0.0, 0.6982, 0.001},
        {2451545.0, 359.9, 0.0, 0.6982, 0.001},  // kept below 360
    };
    for (const Case& c : cases) {
        double longitude = c.longitude, latitude = c.latitude;
        precess_ecliptic_1950(c.jd, longitude, latitude);
        const double shift = normalize_degrees(longitude - c.longitude + 180.0) - 180.0;
        EXPECT_NEAR(shift, c.expected_shift, c.tolerance) << "from " << c.longitude;
        EXPECT_TRUE(longitude >= 0.0 && longitude < 360.0) << longitude;
        const double tilt = (c.jd - epoch_1950) / 36525.0 * 47.0 / 3600.0;
        EXPECT_NEAR(latitude, c.latitude + tilt * sin_deg(174.4 - c.longitude), 0.0003) << "from " << c.longitude;
    }
}

}  // namespace
