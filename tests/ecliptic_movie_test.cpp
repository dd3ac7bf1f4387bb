// The ecliptic movies: scale and strip edge cases, published places of
// Meeus's worked examples (Astronomical Algorithms, 2nd ed.: "AA") on screen,
// the time steps, and frames of both views written as PNG files.
#include "movies/ecliptic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "movies/movie.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"

namespace {

// The recording font (8 x 16) gives S = 750, R = 375 and the side strip
// left 72, width 856, top 558, height 494.  Top view at view angle 90: 1 AU
// is 0.02 R = 7.5 units (375 - 7.5 rounds to 368), at 5 eighteen times that,
// 4 AU beyond the square.  Side view: latitude 18 on the top edge, -18 on the
// bottom, 20 above the strip.  Labels stand (end - back): "Ari" 40, "Psc" 10.
TEST(EclipticGeometry, ScaleStripAndLabelEdgeCases) {
    struct Case { bool top; double longitude, r_or_latitude, view_angle; int x, y; };
    const Case cases[] = {
        {true, 0.0, 1.0, 90.0, 375, 383},   {true, 90.0, 1.0, 90.0, 368, 375},  {true, 0.0, 1.0, 5.0, 375, 510},
        {true, 180.0, 4.0, 5.0, 375, -164},  {false, 0.0, 18.0, 0.0, 72, 558}, {false, 360.0, -18.0, 0.0, 928, 64},
        {false, 180.0, 0.0, 0.0, 500, 311},  {false, 90.0, 20.0, 0.0, 286, 587},
    };
    const EclipticStrip strip = ecliptic_strip(8, 16);
    for (const Case& c : cases) {
        const SurfacePoint at = c.top ? ecliptic_top_point(c.longitude, c.r_or_latitude, c.view_angle, 750)
                                      : ecliptic_side_point(strip, c.longitude, c.r_or_latitude);
        EXPECT_EQ(at, (SurfacePoint{c.x, c.y}))
            << (c.top ? "top L " : "side L ") << c.longitude << ", " << c.r_or_latitude << ": got " << at.x << ","
            << at.y;
    }
    EXPECT_EQ(zodiac_label_longitude(ZODIAC_SIGNS[0]), 40);
    EXPECT_EQ(zodiac_label_longitude(ZODIAC_SIGNS[12]), 10);
}

// AA ex. 32.a, 1992 Dec 20 0h TD (23:59 UT the day before): Venus L 26.11428,
// B -2.62070, R 0.724603 and the Earth L 88.35704, R 0.983824 (VSOP87).  The
// places from the engine agree within the low-precision theories' 0.005-0.01
// degree, and the body's disc is centred where the published place puts it (top view at view angle 5: (375 - 135 R sin L, 375 + 135 R cos L); side:
// (72 + 856 L / 360, 558 - round((tan(-B) / tan 18 + 1) 247))).
TEST(EclipticFrame, MeeusPlacesOnScreen) {
    struct Case { int body; double l, b, r, tolerance; int command, x, y; };
    const Case cases[] = {
        {BODY_VENUS, 26.11428, -2.62070, 0.724603, 0.005, CMD_ECLIPTIC_TOP, 332, 463},
        {BODY_VENUS, 26.11428, -2.62070, 0.724603, 0.005, CMD_ECLIPTIC_SIDE, 134, 276},
        {BODY_EARTH, 88.35704, 0.0, 0.983824, 0.01, CMD_ECLIPTIC_TOP, 242, 379},
        {BODY_EARTH, 88.35704, 0.0, 0.983824, 0.01, CMD_ECLIPTIC_SIDE, 282, 311},
    };
    for (const Case& c : cases) {
        CommandParams params;
        params.day = 19, params.month = 12, params.year = 1992, params.hour = 23, params.minute = 59;
        params.planet_set = 1 << c.body;
        MovieState movie;
        start_movie(movie, c.command, params, nullptr);
        const EclipticPlace place = ecliptic_place(c.body, movie_start_time(19, 12, 1992, 23 + 59 / 60.0, {}));
        EXPECT_NEAR(place.longitude, c.l, c.tolerance) << "body " << c.body;
        EXPECT_NEAR(place.latitude, c.b, c.tolerance) << "body " << c.body;
        EXPECT_NEAR(place.radius, c.r, 1e-4) << "body " << c.body;
        SurfaceLog log;
        auto window = make_recording_surface(log, "window", 1000, 750);
        SkyContext sky;
        sky.view_angle = 5.0;
        ecliptic_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 0);
        const std::string pixel = "image1: pixel " + std::to_string(c.x) + "," + std::to_string(c.y) + " #000000";
        EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), pixel), 1) << pixel;
    }
}

// Speed 0 freezes the planets, -1 moves them back a day per tick; frames of
// both views with labels and jet trails go to PNG files.
TEST(EclipticFrame, TimeStepsAndPngFrames) {
    ensure_gui_session();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "skyloom_ecliptic_test";
    std::filesystem::create_directories(folder);
    for (int command : {CMD_ECLIPTIC_TOP, CMD_ECLIPTIC_SIDE})
        for (int speed : {0, -1}) {
            MovieState movie;
            start_movie(movie, command, CommandParams{}, nullptr);
            movie.jet_trails = true;
            SkyContext sky;
            sky.view_angle = 30.0;
            sky.time_speed = speed;
            auto image = make_image_surface(800, 600);
            for (std::uint32_t frame = 0; frame < 3; ++frame) {
                ecliptic_frame(*image, 800, 600, movie, sky, GraphStyle{}, frame);
                const std::filesystem::path file = folder / ("frame-" + std::to_string(frame) + ".png");
                ASSERT_TRUE(save_png(*image, file.string()));
                EXPECT_GT(std::filesystem::file_size(file), 1000u) << file;
            }
            EXPECT_DOUBLE_EQ(movie.time - movie.start_time, 2.0 * speed) << "command " << command;
        }
    std::filesystem::remove_all(folder);
}

}  // namespace
