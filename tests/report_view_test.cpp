// The report view without a window: scrolling by the scroll-bar rules, the
// lines a paint draws and where, and where lines and the progress line go
// while a report is made.  The window here is 50 columns by 20 rows of an
// 8 x 16 pixel font (400 x 320 pixels).
#include "reports/report_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr ReportViewMetrics VIEW = {8, 16, 400, 320};

ReportDocument numbered_lines(int count) {
    ReportDocument d;
    for (int i = 0; i < count; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "Line %03d", i);
        report_add_line(line, d);
    }
    return d;
}

// Each scroll from a start position: the position after, and the thumb set
// (-1: the thumb is left alone, as where it was dropped).
TEST(ReportScroll, ByTheScrollBarRules) {
    ReportViewMetrics wide = VIEW, tall = VIEW;
    wide.client_width = 85 * VIEW.char_width;
    tall.client_height = 100 * VIEW.line_height;
    struct Scroll { int start; ScrollCode code; int thumb, expected, expected_thumb; };
    const struct { const char* what; ScrollBarKind bar; ReportViewMetrics view; int lines; std::vector<Scroll> steps; }
        groups[] = {
            // A line is 360 / 80 = 4.5 thumb units, truncated; a page is rows - 1.
            {"100 lines in 20 rows: top line 0 to 80", SCROLL_VERTICAL, VIEW, 100,
             {{0, SCROLL_LINE_DOWN, 0, 1, 4}, {0, SCROLL_LINE_UP, 0, 0, -1}, {80, SCROLL_LINE_DOWN, 0, 80, -1},
              {0, SCROLL_PAGE_DOWN, 0, 19, 85}, {75, SCROLL_PAGE_DOWN, 0, 80, 360}, {30, SCROLL_PAGE_UP, 0, 11, 49},
              {5, SCROLL_PAGE_UP, 0, 0, 0}, {40, SCROLL_TOP, 0, 0, 0}, {0, SCROLL_BOTTOM, 0, 80, 360},
              {0, SCROLL_THUMB_POSITION, 180, 40, -1}, {0, SCROLL_THUMB_POSITION, 359, 79, -1},
              {10, SCROLL_THUMB_TRACK, 200, 10, -1}, {10, SCROLL_END, 0, 10, -1}}},
            // Top and bottom only mean something vertically.
            {"80 columns in 50: first column 0 to 30", SCROLL_HORIZONTAL, VIEW, 100,
             {{0, SCROLL_LINE_DOWN, 0, 1, 12}, {30, SCROLL_LINE_DOWN, 0, 30, -1}, {30, SCROLL_LINE_UP, 0, 29, 348},
              {0, SCROLL_PAGE_DOWN, 0, 30, 360}, {20, SCROLL_PAGE_UP, 0, 0, 0},
              {0, SCROLL_THUMB_POSITION, 180, 15, -1}, {10, SCROLL_TOP, 0, 10, -1}, {10, SCROLL_BOTTOM, 0, 10, -1}}},
            {"wider than 80 columns: stays at column 0", SCROLL_HORIZONTAL, wide, 100,
             {{0, SCROLL_LINE_DOWN, 0, 0, -1}, {0, SCROLL_PAGE_DOWN, 0, 0, -1},
              {0, SCROLL_THUMB_POSITION, 360, 0, -1}}},
            {"short report: no scrolling", SCROLL_VERTICAL, VIEW, 10,
             {{0, SCROLL_LINE_DOWN, 0, 0, -1}, {0, SCROLL_PAGE_DOWN, 0, 0, -1}, {0, SCROLL_BOTTOM, 0, 0, -1}}},
            // Scrolled down, then the window grew until every line fits: the way
            // back still works, and with no room to scroll the thumb is left alone.
            {"grown after scrolling", SCROLL_VERTICAL, tall, 100,
             {{50, SCROLL_LINE_UP, 0, 49, -1}, {50, SCROLL_PAGE_DOWN, 0, 0, -1}}},
        };
    for (const auto& g : groups)
        for (const Scroll& c : g.steps) {
            ReportDocument d = numbered_lines(g.lines);
            int& position = g.bar == SCROLL_VERTICAL ? d.top_line : d.first_column;
            position = c.start;
            ScrollResult r = report_view_scroll(g.bar, c.code, c.thumb, g.view, d);
            EXPECT_EQ(std::tuple(position, r.moved, r.thumb),
                      std::tuple(c.expected, c.expected != c.start, c.expected_thumb))  // position, moved, thumb
                << g.what << ": from " << c.start << " code " << c.code << " thumb " << c.thumb;
        }
}

