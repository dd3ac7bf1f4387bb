// Root and extremum finding of the precise engine on functions with known answers.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/precise/search.h"

namespace {

TEST(PreciseSearch, WrapsAnglesIntoTheHalfOpenCircle) {
    EXPECT_DOUBLE_EQ(precise::wrap180(180.0), 180.0);
    EXPECT_DOUBLE_EQ(precise::wrap180(-180.0), 180.0);
    EXPECT_DOUBLE_EQ(precise::wrap180(190.0), -170.0);
    EXPECT_DOUBLE_EQ(precise::wrap180(-725.0), -5.0);
    EXPECT_DOUBLE_EQ(precise::wrap360(360.0), 0.0);
    EXPECT_DOUBLE_EQ(precise::wrap360(-90.0), 270.0);
    EXPECT_DOUBLE_EQ(precise::wrap360(725.0), 5.0);
}

TEST(PreciseSearch, RootsOfTheSineEveryPiAlternating) {
    auto f = [](double t) { return std::sin(t); };
    auto roots = precise::find_crossings(f, 0.5, 20.0, 1.0, 1e-12, 1e9);
    ASSERT_EQ(roots.size(), 6u);
    for (size_t i = 0; i < roots.size(); ++i) {
        EXPECT_NEAR(roots[i].instant, M_PI * (i + 1), 1e-10);
        EXPECT_EQ(roots[i].rising, i % 2 == 1);  // sin falls through pi, rises through 2 pi
    }
}

TEST(PreciseSearch, AnAngleWrappingAt180IsNoRoot) {
    // 40 t degrees wrapped: zero at t = 9 and 18, jumps at 4.5 and 13.5.
    auto f = [](double t) { return precise::wrap180(40.0 * t); };
    auto roots = precise::find_crossings(f, 0.25, 20.0, 1.0, 1e-10, 90.0);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_NEAR(roots[0].instant, 9.0, 1e-9);
    EXPECT_NEAR(roots[1].instant, 18.0, 1e-9);
}

TEST(PreciseSearch, BrentReachesTheToleranceOnAFlatRoot) {
    auto f = [](double t) { return std::pow(t - 1.3, 3.0); };
    EXPECT_NEAR(precise::refine_root(f, 0.0, f(0.0), 2.0, f(2.0), 1e-9), 1.3, 1e-8);
}

TEST(PreciseSearch, TheSecantFromAGuessFindsTheNearRoot) {
    // The Sun's mean longitude passes 90 degrees; the guess is ten minutes off
    // and the rate taken as 1 degree a day, 1.5 % too fast.
    auto f = [](double t) { return 0.98564736 * t - 90.0; };
    double root = 90.0 / 0.98564736;
    EXPECT_NEAR(precise::refine_root_from(f, root + 0.007, 1.0, 1e-9), root, 1e-10);
    // sin(t) - 0.5 from a guess 0.1 off: pi / 6, not the root at 5 pi / 6.
    auto g = [](double t) { return std::sin(t) - 0.5; };
    EXPECT_NEAR(precise::refine_root_from(g, M_PI / 6 + 0.1, 1.0, 1e-12), M_PI / 6, 1e-12);
}

TEST(PreciseSearch, ExtremaOfAPeriodicFunction) {
    auto f = [](double t) { return std::cos(t); };
    auto x = precise::find_extrema(f, 0.5, 10.0, 0.7, 1e-9);
    ASSERT_EQ(x.size(), 3u);  // minimum at pi, maximum at 2 pi, minimum at 3 pi
    EXPECT_FALSE(x[0].maximum);
    EXPECT_NEAR(x[0].instant, M_PI, 1e-7);
    EXPECT_TRUE(x[1].maximum);
    EXPECT_NEAR(x[1].instant, 2 * M_PI, 1e-7);
    EXPECT_NEAR(x[2].instant, 3 * M_PI, 1e-7);
}

}  // namespace
