// The Jupiter moons movies: the moons against Meeus's worked example and a
// moon hidden behind the disc, in frames rendered off-screen.
#include "engine/bodies.h"
#include "engine/classical/jupiter_moons.h"
#include "movies/jupiter_moons_movie.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "graphs/drawing.h"
#include "movie_test_support.h"

namespace {

const char* const MOON_NAMES[JUPITER_SATELLITE_COUNT] = {"Io", "Europa", "Ganymede", "Callisto"};
constexpr int FIRST_MOON = 16;  // colour of Io; Europa, Ganymede, Callisto follow

// Jupiter and each moon in a colour of its own.
GraphStyle moon_colours() {
    GraphStyle style;
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) style.colors[i] = surface_color(0, 0, 10 * i + 5);
    return style;
}

// Frame 0 of a view at a UT instant on a 1000 x 750 image, where S = 750,
// R = 375 and k = 12.5 units per Jupiter radius.
std::unique_ptr<Surface> render(MovieKind kind, int day, int month, int year, int hour, int minute) {
    ensure_gui_session();
    MovieState movie = start_test_movie(kind, movie_params(day, month, year, hour, minute));
    SkyContext sky;
    auto image = make_image_surface(1000, 750);
    jupiter_moons_frame(*image, 1000, 750, movie, sky, moon_colours(), 0);
    return image;
}

SurfaceColor colour_at(const Surface& image, SurfacePoint logical) {
    const SurfacePoint device = to_device(graph_mapping(1000, 750), logical);
    return surface_image(image)->pixel(device.x, device.y) & 0xFFFFFF;
}

// Meeus, Astronomical Algorithms, ex. 44.a (1992 Dec 16 0h UT, X west, Y north,
// Jupiter radii): each moon drawn in its colour at (375 + 12.5 X, 375 + 12.5 Y).
TEST(JupiterMoonsFrame, MeeusExample44aInTheSideView) {
    const double meeus[JUPITER_SATELLITE_COUNT][2] = {{-3.44, 0.21}, {7.44, 0.25}, {1.24, 0.65}, {7.08, 1.10}};
    auto side = render(MOVIE_JUPITER_SIDE, 16, 12, 1992, 0, 0);
    const JupiterSatellites moons = jupiter_satellites(julian_day(16.0, 12, 1992));
    SurfacePoint at[JUPITER_SATELLITE_COUNT];
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
        at[i] = jupiter_moon_point(moons[i], false, 750);
        EXPECT_NEAR(at[i].x, 375 + 12.5 * meeus[i][0], 2.0) << MOON_NAMES[i];
        EXPECT_NEAR(at[i].y, 375 + 12.5 * meeus[i][1], 2.0) << MOON_NAMES[i];
        EXPECT_EQ(colour_at(*side, at[i]), moon_colours().colors[FIRST_MOON + i]) << MOON_NAMES[i];
    }
    EXPECT_TRUE(at[0].x < 375 && 375 < at[2].x && at[2].x < at[3].x && at[3].x < at[1].x);
    EXPECT_EQ(colour_at(*side, {375, 375}), moon_colours().colors[id_of(Body::Jupiter)]);
}

// A moon behind the disc (first such minute after 1992 Dec 1) is drawn only in the top view.
TEST(JupiterMoonsFrame, HiddenMoonOnlyInTheTopView) {
    JupiterSatellites moons;
    int minute = 0, moon = JUPITER_SATELLITE_COUNT;
    for (; moon == JUPITER_SATELLITE_COUNT; ++minute) {
        moons = jupiter_satellites(julian_day(1.0, 12, 1992) + minute / 1440.0);
        moon = 0;
        while (moon < JUPITER_SATELLITE_COUNT && moons[moon].visible) ++moon;
    }
    --minute;
    const SurfaceColor colour = moon_colours().colors[FIRST_MOON + moon];
    const int day = 1 + minute / 1440, hour = minute / 60 % 24;
    auto side = render(MOVIE_JUPITER_SIDE, day, 12, 1992, hour, minute % 60);
    EXPECT_EQ(pixels_of(*side, colour, 750, 750), 0) << MOON_NAMES[moon] << " hidden in the side view";
    EXPECT_GT(pixels_of(*side, moon_colours().colors[id_of(Body::Jupiter)], 750, 750), 400);  // pi 13^2 = 531
    auto top = render(MOVIE_JUPITER_TOP, day, 12, 1992, hour, minute % 60);
    EXPECT_EQ(colour_at(*top, jupiter_moon_point(moons[moon], true, 750)), colour) << MOON_NAMES[moon];
}

}  // namespace
