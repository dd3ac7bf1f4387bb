// Pluto's series holds from 1885 to 2099 (Meeus, Astronomical Algorithms,
// chapter 37): with the precise engine, a graph or movie that shows Pluto
// outside those years marks it "Pluto*" and says so; inside them, or with the
// classical engine, the picture is as it always was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/approximate_places.h"
#include "engine/precise/precise_engine.h"
#include "graphs/planet_graphs.h"
#include "movies/ecliptic.h"
#include "movies/movie.h"
#include "platform/recording_surface.h"

namespace {

const std::string NOTE = "\"* Pluto outside 1885-2099, where its series holds: places may be degrees off\"";

int lines_with(const SurfaceLog& log, const std::string& part) {
    return static_cast<int>(std::ranges::count_if(log.lines, [&](const std::string& l) {
        return l.find(part) != std::string::npos;
    }));
}

SkyContext sky_of(const SkyEngine& engine) {
    SkyContext sky;
    sky.engine = &engine;
    sky.view_angle = 90.0;
    return sky;
}

using Graph = int (*)(Surface&, const GraphStyle&, int year, BodySet planet_set, const SkyContext& sky);

SurfaceLog draw_planet_graph(Graph graph, int year, const SkyEngine& engine) {
    SurfaceLog log;
    auto surface = make_recording_surface(log, "s", GRAPH_WIDTH, GRAPH_HEIGHT);
    setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, nullptr);
    EXPECT_EQ(graph(*surface, GraphStyle{}, year, NO_BODIES.with(Body::Mars).with(Body::Pluto), sky_of(engine)), 0);
    return log;
}

TEST(ApproximatePluto, TheSpanDecidesAtEitherEnd) {
    const BodySet pluto = NO_BODIES.with(Body::Pluto);
    const JulianDay y1850 = julian_day(1.0, 6, 1850), y1885 = julian_day(2.0, 1, 1885), y2026 = julian_day(1.0, 1, 2026),
                    y2099 = julian_day(31.0, 12, 2099), y2100 = julian_day(2.0, 1, 2100);
    EXPECT_TRUE(pluto_approximate(PRECISE_ENGINE, pluto, y1850, y1850));
    EXPECT_TRUE(pluto_approximate(PRECISE_ENGINE, pluto, y2100, y2100));
    EXPECT_TRUE(pluto_approximate(PRECISE_ENGINE, pluto, y1850, y2026));  // a span reaching out of it
    EXPECT_TRUE(pluto_approximate(PRECISE_ENGINE, pluto, y1850, y2100));  // and one holding all of it
    EXPECT_FALSE(pluto_approximate(PRECISE_ENGINE, pluto, y1885, y2099));
    EXPECT_FALSE(pluto_approximate(PRECISE_ENGINE, NO_BODIES.with(Body::Neptune), y1850, y1850));
    EXPECT_FALSE(pluto_approximate(CLASSICAL_ENGINE, pluto, y1850, y1850));
}

// 1850: the note on the top line, above the title, and the label "Pluto*";
// 2026, and the classical engine in 1850: neither.
TEST(ApproximatePluto, PlanetGraphsStarPlutoAndSaySo) {
    for (Graph graph : {planet_orbit_graph, planet_magnitude_graph, planet_diameter_graph}) {
        SurfaceLog flagged = draw_planet_graph(graph, 1850, PRECISE_ENGINE);
        EXPECT_EQ(lines_with(flagged, NOTE), 1);
        EXPECT_EQ(lines_with(flagged, ",750 " + NOTE), 1);  // its top on the graph space's top edge
        EXPECT_EQ(lines_with(flagged, "\"Pluto*\""), 1);
        EXPECT_EQ(lines_with(flagged, "\"Pluto\""), 0);
        for (const SurfaceLog& plain : {draw_planet_graph(graph, 2026, PRECISE_ENGINE),
                                        draw_planet_graph(graph, 1850, CLASSICAL_ENGINE)}) {
            EXPECT_EQ(lines_with(plain, NOTE), 0);
            EXPECT_EQ(lines_with(plain, "\"Pluto*\""), 0);
            EXPECT_EQ(lines_with(plain, "\"Pluto\""), 1);
        }
    }
}

