// The Moon Apsides, Moon Nodes, Meteor Showers and Twilight reports.  The
// goldens were checked before being frozen: apsides against the JPL Horizons
// table of 2022 January (see moon_events_test), in Denver time (UT - 7); nodes:
// the ascending node at the annular eclipse of 2026 February 17 (new Moon),
// the descending node at the total lunar eclipse of March 3 (full); meteors:
// the Quadrantids of January 4 after the full Moon of January 3 (0.99), the
// Perseids of August 13 after the new Moon of the total eclipse of August 12
// (0.00), dates as in the IMO calendar to a day; twilight: sunrise and sunset
// within a minute of the published London times, no astronomical night.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "reports/meteor_showers.h"
#include "reports/moon_reports.h"
#include "engine/classical/twilight.h"
#include "reports/twilight_report.h"
#include "tests/report_test_support.h"

namespace {

using MoonReports = ReportTest;

Location place(const char* name, double latitude, double west_longitude, double zone, int metres) {
    return {name, COMPASS_NORTH, COMPASS_WEST, latitude, west_longitude, zone, metres};
}

TEST_F(MoonReports, GoldensOfTheFourReports) {
    ReportDocument apsides, nodes, meteors, twilight;
    EXPECT_EQ(moon_apsides_report(apsides, 11, false, 2022, 1, 1, SkyContext(DENVER)), 0);
    expect_golden(apsides, "moon_apsides_2022_01_denver.txt");
    EXPECT_EQ(moon_nodes_report(nodes, 12, false, 2026, 2, 3, SkyContext(DENVER)), 0);
    expect_golden(nodes, "moon_nodes_2026_02_03_denver.txt");
    EXPECT_EQ(meteor_report(meteors, 13, false, 2026, 1, 12, SkyContext(GREENWICH)), 0);
    expect_golden(meteors, "meteor_showers_2026_greenwich.txt");
    EXPECT_EQ(twilight_report(twilight, 14, false, 2026, 6, 6, SkyContext(GREENWICH)), 0);
    expect_golden(twilight, "twilight_2026_06_greenwich.txt");
}

// The apogee of 2027 March 31 02 h UT lies after 0 h of the last day of March
// and before the first of April: neither month lists it.
TEST_F(MoonReports, ApsisAfterMidnightOfTheLastDayIsNotListed) {
    ReportDocument march, april;
    moon_apsides_report(march, 11, false, 2027, 3, 3, SkyContext(GREENWICH));
    moon_apsides_report(april, 11, false, 2027, 4, 4, SkyContext(GREENWICH));
    for (const auto& lines : {lines_of(march), lines_of(april)}) {
        ASSERT_EQ(lines.size(), 10u) << "two apsides a month";
        for (const std::string& line : lines) EXPECT_NE(line.substr(0, 10), "03/31/2027");
    }
}

// A maximum on a margin day outside the range is dropped: the Piscis
// Australids (Sun at 128 degrees on 2026 August 1) end July.  December ends
// with its own four showers; the Quadrantids are still far on January 1.
TEST_F(MoonReports, MeteorMaximaOutsideTheMonthsAreDropped) {
    ReportDocument july, december;
    meteor_report(july, 13, false, 2026, 7, 7, SkyContext(GREENWICH));
    meteor_report(december, 13, false, 2026, 12, 12, SkyContext(GREENWICH));
    const std::vector<std::string> j = lines_of(july), d = lines_of(december);
    EXPECT_EQ(j[j.size() - 2].substr(0, 26), "07/29/2026  delta-Aquarids");
    ASSERT_EQ(d.size(), 13u) << "heading, four showers, end marker";
    EXPECT_EQ(d[11].substr(0, 26), "12/26/2026  Puppids-Velids");
}

// Minutes of a "h:mm" column of a twilight row.
int minutes_at(const std::string& row, size_t column) {
    return std::stoi(row.substr(column, 2)) * 60 + std::stoi(row.substr(column + 3, 2));
}

// Against the NOAA Solar Calculator's equations for the same places and
// dates: sunrise and sunset within a minute.  The table adds to sunrise and
// sunset (upper limb on the refracted horizon) the interval from the
// geometric horizon down to the twilight limit, so each twilight comes out
// wider than the almanac's by the Sun's passage between the two horizons
// (about 5 minutes in Denver in December, 7 at Greenwich in June).
TEST_F(MoonReports, TwilightAgainstTheAlmanac) {
    const struct {
        Location location;
        int month;
        const char* almanac;  // in the report's columns
    } cases[] = {
        {DENVER, 12, "12/22/2026    7:18  16:39    5:41  18:17    6:14  17:44    6:48  17:10"},
        {GREENWICH, 6, "06/22/2026    3:43  20:21   -----  -----    1:41  22:23    2:55  21:09"},
    };
    const size_t columns[8] = {13, 20, 28, 35, 43, 50, 58, 65};
    for (const auto& c : cases) {
        ReportDocument document;
        twilight_report(document, 14, false, 2026, c.month, c.month, SkyContext(c.location));
        const std::string row = lines_of(document)[12];
        const std::string almanac = c.almanac;
        ASSERT_EQ(row.substr(0, 10), almanac.substr(0, 10));
        for (int i = 0; i < 8; ++i) {
            if (almanac.substr(columns[i], 5) == "-----") {
                EXPECT_EQ(row.substr(columns[i], 5), "-----") << row;
                continue;
            }
            const int difference = minutes_at(row, columns[i]) - minutes_at(almanac, columns[i]);
            const int widening = i % 2 ? difference : -difference;
            EXPECT_TRUE(i < 2 ? std::abs(difference) <= 1 : widening >= 3 && widening <= 9)
                << "column " << i << "\n" << row << "\n" << almanac;
        }
    }
}

TEST_F(MoonReports, TwilightLatitudeRules) {
    ReportDocument at_60, above_60;
    EXPECT_EQ(twilight_report(at_60, 14, false, 2026, 3, 3, SkyContext(place("Limit", 60.0, 0, 0, 0))), 0);
    EXPECT_EQ(at_60.line_count, 9 + 5 + 1) << "five rows and the end marker";

    EXPECT_EQ(twilight_report(above_60, 14, true, 2026, 3, 3, SkyContext(place("North", 60.5, 0, 0, 0))), 0);
    ASSERT_EQ(above_60.line_count, 10) << "one explanatory line, no end marker";
    EXPECT_EQ(report_line(above_60, 9).substr(36), "latitude greater than 60\xB0");

    // South of the equator the long twilights come with the December solstice.
    EXPECT_GT(twilight_offset(-35.0, -23.44, CIVIL_TWILIGHT_ZENITH),
              twilight_offset(-35.0, 23.44, CIVIL_TWILIGHT_ZENITH));
    // At the equator at an equinox the Sun sinks 6 degrees in 6/15 sidereal hours.
    EXPECT_NEAR(twilight_offset(0.0, 0.0, CIVIL_TWILIGHT_ZENITH), 0.4 * 0.9973, 1e-9);
    EXPECT_EQ(twilight_offset(55.0, 23.4, ASTRONOMICAL_TWILIGHT_ZENITH), TWILIGHT_NEVER_HOURS);
}

TEST_F(MoonReports, StopEndsTheApsidesAfterTheirHeadingButNotTheNodes) {
    work_signals().stop_requested = true;
    ReportDocument apsides, nodes;
    EXPECT_EQ(moon_apsides_report(apsides, 11, false, 2022, 1, 12, SkyContext(GREENWICH)), 1);
    EXPECT_EQ(apsides.line_count, 7) << "heading only, no end marker";
    EXPECT_EQ(moon_nodes_report(nodes, 12, false, 2026, 1, 1, SkyContext(GREENWICH)), 0) << "it has no pump";
    EXPECT_EQ(report_line(nodes, nodes.line_count - 1), "\f");
}

}  // namespace
