// Jupiter's Galilean satellites against Meeus's worked example and facts of
// their orbits.  The theory is the low-accuracy one (mean circular orbits with
// four perturbations): a few hundredths of a Jupiter radius against Meeus's
// own low-accuracy solution, under a tenth against his full theory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/calendar.h"
#include "engine/classical/jupiter_moons.h"

namespace {

const char* const MOON_NAMES[JUPITER_SATELLITE_COUNT] = {"Io", "Europa", "Ganymede", "Callisto"};
const double MINUTE = 1.0 / 1440.0;  // days

// Meeus, Astronomical Algorithms, 2nd ed., example 44.a, 1992 December 16 at
// 0 h UT.  Meeus's X is positive toward the west, this program's x toward the
// east (x = -r sin u, y = r cos u sin De): each expected value is Meeus's with
// the sign changed.
TEST(JupiterSatellites, MeeusExample44a) {
    struct Case { int moon; double meeus_x, meeus_y, tolerance; const char* source; };
    const Case cases[] = {
        {0, -3.44, +0.21, 0.03, "low-accuracy method"},  {1, +7.44, +0.25, 0.03, "low-accuracy method"},
        {2, +1.24, +0.65, 0.03, "low-accuracy method"},  {3, +7.08, +1.10, 0.03, "low-accuracy method"},
        {0, -3.4503, +0.2137, 0.1, "full theory"},       {1, +7.4418, +0.2753, 0.1, "full theory"},
        {2, +1.2010, +0.5900, 0.1, "full theory"},       {3, +7.0720, +1.0291, 0.1, "full theory"},
    };
    const JupiterSatellites moons = jupiter_satellites(julian_day(16.0, 12, 1992));
    for (const Case& c : cases) {
        EXPECT_NEAR(moons[c.moon].x, -c.meeus_x, c.tolerance) << MOON_NAMES[c.moon] << " x, " << c.source;
        EXPECT_NEAR(moons[c.moon].y, -c.meeus_y, c.tolerance) << MOON_NAMES[c.moon] << " y, " << c.source;
        EXPECT_TRUE(moons[c.moon].visible) << MOON_NAMES[c.moon];
    }
}

// Minute by minute over two months of 1992-93:
// - each moon stays on its orbit and swings out to its published mean distance
//   (semi-major axes 421,700, 671,034, 1,070,412 and 1,882,709 km over
//   Jupiter's equatorial radius of 71,492 km), which fixes the order too;
// - a moon is hidden exactly when it is inside the disk's outline and beyond
//   the planet (occultation); in front (a transit) it stays visible and
//   crosses the disk from east to west, toward smaller x;
// - Io's orbit lies almost in the line of sight: it passes behind the disk
//   once every synodic period (1.769861 days);
// - Callisto, 26 radii out, passes north or south of the disk when the Earth
//   is more than about 2.2 degrees from Jupiter's equatorial plane, as in that
//   winter (Meeus's Y = 1.10 at X = 7.08 in example 44.a): never hidden.
TEST(JupiterSatellites, OrbitsOccultationsAndTransitsOverTwoMonths) {
    const double published_radius[JUPITER_SATELLITE_COUNT] = {5.898, 9.386, 14.972, 26.334};
    double largest_x[JUPITER_SATELLITE_COUNT] = {};
    int transit_samples = 0;
    std::vector<JulianDay> io_disappearances;
    const JulianDay start = julian_day(1.0, 12, 1992);
    JupiterSatellites previous = jupiter_satellites(start);
    for (JulianDay jd = start + MINUTE; jd < start + 60.0; jd += MINUTE) {
        const JupiterSatellites moons = jupiter_satellites(jd);
        if (!moons[0].visible && previous[0].visible) io_disappearances.push_back(jd);
        ASSERT_TRUE(moons[3].visible) << "Callisto at JD " << jd << ", y " << moons[3].y;
        for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
            const JupiterSatellite& s = moons[i];
            ASSERT_NEAR(std::hypot(s.x, s.y, s.z), published_radius[i], 0.25) << MOON_NAMES[i] << " at JD " << jd;
            largest_x[i] = std::max(largest_x[i], std::fabs(s.x));
            const bool inside_outline = std::hypot(s.x, s.y) < 1.0;
            ASSERT_EQ(s.visible, !(inside_outline && s.z < 0.0))
                << MOON_NAMES[i] << " at JD " << jd << ": x " << s.x << " y " << s.y << " z " << s.z;
            if (inside_outline && s.z > 0.0) {
                ++transit_samples;
                ASSERT_LT(s.x, previous[i].x) << MOON_NAMES[i] << " transiting at JD " << jd;
            }
            previous[i] = s;
        }
    }
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i)
        EXPECT_NEAR(largest_x[i], published_radius[i], 0.25) << MOON_NAMES[i];
    EXPECT_GT(transit_samples, 0);
    ASSERT_GE(io_disappearances.size(), 33u);
    for (size_t k = 1; k < io_disappearances.size(); ++k)
        EXPECT_NEAR(io_disappearances[k] - io_disappearances[k - 1], 1.769861, 0.005)
            << "Io occultations " << k - 1 << " and " << k;
}

}  // namespace
