// The precise engine's long reports, whose years are worked out on several
// threads: the same lines as year-by-year reports, and Stop between years.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/classical/phase_eclipse_table.h"
#include "engine/precise/precise_engine.h"
#include "reports/eclipse_reports.h"
#include "reports/seasons_easter.h"
#include "tests/report_test_support.h"

namespace {

using PreciseLongReports = ReportTest;

SkyContext precise_at(const Location& location) {
    SkyContext sky(location);
    sky.engine = &PRECISE_ENGINE;
    return sky;
}

// The report's lines after its title (the eclipses), without the end marker.
std::vector<std::string> eclipse_lines(int kind, int first, int last) {
    ReportDocument document;
    EXPECT_EQ(eclipse_report(document, 5, false, kind, first, last, precise_at(GREENWICH)), 0);
    std::vector<std::string> lines = lines_of(document);
    // Header (with the engine's line), an empty line, the title, two empty lines; the end marker.
    EXPECT_GE(lines.size(), 8u);
    EXPECT_EQ(lines.back(), "\f");
    if (lines.size() < 8) return {};
    return std::vector<std::string>(lines.begin() + 7, lines.end() - 1);
}

TEST_F(PreciseLongReports, ManyYearsListTheEclipsesOfEachYearInOrder) {
    std::vector<std::string> year_by_year;
    for (int year = 2001; year <= 2030; ++year) {
        std::vector<std::string> lines = eclipse_lines(LUNAR_ECLIPSE, year, year);
        year_by_year.insert(year_by_year.end(), lines.begin(), lines.end());
    }
    const std::vector<std::string> at_once = eclipse_lines(LUNAR_ECLIPSE, 2001, 2030);
    EXPECT_EQ(at_once, year_by_year);
    // NASA's canon: the total lunar eclipse of 2025 March 14, greatest at 6:58 UT.
    bool found = false;
    for (size_t i = 0; i + 6 < at_once.size(); ++i)
        if (at_once[i] == "Lunar eclipse on 03/14/2025") found = at_once[i + 6] == "Time of maximum eclipse:  6:59" ||
                                                               at_once[i + 6] == "Time of maximum eclipse:  6:58";
    EXPECT_TRUE(found);
}

// Stops the report at the third pump, i.e. after its second year.
int pumps = 0;
void stop_at_third_pump(int) {
    if (++pumps == 3) work_signals().stop_requested = true;
}

TEST_F(PreciseLongReports, StoppingBetweenYearsLeavesWholeYearsAndNoEndMarker) {
    pumps = 0;
    set_pending_event_processor(stop_at_third_pump);
    ReportDocument seasons;
    EXPECT_EQ(seasons_report(seasons, 3, false, 1995, 2094, precise_at(GREENWICH)), 1);
    const std::vector<std::string> lines = lines_of(seasons);
    ASSERT_EQ(lines.size(), 7u + 2 * 5u) << "header with the engine's line, title, and two year blocks";
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[lines.size() - 5].substr(0, 15), "MEQ: 03/20/1996");
}

}  // namespace
