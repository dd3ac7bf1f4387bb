// The Sun graphs' curves read back from the recording surface against
// published solar facts, the sampling ends, a stopped drawing, and one PNG
// per graph with its frame and curve.
#include "graphs/sun_graphs.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "graphs/graph_frame.h"
#include "platform/message_pump.h"
#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"

namespace {

constexpr SurfaceColor SUN = surface_color(255, 0, 0), TEXT = 0, WINDOW = surface_color(255, 255, 255);

using SunGraph = int (*)(Surface&, const GraphStyle&, int, const SkyContext&);

const GraphStyle STYLE{.colors = {SUN}, .background = WINDOW};  // window text black

// Name, latitude and longitude hemispheres, latitude, longitude, time zone.
const Location GREENWICH{"", COMPASS_NORTH, COMPASS_WEST, 51.4769, 0.0, 0.0};
const Location SYDNEY{"", COMPASS_SOUTH, COMPASS_EAST, 33.8688, 151.2093, 10.0};

// Signed degrees (north and east positive) to a Location, time zone in hours.
Location place(double latitude, double longitude, double time_zone) {
    return {"", latitude < 0 ? COMPASS_SOUTH : COMPASS_NORTH, longitude < 0 ? COMPASS_WEST : COMPASS_EAST,
            std::fabs(latitude), std::fabs(longitude), time_zone};
}

struct Drawing {
    SurfaceLog log;
    std::vector<SurfacePoint> curve;  // the points of the Sun's curve, in order
    std::string labels;               // texts written after the Sun's pen is selected
    int result = 0;
};

// Draws a graph on the recording surface (8 x 16 font, 1 unit = 1 pixel) and
// reads its curve back: the segments drawn after the Sun's pen is selected.
Drawing draw(SunGraph graph, int year, const Location& location) {
    Drawing d;
    auto surface = make_recording_surface(d.log, "s", GRAPH_WIDTH, GRAPH_HEIGHT);
    setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &STYLE);
    d.result = graph(*surface, STYLE, year, SkyContext(location));
    auto sun_pen = std::find(d.log.lines.begin(), d.log.lines.end(), "s: pen #ff0000 1");
    for (auto line = sun_pen; line != d.log.lines.end(); ++line) {
        SurfacePoint a, b;
        char text[8];
        if (std::sscanf(line->c_str(), "s: text %*d,%*d \"%7[^\"]", text) == 1) d.labels += text + std::string(" ");
        if (std::sscanf(line->c_str(), "s: line %d,%d %d,%d", &a.x, &a.y, &b.x, &b.y) != 4) continue;
        if (d.curve.empty()) d.curve.push_back(a);
        d.curve.push_back(b);
    }
    return d;
}

// The yearly graphs' frames on this font: x0 = 56 (72 for Sunrise), y0 = 64, height 622.
double value_at(int y, double bottom, double top) { return bottom + (y - 64) / 622.0 * (top - bottom); }
double day_at(double x, int x0, int width, int days) { return (x - x0) / width * days; }
bool lower(SurfacePoint a, SurfacePoint b) { return a.y < b.y; }

