// The Seasons and Dates of Easter reports, under the default regional
// settings (month/day/year, '.', no leading zero on hours).  The golden texts
// under tests/data were checked before being frozen: the season instants
// against the U.S. Naval Observatory's table of Earth's seasons (1995-2000,
// within a few minutes) and the Easter dates against published Easter tables
// (Julian reckoning up to 1582, Gregorian from 1583).
#include "reports/seasons_easter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/report_test_support.h"

namespace {

using Reports = ReportTest;

TEST_F(Reports, GoldenTexts) {
    ReportDocument seasons, easter_reform, easter_modern;
    EXPECT_EQ(seasons_report(seasons, 3, false, 1995, 2000, SkyContext(GREENWICH)), 0);
    expect_golden(seasons, "seasons_1995_2000.txt");
    EXPECT_EQ(easter_report(easter_reform, 4, false, 1578, 1590), 0);
    expect_golden(easter_reform, "easter_1578_1590.txt");
    // 1582 by the Julian rule (April 15), 1583 by the Gregorian rule (April 10).
    EXPECT_EQ(report_line(easter_reform, 6), "04/15/1582");
    EXPECT_EQ(report_line(easter_reform, 7), "04/10/1583");
    EXPECT_EQ(easter_report(easter_modern, 4, false, 1990, 2030), 0);
    expect_golden(easter_modern, "easter_1990_2030.txt");
}

TEST_F(Reports, SingleYearsAndSeasonsInDenverShiftAcrossMidnight) {
    ReportDocument seasons;
    EXPECT_EQ(seasons_report(seasons, 3, false, 1995, 1995, SkyContext(DENVER)), 0);
    // The March equinox, 1995 March 21 02:14 UT (USNO), is still March 20 in
    // Denver.  Lengths (winter ~89 days) print six integer columns.
    const std::vector<std::string> expected = {
        "Local Time = UT -   7.00 hours  Elevation: 1609 meters",
        "",
        "",  // two empty lines between header and title
        std::string(28, ' ') + "Seasons Report for 1995",  // a single year alone
        "",
        "MEQ: 03/20/1995 19:16    Winter Length:     88.99 days",
        "JSO: 06/21/1995 13:35    Spring Length:     92.76 days",
        "SEQ: 09/23/1995  5:13    Summer Length:     93.65 days",
        "DSO: 12/22/1995  1:19    Autumn Length:     89.84 days",
        "",
        "\f",
    };
    const std::vector<std::string> lines = lines_of(seasons);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), expected);

    ReportDocument easter;
    EXPECT_EQ(easter_report(easter, 4, true, 2000, 2000), 0);
    EXPECT_EQ(lines_of(easter), (std::vector<std::string>{std::string(24, ' ') + "Dates of Easter Report for 2000", "",
                                                          "04/23/2000", "\f"}));
}

// Stops the report at the third pump, i.e. before its third year.
int pumps = 0;
void stop_at_third_pump(int) {
    if (++pumps == 3) work_signals().stop_requested = true;
}

TEST_F(Reports, StoppingBetweenYearsLeavesWholeYearsAndNoEndMarker) {
    pumps = 0;
    set_pending_event_processor(stop_at_third_pump);
    ReportDocument seasons;
    EXPECT_EQ(seasons_report(seasons, 3, false, 1995, 2000, SkyContext(GREENWICH)), 1);
    const std::vector<std::string> lines = lines_of(seasons);
    ASSERT_EQ(lines.size(), 6u + 2 * 5u) << "header, title, and two year blocks of five lines";
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[lines.size() - 5].substr(0, 15), "MEQ: 03/20/1996");

    pumps = 0;
    work_signals().stop_requested = false;
    ReportDocument easter;
    EXPECT_EQ(easter_report(easter, 4, false, 1990, 2030), 1);
    ASSERT_EQ(easter.line_count, 4);
    EXPECT_EQ(report_line(easter, 3), "03/31/1991");
}

}  // namespace
