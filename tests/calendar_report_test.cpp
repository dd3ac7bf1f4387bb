// The Calendar report under the default regional settings.  The golden month was checked before
// being frozen: rise and set of the Sun and the Moon at Greenwich in January 1995 against a modern
// ephemeris (all within 1 minute) and the Moon's phases against Espenak's phase tables (NM Jan 1
// 10:56, FQ Jan 8 15:46, FM Jan 16 20:26, LQ Jan 24 04:58, NM Jan 30 22:48 UT; within 1 minute).
#include "reports/calendar_report.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/report_test_support.h"

namespace {

using CalendarReport = ReportTest;

TEST_F(CalendarReport, MonthGridsOfTheEdgeCases) {
    struct Case { int month, year, first_cell, days, weeks, day_in_fifth_cell; const char* what; };
    const Case cases[] = {
        {1, 2000, 6, 31, 6, 5, "31 days from a Saturday"},
        {2, 2015, 0, 28, 4, 5, "non-leap February from a Sunday"},
        {2, 2004, 0, 29, 5, 5, "leap February from a Sunday"},
        {10, 1582, 1, 21, 4, 15, "the Gregorian reform: October 4 is followed by October 15"},
    };
    for (const Case& c : cases) {
        JulianDay grid[CALENDAR_GRID_CELLS];
        EXPECT_EQ(calendar_month_grid(c.month, c.year, grid), c.weeks) << c.what;
        EXPECT_EQ(grid[c.first_cell], julian_day(1, c.month, c.year)) << c.what;
        EXPECT_EQ(grid[c.first_cell + c.days], CALENDAR_NO_DAY) << c.what;
        EXPECT_EQ(grid[c.first_cell + 4], julian_day(c.day_in_fifth_cell, c.month, c.year)) << c.what;
    }
}

TEST_F(CalendarReport, January1995AtGreenwichMatchesTheGolden) {
    ReportDocument document;
    EXPECT_EQ(calendar_report(document, 2, false, 1995, 1, 1, SkyContext(GREENWICH)), 0);
    expect_golden(document, "calendar_1995_01_greenwich.txt");
}

// September 2015, within the older theory's minutes of the published instants: partial solar
// eclipse 13th 06:54 UT and total lunar eclipse 28th 02:47 UT (NASA), equinox 23rd 08:20 (USNO).
TEST_F(CalendarReport, EclipsesAndTheEquinoxShowInTheirCells) {
    ReportDocument document;
    EXPECT_EQ(calendar_report(document, 2, false, 2015, 9, 9, SkyContext(GREENWICH)), 0);
    struct Cell { int line, column; const char* text; };
    const Cell cells[] = {{34, 0, "|SE:  6:52|"}, {44, 3, "|SEQ: 8:18|"}, {52, 1, "|LE:  2:45|"}};
    for (const Cell& c : cells)
        EXPECT_EQ(report_line(document, c.line).substr(10 * c.column, 11), c.text) << c.text;
}

// A new Moon at 23:50 UT seen with a time zone of +1 belongs to the next day.
TEST_F(CalendarReport, EventsGoToTheCellOfTheirLocalDate) {
    CalendarEvents events;
    events.phases.push_back({julian_day(30 + (23 + 50 / 60.0) / 24, 1, 1995), NEW_MOON});
    double kept_set_hours[7] = {};
    Location greenwich_plus_one = GREENWICH;
    greenwich_plus_one.time_zone = 1.0;
    std::string line;
    for (int day = 30; day <= 31; ++day)
        calendar_cell(julian_day(day, 1, 1995), 6, 0, SkyContext(greenwich_plus_one), events, kept_set_hours, line);
    EXPECT_EQ(line, "|         |NM:  0:50");
}

TEST_F(CalendarReport, YearsAtTheEndsOfTheRangeGiveTwelveClosedMonths) {
    for (int year : {1000, 3000}) {
        ReportDocument document;
        EXPECT_EQ(calendar_report(document, 2, false, year, 1, 12, SkyContext(GREENWICH)), 0) << year;
        int markers = 0;
        for (int i = 0; i < document.line_count; ++i) markers += report_line(document, i) == REPORT_END_MARKER;
        EXPECT_EQ(markers, 12) << year;
    }
}

}  // namespace
