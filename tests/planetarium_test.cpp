// The planetarium: its view centre, the clock-driven movie time, and frames
// drawn to a recording surface.
#include "engine/bodies.h"
#include "movies/planetarium.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/angles.h"
#include "movie_test_support.h"
#include "movies/star_catalogue.h"

namespace {

// (RA, Dec) <-> (h, v) = (180 - 15 RA, 180 + Dec), and turning by (h, v) brings the direction to +z.
TEST(ViewCentre, FromEquatorialAndBack) {
    struct Case { double ra_hours, dec, h, v; };
    const Case cases[] = {
        {0.0, 0.0, 180.0, 180.0}, {6.0, -30.0, 90.0, 150.0}, {18.0, 45.0, 270.0, 225.0},
        {12.0, 89.5, 0.0, 269.5}, {6.75248, -16.7161, 78.7128, 163.2839},  // Sirius, J2000
    };
    for (const Case& c : cases) {
        double v[3];
        sky_unit_vector(c.ra_hours, c.dec, v);
        for (const ViewCentre& centre : {view_centre_of(c.ra_hours, c.dec), view_centre_of_vector(v)}) {
            EXPECT_NEAR(centre.horizontal, c.h, 1e-9) << "RA " << c.ra_hours;
            EXPECT_NEAR(centre.vertical, c.v, 1e-9) << "Dec " << c.dec;
            EXPECT_NEAR(view_centre_ra_hours(centre), c.ra_hours, 1e-9);
            EXPECT_NEAR(view_centre_declination(centre), c.dec, 1e-9);
        }
        const double h = c.h * M_PI / 180, vv = c.v * M_PI / 180;
        rotate_vector(std::sin(vv), std::cos(vv), std::sin(h), std::cos(h), v);
        EXPECT_NEAR(v[2], 1.0, 1e-12) << "RA " << c.ra_hours << " Dec " << c.dec;
    }
    // Panning north past the pole comes back down the other side (Dec 100 -> 80).
    EXPECT_NEAR(view_centre_declination({0.0, 280.0}), 80.0, 1e-9);
    EXPECT_NEAR(view_centre_declination({0.0, 80.0}), -80.0, 1e-9);
    EXPECT_NEAR(view_centre_ra_hours({-15.0, 180.0}), 13.0, 1e-9);
}

// At view angle 80 a line is 10 degrees, a page 20; a released thumb at p moves 180 - p, a dragged one nothing.
TEST(ViewCentre, PanningByTheScrollBars) {
    struct Case { ScrollBarKind bar; ScrollCode code; int thumb; double ra_hours, dec; int new_thumb; };
    const Case cases[] = {
        {SCROLL_VERTICAL, SCROLL_LINE_UP, 0, 6.0, 10.0, 180},
        {SCROLL_VERTICAL, SCROLL_PAGE_DOWN, 0, 6.0, -20.0, 180},
        {SCROLL_VERTICAL, SCROLL_THUMB_POSITION, 150, 6.0, 30.0, 180},
        {SCROLL_HORIZONTAL, SCROLL_LINE_UP, 0, 6.0 + 10 / 15.0, 0.0, 180},
        {SCROLL_HORIZONTAL, SCROLL_PAGE_DOWN, 0, 6.0 - 20 / 15.0, 0.0, 180},
        {SCROLL_HORIZONTAL, SCROLL_THUMB_POSITION, 210, 4.0, 0.0, 180},
        {SCROLL_HORIZONTAL, SCROLL_THUMB_TRACK, 210, 6.0, 0.0, -1},
    };
    for (const Case& c : cases) {
        SkyContext sky;
        sky.view_angle = 80.0;
        sky.view_horizontal = 90.0;
        sky.view_vertical = 180.0;
        EXPECT_EQ(pan_view(sky, c.bar, c.code, c.thumb), c.new_thumb);
        const ViewCentre centre{sky.view_horizontal, sky.view_vertical};
        EXPECT_NEAR(view_centre_ra_hours(centre), c.ra_hours, 1e-9) << "bar " << c.bar << " code " << c.code;
        EXPECT_NEAR(view_centre_declination(centre), c.dec, 1e-9) << "bar " << c.bar << " code " << c.code;
    }
}

// J2000.0 from Paris local time; clock steps scaled by speed and turbo.
TEST(MovieTime, StartAndClockSteps) {
    Location paris;
    paris.time_zone = 1.0;
    // J2000.0 is JD 2451545.0, 2000 January 1 at 12 h UT (13 h in Paris).
    EXPECT_NEAR(movie_start_time(1, 1, 2000, 13.0, paris), 2451545.0, 1e-9);

    // A clock step of 1/1024 day (84.375 s), exact in binary at this JD.
    const JulianDay t = 2451545.0, previous = 2460000.0, now = previous + 1.0 / 1024;
    struct Case { int speed; bool turbo; double expected_seconds; };
    const Case cases[] = {
        {0, false, 0.0}, {0, true, 0.0},  // paused: time stands still
        {1, false, 84.375}, {-4, false, -337.5}, {2, true, 168750.0},
    };
    for (const Case& c : cases) {
        const double moved = (step_clock_time(t, now, previous, c.speed, c.turbo) - t) * 86400;
        EXPECT_NEAR(moved, c.expected_seconds, 1e-3) << "speed " << c.speed << " turbo " << c.turbo;
    }
}

// A movie tracking a body (the Sun unless told) from (day, month, year,
// hour, minute) UT at time zone 0, showing the bodies of view_set.
MovieState sun_tracking_movie(int day, int month, int year, int hour, int minute, BodySet view_set,
                              int body = id_of(Body::Sun)) {
    MovieParams params = movie_params(day, month, year, hour, minute);
    params.planetarium_not_tracking = 0;
    params.planetarium_body = body;
    params.planetarium_view_set = view_set;
    return start_test_movie(MOVIE_PLANETARIUM, params);
}

// The centre of a body's name as drawn: centred on x, its top half a text
// height (8 units in the recording font) above y.
bool find_name(const SurfaceLog& log, const std::string& name, int& x, int& y) {
    for (const std::string& line : log.lines) {
        int left = 0, top = 0;
        char text[16] = {};
        if (std::sscanf(line.c_str(), "image1: text %d,%d \"%15[^\"]\"", &left, &top, text) == 3 && name == text) {
            x = left + 4 * static_cast<int>(name.size());
            y = top - 8;
            return true;
        }
    }
    return false;
}

// Solar eclipse 1999 Aug 11, greatest 11:02 UT at 45.1 N 24.3 E: Sun centred with semidiameter
// 15'47" (56 units at view angle 5), the Moon's centre within 1.5' of it.
TEST(PlanetariumFrame, EclipseSunAndMoonAtTheirPlaces) {
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieState movie = sun_tracking_movie(11, 8, 1999, 11, 2, SUN_AND_MOON);
    SkyContext sky;
    sky.location.latitude = 45.1;
    sky.location.longitude = 24.3;
    sky.location.longitude_hemisphere = COMPASS_EAST;
    sky.view_angle = 5.0;
    draw_movie_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 0);
    int sun_x = 0, sun_y = 0, moon_x = 0, moon_y = 0;
    ASSERT_TRUE(find_name(log, "Sun", sun_x, sun_y));
    ASSERT_TRUE(find_name(log, "Moon", moon_x, moon_y));
    EXPECT_EQ(sun_x, 375);
    EXPECT_EQ(sun_y, 375);
    EXPECT_EQ(movie.planetarium.bodies[id_of(Body::Sun)].drawn_radius, 56);
    EXPECT_LE(std::hypot(moon_x - sun_x, moon_y - sun_y), 5.0) << "Moon at " << moon_x << "," << moon_y;
    EXPECT_NEAR(view_centre_ra_hours({sky.view_horizontal, sky.view_vertical}), 9.4, 0.05);  // the Sun's RA
}

