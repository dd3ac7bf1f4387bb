// The Jupiter moons movies: the moons against Meeus's worked example, a moon
// hidden behind the disc, the minutes per tick, and frames of both views
// rendered off-screen and written as PNG files.
#include "movies/jupiter_moons_movie.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "graphs/drawing.h"
#include "movies/movie.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

namespace {

const char* const MOON_NAMES[JUPITER_SATELLITE_COUNT] = {"Io", "Europa", "Ganymede", "Callisto"};
constexpr int FIRST_MOON = 16;  // colour of Io; Europa, Ganymede, Callisto follow

// Jupiter and each moon in a colour of its own.
GraphStyle moon_colours() {
    GraphStyle style;
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) style.colors[i] = surface_color(0, 0, 10 * i + 5);
    return style;
}

// One frame of a view at a UT instant (time zone 0) on a 1000 x 750 image,
// where S = 750, R = 375 and k = 12.5 units per Jupiter radius.
struct Render {
    MovieState movie;
    std::unique_ptr<Surface> image = make_image_surface(1000, 750);
    Render(int command, int day, int month, int year, int hour, int minute) {
        CommandParams params;
        params.day = day, params.month = month, params.year = year, params.hour = hour, params.minute = minute;
        start_movie(movie, command, params, nullptr);
    }
    void frame(std::uint32_t n, int time_speed) {
        SkyContext sky;
        sky.time_speed = time_speed;
        jupiter_moons_frame(*image, 1000, 750, movie, sky, moon_colours(), n);
    }
    SurfaceColor colour_at(SurfacePoint logical) const {
        const SurfacePoint device = to_device(graph_mapping(1000, 750), logical);
        return surface_image(*image)->pixel(device.x, device.y) & 0xFFFFFF;
    }
    int pixels_of(SurfaceColor colour) const {
        int count = 0;
        for (int y = 0; y < 750; ++y)
            for (int x = 0; x < 750; ++x) count += (surface_image(*image)->pixel(x, y) & 0xFFFFFF) == colour;
        return count;
    }
};

// Meeus, Astronomical Algorithms, 2nd ed., example 44.a, 1992 December 16 at
// 0 h UT: X = -3.44 (Io), +7.44 (Europa), +1.24 (Ganymede), +7.08 (Callisto)
// and Y = +0.21, +0.25, +0.65, +1.10 Jupiter radii, X positive to the west
// and Y to the north.  North up and west to the right, the side view puts a
// moon at (375 + 12.5 X, 375 + 12.5 Y) to 0.1 radius plus the rounding (2
// units), drawn there in its colour: from left to right Io, Jupiter,
// Ganymede, Callisto, Europa.
TEST(JupiterMoonsFrame, MeeusExample44aInTheSideView) {
    ensure_gui_session();
    const double meeus[JUPITER_SATELLITE_COUNT][2] = {{-3.44, 0.21}, {7.44, 0.25}, {1.24, 0.65}, {7.08, 1.10}};
    Render side(CMD_JUPITER_MOONS_SIDE, 16, 12, 1992, 0, 0);
    side.frame(0, 0);
    JupiterSatellite moons[JUPITER_SATELLITE_COUNT];
    jupiter_satellites(side.movie.time, moons);
    SurfacePoint at[JUPITER_SATELLITE_COUNT];
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
        at[i] = jupiter_moon_point(moons[i], false, 750);
        EXPECT_NEAR(at[i].x, 375 + 12.5 * meeus[i][0], 2.0) << MOON_NAMES[i];
        EXPECT_NEAR(at[i].y, 375 + 12.5 * meeus[i][1], 2.0) << MOON_NAMES[i];
        EXPECT_EQ(side.colour_at(at[i]), moon_colours().colors[FIRST_MOON + i]) << MOON_NAMES[i];
    }
    EXPECT_TRUE(at[0].x < 375 && 375 < at[2].x && at[2].x < at[3].x && at[3].x < at[1].x);
    EXPECT_EQ(side.colour_at({375, 375}), moon_colours().colors[BODY_JUPITER]);
}

// The first whole minute after 1992 Dec 1 0h UT at which a moon is behind
// the disc (Io passes behind it every 1.77 days): that moon has no pixel in
// the side view but is drawn in the top view.  Then, with trails, each tick
// at speed 64 moves 64 minutes, and the frames go to PNG files.
TEST(JupiterMoonsFrame, HiddenMoonTimeSpeedAndPngFrames) {
    ensure_gui_session();
    JupiterSatellite moons[JUPITER_SATELLITE_COUNT];
    int minute = 0, moon = JUPITER_SATELLITE_COUNT;
    for (; moon == JUPITER_SATELLITE_COUNT; ++minute) {
        jupiter_satellites(julian_day(1.0, 12, 1992) + minute / 1440.0, moons);
        moon = 0;
        while (moon < JUPITER_SATELLITE_COUNT && moons[moon].visible != 0) ++moon;
    }
    --minute;
    const SurfaceColor colour = moon_colours().colors[FIRST_MOON + moon];
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "skyloom_jupiter_moons_test";
    std::filesystem::create_directories(folder);
    for (int command : {CMD_JUPITER_MOONS_SIDE, CMD_JUPITER_MOONS_TOP}) {
        Render view(command, 1 + minute / 1440, 12, 1992, minute / 60 % 24, minute % 60);
        view.frame(0, 0);
        if (command == CMD_JUPITER_MOONS_SIDE) {
            EXPECT_EQ(view.pixels_of(colour), 0) << MOON_NAMES[moon] << " hidden in the side view";
            EXPECT_GT(view.pixels_of(moon_colours().colors[BODY_JUPITER]), 400);  // pi 13^2 = 531
        } else {
            EXPECT_EQ(view.colour_at(jupiter_moon_point(moons[moon], true, 750)), colour) << MOON_NAMES[moon];
        }
        view.movie.jet_trails = true;
        for (std::uint32_t n = 1; n <= 3; ++n) {
            view.frame(n, 64);
            const std::filesystem::path file = folder / ("frame-" + std::to_string(n) + ".png");
            ASSERT_TRUE(save_png(*view.image, file.string()));
            EXPECT_GT(std::filesystem::file_size(file), 1000u) << file;
        }
        EXPECT_NEAR((view.movie.time - view.movie.start_time) * 1440.0, 3 * 64, 1e-6);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
