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

using PolarTwilight = ReportTest;

// A Twilight row of the precise engine: the place, its month and date, the
// text after the date, the times of day in the row (minutes, Astronomy
// Engine's SearchRiseSet and SearchAltitude) and how it ends.
struct RowCase {
    const Location* place;
    int month;
    const char* date;
    const char* sun;  // the Sun's columns as printed, or the start of the first time
    std::vector<double> minutes;
    const char* ends;
};

// Longyearbyen, 1 January 2026: polar night, astronomical and nautical
// twilight at 07:32:55-16:29:40 and 10:33:30-13:28:58 CET, no civil twilight;
// 15 June: polar day, no darkness at all.  Helsinki, 15 June: sunrise 03:54:38,
// sunset 22:47:16 EEST, no astronomical or nautical darkness, civil twilight
// 02:06:56 and (the evening before) 00:34:12.  McMurdo, 22 May: polar night,
// 07:25:15-18:12:56 and 09:37:22-16:01:08 NZST, no civil twilight.
TEST_F(PolarTwilight, RowsOfPolarDayAndNightAndWhiteNights) {
    const RowCase cases[] = {
        {&LONGYEARBYEN, 1, "01/01/2026", "Sun down all day", {452.9, 989.7, 633.5, 809.0}, "No twilight"},
        {&LONGYEARBYEN, 6, "06/15/2026", "Sun up all day   No darkness    No darkness    No darkness", {},
         "No darkness"},
        {&HELSINKI, 6, "06/15/2026", "   3:5", {234.6, 1367.3}, "No darkness    No darkness     2:07   0:34"},
        {&MCMURDO, 5, "05/22/2026", "Sun down all day", {445.3, 1092.9, 577.4, 961.1}, "No twilight"},
    };
    for (const RowCase& c : cases) {
        ReportDocument document;
        ASSERT_EQ(twilight_report(document, 14, false, 2026, c.month, c.month, precise_at(*c.place)), 0);
        std::string row;
        for (const std::string& line : lines_of(document)) {
            EXPECT_LE(line.size(), 80u) << line;
            if (line.rfind(c.date, 0) == 0) row = line;
        }
        EXPECT_EQ(row.rfind(std::string(c.date) + " " + c.sun, 0), 0u) << row;
        EXPECT_EQ(row.substr(row.size() - std::string(c.ends).size()), c.ends) << row;
        // The times up to the first text, as minutes of the day.
        std::vector<int> minutes;
        int h = 0, m = 0, used = 0;
        for (const char* p = row.c_str() + row.find_first_of(" ") + (c.sun[0] == 'S' ? 17 : 0);
             std::sscanf(p, " %d:%d%n", &h, &m, &used) == 2; p += used)
            minutes.push_back(h * 60 + m);
        ASSERT_EQ(minutes.size(), c.minutes.size()) << row;
        for (size_t i = 0; i < minutes.size(); ++i) EXPECT_NEAR(minutes[i], c.minutes[i], 1.0) << row;
    }
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
// places inside the plot area (x 32..968, y 64..686), at least 400 units
// tall, with the horizon where the noon altitudes 90 - |latitude| -+ 23.44
// (the solstices) put it: at 89 N 22.4 degrees up from the figure's foot;
// east on the left facing south, on the right facing north.
TEST(PolarSunGraphs, AnalemmaAtEveryLatitude) {
    for (double latitude : {70.0, 80.0, 89.0, -70.0, -80.0, -89.0}) {
        const SurfaceLog log = draw(analemma_graph, zoned_place("", latitude, 15.0, "", 1.0));
        EXPECT_TRUE(has_line(log, "Altitude and Azimuth") && has_line(log, "\"Horizon\"")) << latitude;
        int low = 10000, high = -10000, horizon = 0, x1 = 0, x2 = 0;
        for (const auto& [a, b] : sun_segments(log)) {
            for (SurfacePoint p : {a, b}) {
                EXPECT_TRUE(p.x >= 32 && p.x <= 968 && p.y >= 64 && p.y <= 686) << latitude << ": " << p.x << "," << p.y;
                low = std::min(low, p.y);
                high = std::max(high, p.y);
            }
        }
        EXPECT_GE(high - low, 400) << latitude;
        for (const std::string& line : log.lines)  // the horizon: the first line across the frame
            if (std::sscanf(line.c_str(), "s: line %d,%d %d,%*d", &x1, &horizon, &x2) == 3 && x2 - x1 > 900) break;
        const double lowest_noon = 90.0 - std::fabs(latitude) - 23.44;
        EXPECT_NEAR(static_cast<double>(horizon - low) / (high - low), -lowest_noon / (2 * 23.44), 0.01) << latitude;
        // Seen facing the equator: at mean noon the early-February Sun (equation of time
        // -14 min) stands east of the meridian, the early-November one (+16 min) west.
        int february = 0, november = 0, x = 0;
        char text[8];
        for (const std::string& line : log.lines) {
            if (std::sscanf(line.c_str(), "s: text %d,%*d \"%7[^\"]", &x, text) != 2) continue;
            if (std::string(text) == "2") february = x;
            if (std::string(text) == "11") november = x;
        }
        EXPECT_EQ(february < november, latitude > 0) << latitude << ": February x " << february << ", November x "
                                                     << november;
    }
}

}  // namespace
