// The planet graphs on the recording surface (1000 x 750, 8 x 16 font), their curves read back as
// values and checked against published events, and each graph once on a Qt image.
#include "engine/bodies.h"
#include "graphs/planet_graphs.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/message_pump.h"
#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"

namespace {

using Graph = int (*)(Surface&, const GraphStyle&, int year, BodySet planet_set, const SkyContext& sky);
using Segment = std::pair<SurfacePoint, SurfacePoint>;
int from_earth(Surface& s, const GraphStyle& g, int year, BodySet set, const SkyContext& sky) {
    return planet_distance_graph(s, g, year, set, 0, sky);
}
int from_sun(Surface& s, const GraphStyle& g, int year, BodySet set, const SkyContext& sky) {
    return planet_distance_graph(s, g, year, set, 1, sky);
}

GraphStyle test_style() {  // window text stays black
    GraphStyle style;
    for (int i = 0; i < STYLE_WINDOW_TEXT; ++i) style.colors[i] = surface_color(40 + 10 * i, 200 - 9 * i, 90);
    return style;
}

struct Recording {
    int result = 0;
    std::vector<std::string> lines;
    std::map<SurfaceColor, std::vector<Segment>> segments;  // the lines drawn in each pen colour
    std::vector<Segment>& of(int body) { return segments[test_style().colors[body]]; }
    std::vector<SurfacePoint> curve(int body, int top) {  // without leaders rising above top to a label
        std::vector<SurfacePoint> points;
        for (auto [a, b] : of(body)) {
            if (a.x == b.x && b.y > top) continue;
            if (points.empty()) points.push_back(a);
            points.push_back(b);
        }
        return points;
    }
    bool has(const std::string& line) const { return std::ranges::find(lines, "s: " + line) != lines.end(); }
};

template <typename Draw>
Recording record(Draw draw) {
    SurfaceLog log;
    auto surface = make_recording_surface(log, "s", GRAPH_WIDTH, GRAPH_HEIGHT);
    GraphStyle style = test_style();
    setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &style);
    Recording r{draw(*surface, style), log.lines, {}};
    SurfaceColor pen = 0;
    for (const std::string& line : log.lines) {
        SurfacePoint a, b;
        if (std::sscanf(line.c_str(), "s: line %d,%d %d,%d", &a.x, &a.y, &b.x, &b.y) == 4)
            r.segments[pen].push_back({a, b});
        std::sscanf(line.c_str(), "s: pen #%x", &pen);
    }
    return r;
}

// Weekly samples from 1 January (sample 0), read back from the plotted y as values.
TEST(PlanetGraphs, CurvesMeetPublishedEvents) {
    // x0, y0: the frame's left and bottom edges; bottom, top: the axis values there and at the frame's top;
    // extreme -1 (+1): the sample is the curve's lowest (highest) point, ties allowed.
    struct Case { Graph graph; int x0, y0; double bottom, top; int year, body, sample;
                  double expected, tolerance; int extreme; const char* source; };
    const Case cases[] = {
        {planet_illumination_graph, 56, 80, 0, 1, 2023, 4, 32, 0.0, 0.02, -1, "Venus inferior conjunction 2023 Aug 13"},
        {from_earth, 56, 96, 0, 60, 2025, 5, 2, 0.642, 0.12, -1, "Mars closest 2025 Jan 12, 0.642 AU"},
        {planet_magnitude_graph, 48, 80, 20, -6, 2026, 6, 1, -2.7, 0.2, 1, "Jupiter opposition 2026 Jan 10, mag -2.7"},
        {planet_diameter_graph, 56, 96, 0, 70, 2026, 6, 1, 46.6, 1.0, 1, "Jupiter opposition 2026 Jan 10, 46.6\""},
        {from_sun, 56, 96, 0, 60, 2023, 2, 0, 0.983, 0.11, 0, "Earth at perihelion 2023 Jan 4, 0.983 AU"},
    };
    for (const Case& c : cases) {
        Recording r = record([&](Surface& s, const GraphStyle& g) { return c.graph(s, g, c.year, NO_BODIES.with(c.body), {}); });
        int height = (375 - c.y0) * 2;
        std::vector<SurfacePoint> points = r.curve(c.body, c.y0 + height);
        ASSERT_EQ(points.size(), 53u) << c.source << ": weekly from 1 January to 31 December";
        EXPECT_EQ(points.front().x, c.x0) << c.source;
        EXPECT_EQ(points.back().x, c.x0 + std::lround((1000 - 2 * c.x0) * 364.0 / 365)) << c.source;
        EXPECT_NEAR(c.bottom + (points[c.sample].y - c.y0) * (c.top - c.bottom) / height, c.expected, c.tolerance)
            << c.source;
        for (const SurfacePoint& p : points) EXPECT_LE(c.extreme * (p.y - points[c.sample].y), 0) << c.source;
    }
    Recording earth = record([](Surface& s, const GraphStyle& g) { return from_earth(s, g, 2023, EARTH_AND_PLANETS, {}); });
    EXPECT_TRUE(earth.of(2).empty()) << "no Earth curve in the distances from the Earth";
}

