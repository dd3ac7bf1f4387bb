// The planet reports at Greenwich under the default regional settings.  The
// goldens were checked before being frozen: Conj/Opp 2020 against the
// published 2020 phenomena (USNO; every event on its date or, when the event
// fell in the second half of a UT day, at 0 h of the next day, as the
// forward-only refinement gives it; Saturn's conjunction of January 13 at the
// descending node is behind the Sun), Apsides 2019-2021 against published
// perihelia and aphelia (Earth within the Moon's day or so, Mars 2020 Aug 3),
// View Info against Mercury's greatest elongation of 2020 Feb 10 (18.2 deg)
// and inferior conjunction of Feb 26, and Mars passing 4.8 deg north of
// Antares (RA 16h29m, Dec -26.4) on 2020 Jan 17/18.
#include "engine/bodies.h"
#include "reports/planet_reports.h"

#include <gtest/gtest.h>

#include "tests/report_test_support.h"

namespace {

using PlanetReports = ReportTest;

TEST_F(PlanetReports, ViewInfoWeeklyRowsAndEarthIgnored) {
    ReportDocument document;
    const BodySet earth_mercury_mars = NO_BODIES.with(Body::Earth).with(Body::Mercury).with(Body::Mars);
    EXPECT_EQ(view_info_report(document, 7, false, 2020, 1, 2, earth_mercury_mars, SkyContext(GREENWICH)), 0);
    expect_golden(document, "planet_view_info_2020.txt");
}

TEST_F(PlanetReports, ApsidesOverThreeYears) {
    ReportDocument document;
    EXPECT_EQ(apsides_report(document, 8, false, 2019, 2021, EARTH_AND_PLANETS, SkyContext(GREENWICH)), 0);
    expect_golden(document, "planet_apsides_2019_2021.txt");
}

TEST_F(PlanetReports, ConjunctionsAndOppositionsOfAYear) {
    ReportDocument document;
    EXPECT_EQ(conjunction_report(document, 9, true, 2020, 1, 12, EARTH_AND_PLANETS, SkyContext(GREENWICH)), 0);
    expect_golden(document, "planet_conjunctions_2020.txt");
}

// Stops inside Mercury's first refinement, after the 373 daily samples of a
// leap year's window (Dec 29 to Jan 4) and the pass's step: no event line
// yet and no end marker.
int pumps = 0;
void stop_in_first_refinement(int) {
    if (++pumps == 1 + 373 + 1 + 10) work_signals().stop_requested = true;
}

TEST_F(PlanetReports, StopDuringRefinementKeepsLinesWithoutEndMarker) {
    pumps = 0;
    set_pending_event_processor(stop_in_first_refinement);
    ReportDocument document;
    EXPECT_EQ(conjunction_report(document, 9, false, 2020, 1, 12, EARTH_AND_PLANETS, SkyContext(GREENWICH)), 1);
    ASSERT_EQ(document.line_count, 9);
    EXPECT_EQ(report_line(document, 7), "Mercury");
    EXPECT_EQ(report_line(document, 8), "");
}

}  // namespace