TEST(SunGraphs, EquationOfTimeCrossesZeroFourTimes) {
    Drawing d = draw(equation_of_time_graph, 2023, GREENWICH);
    ASSERT_EQ(d.result, 0);
    ASSERT_EQ(d.curve.size(), 62u) << "1, 7, 13 January ... 27 December, then 31 December";
    EXPECT_EQ(d.curve.front().x, 56);
    EXPECT_EQ(d.curve.back().x, 56 + 886) << "31 December: round(364 / 365 * 888)";
    // Published values (e.g. the Astronomical Almanac): about -3.2 min on 1 January,
    // -2.9 min on 31 December; zeros near 15 April, 13 June, 1 September, 25 December.
    EXPECT_NEAR(value_at(d.curve.front().y, -20, 20), -3.2, 0.5);
    EXPECT_NEAR(value_at(d.curve.back().y, -20, 20), -2.9, 0.5);
    std::vector<double> zeros;
    for (size_t i = 1; i < d.curve.size(); ++i) {
        SurfacePoint p = d.curve[i - 1], q = d.curve[i];
        if ((p.y - 375) * (q.y - 375) >= 0 && q.y != 375) continue;
        double x = p.y == q.y ? p.x : p.x + (375.0 - p.y) / (q.y - p.y) * (q.x - p.x);
        zeros.push_back(day_at(x, 56, 888, 365));
    }
    const double expected[] = {104, 163, 243, 358};  // day of the year from 1 January = 0
    ASSERT_EQ(zeros.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(zeros[i], expected[i], 3.0) << "zero " << i;
}

// Longest and shortest days and the Sun's extreme noon altitudes, and the
// extreme sunrise azimuths (timeanddate.com: London 49 and 128, Sydney 62 and 118 degrees).
TEST(SunGraphs, SolsticeExtremes) {
    const struct {
        const char* what; SunGraph graph; Location location;
        double bottom, top; int x0, width;  // value axis; frame
        double max_value, max_day, min_value, min_day, tolerance;
    } cases[] = {
        {"day length, Greenwich", day_length_graph, GREENWICH, 0, 24, 56, 888, 16.63, 171, 7.83, 354, 0.25},
        {"day length, Sydney", day_length_graph, SYDNEY, 0, 24, 56, 888, 14.42, 354, 9.88, 171, 0.25},
        {"noon altitude, Greenwich (90 - 51.48 +- 23.44)", sun_angle_graph, GREENWICH, 0, 90, 56, 888, 61.96, 171,
         15.08, 354, 0.5},
        {"sunrise azimuth, Greenwich", sunrise_graph, GREENWICH, 30, 150, 72, 856, 128.0, 354, 49.0, 171, 1.5},
        {"sunrise azimuth, Sydney (10 h east)", sunrise_graph, SYDNEY, 30, 150, 72, 856, 118.0, 354, 62.0, 171, 1.5},
        {"sunrise azimuth, Los Angeles (8 h west)", sunrise_graph, place(34.05, -118.24, -8), 30, 150, 72, 856,
         119.0, 354, 61.0, 171, 1.5},
    };
    for (const auto& c : cases) {
        Drawing d = draw(c.graph, 2023, c.location);
        auto [low, high] = std::minmax_element(d.curve.begin(), d.curve.end(), lower);
        EXPECT_NEAR(value_at(high->y, c.bottom, c.top), c.max_value, c.tolerance) << c.what;
        EXPECT_NEAR(day_at(high->x, c.x0, c.width, 365), c.max_day, 7.0) << c.what;
        EXPECT_NEAR(value_at(low->y, c.bottom, c.top), c.min_value, c.tolerance) << c.what;
        EXPECT_NEAR(day_at(low->x, c.x0, c.width, 365), c.min_day, 7.0) << c.what;
    }
}

TEST(SunGraphs, PolarDayAndNightAndLeapYearEnds) {
    Drawing polar = draw(day_length_graph, 2023, {"", COMPASS_NORTH, COMPASS_EAST, 70.0, 25.0, 2.0});
    auto [low, high] = std::minmax_element(polar.curve.begin(), polar.curve.end(), lower);
    EXPECT_EQ(high->y - low->y, 622) << "midnight Sun (24 h) on the top edge, polar night (0 h) on the bottom";
    // Samples 4 days apart from 1 January 2024 reach 30 December (day 364 of 366).
    EXPECT_EQ(draw(sunrise_graph, 2024, GREENWICH).curve.back().x, 72 + 851);
    EXPECT_EQ(draw(equation_of_time_graph, 2024, GREENWICH).curve.back().x, 56 + 886) << "365 / 366 * 888";
}

TEST(SunGraphs, TitlesAndAnalemmaMonthLabels) {
    Drawing d = draw(analemma_graph, 2023, GREENWICH);
    EXPECT_NE(std::find(d.log.lines.begin(), d.log.lines.end(),
                        "s: text 348,734 \"Analemma Graph for 2023 ( 51\xB0" "28'37\" N)\""),
              d.log.lines.end());
    EXPECT_EQ(d.labels, "1 2 3 4 5 6 7 8 9 10 11 12 ") << "each month once; the closing 1 January unlabelled";
    EXPECT_LE(std::abs(d.curve.front().x - d.curve.back().x) + std::abs(d.curve.front().y - d.curve.back().y), 3)
        << "the figure closes on 1 January of the next year";
}

// The curve's point nearest a day of the year (from 1 January = 0) on the
// year axis of the day-length and noon-altitude graphs (x 56, 888 wide).
SurfacePoint point_near_day(const Drawing& d, double day) {
    return *std::min_element(d.curve.begin(), d.curve.end(), [&](SurfacePoint a, SurfacePoint b) {
        return std::fabs(day_at(a.x, 56, 888, 365) - day) < std::fabs(day_at(b.x, 56, 888, 365) - day);
    });
}

// The noon Sun stands 90 - |latitude - declination| high wherever the observer
// is: the transit is taken at local apparent noon, not at 12 h UT.
TEST(SunGraphs, SunAngleAtTransitAtEveryLongitude) {
    const struct { const char* name; double latitude, longitude, time_zone; } places[] = {
        {"Sydney", -33.87, 151.21, 10}, {"Los Angeles", 34.05, -118.24, -8}, {"New York", 40.71, -74.01, -5}};
    // 2026 solstices: 21 June (day 171, declination +23.44) and 21 December (day 354, -23.44).
    for (const auto& p : places) {
        Drawing d = draw(sun_angle_graph, 2026, place(p.latitude, p.longitude, p.time_zone));
        for (double declination : {23.44, -23.44}) {
            SurfacePoint at = point_near_day(d, declination > 0 ? 171 : 354);
            EXPECT_NEAR(value_at(at.y, 0, 90), 90 - std::fabs(p.latitude - declination), 0.5)
                << p.name << ", declination " << declination;
        }
    }
}

// The whole analemma inside its plot area (x 32..968, y 64..686 on this font)
// north and south, at any longitude, however long the winter shadow.
TEST(SunGraphs, AnalemmaFitsItsFrameEverywhere) {
    for (double latitude : {0.0, 34.0, -34.0, 60.0, -60.0})
        for (double longitude : {-118.0, 0.0, 151.0}) {
            Drawing d = draw(analemma_graph, 2026, place(latitude, longitude, std::round(longitude / 15)));
            auto [left, right] = std::minmax_element(d.curve.begin(), d.curve.end(),
                                                     [](SurfacePoint a, SurfacePoint b) { return a.x < b.x; });
            auto [low, high] = std::minmax_element(d.curve.begin(), d.curve.end(), lower);
            EXPECT_TRUE(left->x >= 32 && right->x <= 968 && low->y >= 64 && high->y <= 686)
                << "latitude " << latitude << ", longitude " << longitude << ": x " << left->x << ".."
                << right->x << ", y " << low->y << ".." << high->y;
            EXPECT_GE(right->x - left->x, 400) << "the figure fills its frame, latitude " << latitude;
        }
}

// The hours of daylight of the local date, also when the Sun sets after local
// midnight: Reykjavik's summer days (timeanddate.com: 21 h 08 min at the
// solstice) and the last long days at 78 S 166 E (McMurdo) in late February.
TEST(SunGraphs, DayLengthWhenTheSunSetsAfterMidnight) {
    Drawing reykjavik = draw(day_length_graph, 2026, place(64.15, -21.94, 0));
    double shortest = 24.0;
    for (SurfacePoint p : reykjavik.curve) {
        double day = day_at(p.x, 56, 888, 365);
        if (day >= 120 && day <= 242) shortest = std::min(shortest, value_at(p.y, 0, 24));
    }
    EXPECT_GE(shortest, 14.0) << "Reykjavik, May to August";
    EXPECT_NEAR(value_at(point_near_day(reykjavik, 171).y, 0, 24), 21.1, 0.3) << "Reykjavik, June";
    // 78 S 166 E: the Sun stays up on 19 February (the weekly sample: 24 h, not
    // a false polar night from local midnight) and first dips below the horizon
    // around local midnight two days later; then the days shorten fast.  Day
    // length 2 acos((sin -0.83 - sin 78 sin |declination|) / (cos 78 cos declination)) / 15:
    // 21 February (declination -10.8) 22.1 h, 26 February (-9.0) 19.4 h.
    const Location mcmurdo = place(-78.0, 166.0, 12);
    Drawing weekly = draw(day_length_graph, 2026, mcmurdo);
    EXPECT_NEAR(value_at(point_near_day(weekly, 49).y, 0, 24), 24.0, 0.05) << "78 S, 19 February";
    EXPECT_NEAR(value_at(point_near_day(weekly, 56).y, 0, 24), 19.4, 0.4) << "78 S, 26 February";
    EXPECT_NEAR(daylight_hours(julian_day(21, 2, 2026), SkyContext(mcmurdo)), 22.1, 0.3) << "78 S, 21 February: set after local midnight";
}

int pumps_left = 0;

TEST(SunGraphs, StoppedDrawingEndsAtOnce) {
    set_pending_event_processor([](int) { work_signals().stop_requested = --pumps_left == 0; });
    pumps_left = 3;  // before the curve, after the first sample, after the second
    Drawing d = draw(equation_of_time_graph, 2023, GREENWICH);
    set_pending_event_processor(nullptr);
    work_signals().stop_requested = false;
    EXPECT_EQ(d.result, 1);
    EXPECT_EQ(d.curve.size(), 2u) << "one segment, then nothing more";
}

TEST(SunGraphs, PngWithFrameAndCurve) {
    const struct { const char* name; SunGraph graph; int left_factor; } graphs[] = {
        {"equation-of-time", equation_of_time_graph, 7}, {"day-length", day_length_graph, 7},
        {"sun-angle", sun_angle_graph, 7}, {"analemma", analemma_graph, 3}, {"sunrise", sunrise_graph, 9}};
    for (const auto& g : graphs) {
        auto surface = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
        setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &STYLE);
        fill_rect(*surface, 0, GRAPH_HEIGHT, GRAPH_WIDTH, 0, WINDOW, WINDOW);
        ASSERT_EQ(g.graph(*surface, STYLE, 2023, SkyContext(GREENWICH)), 0) << g.name;
        const QImage& image = *surface_image(*surface);
        int left = g.left_factor * char_width(*surface), y0 = 4 * line_height(*surface);
        int frame_pixels = 0, sun_pixels = 0;
        for (int y = y0; y <= GRAPH_HEIGHT - y0; ++y) frame_pixels += (image.pixel(left, y) & 0xFFFFFF) == TEXT;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) sun_pixels += (image.pixel(x, y) & 0xFFFFFF) == SUN;
        EXPECT_GE(frame_pixels, (GRAPH_HEIGHT - 2 * y0) * 95 / 100) << g.name << ": the frame's left edge at x = " << left;
        EXPECT_GT(sun_pixels, 300) << g.name;
        std::string path = (std::filesystem::temp_directory_path() / (std::string("sun_") + g.name + ".png")).string();
        EXPECT_TRUE(save_png(*surface, path) && std::filesystem::remove(path)) << g.name;
    }
}

}  // namespace

#include "qt_test_main.h"
