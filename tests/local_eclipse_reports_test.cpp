// The eclipse reports' lines seen from the place (precise engine) against
// published local circumstances: London on 2026 August 12 (about 91 % of the
// Sun covered near 18:13 UT, the Sun about 10 degrees up; partial phase
// 17:17-19:06 UT, Astronomy Engine), León in the path of totality (total
// 18:28:10-18:29:58 UT, Astronomy Engine), and the lunar eclipse of
// 2026 March 3, below London's horizon throughout (the Moon set at 6:41 UT).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/precise/precise_engine.h"
#include "engine/sky_events.h"
#include "reports/eclipse_reports.h"
#include "tests/report_test_support.h"

namespace {

using LocalEclipseReports = ReportTest;

const Location LONDON{"London", COMPASS_NORTH, COMPASS_WEST, 51.5074, 0.1278, 0.0, 25, "Europe/London"};
const Location LEON{"Leon", COMPASS_NORTH, COMPASS_WEST, 42.5987, 5.5671, 1.0, 838, "Europe/Madrid"};

std::vector<std::string> report(int kind, const Location& location, const SkyEngine& engine) {
    SkyContext sky(location);
    sky.engine = &engine;
    ReportDocument document;
    EXPECT_EQ(eclipse_report(document, 6, false, kind, 2026, 2026, sky), 0);
    const std::vector<std::string> lines = lines_of(document);
    for (const std::string& line : lines) EXPECT_LE(line.size(), size_t(REPORT_WIDTH)) << line;
    return lines;
}

// The lines from the one starting with `first`, `count` of them.
std::vector<std::string> block(const std::vector<std::string>& lines, const std::string& first, size_t count) {
    const auto at = std::find(lines.begin(), lines.end(), first);
    if (at == lines.end() || lines.end() - at < static_cast<long>(count)) return {};
    return std::vector<std::string>(at, at + count);
}

TEST_F(LocalEclipseReports, LondonSeesTheAugustEclipsePartialOnItsSummerClock) {
    const std::vector<std::string> lines = report(SOLAR_ECLIPSE, LONDON, PRECISE_ENGINE);
    const std::vector<std::string> expected = {
        "Seen from London:",
        "Partial eclipse begins:  18:17, Sun 19\xB0 high",
        "Maximum eclipse:         19:13, Sun 10\xB0 high",
        "Partial eclipse ends:    20:06, Sun 2\xB0 high",
        "Magnitude: 0.93, 91% of the Sun's area covered",
    };
    EXPECT_EQ(block(lines, "Seen from London:", expected.size()), expected);
    // The annular eclipse of February 17 is an Antarctic one.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Not visible from this place"), 1);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "The lines \"Seen from ...\" show the eclipse as it looks from the location."),
              lines.end());
}

TEST_F(LocalEclipseReports, LeonSeesTotalityNearSunset) {
    const std::vector<std::string> lines = report(SOLAR_ECLIPSE, LEON, PRECISE_ENGINE);
    const std::vector<std::string> seen = block(lines, "Seen from Leon:", 7);
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen[1], "Partial eclipse begins:  19:33, Sun 20\xB0 high");
    EXPECT_EQ(seen[2], "Total eclipse begins:    20:28, Sun 10\xB0 high");
    EXPECT_EQ(seen[4], "Total eclipse ends:      20:30, Sun 9\xB0 high");
    EXPECT_EQ(seen[5], "Partial eclipse ends:    21:22, Sun 0\xB0 high");
    // Astronomy Engine: 1 min 47.7 s of totality; within 3 seconds of it.
    const std::vector<std::string> near = {"1m 45s", "1m 46s", "1m 47s", "1m 48s", "1m 49s", "1m 50s"};
    EXPECT_EQ(seen[6].substr(0, 25), "Totality lasts:          ");
    EXPECT_NE(std::find(near.begin(), near.end(), seen[6].substr(25)), near.end()) << seen[6];
}

TEST_F(LocalEclipseReports, TheMarchLunarEclipseIsBelowLondonsHorizon) {
    const std::vector<std::string> lines = report(LUNAR_ECLIPSE, LONDON, PRECISE_ENGINE);
    const std::vector<std::string> march = block(lines, "Lunar eclipse on 03/03/2026", 10);
    ASSERT_EQ(march.size(), 10u);
    EXPECT_EQ(march[9], "Not visible from this place (the Moon is below the horizon)");
    // August 28: the Moon sets in London (AE: 5:15:54 UT) before the partial phase ends.
    const std::vector<std::string> august = block(lines, "Lunar eclipse on 08/28/2026", 13);
    ASSERT_EQ(august.size(), 13u);
    EXPECT_EQ(august[7], "Seen from London:");
    EXPECT_EQ(august[8], "Partial phase begins:    Moon 19\xB0 high");
    EXPECT_EQ(august[9], "Time of maximum eclipse: Moon 8\xB0 high");
    EXPECT_EQ(august[10], "Partial phase ends:      Moon below the horizon");
    EXPECT_EQ(august[11], "Moon sets during the eclipse at  6:16");
}

TEST_F(LocalEclipseReports, TheClassicalEngineKeepsItsLines) {
    for (int kind : {SOLAR_ECLIPSE, LUNAR_ECLIPSE}) {
        for (const std::string& line : report(kind, LONDON, CLASSICAL_ENGINE)) {
            EXPECT_EQ(line.find("Seen from"), std::string::npos) << line;
            EXPECT_EQ(line.find("Not visible"), std::string::npos) << line;
        }
    }
}

}  // namespace