// Lunar eclipse 2025 Mar 14, greatest 06:58:43 UT, umbral magnitude 1.178 (NASA): Moon wholly in the umbra.
TEST(PlanetariumFrame, MoonInsideTheUmbraAtTotality) {
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieState movie = sun_tracking_movie(14, 3, 2025, 6, 59, SUN_AND_MOON, id_of(Body::Moon));
    SkyContext sky;
    sky.location.longitude = 100.0;
    sky.view_angle = 10.0;
    draw_movie_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 0);
    const PlanetariumState& state = movie.planetarium;
    ASSERT_TRUE(state.shadow_shown);
    const PlanetariumBody& moon = state.bodies[id_of(Body::Moon)];
    const double apart = std::hypot(moon.x - state.shadow.x, moon.y - state.shadow.y);
    EXPECT_LE(apart + moon.drawn_radius, state.umbra_radius + 1.0)
        << "Moon " << moon.x << "," << moon.y << " r " << moon.drawn_radius << "; umbra " << state.shadow.x << ","
        << state.shadow.y << " r " << state.umbra_radius;
    EXPECT_GT(state.shadow.drawn_radius, state.umbra_radius);  // the penumbra around it
}

// The shipped star catalogue, freed when the test ends however it ends.
std::unique_ptr<StarCatalogue> test_catalogue() {
    return load_star_catalogue_file(std::string(SKYLOOM_SOURCE_DIR) + "/data/STARS.DAT");
}

