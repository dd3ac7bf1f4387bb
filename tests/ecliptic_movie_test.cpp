// The ecliptic movies: scale and strip edge cases, published places of
// Meeus's worked examples (Astronomical Algorithms, 2nd ed.: "AA") on screen.
#include "engine/bodies.h"
#include "movies/ecliptic.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "movie_test_support.h"

namespace {

// Top view: 1 AU = 0.02 R at view angle 90, 18 times that at 5; side strip
// 72..928 by 64..558 for latitude -18..18; "Ari" stands at 40, "Psc" at 10.
TEST(EclipticGeometry, ScaleStripAndLabelEdgeCases) {
    struct Case { bool top; double longitude, r_or_latitude, view_angle; int x, y; };
    const Case cases[] = {
        {true, 0.0, 1.0, 90.0, 375, 383},   {true, 90.0, 1.0, 90.0, 368, 375},  {true, 0.0, 1.0, 5.0, 375, 510},
        {true, 180.0, 4.0, 5.0, 375, -164},  {false, 0.0, 18.0, 0.0, 72, 558}, {false, 360.0, -18.0, 0.0, 928, 64},
        {false, 180.0, 0.0, 0.0, 500, 311},  {false, 90.0, 20.0, 0.0, 286, 587},
    };
    const EclipticStrip strip = ecliptic_strip(8, 16, {GRAPH_WIDTH, GRAPH_HEIGHT});
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

// AA ex. 32.a, 1992 Dec 20 0h TD (VSOP87 Venus and Earth): the places and the
// discs drawn where the published places put them at view angle 5.
TEST(EclipticFrame, MeeusPlacesOnScreen) {
    struct Case { int body; double l, b, r, tolerance; MovieKind kind; int x, y; };
    const Case cases[] = {
        {id_of(Body::Venus), 26.11428, -2.62070, 0.724603, 0.005, MOVIE_ECLIPTIC_TOP, 332, 463},
        {id_of(Body::Venus), 26.11428, -2.62070, 0.724603, 0.005, MOVIE_ECLIPTIC_SIDE, 134, 276},
        {id_of(Body::Earth), 88.35704, 0.0, 0.983824, 0.01, MOVIE_ECLIPTIC_TOP, 242, 379},
        {id_of(Body::Earth), 88.35704, 0.0, 0.983824, 0.01, MOVIE_ECLIPTIC_SIDE, 282, 311},
    };
    for (const Case& c : cases) {
        MovieParams params = movie_params(19, 12, 1992, 23, 59);
        params.planet_set = NO_BODIES.with(c.body);
        MovieState movie = start_test_movie(c.kind, params);
        const EclipticPlace place = ecliptic_place(CLASSICAL_ENGINE, c.body, movie_start_time(19, 12, 1992, 23 + 59 / 60.0, {}));
        EXPECT_NEAR(place.longitude, c.l, c.tolerance) << "body " << c.body;
        EXPECT_NEAR(place.latitude, c.b, c.tolerance) << "body " << c.body;
        EXPECT_NEAR(place.radius, c.r, 1e-4) << "body " << c.body;
        SurfaceLog log;
        auto window = make_recording_surface(log, "window", 1000, 750);
        SkyContext sky;
        sky.view_angle = 5.0;
        ecliptic_frame(*window, 1000, 750, movie, sky, GraphStyle{}, 0);
        const std::string pixel = "image1: pixel " + std::to_string(c.x) + "," + std::to_string(c.y) + " #000000";
        EXPECT_EQ(count_lines(log, pixel), 1) << pixel;
    }
}

}  // namespace
