// The Greatest Elongations and Close Approaches reports at Greenwich under the
// default regional settings.  The goldens were checked before being frozen:
// the elongations of 2024 to 2026 against Astronomy Engine 2.1.19
// (SearchMaxElongation; the almanacs' dates and angles to 0.1 degree, e.g.
// Venus 47.2 degrees east on 2025 January 10, 45.9 east on 2026 August 15),
// each within 8 minutes (a broad maximum); December 2022 against Astronomy
// Engine's conjunctions in longitude and its topocentric places, every time
// within 2 minutes and every separation to 0.1 degree (Moon-Mars 04:18 UT,
// 0.5 degree north; Mercury 1.4 degrees north of Venus at 13:57 on December
// 29), the occultation of Uranus seen from Greenwich 16:46 to 17:21 UT and
// that of Mars 05:00 to 05:59 UT with the Moon sinking in the west
// (published for London as about 05:00 to 06:00 GMT).
#include "reports/close_event_reports.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/close_events.h"
#include "engine/precise/precise_engine.h"
#include "tests/report_test_support.h"

namespace {

using CloseEventReports = ReportTest;

SkyContext precise_at(const Location& place) {
    SkyContext sky(place);
    sky.engine = &PRECISE_ENGINE;
    return sky;
}

// The line of the document holding `part`, or "" when none does.
std::string line_with(const ReportDocument& document, const std::string& part) {
    for (const std::string& line : lines_of(document))
        if (line.find(part) != std::string::npos) return line;
    return "";
}

TEST_F(CloseEventReports, GreatestElongationsOfThreeYears) {
    ReportDocument document;
    EXPECT_EQ(elongations_report(document, 0, false, 2024, 2026, precise_at(GREENWICH)), 0);
    expect_golden(document, "elongations_2024_2026.txt");
}

TEST_F(CloseEventReports, AYearWithoutAnElongationOfVenusStillListsMercurys) {
    // 2024: Venus passes behind the Sun (June 4) and reaches no elongation;
    // Mercury has its usual seven.
    ReportDocument document;
    EXPECT_EQ(elongations_report(document, 0, false, 2024, 2024, SkyContext(GREENWICH)), 0);
    int mercury = 0, venus = 0;
    for (const std::string& line : lines_of(document)) {
        mercury += line.rfind("  Mercury", 0) == 0;
        venus += line.rfind("  Venus", 0) == 0;
    }
    EXPECT_EQ(mercury, 7);
    EXPECT_EQ(venus, 0);
}

TEST_F(CloseEventReports, CloseApproachesOfAMonthWithTheOccultationOfMars) {
    ReportDocument document;
    EXPECT_EQ(close_approaches_report(document, 0, false, 2022, 12, 12, CLOSE_APPROACH_ALL_PLANETS,
                                      precise_at(GREENWICH)),
              0);
    expect_golden(document, "close_approaches_2022_12.txt");
}

TEST_F(CloseEventReports, TheClassicalEngineTimesTheSameOccultationToAMinute) {
    ReportDocument document;
    EXPECT_EQ(close_approaches_report(document, 0, false, 2022, 12, 12, NO_BODIES.with(Body::Mars),
                                      SkyContext(GREENWICH)),
              0);
    EXPECT_NE(line_with(document, "Moon      0.5\xB0 north of Mars"), "");
    EXPECT_NE(line_with(document, "Occultation of Mars seen here:"), "");
    const std::string disappears = line_with(document, "disappears 12/08/2022");
    const std::string reappears = line_with(document, "reappears  12/08/2022");
    EXPECT_TRUE(disappears.find(" 4:59") != std::string::npos || disappears.find(" 5:00") != std::string::npos)
        << disappears;
    EXPECT_TRUE(reappears.find(" 5:58") != std::string::npos || reappears.find(" 5:59") != std::string::npos)
        << reappears;
}

TEST_F(CloseEventReports, DaylightSavingTimeAndADaytimeOccultationOfVenus) {
    // London's clock in September 2026 is BST (UT + 1).  Venus goes behind the
    // Moon on September 14 at 09:29 UT, the Moon still 3 degrees below
    // London's horizon, and comes out at 10:35 UT, the Moon 5 degrees up, in
    // daylight (Astronomy Engine's topocentric places).
    Location london{"London", COMPASS_NORTH, COMPASS_WEST, 51.5074, 0.1278, 0.0, 25, "Europe/London"};
    ReportDocument document;
    EXPECT_EQ(close_approaches_report(document, 0, false, 2026, 9, 9, NO_BODIES.with(Body::Venus), precise_at(london)),
              0);
    EXPECT_NE(line_with(document, "  09/14/2026  12:3"), "");  // the conjunction, 11:3x UT
    const std::string disappears = line_with(document, "disappears 09/14/2026 10:");
    const std::string reappears = line_with(document, "reappears  09/14/2026 11:3");
    EXPECT_NE(disappears.find("the Moon below the horizon; the Sun is up"), std::string::npos) << disappears;
    EXPECT_NE(reappears.find("the Moon 5\xB0 high; the Sun is up"), std::string::npos) << reappears;
}

TEST_F(CloseEventReports, PlutoAloneGivesNoCloseApproach) {
    ReportDocument document;
    EXPECT_EQ(close_approaches_report(document, 0, false, 2026, 1, 1, NO_BODIES.with(Body::Pluto), SkyContext(GREENWICH)),
              0);
    EXPECT_NE(line_with(document, "No close approach"), "");
}

// Stops at the first month's pump: the title is there, no event and no end marker.
void stop_at_once(int) { work_signals().stop_requested = true; }

TEST_F(CloseEventReports, StopKeepsTheLinesWithoutEndMarker) {
    set_pending_event_processor(stop_at_once);
    ReportDocument document;
    EXPECT_EQ(close_approaches_report(document, 0, false, 2026, 1, 12, CLOSE_APPROACH_PLANETS, SkyContext(GREENWICH)), 1);
    EXPECT_NE(line_with(document, "Close Approaches Report for"), "");
    EXPECT_EQ(line_with(document, "  Moon "), "");
    EXPECT_EQ(line_with(document, REPORT_END_MARKER), "");
    ReportDocument elongations;
    EXPECT_EQ(elongations_report(elongations, 0, false, 2026, 2027, SkyContext(GREENWICH)), 1);
    EXPECT_EQ(line_with(elongations, REPORT_END_MARKER), "");
}

}  // namespace