// Paused, time stands still; 250 ms ticks at speed 4 move 1 s.
TEST(PlanetariumFrame, PausedTimeAndClockSteps) {
    const auto catalogue = test_catalogue();
    ASSERT_NE(catalogue, nullptr);
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieState movie = sun_tracking_movie(20, 3, 2024, 0, 0, PLANETARIUM_VIEW);
    movie.catalogue = catalogue.get();
    SkyContext sky;
    sky.view_angle = 90.0;
    sky.time_speed = 0;
    for (std::uint32_t frame = 0; frame < 6; ++frame) {
        draw_movie_frame(*window, 1000, 750, movie, sky, GraphStyle{}, frame);
        EXPECT_EQ(movie.time, movie.start_time) << "frame " << frame;
    }
    EXPECT_EQ(log.images_made, 1);  // one frame buffer, kept between frames
    movie.seconds_per_tick = 0.25;
    sky.time_speed = 4;
    for (std::uint32_t frame = 6; frame < 10; ++frame)
        draw_movie_frame(*window, 1000, 750, movie, sky, GraphStyle{}, frame);
    EXPECT_NEAR((movie.time - movie.start_time) * 86400.0, 4.0, 1e-3);
}

// The star dots a frame drew: "ellipse x-r,y+r x+r,y-r" after the stars' brush.
std::vector<std::pair<int, int>> drawn_star_centres(const SurfaceLog& log, std::size_t from = 0) {
    std::vector<std::pair<int, int>> centres;
    bool star_brush = false;
    for (std::size_t i = from; i < log.lines.size(); ++i) {
        const std::string& line = log.lines[i];
        if (line.rfind("image1: brush ", 0) == 0) star_brush = line == "image1: brush #000001";
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (star_brush && std::sscanf(line.c_str(), "image1: ellipse %d,%d %d,%d", &x1, &y1, &x2, &y2) == 4)
            centres.emplace_back((x1 + x2) / 2, (y1 + y2) / 2);
    }
    return centres;
}

// Every catalogue star (J2000 place) within the picture's inscribed circle
// about a centre is among the drawn dots: at view angle 70 the picture's half
// side R is sin 23.9 deg of sky (k = R sqrt 2 / sin 35).
void expect_whole_sky_around(const StarCatalogue& catalogue, const std::vector<std::pair<int, int>>& drawn,
                             double ra_hours, double dec, const char* what) {
    double centre[3];
    sky_unit_vector(ra_hours, dec, centre);
    int expected = 0, missing = 0;
    for (const StarRecord& star : catalogue.stars) {
        double v[3];
        sky_unit_vector(star.ra_hours, star.dec_degrees, v);
        if (angle_between(v, centre) > 23.0) continue;
        ++expected;
        missing += std::none_of(drawn.begin(), drawn.end(), [&](const std::pair<int, int>& d) {
            return std::abs(d.first - star.screen_x) <= 1 && std::abs(d.second - star.screen_y) <= 1;
        });
    }
    EXPECT_GT(expected, 20) << what;
    EXPECT_EQ(missing, 0) << what << ": " << expected << " stars within 23 degrees";
}