TEST(ReportScrollDeathTest, PositionOutsideTheDocumentIsFatal) {
    ReportDocument d = numbered_lines(100);
    d.top_line = 150;  // only a broken document gets here
    EXPECT_EXIT(report_view_scroll(SCROLL_VERTICAL, SCROLL_LINE_UP, 0, VIEW, d), ::testing::ExitedWithCode(1),
                "Internal error - please contact product support.*SCRLTEXT/[0-9]+");
}

struct Drawn {
    int x, y;
    std::string text;
};

std::vector<Drawn> paint(const ReportDocument& d, bool complete, const ReportViewMetrics& view = VIEW) {
    std::vector<Drawn> drawn;
    report_view_paint(d, complete, view,
                      [&drawn](int x, int y, std::string_view text) { drawn.push_back({x, y, std::string(text)}); });
    return drawn;
}

// A complete report leaves one free line at the bottom, one being made two for
// the progress line.
TEST(ReportPaint, LinesFromTheTopLeaveRoomAtTheBottom) {
    std::vector<Drawn> drawn = paint(numbered_lines(30), true);
    ASSERT_EQ(drawn.size(), 18u);  // y = 16, 32, ... 288; 304 is the free bottom line
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].x, 8);
        EXPECT_EQ(drawn[i].y, 16 * static_cast<int>(i + 1));
        EXPECT_EQ(drawn[i].text, "Line 0" + std::string(i < 10 ? "0" : "") + std::to_string(i));
    }
    drawn = paint(numbered_lines(30), false);
    ASSERT_EQ(drawn.size(), 17u);
    EXPECT_EQ(drawn.back().y, 272);
}

TEST(ReportPaint, FirstLineDrawnIsNeverTooLate) {
    ReportDocument d = numbered_lines(30);
    d.top_line = 25;  // 30 lines - 20 visible + 1 = 11 at the latest
    std::vector<Drawn> drawn = paint(d, true);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().text, "Line 011");

    ReportDocument short_one = numbered_lines(3);
    short_one.top_line = 2;  // fewer lines than fit: the top line stands
    drawn = paint(short_one, true);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn.front().text, "Line 002");
}

TEST(ReportPaint, LinesStartAtTheFirstColumn) {
    ReportDocument d;
    for (const char* line : {"abc", "0123456789", "", "abcde"}) report_add_line(line, d);
    report_end(d);
    d.first_column = 5;
    std::vector<Drawn> drawn = paint(d, true);
    ASSERT_EQ(drawn.size(), 5u);
    const char* expected[] = {"", "56789", "", "", ""};  // shorter lines and the end marker show empty
    for (size_t i = 0; i < drawn.size(); ++i) EXPECT_EQ(drawn[i].text, expected[i]) << "line " << i;
    d.first_column = 0;
    EXPECT_EQ(paint(d, true).back().text, "");  // the end marker is an empty line
}

TEST(ReportGrowing, NewLinesAndTheProgressLine) {
    const struct { const char* text; int line_number; bool minimised; int expected_y; } cases[] = {
        {"first", 1, false, 16},
        {"eighteenth", 18, false, 288},  // the last row above the progress line's two
        {"nineteenth", 19, false, -1},
        {"first", 1, true, -1},
        {REPORT_END_MARKER, 2, false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(new_line_y(c.text, c.line_number, VIEW, c.minimised), c.expected_y)
            << "line " << c.line_number << (c.minimised ? " minimised" : "");
    EXPECT_EQ(progress_line_y(VIEW), 304);
}

}  // namespace
