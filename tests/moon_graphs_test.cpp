// The Moon, Jupiter-moons and Eclipses graphs read back from a recording
// surface (8 x 16 font, logical units = pixels) against published facts.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "engine/classical/moon.h"
#include "graphs/eclipses_graph.h"
#include "graphs/moon_graphs.h"
#include "platform/message_pump.h"
#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"

namespace {

const Location GREENWICH{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.4778, 0.0014, 0.0, 46};
const GraphStyle STYLE = [] {
    GraphStyle style;  // window text black on white; entry i is (10 i, 100, 200)
    for (int i = 0; i < STYLE_WINDOW_TEXT; ++i) style.colors[i] = surface_color(10 * i, 100, 200);
    return style;
}();
SurfaceColor pen(int index) { return STYLE.colors[index]; }

using Graph = std::function<int(Surface&)>;
const Graph SPEED_2026 = [](Surface& s) { return moon_angular_speed_graph(s, STYLE, 2026, SkyContext(GREENWICH)); };
const Graph ILLUMINATION_MARCH_2026 = [](Surface& s) { return moon_illumination_graph(s, STYLE, 2026, 3, SkyContext(GREENWICH)); };
const Graph JUPITER_MARCH_2026 = [](Surface& s) { return jupiter_moons_graph(s, STYLE, 2026, 3, 15, true, SkyContext(GREENWICH)); };
const Graph ECLIPSES_2024_2027 = [](Surface& s) { return eclipses_graph(s, STYLE, 2024, 2027, SkyContext(GREENWICH)); };
// Each graph with its frame's top-left corner: margins in characters and lines.
const struct { Graph graph; int x_chars, y_lines; } GRAPHS[] = {
    {SPEED_2026, 7, 4}, {ILLUMINATION_MARCH_2026, 7, 4}, {JUPITER_MARCH_2026, 3, 5}, {ECLIPSES_2024_2027, 10, 4}};

// A recorded graph: each pen's curve (segments joined end to end), the texts
// at each top y (joined by blanks), and the disc-centre pixels by colour.
struct Drawing {
    int result = 0;
    std::map<SurfaceColor, std::vector<SurfacePoint>> curves, pixels;
    std::map<int, std::string> texts;
};
Drawing record(const Graph& graph) {
    SurfaceLog log;
    auto surface = make_recording_surface(log, "g", GRAPH_WIDTH, GRAPH_HEIGHT);
    setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &STYLE);
    Drawing drawing;
    drawing.result = graph(*surface);
    SurfaceColor current = 0;  // frames and discs restore the pen before any next line
    for (const std::string& line : log.lines) {
        char text[128] = "";
        SurfacePoint a, b;
        if (std::sscanf(line.c_str(), "g: pen #%x", &current) == 1) continue;
        if (std::sscanf(line.c_str(), "g: line %d,%d %d,%d", &a.x, &a.y, &b.x, &b.y) == 4) {
            std::vector<SurfacePoint>& curve = drawing.curves[current];
            if (curve.empty() || !(curve.back() == a)) curve.push_back(a);
            curve.push_back(b);
        } else if (std::sscanf(line.c_str(), "g: text %d,%d \"%127[^\"]", &a.x, &a.y, text) == 3)
            drawing.texts[a.y] += std::string(text) + " ";
        else if (SurfaceColor color; std::sscanf(line.c_str(), "g: pixel %d,%d #%x", &a.x, &a.y, &color) == 3)
            drawing.pixels[color].push_back(a);
    }
    return drawing;
}

// Full Moon 3 March 2026 11:38 UT, new Moon 19 March 01:23 UT (USNO).  Frame
// y0 64, height 622; day labels (odd days) with their top at 56.
TEST(MoonGraphs, IlluminatedFractionAtTheFullAndNewMoonsOfMarch2026) {
    Drawing march = record(ILLUMINATION_MARCH_2026);
    const std::vector<SurfacePoint>& moon = march.curves[pen(1)];
    ASSERT_EQ(moon.size(), 32u) << "31 midnights and the one closing the month";
    auto fraction = [&](int day) { return (moon[day - 1].y - 64) / 622.0; };
    EXPECT_GT(std::max(fraction(3), fraction(4)), 0.97) << "full between the midnights of 3 and 4 March";
    EXPECT_LT(fraction(19), 0.02) << "new 1.4 h after the midnight of 19 March";
    Drawing february = record([](Surface& s) { return moon_illumination_graph(s, STYLE, 2024, 2, SkyContext(GREENWICH)); });
    EXPECT_EQ(february.curves[pen(1)].size(), 30u);
    EXPECT_EQ(february.texts[56], "1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 ") << "no closing 1: 30 is even";
    EXPECT_EQ(record([](Surface& s) { return moon_illumination_graph(s, STYLE, 2026, 4, SkyContext(GREENWICH)); }).texts[56],
              "1 3 5 7 9 11 13 15 17 19 21 23 25 27 29 1 ") << "31 is odd: May's 1st closes April";
}

