// Times on a place's clock through the engines and the reports: sunrise and
// sunset on both sides of a change of the clock, checked against PyEphem 4.1.4
// (Debian python3-ephem; Sun's upper limb at -0:34, no refraction model, sea
// level), the instants read on each country's legal clock; and the report
// header's daylight saving time against the US, EU and New South Wales rules.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/precise/precise_engine.h"
#include "reports/calendar_report.h"
#include "reports/report_document.h"
#include "tests/report_test_support.h"
#include "tests/zoned_place.h"

namespace {

using ClockTime = ReportTest;

const Location DENVER = zoned_place("Denver", 39.7392, -104.9903, "America/Denver", -7.0);
const Location LONDON = zoned_place("London", 51.5072, -0.1276, "Europe/London", 0.0);
const Location SYDNEY = zoned_place("Sydney", -33.8688, 151.2093, "Australia/Sydney", 10.0);

double hours(int h, int m) { return h + m / 60.0; }

// Sunrise and sunset, clock hours, within 1.5 minutes of PyEphem's instants
// as the wall clock showed them (MST/MDT, GMT/BST, AEST/AEDT).
TEST_F(ClockTime, SunriseAndSunsetOnTheWallClock) {
    struct Case { const Location* place; int day, month; double rise, set; const char* what; };
    const Case cases[] = {
        {&DENVER, 7, 3, hours(6, 24), hours(17, 59), "the last day of MST"},
        {&DENVER, 8, 3, hours(7, 22), hours(19, 0), "the clocks go forward at 2:00: an hour later"},
        {&DENVER, 31, 10, hours(7, 28), hours(17, 59), "the last full day of MDT"},
        {&DENVER, 1, 11, hours(6, 29), hours(16, 58), "the clocks go back at 2:00: an hour earlier"},
        {&LONDON, 21, 6, hours(4, 43), hours(21, 22), "BST"},
        {&LONDON, 21, 12, hours(8, 4), hours(15, 53), "GMT"},
        {&SYDNEY, 1, 1, hours(5, 47), hours(20, 9), "AEDT"},
        {&SYDNEY, 1, 7, hours(7, 1), hours(16, 57), "AEST"},
    };
    for (const SkyEngine* engine : {&PRECISE_ENGINE, &CLASSICAL_ENGINE}) {
        for (const Case& c : cases) {
            const RiseSet sun = engine->rise_set(id_of(Body::Sun), julian_day(c.day, c.month, 2026), *c.place);
            EXPECT_NEAR(sun.rise, c.rise, 1.5 / 60) << c.place->name << ' ' << c.what;
            EXPECT_NEAR(sun.set, c.set, 1.5 / 60) << c.place->name << ' ' << c.what;
        }
    }
}

// The Calendar's cells for the same days read the clock.
TEST_F(ClockTime, CalendarCellsOfTheSpringChange) {
    ReportDocument document;
    ASSERT_EQ(calendar_report(document, 2, false, 2026, 3, 3, SkyContext(DENVER)), 0);
    std::string text;
    for (int i = 0; i < document.line_count; ++i) text += std::string(report_line(document, i)) + "\n";
    // Saturday the 7th ends a week's row, Sunday the 8th begins the next.
    EXPECT_NE(text.find("|SR:  6:24|\n"), std::string::npos) << text;
    EXPECT_NE(text.find("|SS: 17:59|\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n|SR:  7:22|"), std::string::npos) << text;
    EXPECT_NE(text.find("\n|SS: 19:00|"), std::string::npos) << text;
}

std::string header_of(const Location& place, int first_year, int last_year) {
    ReportDocument document;
    report_header(SkyContext(place), document, first_year, last_year);
    std::string text;
    for (int i = 0; i < document.line_count; ++i) text += std::string(report_line(document, i)) + "\n";
    return text;
}

// The header gives the standard offset and the periods of daylight saving
// time: 2026's US dates (second Sunday of March, first of November, 2:00),
// New South Wales's (first Sunday of April 3:00, of October 2:00), none in
// Tokyo; a place without a zone keeps its one line.
TEST_F(ClockTime, ReportHeaderNamesTheZoneAndItsDaylightTime) {
    EXPECT_EQ(header_of(DENVER, 2026, 2026),
              "Denver                Latitude:  39\xB0" "44'21\" N  Longitude:  104\xB0" "59'25\" W\n"
              "Local Time = UT -   7.00 hours  Elevation: 0 meters\n"
              "Clock: America/Denver, daylight saving time included\n"
              "Daylight saving time (UT -   6.00 hours): 03/08/2026  2:00 to 11/01/2026  2:00\n\n");
    const std::string sydney = header_of(SYDNEY, 2026, 2026);
    EXPECT_NE(sydney.find("Local Time = UT +  10.00 hours"), std::string::npos) << sydney;
    EXPECT_NE(sydney.find("(UT +  11.00 hours): 01/01/2026  0:00 to 04/05/2026  3:00\n"), std::string::npos) << sydney;
    EXPECT_NE(sydney.find("(UT +  11.00 hours): 10/04/2026  2:00 to 01/01/2027  0:00\n"), std::string::npos) << sydney;
    const std::string years = header_of(LONDON, 2026, 2030);
    EXPECT_NE(years.find("03/29/2026  1:00 to 10/25/2026  2:00"), std::string::npos) << years;
    EXPECT_NE(years.find("... and 3 more periods of daylight saving time to 2030"), std::string::npos) << years;
    EXPECT_NE(header_of(zoned_place("Tokyo", 35.68, 139.69, "Asia/Tokyo", 9.0), 2026, 2026)
                  .find("Clock: Asia/Tokyo, no daylight saving time\n"), std::string::npos);
    Location fixed = DENVER;
    fixed.zone.clear();
    EXPECT_EQ(header_of(fixed, 2026, 2026).find("Clock"), std::string::npos);
}

}  // namespace