// The angle graph of one month: Pluto as the main planet is enough for the note.
TEST(ApproximatePluto, PlanetAngleGraphOfAMonth) {
    auto note_lines = [](int year, int main_planet, BodySet others) {
        SurfaceLog log;
        auto surface = make_recording_surface(log, "s", GRAPH_WIDTH, GRAPH_HEIGHT);
        setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, nullptr);
        planet_angle_graph(*surface, GraphStyle{}, year, 3, sky_of(PRECISE_ENGINE), main_planet, others);
        return lines_with(log, NOTE);
    };
    EXPECT_EQ(note_lines(1850, id_of(Body::Pluto), NO_BODIES.with(Body::Mars)), 1);
    EXPECT_EQ(note_lines(1850, id_of(Body::Mars), NO_BODIES.with(Body::Pluto)), 1);
    EXPECT_EQ(note_lines(1850, id_of(Body::Mars), NO_BODIES.with(Body::Saturn)), 0);
    EXPECT_EQ(note_lines(2026, id_of(Body::Mars), NO_BODIES.with(Body::Pluto)), 0);
}

// The first frame of a movie starting on 1 June of year at 0 h, on the recording surface.
SurfaceLog movie_frame(MovieKind kind, int year, const SkyEngine& engine) {
    MovieParams params;
    params.day = 1, params.month = 6, params.year = year, params.hour = 0, params.minute = 0;
    params.planet_set = NO_BODIES.with(Body::Earth).with(Body::Pluto);
    params.planetarium_body = id_of(Body::Pluto);
    params.planetarium_view_set = NO_BODIES.with(Body::Sun).with(Body::Pluto);
    params.label_planets = 1;
    MovieState movie;
    start_movie(movie, kind, params, nullptr);
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", GRAPH_WIDTH, GRAPH_HEIGHT);
    SkyContext sky = sky_of(engine);
    draw_movie_frame(*window, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, GraphStyle{}, 0);
    return log;
}

// The status panel's line below its last (planetarium: line 18, 16 units a
// line below the top at 750; ecliptic: line 10) and the label "Pluto*".
TEST(ApproximatePluto, MoviesStarPlutoInTheirPanel) {
    struct Case { MovieKind kind; int panel_line_y; };
    const Case cases[] = {{MOVIE_PLANETARIUM, 750 + 16 * (1 - 18)},
                          {MOVIE_ECLIPTIC_TOP, 750 + 16 * (1 - 10)},
                          {MOVIE_ECLIPTIC_SIDE, 734 + 16 * (1 - 10)}};
    for (const Case& c : cases) {
        SurfaceLog flagged = movie_frame(c.kind, 1850, PRECISE_ENGINE);
        EXPECT_EQ(lines_with(flagged, "," + std::to_string(c.panel_line_y) + " \"Pluto* approximate\""), 1)
            << "movie " << c.kind;
        EXPECT_EQ(lines_with(flagged, "\"Pluto*\""), 1) << "movie " << c.kind;
        for (const SurfaceLog& plain : {movie_frame(c.kind, 2026, PRECISE_ENGINE),
                                        movie_frame(c.kind, 1850, CLASSICAL_ENGINE)}) {
            EXPECT_EQ(lines_with(plain, "Pluto* approximate"), 0) << "movie " << c.kind;
            EXPECT_EQ(lines_with(plain, "\"Pluto*\""), 0) << "movie " << c.kind;
            EXPECT_EQ(lines_with(plain, "\"Pluto\""), 1) << "movie " << c.kind;
        }
    }
}

}  // namespace