// Orion on 2026 January 15 at 21 h from Greenwich, centred on Betelgeuse: the
// first frame already shows the whole sky, Orion's seven bright stars among it
// at their true separations (Betelgeuse-Rigel 18.6, Betelgeuse-Bellatrix 7.5,
// Bellatrix-Saiph 17.2 degrees; on screen sin(separation) * 924.6 units).
TEST(PlanetariumFrame, FirstFrameOverOrionShowsTheWholeSky) {
    const auto catalogue = test_catalogue();
    ASSERT_NE(catalogue, nullptr);
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieParams params = movie_params(15, 1, 2026, 21);
    params.planetarium_not_tracking = 0;
    params.planetarium_body = 11;
    params.planetarium_star = find_named_star(*catalogue, "Betelgeuse");
    params.planetarium_view_set = NO_BODIES.with(Body::Stars);
    MovieState movie = start_test_movie(MOVIE_PLANETARIUM, params);
    movie.catalogue = catalogue.get();
    SkyContext sky;
    sky.view_angle = 70.0;
    GraphStyle style;
    style.colors[STYLE_STARS] = 1;
    draw_movie_frame(*window, 1000, 750, movie, sky, style, 0);
    const auto drawn = drawn_star_centres(log);
    auto star = [&](const char* name) -> const StarRecord& { return catalogue->stars[find_named_star(*catalogue, name)]; };
    for (const char* name : {"Betelgeuse", "Rigel", "Bellatrix", "Mintaka", "Alnilam", "Alnitak", "Saiph"}) {
        const StarRecord& s = star(name);
        EXPECT_TRUE(s.visible) << name;
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(s.screen_x, s.screen_y)), drawn.end()) << name;
    }
    auto apart = [&](const char* a, const char* b) {
        return std::hypot(star(a).screen_x - star(b).screen_x, star(a).screen_y - star(b).screen_y);
    };
    EXPECT_NEAR(apart("Betelgeuse", "Rigel"), 295.0, 4.0);
    EXPECT_NEAR(apart("Betelgeuse", "Bellatrix"), 120.7, 3.0);
    EXPECT_NEAR(apart("Bellatrix", "Saiph"), 273.4, 4.0);
    EXPECT_EQ(star("Betelgeuse").screen_x, 375);
    expect_whole_sky_around(*catalogue, drawn, 5.919, 7.407, "around Betelgeuse, frame 0");

    // Turned to the Plough in one step (not tracking): the very next frame shows all of it.
    movie.params.planetarium_not_tracking = 1;
    movie.planetarium.tracking = TRACKING_OFF;
    const ViewCentre plough = view_centre_of(11.9, 55.0);
    sky.view_horizontal = plough.horizontal;
    sky.view_vertical = plough.vertical;
    const std::size_t frame_1 = log.lines.size();
    draw_movie_frame(*window, 1000, 750, movie, sky, style, 1);
    expect_whole_sky_around(*catalogue, drawn_star_centres(log, frame_1), 11.9, 55.0, "the Plough, frame 1");
}

// The Moon's dark part as drawn: the window-colour chords, half a unit apart,
// that cover it, read back from the recording: the share of the disc they
// cover and the mean x of their midpoints.
struct MoonShading {
    double fraction = 0.0;   // the illuminated fraction computed
    double dark_share = 0.0;  // chord area / disc area
    double mean_x = 0.0;
    int moon_x = 0;
};

MoonShading moon_at(int day, int month, int year, int hour, int minute) {
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 1000, 750);
    MovieState movie = sun_tracking_movie(day, month, year, hour, minute, NO_BODIES.with(Body::Moon),
                                          id_of(Body::Moon));
    SkyContext sky;
    sky.view_angle = 5.0;
    GraphStyle style;
    style.colors[id_of(Body::Moon)] = surface_color(192, 192, 192);
    draw_movie_frame(*window, 1000, 750, movie, sky, style, 0);
    const PlanetariumBody& moon = movie.planetarium.bodies[id_of(Body::Moon)];
    MoonShading m;
    m.fraction = moon.illuminated;
    m.moon_x = moon.x;
    bool shading = false;
    double length = 0.0;
    for (const std::string& line : log.lines) {
        if (line.rfind("image1: pen ", 0) == 0) shading = line == "image1: pen #ffffff 2";
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (shading && std::sscanf(line.c_str(), "image1: line %d,%d %d,%d", &x1, &y1, &x2, &y2) == 4) {
            const double l = std::hypot(x2 - x1, y2 - y1);
            length += l;
            m.mean_x += l * (x1 + x2) / 2.0;
        }
    }
    if (length > 0.0) m.mean_x /= length;
    m.dark_share = length * 0.5 / (M_PI * moon.drawn_radius * moon.drawn_radius);
    return m;
}

// 2026 phases (USNO): first quarter 26 January 04:47, full 1 February 22:09,
// last quarter 9 February 12:43, new 17 February 12:01 UT.  The dark part
// covers 1 - (illuminated fraction) of the disc.  With east on the left of
// the picture, the evening (first-quarter) Moon is lit on its right, toward
// the Sun in the west, and the morning one on its left.
TEST(PlanetariumFrame, MoonShowsItsPhase) {
    const struct { const char* phase; int day, month, hour, minute; double fraction; int dark_side; } cases[] = {
        {"first quarter", 26, 1, 4, 47, 0.5, -1}, {"full", 1, 2, 22, 9, 1.0, 0},
        {"last quarter", 9, 2, 12, 43, 0.5, +1}, {"new", 17, 2, 12, 1, 0.0, 0}};
    for (const auto& c : cases) {
        const MoonShading m = moon_at(c.day, c.month, 2026, c.hour, c.minute);
        EXPECT_NEAR(m.fraction, c.fraction, 0.01) << c.phase;
        EXPECT_NEAR(m.dark_share, 1.0 - c.fraction, 0.05) << c.phase;
        if (c.dark_side != 0) {
            EXPECT_GT((m.mean_x - m.moon_x) * c.dark_side, 10.0) << c.phase;
        }
    }
}

}  // namespace
