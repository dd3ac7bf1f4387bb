// Jupiter's Galilean satellites against Meeus's worked example and facts of
// their orbits.  The theory is the low-accuracy one (mean circular orbits with
// four perturbations): a few hundredths of a Jupiter radius against Meeus's
// own low-accuracy solution, under a tenth against his full theory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/calendar.h"
#include "engine/jupiter_moons.h"

namespace {

const char* const MOON_NAMES[JUPITER_SATELLITE_COUNT] = {"Io", "Europa", "Ganymede", "Callisto"};
const double MINUTE = 1.0 / 1440.0;  // days

double apparent_separation(const JupiterSatellite& s) { return std::hypot(s.x, s.y); }

// Meeus, Astronomical Algorithms, 2nd ed., example 44.a, 1992 December 16 at
// 0 h UT.  Meeus measures X positive toward the west and Y toward the north;
// this program's x = -r sin u and y = r cos u sin De are the same axes
// reversed (x positive toward the east), so each expected value is Meeus's
// with the sign changed.
TEST(JupiterSatellites, MeeusExample44a) {
    struct Case { int moon; double meeus_x, meeus_y, tolerance; const char* source; };
    const char* const low = "low-accuracy method";
    const char* const full = "full theory";
    const Case cases[] = {
        {0, -3.44, +0.21, 0.03, low},      {1, +7.44, +0.25, 0.03, low},
        {2, +1.24, +0.65, 0.03, low},      {3, +7.08, +1.10, 0.03, low},
        {0, -3.4503, +0.2137, 0.1, full},  {1, +7.4418, +0.2753, 0.1, full},
        {2, +1.2010, +0.5900, 0.1, full},  {3, +7.0720, +1.0291, 0.1, full},
    };
    JupiterSatellite moons[JUPITER_SATELLITE_COUNT];
    jupiter_satellites(julian_day(16.0, 12, 1992), moons);
    for (const Case& c : cases) {
        const char* name = MOON_NAMES[c.moon];
        EXPECT_NEAR(moons[c.moon].x, -c.meeus_x, c.tolerance) << name << " x, " << c.source;
        EXPECT_NEAR(moons[c.moon].y, -c.meeus_y, c.tolerance) << name << " y, " << c.source;
    }
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i)
        EXPECT_EQ(moons[i].visible, 1) << MOON_NAMES[i];
}

// Over two months sampled every 20 minutes: each moon stays on its orbit and
// swings out to its published mean distance (semi-major axes 421,700,
// 671,034, 1,070,412 and 1,882,709 km over Jupiter's equatorial radius of
// 71,492 km), which also fixes the order Io, Europa, Ganymede, Callisto.
TEST(JupiterSatellites, OrbitsInOrderAndAtPublishedDistances) {
    const double published_radius[JUPITER_SATELLITE_COUNT] = {5.898, 9.386, 14.972, 26.334};
    double largest_x[JUPITER_SATELLITE_COUNT] = {};
    const JulianDay start = julian_day(1.0, 12, 1992);
    for (JulianDay jd = start; jd < start + 60.0; jd += 20.0 * MINUTE) {
        JupiterSatellite moons[JUPITER_SATELLITE_COUNT];
        jupiter_satellites(jd, moons);
        for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
            const double r = std::sqrt(moons[i].x * moons[i].x + moons[i].y * moons[i].y +
                                       moons[i].z * moons[i].z);
            ASSERT_NEAR(r, published_radius[i], 0.25) << MOON_NAMES[i] << " at JD " << jd;
            largest_x[i] = std::max(largest_x[i], std::fabs(moons[i].x));
        }
    }
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i)
        EXPECT_NEAR(largest_x[i], published_radius[i], 0.25) << MOON_NAMES[i];
}

// The hidden flag against the geometry, minute by minute over a month: a moon
// is hidden exactly when it is inside the disk's outline and beyond the planet
// (occultation); inside the outline and in front (a transit) it stays visible,
// and it crosses the disk from east to west, i.e. toward smaller x.
TEST(JupiterSatellites, HiddenOnlyBehindTheDiskAndTransitsRunEastToWest) {
    int hidden_samples = 0;
    int transit_samples = 0;
    const JulianDay start = julian_day(1.0, 1, 1993);
    JupiterSatellite previous[JUPITER_SATELLITE_COUNT];
    jupiter_satellites(start, previous);
    for (JulianDay jd = start + MINUTE; jd < start + 30.0; jd += MINUTE) {
        JupiterSatellite moons[JUPITER_SATELLITE_COUNT];
        jupiter_satellites(jd, moons);
        for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
            const JupiterSatellite& s = moons[i];
            const bool inside_outline = apparent_separation(s) < 1.0;
            ASSERT_EQ(s.visible, inside_outline && s.z < 0.0 ? 0 : 1)
                << MOON_NAMES[i] << " at JD " << jd << ": x " << s.x << " y " << s.y
                << " z " << s.z;
            if (s.visible == 0) ++hidden_samples;
            if (inside_outline && s.z > 0.0) {
                ++transit_samples;
                ASSERT_LT(s.x, previous[i].x) << MOON_NAMES[i] << " transiting at JD " << jd;
            }
            previous[i] = s;
        }
    }
    EXPECT_GT(hidden_samples, 0);
    EXPECT_GT(transit_samples, 0);
}

// Io's orbit lies almost in the line of sight, so it passes behind the disk
// once every synodic period (1.769861 days).  Callisto, 26 radii out, passes
// north or south of the disk when the Earth is more than about 2.2 degrees
// from Jupiter's equatorial plane, as in the winter of 1992-93 (Meeus's
// Y = 1.10 at X = 7.08 in example 44.a): it is never hidden then.
TEST(JupiterSatellites, IoHiddenEveryRevolutionCallistoMissesTheDisk) {
    std::vector<JulianDay> io_disappearances;
    bool io_was_hidden = false;
    const JulianDay start = julian_day(1.0, 12, 1992);
    for (JulianDay jd = start; jd < start + 60.0; jd += 2.0 * MINUTE) {
        JupiterSatellite moons[JUPITER_SATELLITE_COUNT];
        jupiter_satellites(jd, moons);
        const bool io_hidden = moons[0].visible == 0;
        if (io_hidden && !io_was_hidden && jd > start) io_disappearances.push_back(jd);
        io_was_hidden = io_hidden;
        ASSERT_EQ(moons[3].visible, 1) << "Callisto at JD " << jd << ", y " << moons[3].y;
    }
    ASSERT_GE(io_disappearances.size(), 33u);
    for (size_t k = 1; k < io_disappearances.size(); ++k)
        EXPECT_NEAR(io_disappearances[k] - io_disappearances[k - 1], 1.769861, 0.005)
            << "Io occultations " << k - 1 << " and " << k;
}

}  // namespace
