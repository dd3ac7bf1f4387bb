// The movie framework: time-speed steps, the frame buffer with its picture
// clip and jet trails, the status panel, and every movie rendered headless.
#include "movies/movie.h"

#include <gtest/gtest.h>

#include <string>

#include "app/menu_state.h"
#include "movies/day_night.h"
#include "movie_test_support.h"
#include "platform/files.h"

namespace {

// Speed Up doubles to 64, Slow Down halves through 0; a tick is days (ecliptic) or minutes (Jupiter).
TEST(MovieTimeSpeed, StepsAndTimePerTick) {
    struct Case { int speed; bool faster; int expected; };
    const Case steps[] = {{10, true, 20}, {40, true, 64}, {64, true, 64}, {1, false, 0},
                          {0, false, -1}, {-1, false, -2}, {-64, false, -64}, {-1, true, 0}};
    for (const Case& c : steps)
        EXPECT_EQ(step_time_speed(c.speed, c.faster), c.expected) << c.speed << (c.faster ? " up" : " down");
    struct Tick { MovieKind kind; int speed; double days; };
    const Tick ticks[] = {{MOVIE_ECLIPTIC_TOP, 10, 10.0}, {MOVIE_ECLIPTIC_SIDE, -64, -64.0},
                          {MOVIE_JUPITER_SIDE, 64, 64 / 1440.0}, {MOVIE_JUPITER_TOP, -1, -1 / 1440.0},
                          {MOVIE_ECLIPTIC_TOP, 0, 0.0}};
    for (const Tick& t : ticks)
        EXPECT_DOUBLE_EQ(movie_time_step(t.kind, t.speed), t.days) << "kind " << t.kind << " speed " << t.speed;
}

// Frame buffer and trails made once, clipped to S = 750 (1000 - 22 x 8 cut to 750), copied each frame.
TEST(MovieFrame, BufferClipAndTrails) {
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieState movie = start_test_movie(MOVIE_ECLIPTIC_TOP);
    SkyContext sky;
    sky.time_speed = 4;
    GraphStyle style;
    movie.jet_trails = true;
    for (std::uint32_t frame = 0; frame < 3; ++frame) draw_movie_frame(*window, 1000, 750, movie, sky, style, frame);
    EXPECT_DOUBLE_EQ(movie.time - movie.start_time, 8.0);
    // One frame buffer and one trail surface, each made once; the trails are
    // copied into every frame and every frame is clipped and copied out.
    EXPECT_EQ(log.images_made, 2);
    EXPECT_EQ(count_lines(log, "image2: clip 1,749 749,1"), 1);  // the trails, clipped once
    EXPECT_EQ(count_lines(log, "image1: copy_from image2 source"), 3);
    EXPECT_EQ(count_lines(log, "image1: clip 1,749 749,1"), 3);
    EXPECT_EQ(count_lines(log, "window: copy_from image1 source"), 3);
    // Dropping the bitmaps (zoom, resize) makes both afresh on the next frame.
    discard_movie_trails(movie);
    draw_movie_frame(*window, 1000, 750, movie, sky, style, 3);
    EXPECT_EQ(log.images_made, 4);

    SurfaceLog narrow_log;
    auto narrow = make_recording_surface(narrow_log, "narrow", 600, 750);
    EXPECT_EQ(picture_size(*narrow), 750);
}

// The planetarium's panel lines sit at y = S + h (1 - n), x = S + c.
TEST(MovieFrame, PlanetariumStatusPanel) {
    SurfaceLog log;
    auto frame = make_recording_surface(log, "frame", 1000, 750);
    setup_drawing(*frame, DRAWING_GRAPH, 1000, 750, nullptr);
    SkyContext sky;
    sky.view_angle = 45.0;
    sky.time_speed = -8;  // observer at 0 degrees longitude: LST = GST
    StatusPanel panel;
    panel.tracking = true;
    panel.time = 2451545.0;  // 2000 January 1, 12 h UT
    panel.ra_hours = 6.0;
    draw_status_panel(*frame, GraphStyle{}, panel, sky);
    const int x = 750 + 8;
    struct Line { int n; std::string text; };
    const Line lines[] = {{1, "Planetarium"}, {3, "Date: 01/01/2000"}, {4, "Time: 12:00"},
                          {8, " 2451545.00"},
                          {5, "GST:   18h41m50s"},  // GMST at J2000.0: 18h 41m 50.5s (Astronomical Almanac)
                          {14, "View Angle: 45.00\xB0"}, {15, "Time Speed:  -8"},
                          {16, "Turbo is Off"}, {17, "Tracking is On"}};
    for (const Line& l : lines) {
        const std::string expected = "frame: text " + std::to_string(x) + "," + std::to_string(750 + 16 * (1 - l.n)) +
                                     " \"" + l.text + "\"";
        EXPECT_EQ(count_lines(log, expected), 1) << expected;
    }
    panel.paused = true;
    draw_status_panel(*frame, GraphStyle{}, panel, sky);
    EXPECT_EQ(count_lines(log, "frame: text 758,526 \"Time Speed: Paused\""), 1);
}

// All seven movies render headless to PNG with trails; speed 4 steps 4 days (ecliptic), 4 minutes (Jupiter).
TEST(MovieFrame, EveryMovieRendersToPng) {
    set_data_folder(std::string(SKYLOOM_SOURCE_DIR) + "/data");  // the day/night world map
    struct Case { MovieKind kind; int frames; double days_moved; };  // -1: not checked here
    const Case cases[] = {{MOVIE_PLANETARIUM, 20, -1},           {MOVIE_ECLIPTIC_TOP, 3, 8.0},
                          {MOVIE_ECLIPTIC_SIDE, 3, 8.0},        {MOVIE_JUPITER_SIDE, 3, 8 / 1440.0},
                          {MOVIE_JUPITER_TOP, 3, 8 / 1440.0}, {MOVIE_DAY_NIGHT, 3, 2 / 24.0},
                          {MOVIE_BINARY_STAR, 3, -1}};
    for (const Case& c : cases) {
        MovieState movie = start_test_movie(c.kind, movie_params(1, 1, 2000, 12));
        movie.jet_trails = true;
        SkyContext sky;
        sky.view_angle = 30.0;
        sky.time_speed = 4;
        sky.speed_index = DN_ONE_HOUR;
        render_frames_to_png(movie, sky, c.frames);
        if (c.days_moved >= 0) {
            EXPECT_NEAR(movie.time - movie.start_time, c.days_moved, 1e-9) << "movie " << c.kind;
        }
    }
    set_data_folder("");
}

}  // namespace