// The Moon moves fastest at perigee (356 400-370 400 km), about 15.4 degrees
// a day at most.  Day i's value is the gain since the midnight before.
TEST(MoonGraphs, AngularSpeedIsFastestNearPerigee) {
    const std::vector<SurfacePoint> moon = record(SPEED_2026).curves[pen(1)];
    ASSERT_EQ(moon.size(), 365u) << "from 1 January; 30 and 31 December only prime";
    size_t fastest = 0;
    for (size_t i = 0; i < moon.size(); ++i) fastest = moon[i].y > moon[fastest].y ? i : fastest;
    EXPECT_NEAR(11.0 + (moon[fastest].y - 64) / 124.4, 15.2, 0.3) << "degrees a day; 124.4 units each";
    double day;
    int month, year;
    calendar_date(julian_day(1.0, 1, 2026) + fastest - 0.5, day, month, year);
    EXPECT_LT(moon_distance_km(12.0, static_cast<int>(day), month, year), 365000.0) << month << "/" << day;
}

// Greatest elongations (Meeus; Jupiter radii): Io, Europa, Ganymede, Callisto.
// Centre line at y 375, 295/30 units a radius.
TEST(MoonGraphs, JupiterMoonsSwingToTheirOrbitsRadii) {
    Drawing drawing = record(JUPITER_MARCH_2026);
    const double radii[] = {5.906, 9.397, 14.989, 26.365};
    for (int m = 0; m < 4; ++m) {
        double widest = 0.0;
        for (SurfacePoint p : drawing.curves[pen(16 + m)]) widest = std::max(widest, std::abs(p.y - 375) / 9.833);
        EXPECT_NEAR(widest, radii[m], 0.35) << "moon " << m + 1;
    }
}

// Umbral lunar (1) and solar (0) eclipses of 2024-2027 by UT date (NASA Five
// Millennium Canon); rows 622/3 units apart from y 64, 840 units a year.
TEST(EclipsesGraph, MarksTheEclipsesOf2024To2027) {
    const int eclipses[][4] = {{2024, 4, 8, 0}, {2024, 9, 18, 1}, {2024, 10, 2, 0}, {2025, 3, 14, 1}, {2025, 3, 29, 0},
                               {2025, 9, 7, 1}, {2025, 9, 21, 0}, {2026, 2, 17, 0}, {2026, 3, 3, 1}, {2026, 8, 12, 0},
                               {2026, 8, 28, 1}, {2027, 2, 6, 0}, {2027, 8, 2, 0}};
    Drawing drawing = record(ECLIPSES_2024_2027);
    EXPECT_EQ(drawing.pixels[pen(0)].size() + drawing.pixels[pen(1)].size(), std::size(eclipses));
    for (const auto [year, month, day, kind] : eclipses) {
        const int row = static_cast<int>((year - 2024) * 622 / 3.0 + 64);
        const double start = julian_day(1.0, 1, year), days = julian_day(1.0, 1, year + 1) - start;
        const int x = 80 + static_cast<int>((julian_day(day + 0.5, month, year) - start) / days * 840);
        int found = 0;
        for (SurfacePoint p : drawing.pixels[pen(kind)]) found += p.y == row && std::abs(p.x - x) <= 2;
        EXPECT_EQ(found, 1) << year << "-" << month << "-" << day << " kind " << kind;
        EXPECT_EQ(drawing.texts[row + 8], std::to_string(year) + " ");
    }
}

// Each graph stopped before drawing returns 1 with only its frame and rules;
// drawn whole on a white 1000 x 750 image, saved as PNG, its frame's
// top-left corner is in window text.
TEST(Graphs, EachGraphStopsAndPaintsAPng) {
    QTemporaryDir folder;
    for (const auto& g : GRAPHS) {
        work_signals().stop_requested = true;
        Drawing stopped = record(g.graph);
        work_signals().stop_requested = false;
        EXPECT_EQ(stopped.result, 1);
        EXPECT_EQ(stopped.curves.count(pen(1)) + stopped.curves.count(pen(16)) + stopped.pixels.size(), 0u);
        EXPECT_FALSE(stopped.curves[pen(STYLE_WINDOW_TEXT)].empty()) << "the rules";
        auto image = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
        setup_drawing(*image, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &STYLE);
        fill_rect(*image, 0, 0, GRAPH_WIDTH, GRAPH_HEIGHT, STYLE.background, STYLE.background);
        ASSERT_EQ(g.graph(*image), 0) << g.x_chars;
        EXPECT_TRUE(save_png(*image, folder.filePath(QString::number(g.x_chars) + ".png").toStdString()));
        const int top = GRAPH_HEIGHT - g.y_lines * line_height(*image);
        SurfacePoint corner = to_device(image->mapping(), {g.x_chars * char_width(*image), top});
        EXPECT_EQ(surface_image(*image)->pixel(corner.x, corner.y) & 0xFFFFFF, 0u) << g.x_chars;
    }
}

}  // namespace

#include "qt_test_main.h"
