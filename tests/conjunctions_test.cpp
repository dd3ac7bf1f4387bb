// Planet conjunctions, oppositions and apsides against published instants.
// The search refines hourly only forward from the daily 0 h UT sample nearest
// the event, so its instant may lie up to half a day after the true one; the
// tolerances allow for that plus the older planetary theory.
#include "engine/bodies.h"
#include "engine/classical/conjunctions.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/classical/planet_apsides.h"
#include "engine/sky_engine.h"
#include "reports/planet_reports.h"
#include "tests/report_test_support.h"

namespace {

struct EventCase {
    const char* what;
    int body, pass, year, month;  // the planet, the kind, the month searched
    JulianDay published;          // UT
    DiskContact disk;             // transit or not, as observed
    const char* source;
};

JulianDay ut(int year, int month, int day, double hours) {
    return julian_day(day + hours / 24.0, month, year);
}

TEST(Conjunctions, PublishedEventsAreFoundWithinHalfADay) {
    const EventCase cases[] = {
        {"Mars opposition", 5, PASS_OPPOSITION, 2003, 8, ut(2003, 8, 28, 17.93), DISK_NONE,
         "USNO, 2003 Aug 28 17:56 UT"},
        {"Mars opposition", 5, PASS_OPPOSITION, 2020, 10, ut(2020, 10, 13, 23.33), DISK_NONE,
         "USNO, 2020 Oct 13 23:20 UT"},
        {"Mars opposition", 5, PASS_OPPOSITION, 2025, 1, ut(2025, 1, 16, 2.53), DISK_NONE,
         "USNO, 2025 Jan 16 02:32 UT"},
        {"Jupiter opposition", 6, PASS_OPPOSITION, 2026, 1, ut(2026, 1, 10, 8.57), DISK_NONE,
         "space.com, 2026 Jan 10 08:34 UT"},
        {"Venus inferior conjunction, north of the Sun", 4, PASS_CONJUNCTION, 2020, 6,
         ut(2020, 6, 3, 17.72), DISK_NONE, "EarthSky, 2020 Jun 3 17:43 UT"},
        {"Venus inferior conjunction, 7.7 deg south", 4, PASS_CONJUNCTION, 2023, 8,
         ut(2023, 8, 13, 11.0), DISK_NONE, "EarthSky, 2023 Aug 13 11 UT"},
        {"Venus transit", 4, PASS_CONJUNCTION, 2012, 6, ut(2012, 6, 6, 1.48), DISK_TRANSIT,
         "NASA, greatest transit 2012 Jun 6 01:29 UT"},
        {"Mercury transit", 3, PASS_CONJUNCTION, 2003, 5, ut(2003, 5, 7, 7.87), DISK_TRANSIT,
         "NASA, greatest transit 2003 May 7 07:52 UT"},
        {"Mercury transit", 3, PASS_CONJUNCTION, 2006, 11, ut(2006, 11, 8, 21.68), DISK_TRANSIT,
         "NASA, greatest transit 2006 Nov 8 21:41 UT"},
    };
    for (const EventCase& c : cases) {
        // The month searched through the seam; only the event sought is in it.
        const ConjunctionSearch found = CLASSICAL_ENGINE.conjunctions(
            c.body, julian_day(1, c.month, c.year), julian_day(1, c.month, c.year) + days_in_month(c.month, c.year),
            nullptr, nullptr);
        std::vector<Conjunction> events;
        for (const Conjunction& e : found.events)
            if (e.opposition == (c.pass == PASS_OPPOSITION)) events.push_back(e);
        ASSERT_EQ(events.size(), 1u) << c.what << " " << c.year;
        const Conjunction& e = events[0];
        EXPECT_NEAR(e.jd_ut, c.published, 0.55) << c.what << " (" << c.source << ")";
        EXPECT_LE(e.separation, CONJUNCTION_LIMIT_DEGREES) << c.what;
        EXPECT_EQ(e.disk, c.disk) << c.what << " (" << c.source << ")";
        if (c.pass == PASS_CONJUNCTION) EXPECT_FALSE(e.superior) << c.what << " inferior";
    }
}

// The 2019 November 11 transit of Mercury (greatest 15:20 UT, NASA) is nearer
// the sample of November 12 0 h than that of the 11th.  The forward-only
// refinement keeps that sample itself: the conjunction is reported there,
// 0.85 degrees past the Sun in longitude and 0.38 degrees off in declination,
// which is outside the Sun's disk, so it is not tagged as a transit.
using ConjunctionsReport = ReportTest;

TEST_F(ConjunctionsReport, EventBeforeItsNearestSampleIsGivenAtTheSample) {
    ConjunctionTable table;
    conjunction_window_init(julian_day(1, 11, 2019), julian_day(1, 12, 2019), NO_BODIES.with(Body::Mercury), table);
    for (int d = 1; d <= table.day_count; ++d) conjunction_table_sample(d, table);
    std::vector<ConjunctionEvent> events;
    EXPECT_EQ(find_conjunctions_in(table, 3, PASS_CONJUNCTION, julian_day(1, 11, 2019), julian_day(1, 12, 2019),
                                   events),
              0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_DOUBLE_EQ(events[0].instant, julian_day(12, 11, 2019));
    EXPECT_EQ(events[0].disk, DISK_NONE);
    // The report in Eastern standard time (UT - 5 h) reads the same instant as
    // 19 h on the 11th: an exact hour must not truncate to the hour before.
    ReportDocument document;
    Location east = GREENWICH;
    east.time_zone = -5.0;
    ASSERT_EQ(conjunction_report(document, 9, false, 2019, 11, 11, NO_BODIES.with(Body::Mercury), SkyContext(east)),
              0);
    std::string text;
    for (const std::string& line : lines_of(document)) text += line + "\n";
    EXPECT_NE(text.find("11/11/2019  19 "), std::string::npos) << text;
}

TEST(Conjunctions, MinimaOnlyOnInnerSampleDays) {
    struct Case {
        std::vector<double> separation;
        std::vector<int> days;
        const char* why;
    } cases[] = {
        {{0.2, 3, 4, 5, 6}, {}, "minimum on the first sample day is not examined"},
        {{9, 7, 5, 3, 0.1}, {}, "minimum on the last sample day is not examined"},
        {{9, 2, 5, 6, 1, 4}, {2, 5}, "inner minima, in day order"},
        {{4, 3, 3, 5}, {2, 3}, "a flat minimum counts on both days"},
    };
    for (const Case& c : cases) EXPECT_EQ(separation_minima(c.separation), c.days) << c.why;
}

struct ApsisCase {
    const char* what;
    int body;
    double k;
    JulianDay published;  // UT
    double tolerance_days;
    double distance_au;   // published distance from the Sun
    const char* source;
};

// The mean orbit ignores the Moon, which moves the Earth's apsides by up to
// about a day and a half, and the planets' mutual pull on Jupiter.
TEST(PlanetApsides, MeanOrbitInstantsMatchPublishedDates) {
    const ApsisCase cases[] = {
        {"Earth perihelion", 2, 120, ut(2020, 1, 5, 7.8), 1.5, 0.98324, "USNO, 2020 Jan 5 07:48 UT"},
        {"Earth aphelion", 2, 120.5, ut(2020, 7, 4, 11.6), 1.5, 1.01669, "USNO, 2020 Jul 4 11:35 UT"},
        {"Earth perihelion", 2, 124, ut(2024, 1, 3, 0.64), 1.5, 0.98331,
         "JPL Horizons, 2024 Jan 3 00:38 UT"},
        {"Mars perihelion", 5, 64, ut(2020, 8, 3, 12.0), 1.0, 1.3814, "NASA, 2020 Aug 3"},
        {"Jupiter perihelion", 6, 10, ut(2023, 1, 21, 12.0), 6.0, 4.9506, "NASA, 2023 Jan 21"},
    };
    for (const ApsisCase& c : cases) {
        const JulianDay jd = planet_apsis_instant(c.body, c.k);
        EXPECT_NEAR(jd, c.published, c.tolerance_days) << c.what << " (" << c.source << ")";
        double day = 0.0;
        int month = 0, year = 0;
        calendar_date(jd, day, month, year);
        const int whole = static_cast<int>(day);
        EXPECT_NEAR(heliocentric_distance(c.body, (day - whole) * 24.0, whole, month, year),
                    c.distance_au, 0.0015) << c.what;
    }
}

}  // namespace
