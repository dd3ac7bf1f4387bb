// The Moon against published worked examples, published phase instants and
// independent facts (eclipse geometry, lunar standstills, perigee and apogee
// extremes).  The older trigonometric series (50/45/30 terms) reaches about
// 0.01 degree in longitude and latitude, half an arcsecond in parallax (tens
// of km in distance) and phase instants within two or three minutes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/moon.h"
#include "engine/classical/sun.h"

namespace {

struct MoonPlace {
    double longitude, latitude, parallax, semidiameter, illuminated, shadow_u, ra, dec;
};

MoonPlace moon_at(double hours, int day, int month, int year) {
    MoonPlace p{};
    moon_position(hours, day, month, year, p.longitude, p.latitude, p.parallax, p.semidiameter, p.illuminated,
                  p.shadow_u, p.ra, p.dec);
    return p;
}

// Moon minus Sun in ecliptic longitude, degrees in -180..180.
double elongation_in_longitude(const MoonPlace& p, double hours, int day, int month, int year) {
    double ra = 0, dec = 0, sun_longitude = 0, distance = 0, semidiameter = 0, mean_anomaly = 0;
    sun_position(hours, day, month, year, 1, ra, dec, sun_longitude, distance, semidiameter, mean_anomaly);
    const double x = normalize_degrees(p.longitude - sun_longitude);
    return x > 180.0 ? x - 360.0 : x;
}

struct PhaseResult {
    double f, m, mp, t, jd_mean, jd_true;
};

PhaseResult phase_at(double date, int phase) {
    PhaseResult r{};
    moon_phase_instant(date, phase, r.f, r.m, r.mp, r.t, r.jd_mean, r.jd_true);
    return r;
}

int yyyymmdd(JulianDay jd) {
    double day = 0.0;
    int month = 0, year = 0;
    calendar_date(jd, day, month, year);
    return year * 10000 + month * 100 + static_cast<int>(day);
}

// Meeus, Astronomical Algorithms, 2nd ed., examples 47.a and 48.a: 1992 April
// 12, 0 h TD (UT through the engine's own Delta T).  The published alpha
// includes nutation in longitude (0.0046 degree), which this series leaves out.
TEST(MoonPosition, MeeusExample47a) {
    const MoonPlace p = moon_at(24.0 - delta_t_hours(1992), 11, 4, 1992);
    struct Case { const char* what; double actual, expected, tolerance; };
    const Case cases[] = {
        {"longitude (deg)", p.longitude, 133.162655, 0.01},
        {"latitude (deg)", p.latitude, -3.229126, 0.01},
        {"distance (km)", 6378.14 / sin_deg(p.parallax), 368409.7, 50.0},
        {"parallax (deg)", p.parallax, 0.991990, 0.0002},
        {"right ascension (deg)", p.ra * 15.0, 134.688470, 0.01},
        {"declination (deg)", fold_latitude(p.dec), 13.768368, 0.01},
        {"illuminated fraction (48.a)", p.illuminated, 0.6786, 0.002},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.actual, c.expected, c.tolerance) << c.what;
}

// At greatest eclipse (UT) the Moon is in conjunction or opposition and close
// to the ecliptic; the sign of u separates total (umbra reaches the Earth:
// u < 0) from annular (u > 0) solar eclipses.
TEST(MoonPosition, EclipseGeometry) {
    struct Case { double hours; int day, month, year; double elongation; int u_sign; const char* what; };
    const Case cases[] = {
        {18.42, 21, 8, 2017, 0.0, -1, "total solar eclipse 2017-08-21"},
        {17.92, 14, 10, 2023, 0.0, 1, "annular solar eclipse 2023-10-14"},
        {4.73, 21, 1, 2000, 180.0, 0, "total lunar eclipse 2000-01-21"},
    };
    for (const Case& c : cases) {
        const MoonPlace p = moon_at(c.hours, c.day, c.month, c.year);
        const double e = elongation_in_longitude(p, c.hours, c.day, c.month, c.year);
        EXPECT_NEAR(std::fabs(e), c.elongation, 0.2) << c.what;  // 0.2 deg: ~20 min of motion
        EXPECT_LT(std::fabs(p.latitude), 1.0) << c.what;
        EXPECT_NEAR(p.illuminated, c.elongation / 180.0, 0.001) << c.what;
        if (c.u_sign != 0) {
            EXPECT_EQ(p.shadow_u > 0.0 ? 1 : -1, c.u_sign) << c.what << ": u = " << p.shadow_u;
        }
    }
}

// The longitude is the normalised mean longitude plus the periodic sum, so it
// strays a few degrees outside 0..360.  Declinations come back in [0, 360);
// their yearly extremes follow the 18.6-year nodal cycle: major standstill
// 2006 (28.7 deg), minor standstill 2015 (~18.5 deg).
TEST(MoonPosition, LongitudeRangeAndDeclinationStandstills) {
    int below_zero = 0, above_360 = 0;
    double max_dec[2] = {0.0, 0.0};
    for (int year : {2006, 2015})
        for (double day = 1.0; day < 366.0; day += 1.0 / 12.0) {  // day of the year, as "January 1-365"
            const MoonPlace p = moon_at(24.0 * (day - std::trunc(day)), static_cast<int>(day), 1, year);
            ASSERT_TRUE(p.longitude > -8.0 && p.longitude < 368.0) << p.longitude;
            ASSERT_TRUE(p.dec >= 0.0 && p.dec < 360.0) << p.dec;
            below_zero += p.longitude < 0.0;
            above_360 += p.longitude >= 360.0;
            max_dec[year == 2015] = std::max(max_dec[year == 2015], std::fabs(fold_latitude(p.dec)));
        }
    EXPECT_GT(below_zero, 0);
    EXPECT_GT(above_360, 0);
    EXPECT_NEAR(max_dec[0], 28.7, 0.2);
    EXPECT_NEAR(max_dec[1], 18.5, 0.4);
}

// The 2016 November 14 perigee (11:22 UT, 356509 km, the closest since 1948)
// and the range over a century, about 356400 to 406700 km.
TEST(MoonDistance, PerigeeAndCenturyRange) {
    EXPECT_NEAR(moon_distance_km(11.0 + 22.0 / 60.0, 14, 11, 2016), 356509.0, 50.0);
    double nearest = 1e9, farthest = 0.0;
    for (int year = 1950; year < 2050; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 28; ++day)
                for (double hours = 0.0; hours < 24.0; hours += 3.0) {
                    const double r = moon_distance_km(hours, day, month, year);
                    nearest = std::min(nearest, r);
                    farthest = std::max(farthest, r);
                }
    EXPECT_TRUE(nearest > 356000.0 && nearest < 357000.0) << nearest;
    EXPECT_TRUE(farthest > 406000.0 && farthest < 407000.0) << farthest;
}

// Published phase instants.  Meeus gives TD; the almanac (USNO) values are UT,
// turned into TD with the observed Delta T of the time.
TEST(MoonPhase, PublishedInstants) {
    struct Case {
        double date; int phase, year, month, day, hour, minute, second;
        double delta_t_seconds;  // 0 for instants given in TD
        const char* source;
    };
    const Case cases[] = {
        {1977.14, NEW_MOON, 1977, 2, 18, 3, 37, 42, 0, "Meeus AA ex. 49.a (TD)"},
        {2044.01, LAST_QUARTER, 2044, 1, 21, 23, 48, 17, 0, "Meeus AA ex. 49.b (TD)"},
        {2000.0, FULL_MOON, 1999, 12, 22, 17, 31, 0, 64, "USNO, full Moon at perigee"},
        {2000.05, FIRST_QUARTER, 2000, 1, 14, 13, 34, 0, 64, "USNO"},
        {2026.13, NEW_MOON, 2026, 2, 17, 12, 1, 0, 69, "USNO, annular solar eclipse"},
        {2026.13, FULL_MOON, 2026, 3, 3, 11, 38, 0, 69, "USNO, total lunar eclipse"},
    };
    const double minute = 1.0 / 1440.0;
    for (const Case& c : cases) {
        const double expected =
            julian_day(c.day + (c.hour + c.minute / 60.0 + c.second / 3600.0) / 24.0, c.month, c.year) +
            c.delta_t_seconds / 86400.0;
        const PhaseResult r = phase_at(c.date, c.phase);
        EXPECT_NEAR(r.jd_true, expected, 3.0 * minute) << c.source << ": off by " << (r.jd_true - expected) / minute
                                                       << " min";
        EXPECT_NEAR(r.jd_mean, r.jd_true, 0.6) << c.source;  // corrections stay under 14 h
    }
}

// Lunation numbers: trunc((date - 1900) * 12.3685).  2000.0 gives k = 1236,
// the new Moon of 1999 December 7, not one in January 2000; the full Moon
// follows half a lunation later.  Just before 1900 truncation toward zero
// still gives k = 0, the new Moon of 1900 January 1.
TEST(MoonPhase, LunationNumberEdges) {
    const PhaseResult new_moon = phase_at(2000.0, NEW_MOON);
    EXPECT_NEAR(new_moon.jd_mean, 2451520.8, 0.3);
    EXPECT_EQ(yyyymmdd(new_moon.jd_true), 19991207);
    EXPECT_NEAR(phase_at(2000.0, FULL_MOON).jd_mean - new_moon.jd_mean, 29.53058868 / 2.0, 1e-3);
    // Meeus's example of 1977 mid-February: 1977.13 lies in lunation 953 from 1900.
    EXPECT_EQ(lunation_number(1977.13), 953.0);
    const PhaseResult k0 = phase_at(1899.99, NEW_MOON);
    EXPECT_EQ(k0.t, 0.0);
    EXPECT_EQ(yyyymmdd(k0.jd_true), 19000101);
}

// The phase and position series are separate theories; at each phase instant
// of 2026 the position series must put the Moon 0, 90, 180 or 270 degrees
// east of the Sun, with the illuminated fraction that goes with it.
TEST(MoonPhase, InstantsAgreeWithPositionThroughout2026) {
    const double expected_fraction[] = {0.0, 0.5, 1.0, 0.5};
    for (double date = 2026.0; date < 2027.0; date += 1.0 / 12.3685) {
        for (int phase = NEW_MOON; phase <= LAST_QUARTER; ++phase) {
            const PhaseResult r = phase_at(date, phase);
            double day = 0.0;
            int month = 0, year = 0;
            calendar_date(r.jd_true - delta_t_hours(2026) / 24.0, day, month, year);
            const double hours = (day - std::trunc(day)) * 24.0;
            const MoonPlace p = moon_at(hours, static_cast<int>(day), month, year);
            const double e = elongation_in_longitude(p, hours, static_cast<int>(day), month, year);
            const double expected = phase == LAST_QUARTER ? -90.0 : 90.0 * phase;
            EXPECT_NEAR(phase == FULL_MOON ? std::fabs(e) : e, expected, 0.05)  // ~6 min of motion
                << "phase " << phase << " at JD " << r.jd_true;
            EXPECT_NEAR(p.illuminated, expected_fraction[phase], 0.03) << "phase " << phase;
        }
    }
}

}  // namespace
