// The binary star movie: apparent orbits against the Thiele-Innes form of
// the projection, published facts about alpha Centauri, the edge-on circle
// of Antares, the year clamp, and whole frames recorded and rendered.
#include "movies/binary_star.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/angles.h"
#include "movie_test_support.h"

namespace {

// The apparent place by the Thiele-Innes constants (W. D. Heintz, Double
// Stars, 1978, ch. 5; the form behind the Sixth Catalog's ephemerides):
// x (north) = A X + F Y, y (east) = B X + G Y with X = cos E - e and
// Y = sqrt(1 - e^2) sin E; theta = atan2(y, x), rho = hypot(x, y).  E is
// found here by bisection, independently of the program's Kepler solver.
void thiele_innes_place(const BinaryStarOrbit& o, double year, double& theta, double& rho) {
    const double pi = std::acos(-1.0);
    double m = std::fmod(2.0 * pi / o.period * (year - o.periastron), 2.0 * pi);
    if (m < 0.0) m += 2.0 * pi;
    double low = 0.0, high = 2.0 * pi;  // E - e sin E rises monotonically over one turn
    for (int n = 0; n < 200; ++n) {
        const double mid = (low + high) / 2.0;
        (mid - o.eccentricity * std::sin(mid) < m ? low : high) = mid;
    }
    const double e_anomaly = (low + high) / 2.0;
    const double w = o.periastron_argument * pi / 180.0, node = o.node * pi / 180.0;
    const double ci = std::cos(o.inclination * pi / 180.0);
    const double a = o.semi_major_axis;
    const double A = a * (std::cos(w) * std::cos(node) - std::sin(w) * std::sin(node) * ci);
    const double B = a * (std::cos(w) * std::sin(node) + std::sin(w) * std::cos(node) * ci);
    const double F = a * (-std::sin(w) * std::cos(node) - std::cos(w) * std::sin(node) * ci);
    const double G = a * (-std::sin(w) * std::sin(node) + std::cos(w) * std::cos(node) * ci);
    const double X = std::cos(e_anomaly) - o.eccentricity;
    const double Y = std::sqrt(1.0 - o.eccentricity * o.eccentricity) * std::sin(e_anomaly);
    const double x = A * X + F * Y, y = B * X + G * Y;
    theta = std::fmod(std::atan2(y, x) * 180.0 / pi + 360.0, 360.0);
    rho = std::hypot(x, y);
}

double angle_difference(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

// Every star at eight phases of its period against the independent projection.
TEST(BinaryStarPosition, AgreesWithThieleInnesProjection) {
    for (int row = 0; row < BINARY_STAR_COUNT; ++row) {
        const BinaryStarOrbit& orbit = binary_star_orbit(row);
        for (int k = 0; k < 8; ++k) {
            // 2.25 degrees of mean anomaly a row keep E off 180, where the apastron rule takes over.
            const double year = orbit.periastron + orbit.period * (k + 0.05 * row) / 8.0;
            double theta = 0.0, rho = 0.0, expected_theta = 0.0, expected_rho = 0.0;
            binary_star_position(year, theta, rho, row);
            thiele_innes_place(orbit, year, expected_theta, expected_rho);
            EXPECT_NEAR(rho, expected_rho, 1e-6) << "row " << row << " year " << year;
            if (expected_rho > 1e-6) {
                EXPECT_LT(angle_difference(theta, expected_theta), 1e-5)
                    << "row " << row << " year " << year << ": theta " << theta << ", expected " << expected_theta;
            }
        }
    }
}

// alpha Centauri AB: separation 2" to 22" over its 80-year period (Pourbaix et al. 2002).
TEST(BinaryStarPosition, AlphaCentauriSeparationRange) {
    constexpr int ALPHA_CENTAURI = 8;
    double smallest = 1e9, largest = 0.0;
    for (int year = 1900; year < 1980; ++year) {
        double theta = 0.0, rho = 0.0;
        binary_star_position(year, theta, rho, ALPHA_CENTAURI);
        smallest = std::min(smallest, rho);
        largest = std::max(largest, rho);
    }
    EXPECT_NEAR(smallest, 2.0, 0.5);
    EXPECT_NEAR(largest, 22.0, 1.0);
}

// Antares, e = 0, i = 86.3: an ellipse of semi-axes a and a cos i about the
// line of nodes, the companion at the node's angle and distance a in year T.
TEST(BinaryStarPosition, AntaresEdgeOnCircle) {
    constexpr int ANTARES = 9;
    const BinaryStarOrbit& o = binary_star_orbit(ANTARES);
    const double minor = o.semi_major_axis * cos_deg(o.inclination);
    for (int year = 1889; year < 1889 + 900; year += 7) {
        double theta = 0.0, rho = 0.0;
        binary_star_position(year, theta, rho, ANTARES);
        const double along = rho * cos_deg(theta - o.node), across = rho * sin_deg(theta - o.node);
        EXPECT_NEAR(square(along / o.semi_major_axis) + square(across / minor), 1.0, 1e-6) << "year " << year;
        EXPECT_LE(std::fabs(across), minor + 1e-9) << "year " << year;
    }
    double theta = 0.0, rho = 0.0;
    binary_star_position(1889.0, theta, rho, ANTARES);
    EXPECT_NEAR(theta, o.node, 1e-9);
    EXPECT_NEAR(rho, o.semi_major_axis, 1e-9);
}

// E within half a degree of 180 is taken as apastron (tan 90 avoided); 181 is not.
TEST(BinaryStarPosition, ApastronWithinHalfADegree) {
    constexpr int SIRIUS = 4;
    const BinaryStarOrbit& o = binary_star_orbit(SIRIUS);
    auto year_of = [&](double e_anomaly) {
        const double mean = e_anomaly - o.eccentricity * DEGREES_PER_RADIAN * sin_deg(e_anomaly);
        return o.periastron + o.period * mean / 360.0;
    };
    double apastron_theta = 0.0, apastron_rho = 0.0;
    thiele_innes_place(o, year_of(180.0), apastron_theta, apastron_rho);
    for (double e_anomaly : {179.6, 180.0, 180.4}) {
        double theta = 0.0, rho = 0.0;
        binary_star_position(year_of(e_anomaly), theta, rho, SIRIUS);
        // Only r = a (1 - e cos E) still follows E: a e (1 - cos 0.4) = 1.1e-4 arc seconds.
        EXPECT_NEAR(rho, apastron_rho, 1.2e-4) << "E " << e_anomaly;
        EXPECT_LT(angle_difference(theta, apastron_theta), 1e-9) << "E " << e_anomaly;
    }
    double theta = 0.0, rho = 0.0;
    binary_star_position(year_of(181.0), theta, rho, SIRIUS);
    EXPECT_GT(angle_difference(theta, apastron_theta), 1e-3);
}

// Steps of the time speed, kept within -4000..32000.
TEST(BinaryStarYear, StepsAndClamp) {
    struct Case { int year, speed, expected; };
    const Case cases[] = {{31990, 64, 32000}, {-3990, -64, -4000}, {2000, -8, 1992},
                          {32000, -64, 31936}, {-4000, 0, -4000}};
    for (const Case& c : cases)
        EXPECT_EQ(step_binary_star_year(c.year, c.speed), c.expected) << c.year << " + " << c.speed;
}

// Antares 1889 at view angle 8.025 puts 3.21" on the circle R = 375 at 273 degrees.
TEST(BinaryStarFrame, RecordedFrames) {
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieParams params;
    params.binary_star = 9, params.binary_star_year = 1889;
    MovieState movie = start_test_movie(MOVIE_BINARY_STAR, params);
    movie.jet_trails = true;
    SkyContext sky;
    sky.view_angle = 8.025;
    sky.time_speed = 0;
    binary_star_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 0);
    EXPECT_EQ(movie.year, 1889);
    EXPECT_DOUBLE_EQ(movie.time, julian_day(1.0, 1, 1889));
    const int r = 375, c = 8, h = 16;
    const int x = static_cast<int>(r - r * cos_deg(273.0 - 90.0)), y = static_cast<int>(r - r * sin_deg(273.0 - 90.0));
    auto at = [](int px, int py) { return std::to_string(px) + "," + std::to_string(py); };
    const std::string companion = "ellipse " + at(x - c, y + c) + " " + at(x + c, y - c);
    const std::string expected[] = {
        "image1: line 375,0 375,750", "image1: line 0,375 750,375", "image1: ellipse 0,750 750,0",
        "image1: text " + at(r - c / 2, r - h / 2 + r) + " \"N\"",
        "image1: text " + at(r - c / 2, r + 3 * h / 2 - r) + " \"S\"",
        "image1: text " + at(r + c / 2 - r, r + h / 2) + " \"E\"",
        "image1: text " + at(r - 3 * c / 2 + r, r + h / 2) + " \"W\"",
        "image1: text 758,734 \"Antares\"", "image1: text 758,638 \"Theta:   273.0\xB0\"",
        "image1: text 758,622 \"Rho:     3.210\"\"", "image1: " + companion, "image2: " + companion,
        "window: copy_from image1 source",
    };
    for (const std::string& line : expected) EXPECT_GE(count_lines(log, line), 1) << line;
    // The year follows the time speed and stops at the end of the range.
    sky.time_speed = 64;
    movie.year = 31990;
    binary_star_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 1);
    EXPECT_EQ(movie.year, 32000);
}

}  // namespace