TEST(PlanetGraphs, OrbitSunRisesFromTheCornerAndOppositionPointWrapsWithoutJoin) {
    Recording r = record([](Surface& s, const GraphStyle& g) { return planet_orbit_graph(s, g, 2023, NO_BODIES, {}); });
    const int y0 = 80, height = 590, last_x = 926;  // x0 72; 31 December at 72 + 856 * 364 / 365
    std::vector<Segment> sun = r.of(0);
    int last_y = 0;
    for (auto [a, b] : sun) {
        EXPECT_LT(std::abs(b.y - a.y), height / 2) << "a joining line across the plot";
        if (b.x == last_x) last_y = std::max(last_y, b.y - 1);  // the middle of the Sun's three strokes
    }
    // Three strokes of 52 weekly segments for the Sun; the opposite point loses the one across 24 h -> 0 h.
    ASSERT_EQ(sun.size(), 3 * 52 + 3 * 51u);
    EXPECT_EQ(sun[1].first, (SurfacePoint{72, 80})) << "the Sun starts at the bottom-left corner on 1 January";
    // On 31 December the Sun is about 1 degree (0.066 h) short of a full circle of right ascension.
    EXPECT_NEAR(last_y, y0 + height * (24 - 0.066) / 24, 2);
}

TEST(PlanetGraphs, AngleMonthAxisAndMarsSaturnConjunction) {
    Recording r = record([](Surface& s, const GraphStyle& g) { return planet_angle_graph(s, g, 2024, 4, {}, 5, NO_BODIES.with(Body::Saturn)); });
    // 30 days: step trunc(888 / 31) = 28, plot 840 wide; odd days numbered, then "1" one column past the edge.
    EXPECT_TRUE(r.has("text 52,72 \"1\"") && r.has("text 832,72 \"29\"") && r.has("text 900,72 \"1\""));
    EXPECT_FALSE(r.has("text 860,72 \"30\""));
    EXPECT_TRUE(r.has("text 320,734 \"Planet Angle Graph for Mars, April 2024\""));
    std::vector<SurfacePoint> points = r.curve(7, 670);
    ASSERT_EQ(points.size(), 31u);
    // Mars passed 0.4 degrees from Saturn late on 2024 April 10 UT: the nearest midnight is day index 10.
    EXPECT_NEAR((points[10].y - 80) * 180.0 / 590, 0.4, 0.35);
    for (const SurfacePoint& p : points) EXPECT_GE(p.y, points[10].y);
}

TEST(PlanetGraphs, StopInTheFifthCurveKeepsFourAndPartOfTheFifth) {
    static int pumps = 0;  // one pump before each curve and one after each of its 53 samples
    set_pending_event_processor([](int) { work_signals().stop_requested = ++pumps == 4 * 54 + 1 + 10; });
    Recording r = record([](Surface& s, const GraphStyle& g) { return planet_magnitude_graph(s, g, 2023, PLANETS, {}); });
    set_pending_event_processor(nullptr);
    work_signals().stop_requested = false;
    EXPECT_EQ(r.result, 1);
    for (int body = 3; body <= 6; ++body) EXPECT_EQ(r.curve(body, 670).size(), 53u) << body;
    EXPECT_EQ(r.curve(7, 670).size(), 10u);
    EXPECT_TRUE(r.curve(8, 670).empty());
}

// Each graph on a 1000 x 750 image, written as a PNG: the frame's left edge is drawn in window text.
TEST(PlanetGraphs, PngOfEachGraphShowsItsFrame) {
    QTemporaryDir dir;
    struct Case { Graph graph; int x_factor, y_factor; const char* name; };
    Graph angle = [](Surface& s, const GraphStyle& g, int year, BodySet set, const SkyContext& sky) {
        return planet_angle_graph(s, g, year, 1, sky, 4, set);
    };
    const Case cases[] = {{planet_orbit_graph, 9, 5, "orbit"},        {planet_magnitude_graph, 6, 5, "magnitude"},
                          {planet_illumination_graph, 7, 5, "illum"}, {planet_diameter_graph, 7, 6, "diameter"},
                          {from_sun, 7, 6, "distance"},               {angle, 7, 5, "angle"}};
    for (const Case& c : cases) {
        auto surface = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
        GraphStyle style = test_style();
        setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &style);
        fill_rect(*surface, 0, GRAPH_HEIGHT, GRAPH_WIDTH, 0, style.background, style.background);
        EXPECT_EQ(c.graph(*surface, style, 2024, PLANETS, {}), 0) << c.name;
        int x0 = c.x_factor * char_width(*surface), y0 = c.y_factor * line_height(*surface), edge = 0;
        for (int y = y0; y <= GRAPH_HEIGHT - y0; ++y) edge += (surface_image(*surface)->pixel(x0, y) & 0xFFFFFF) == 0;
        EXPECT_GT(edge, (GRAPH_HEIGHT - 2 * y0) * 9 / 10) << c.name;
        EXPECT_TRUE(save_png(*surface, dir.filePath(c.name).toStdString() + ".png")) << c.name;
    }
}

}  // namespace

#include "qt_test_main.h"
