// The drawing layer and the graph frame on the recording surface (8 x 16 font,
// 1000 x 750 pixels, so logical units are pixels): the frame's layout values,
// tick marks against grid lines, the month axis, the legend slots, text
// placement and the one-pixel cases of frames and discs.
#include "graphs/graph_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/recording_surface.h"

namespace {

// A recording surface "s" of width x height pixels in the graph mapping.
struct Recording {
    SurfaceLog log;
    std::unique_ptr<Surface> surface;
    explicit Recording(int width = GRAPH_WIDTH, int height = GRAPH_HEIGHT)
        : surface(make_recording_surface(log, "s", width, height)) {
        setup_drawing(*surface, DRAWING_GRAPH, width, height, nullptr);
        log.lines.clear();
    }
    long count(const std::string& line) const { return std::count(log.lines.begin(), log.lines.end(), line); }
};

TEST(GraphFrame, LayoutFromMarginsAndYear) {
    Recording r;
    GraphFrame frame = make_graph_frame(*r.surface, 6, 5, 2024);
    EXPECT_EQ((std::vector<int>{frame.x0, frame.y0, frame.width, frame.height}), (std::vector<int>{48, 80, 904, 590}));
    EXPECT_EQ(frame.days, 366) << "leap year";
    EXPECT_EQ(make_graph_frame(*r.surface, 6, 5, 2023).days, 365);
    // 1 March 2024 is day 60 of a 366-day axis: 48 + round(60 / 366 * 904) = 48 + 148.
    EXPECT_EQ(date_to_x(frame.x0, frame.width, frame.days, julian_day(1.0, 3, 2024), frame.start), 196);
    EXPECT_EQ(value_to_y(20.0, -6.0, 20.0, 590, 80), 80) << "bottom value on the bottom edge";
    EXPECT_EQ(value_to_y(20.0, -6.0, -6.0, 590, 80), 670) << "top value on the top edge";
    EXPECT_EQ(value_to_y(20.0, -6.0, 21.0, 590, 80), 57) << "outside the range is not clipped";
}

TEST(GraphFrame, RulesAsTickMarksOrGridLines) {
    Recording ticks;
    draw_x_rule(*ticks.surface, GraphStyle{.grid_lines = false}, 300, 80, 590);
    draw_y_rule(*ticks.surface, GraphStyle{.grid_lines = false}, 200, 48, 904);
    EXPECT_EQ(ticks.log.lines, (std::vector<std::string>{"s: line 300,670 300,662", "s: line 300,80 300,88",
                                                         "s: line 48,200 56,200", "s: line 944,200 952,200"}));
    Recording grid;
    draw_x_rule(*grid.surface, GraphStyle{.grid_lines = true}, 300, 80, 590);
    draw_y_rule(*grid.surface, GraphStyle{.grid_lines = true}, 200, 48, 904);
    EXPECT_EQ(grid.log.lines, (std::vector<std::string>{"s: line 300,80 300,670", "s: line 48,200 952,200"}));
}

TEST(GraphFrame, MonthAxisNumbersStandAtTheFirstOfEachMonth) {
    Recording r;
    GraphFrame frame = make_graph_frame(*r.surface, 7, 4, 2023);
    draw_month_axis(*r.surface, GraphStyle{.grid_lines = true}, 2023, frame);
    // 2023: 1 January at x0 = 56; 1 July is day 181 of 365: 56 + round(181 / 365 * 888) = 496.
    EXPECT_EQ(1, r.count("s: line 56,64 56,686"));
    EXPECT_EQ(1, r.count("s: text 52,56 \"1\""));
    EXPECT_EQ(1, r.count("s: line 496,64 496,686"));
    EXPECT_EQ(1, r.count("s: text 492,56 \"7\""));
    EXPECT_EQ(1, r.count("s: text 861,56 \"12\"")) << "1 December, day 334: x = 56 + 813, two digits centred";
    EXPECT_EQ(r.log.lines.size(), 24u);
}

TEST(GraphFrame, LegendSlotsInTwoStaggeredRows) {
    Recording r;
    LegendSlot slots[LEGEND_SLOT_COUNT];
    layout_legend(*r.surface, 904, 590, 48, 80, false, slots);
    const struct { int body, x, y; } expected[] = {{3, 104, 702}, {4, 217, 686}, {10, 895, 686}};
    for (const auto& e : expected) {
        EXPECT_EQ(slots[e.body - 2].x, e.x) << "body " << e.body;
        EXPECT_EQ(slots[e.body - 2].y, e.y) << "body " << e.body;
    }
    // Mercury's label waits for the first point at or right of its slot.
    draw_planet_label(*r.surface, slots, 3, 100, 300);
    EXPECT_TRUE(r.log.lines.empty());
    draw_planet_label(*r.surface, slots, 3, 110, 300);
    draw_planet_label(*r.surface, slots, 3, 120, 300);
    EXPECT_EQ(r.log.lines, (std::vector<std::string>{"s: line 110,300 110,702", "s: text 82,710 \"Mercury\""}));
}

TEST(DrawingLayer, TextPlacement) {
    Recording r;
    draw_text_vertical(*r.surface, 10, 300, "Minute");
    EXPECT_EQ(r.log.lines.front(), "s: text 10,348 \"M\"") << "6 letters of 16: first top at y + 48";
    EXPECT_EQ(r.log.lines.back(), "s: text 10,268 \"e\"");
    r.log.lines.clear();
    draw_text_vertical(*r.surface, 10, 300, "");  // nothing
    draw_body_name(*r.surface, 0, 500, 400);
    EXPECT_EQ(r.log.lines, (std::vector<std::string>{"s: text 488,408 \"Sun\""}));
}

TEST(DrawingLayer, FramesAndDiscsDownToOnePixel) {
    Recording r(800, 600);
    // At 800 x 600 one device pixel is 1.25 units: the raised origin is (0, 1).
    draw_frame(*r.surface, 0, 0, 100, 50, true, surface_color(0, 0, 255));
    EXPECT_EQ(r.count("s: polyline 0,1 100,1 100,50 0,50 0,1"), 1);
    fill_disc(*r.surface, GraphStyle{.colors = {0, 0, 0, 0, surface_color(0, 255, 0)}}, 30, 40, 0, 4, -1, false);
    EXPECT_EQ(r.count("s: pixel 30,40 #00ff00"), 1) << "a disc of radius 0 still sets its centre pixel";
    EXPECT_EQ(r.log.lines.back(), "s: restore");
}

TEST(DrawingLayer, JetTrailsTakeBodiesButNotShadows) {
    Recording r;
    auto trails = make_recording_surface(r.log, "t", GRAPH_WIDTH, GRAPH_HEIGHT);
    draw_body(*r.surface, GraphStyle{}, 6, 100, 100, 5, false, trails.get());
    draw_body(*r.surface, GraphStyle{}, 14, 100, 100, 20, false, trails.get());
    EXPECT_EQ(r.count("s: ellipse 95,105 105,95"), 1) << "Jupiter's disc";
    EXPECT_EQ(r.count("t: ellipse 95,105 105,95"), 1) << "its hollow trail";
    EXPECT_EQ(r.count("s: ellipse 80,120 120,80"), 1) << "the penumbra";
    EXPECT_EQ(r.count("t: ellipse 80,120 120,80"), 0) << "never copied to the trails";
    EXPECT_EQ(r.count("s: text 108,116 \"Jupiter\""), 0) << "label flag off";
}

}  // namespace
