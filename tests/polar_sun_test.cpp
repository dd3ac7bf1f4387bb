// The Twilight report, the Sunrise graph and the Analemma at every latitude
// with the precise engine: what they print and draw for polar day and polar
// night, against Astronomy Engine 2.1 (npm astronomy-engine, run by hand:
// SearchAltitude for the twilight times, SearchRiseSet for the days without
// sunrise) and the published dates named in tests/local_sky_test.cpp.  The
// classical engine keeps its 60-degree limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/precise/precise_engine.h"
#include "graphs/graph_frame.h"
#include "graphs/sun_graphs.h"
#include "platform/recording_surface.h"
#include "reports/twilight_report.h"
#include "tests/report_test_support.h"
#include "tests/zoned_place.h"

namespace {

const Location LONGYEARBYEN = zoned_place("Longyearbyen", 78.2232, 15.6469, "Arctic/Longyearbyen", 1.0);
const Location HELSINKI = zoned_place("Helsinki", 60.1694, 24.9356, "Europe/Helsinki", 2.0);
const Location MCMURDO = zoned_place("McMurdo", -77.85, 166.67, "Antarctica/McMurdo", 12.0);
const Location TROMSO = zoned_place("Tromso", 69.6492, 18.9553, "Europe/Oslo", 1.0);

SkyContext precise_at(const Location& l) {
    SkyContext sky(l);
    sky.engine = &PRECISE_ENGINE;
    return sky;
}

class PolarTwilight : public ReportTest {};

// The row of a date ("01/01/2026 ...") in a Twilight report of one month.
std::string twilight_row(const Location& l, int month, const char* date, const SkyEngine& engine) {
    ReportDocument document;
    SkyContext sky(l);
    sky.engine = &engine;
    EXPECT_EQ(twilight_report(document, 14, false, 2026, month, month, sky), 0);
    for (const std::string& line : lines_of(document)) {
        EXPECT_LE(line.size(), 80u) << line;
        if (line.rfind(date, 0) == 0) return line;
    }
    return "";
}

// The "h:mm" times of a row from the text after `after`, as minutes of the day.
std::vector<int> times_after(const std::string& row, const std::string& after) {
    std::vector<int> minutes;
    const size_t at = row.find(after);
    if (at == std::string::npos) return minutes;
    const char* p = row.c_str() + at + after.size();
    int h = 0, m = 0, used = 0;
    while (std::sscanf(p, " %d:%d%n", &h, &m, &used) == 2) {
        minutes.push_back(h * 60 + m);
        p += used;
    }
    return minutes;
}

// Longyearbyen, 1 January 2026: the Sun down all day, no civil twilight, and
// astronomical and nautical twilight at 07:32:55 / 16:29:40 and 10:33:30 /
// 13:28:58 CET (Astronomy Engine); midsummer: up all day, no darkness.
TEST_F(PolarTwilight, LongyearbyenPolarNightAndDay) {
    const std::string january = twilight_row(LONGYEARBYEN, 1, "01/01/2026", PRECISE_ENGINE);
    EXPECT_EQ(january.rfind("01/01/2026 Sun down all day ", 0), 0u) << january;
    EXPECT_EQ(january.substr(january.size() - 11), "No twilight") << january;
    const std::vector<int> times = times_after(january, "Sun down all day");
    ASSERT_EQ(times.size(), 4u) << january;
    EXPECT_NEAR(times[0], 7 * 60 + 32.9, 1.0);
    EXPECT_NEAR(times[1], 16 * 60 + 29.7, 1.0);
    EXPECT_NEAR(times[2], 10 * 60 + 33.5, 1.0);
    EXPECT_NEAR(times[3], 13 * 60 + 29.0, 1.0);
    EXPECT_EQ(twilight_row(LONGYEARBYEN, 6, "06/15/2026", PRECISE_ENGINE),
              "06/15/2026 Sun up all day   No darkness    No darkness    No darkness");
    // The classical engine keeps its one line above 60 degrees.
    ReportDocument classical;
    twilight_report(classical, 14, false, 2026, 1, 1, SkyContext(LONGYEARBYEN));
    EXPECT_EQ(lines_of(classical).back(), "Cannot generate Twilight Report for latitude greater than 60\xB0");
}

// Helsinki in June: no astronomical or nautical darkness (the Sun at most 6.4
// degrees down), sunrise 03:54:38 and sunset 22:47:16 EEST on the 15th;
// McMurdo on 22 May 2026: the Sun down all day, nautical twilight 09:37:22 to
// 16:01:08 NZST, no civil twilight.
TEST_F(PolarTwilight, HelsinkiWhiteNightsAndMcMurdoWinter) {
    const std::string june = twilight_row(HELSINKI, 6, "06/15/2026", PRECISE_ENGINE);
    EXPECT_NE(june.find("   No darkness    No darkness    "), std::string::npos) << june;
    const std::vector<int> sun = times_after(june, "06/15/2026");
    ASSERT_GE(sun.size(), 2u) << june;  // sunrise and sunset, before the twilights
    EXPECT_NEAR(sun[0], 3 * 60 + 54.6, 1.0) << "sunrise 03:54:38 EEST";
    EXPECT_NEAR(sun[1], 22 * 60 + 47.3, 1.0) << "sunset 22:47:16 EEST";
    const std::string may = twilight_row(MCMURDO, 5, "05/22/2026", PRECISE_ENGINE);
    const std::vector<int> times = times_after(may, "Sun down all day");
    ASSERT_EQ(times.size(), 4u) << may;  // astronomical and nautical; no civil twilight
    EXPECT_NEAR(times[2], 9 * 60 + 37.4, 1.0) << may;
    EXPECT_NEAR(times[3], 16 * 60 + 1.1, 1.0) << may;
    EXPECT_EQ(may.substr(may.size() - 11), "No twilight") << may;
}

// ---- The graphs on the recording surface (8 x 16 font, 1 unit = 1 pixel) ----

constexpr SurfaceColor SUN = surface_color(255, 0, 0);
const GraphStyle STYLE{.colors = {SUN}, .background = surface_color(255, 255, 255)};

using SunGraph = int (*)(Surface&, const GraphStyle&, int, const SkyContext&);

SurfaceLog draw(SunGraph graph, const Location& l) {
    SurfaceLog log;
    auto surface = make_recording_surface(log, "s", GRAPH_WIDTH, GRAPH_HEIGHT);
    setup_drawing(*surface, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &STYLE);
    EXPECT_EQ(graph(*surface, STYLE, 2026, precise_at(l)), 0);
    return log;
}

bool has_line(const SurfaceLog& log, const std::string& text) {
    return std::any_of(log.lines.begin(), log.lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// The Sun's segments: the lines drawn after its pen is selected.
std::vector<std::pair<SurfacePoint, SurfacePoint>> sun_segments(const SurfaceLog& log) {
    std::vector<std::pair<SurfacePoint, SurfacePoint>> segments;
    auto pen = std::find(log.lines.begin(), log.lines.end(), "s: pen #ff0000 1");
    for (auto line = pen; line != log.lines.end(); ++line) {
        SurfacePoint a, b;
        if (std::sscanf(line->c_str(), "s: line %d,%d %d,%d", &a.x, &a.y, &b.x, &b.y) == 4) segments.push_back({a, b});
    }
    return segments;
}

// The Sunrise frame on this font: x0 72, width 856, 365 days.
double day_of_x(int x) { return (x - 72) / 856.0 * 365.0; }

// Tromso: shaded bands for the midnight Sun (18 May - 24 July) and the polar
// night (to 14 January, from 28 November), each to two days, with a legend;
// the azimuth axis runs 0-180 degrees (the Sun rises near north in May) and
// no segment of the curve crosses a band.
TEST(PolarSunGraphs, SunriseBandsAtTromso) {
    const SurfaceLog log = draw(sunrise_graph, TROMSO);
    EXPECT_TRUE(has_line(log, "\"Sun up all day\""));
    EXPECT_TRUE(has_line(log, "\"Sun down all day\""));
    EXPECT_TRUE(has_line(log, "\"0\xB0\"") && has_line(log, "\"180\xB0\""));
    struct Band { double first_day, last_day; bool found; };
    Band bands[] = {{137, 205, false}, {0, 13, false}, {331, 365, false}};  // 18 May, 24 July; 14 January; 28 November
    for (const std::string& line : log.lines) {
        int x1, y1, x2, y2;
        if (std::sscanf(line.c_str(), "s: rectangle %d,%d %d,%d", &x1, &y1, &x2, &y2) != 4 || y1 - y2 < 600) continue;
        for (Band& b : bands)
            if (std::fabs(day_of_x(x1) - b.first_day) <= 2.0 && std::fabs(day_of_x(x2) - b.last_day - 1) <= 2.0)
                b.found = true;
    }
    for (const Band& b : bands) EXPECT_TRUE(b.found) << "band from day " << b.first_day;
    for (const auto& [a, b] : sun_segments(log)) {
        const double from = day_of_x(a.x), to = day_of_x(b.x);
        EXPECT_FALSE(from < 140 && to > 202) << "a segment across the midnight Sun, days " << from << ".." << to;
    }
}

// The Analemma at 70, 80 and 89 degrees north and south: the Sun's noon
// places with the horizon, inside the plot area (x 32..968, y 64..686), the
// figure at least 400 units tall.  At 89 N the noon Sun stands 24.4 degrees up
// at the June solstice and 22.4 down at the December one.
TEST(PolarSunGraphs, AnalemmaAtEveryLatitude) {
    for (double latitude : {70.0, 80.0, 89.0, -70.0, -80.0, -89.0}) {
        const SurfaceLog log = draw(analemma_graph, zoned_place("", latitude, 15.0, "", 1.0));
        EXPECT_TRUE(has_line(log, "\"Horizon\"")) << latitude;
        EXPECT_TRUE(has_line(log, "Altitude and Azimuth")) << latitude;
        int low = 10000, high = -10000;
        for (const auto& [a, b] : sun_segments(log)) {
            for (SurfacePoint p : {a, b}) {
                EXPECT_TRUE(p.x >= 32 && p.x <= 968 && p.y >= 64 && p.y <= 686)
                    << "latitude " << latitude << ": " << p.x << "," << p.y;
                low = std::min(low, p.y);
                high = std::max(high, p.y);
            }
        }
        EXPECT_GE(high - low, 400) << latitude;
    }
    // The horizon's height in the 89 N figure: 22.4 / (22.4 + 24.4) of the way up it.
    const SurfaceLog pole = draw(analemma_graph, zoned_place("", 89.0, 15.0, "", 1.0));
    int low = 10000, high = -10000, horizon = 0, x1, x2;
    for (const auto& [a, b] : sun_segments(pole)) low = std::min({low, a.y, b.y}), high = std::max({high, a.y, b.y});
    for (const std::string& line : pole.lines)
        if (std::sscanf(line.c_str(), "s: line %d,%d %d,%*d", &x1, &horizon, &x2) == 3 && x2 - x1 > 900) break;
    EXPECT_NEAR(static_cast<double>(horizon - low) / (high - low), 22.4 / 46.8, 0.01);
}

}  // namespace
