// The phase table, the eclipse search and the eclipse reports.  Eclipse facts and the goldens
// under tests/data: NASA's Five Millennium Canons of solar and lunar eclipses (Espenak, Meeus).
#include "engine/classical/phase_eclipse_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "engine/calendar.h"
#include "engine/classical/moon.h"
#include "engine/sky_engine.h"
#include "reports/eclipse_reports.h"
#include "tests/report_test_support.h"

namespace {

using Eclipses = ReportTest;

Location place(const char* name, double latitude, int ns, double longitude, int ew, double zone) {
    return Location{name, ns, ew, latitude, longitude, zone, 46};
}

ReportDocument eclipse_document(int kind, int first, int last, const Location& location, int result = 0) {
    ReportDocument document;
    EXPECT_EQ(eclipse_report(document, kind == LUNAR_ECLIPSE ? 5 : 6, false, kind, first, last, SkyContext(location)), result);
    return document;
}

std::vector<std::string> report(int kind, int first, int last, const Location& location, int result = 0) {
    return lines_of(eclipse_document(kind, first, last, location, result));
}

// The classical engine's eclipses of a local year.
std::vector<EclipseCircumstances> year_eclipses(int year, const Location& at) {
    const double zone = at.time_zone / 24.0;
    return CLASSICAL_ENGINE.eclipses(julian_day(1, 1, year) - zone, julian_day(1, 1, year + 1) - zone, nullptr, nullptr)
        .events;
}

constexpr int S = SOLAR_ECLIPSE, L = LUNAR_ECLIPSE;
// Every solar and umbral lunar eclipse of 1994-1995 and 2024-2027: UT of greatest eclipse,
// solar type (lunar: 1 total, 0 partial), magnitude (0 unchecked), sign of gamma (solar).
// Penumbral-only ones are not reported: 1994 Nov 18, 1995 Oct 8, 2024 Mar 25, 2027 Feb 20,
// Jul 18 and Aug 17.
const struct { int kind, year, month, day, hour, minute, type; double magnitude; int sign; } known[] = {
    {S, 1994, 5, 10, 17, 12, SOLAR_ANNULAR, 0, 1}, {S, 1994, 11, 3, 13, 39, SOLAR_TOTAL, 0, -1},
    {L, 1994, 5, 25, 3, 31, 0, 0.243, 0}, {S, 1995, 4, 29, 17, 32, SOLAR_ANNULAR, 0, -1},
    {S, 1995, 10, 24, 4, 33, SOLAR_TOTAL, 0, 1}, {L, 1995, 4, 15, 12, 18, 0, 0.111, 0},
    {S, 2024, 4, 8, 18, 17, SOLAR_TOTAL, 0, 1}, {S, 2024, 10, 2, 18, 45, SOLAR_ANNULAR, 0, -1},
    {S, 2025, 3, 29, 10, 47, SOLAR_PARTIAL, 0.938, 1}, {S, 2025, 9, 21, 19, 43, SOLAR_PARTIAL, 0.855, -1},
    {S, 2026, 2, 17, 12, 13, SOLAR_ANNULAR, 0, -1}, {S, 2026, 8, 12, 17, 47, SOLAR_TOTAL, 0, 1},
    {S, 2027, 2, 6, 16, 1, SOLAR_ANNULAR, 0, -1}, {S, 2027, 8, 2, 10, 8, SOLAR_TOTAL, 0, 1},
    {L, 2024, 9, 18, 2, 44, 0, 0.085, 0}, {L, 2025, 3, 14, 6, 59, 1, 1.178, 0},
    {L, 2025, 9, 7, 18, 12, 1, 1.362, 0}, {L, 2026, 3, 3, 11, 34, 1, 1.151, 0},
    {L, 2026, 8, 28, 4, 13, 0, 0.930, 0},
};

TEST_F(Eclipses, FindsEveryKnownEclipseOfItsYearAndNoOther) {
    int found_total = 0;
    for (int year : {1994, 1995, 2024, 2025, 2026, 2027}) {
        const std::vector<EclipseCircumstances> list = year_eclipses(year, GREENWICH);
        found_total += static_cast<int>(list.size());
        for (const auto& k : known) {
            if (k.year != year) continue;
            SCOPED_TRACE(testing::Message() << (k.kind ? "lunar " : "solar ") << k.year << '-' << k.month << '-' << k.day);
            const double jd = julian_day(k.day + (k.hour + k.minute / 60.0) / 24, k.month, k.year);
            const EclipseCircumstances* e = nullptr;
            for (const EclipseCircumstances& found : list)
                if (found.kind == k.kind && std::fabs(found.jd_max - jd) < 0.5) e = &found;
            ASSERT_NE(e, nullptr);
            EXPECT_NEAR(e->jd_max, jd, 10.0 / 1440) << "within ten minutes";
            EXPECT_EQ(k.kind == S ? int(e->solar_type) : e->total_semiduration_hours > 0, k.type);
            EXPECT_EQ(k.kind == S ? (e->gamma >= 0 ? 1 : -1) : 0, k.sign);
            EXPECT_NEAR(e->magnitude * (k.magnitude > 0), k.magnitude, 0.02);
        }
    }
    EXPECT_EQ(found_total, int(std::size(known))) << "penumbral-only eclipses are not reported";
    // One window over 2024-2027 runs four years' tables, which share their
    // ends: each eclipse once, in time order.
    const EclipseSearch window =
        CLASSICAL_ENGINE.eclipses(julian_day(1, 1, 2024), julian_day(1, 1, 2028), nullptr, nullptr);
    EXPECT_EQ(window.events.size(), 13u);
    for (std::size_t i = 1; i < window.events.size(); ++i)
        EXPECT_GT(window.events[i].jd_max - window.events[i - 1].jd_max, 13.0) << i;  // half a lunation or more
}

TEST_F(Eclipses, ArgumentOfLatitudeLimitsAndTheLocalYear) {
    // Within 13.9 degrees of a node always examined, 15 by |sin F| <= 0.36, beyond 21 never.
    for (double f : {0.0, 13.8, 15.0, -15.0, 195.0, 346.0, 360.0}) EXPECT_FALSE(eclipse_excluded(f)) << f;
    for (double f : {21.5, 25.0, 90.0, 205.0, -25.0}) EXPECT_TRUE(eclipse_excluded(f)) << f;

    // The partial lunar eclipse of 2009 Dec 31, 19:23 UT, is 2010 Jan 1 at UT+8.
    const Location east = place("East", 31, COMPASS_NORTH, 121, COMPASS_EAST, 8);
    const struct { int year; const Location& at; bool listed; } cases[] = {
        {2009, GREENWICH, true}, {2010, GREENWICH, false}, {2009, east, false}, {2010, east, true}};
    for (const auto& c : cases) {
        bool listed = false;
        for (const EclipseCircumstances& e : year_eclipses(c.year, c.at))
            listed |= std::fabs(e.jd_max - julian_day(31 + 19.4 / 24, 12, 2009)) < 0.1;
        EXPECT_EQ(listed, c.listed) << c.year << " at UT+" << c.at.time_zone;
    }
}

TEST_F(Eclipses, WholeYearsFromMinus4000To32000) {
    for (int year : {-4000, 1000, 1582, 2024, 3000, 32000}) {
        // Each phase once, in order, although several date steps hit each lunation.
        PhaseTable table;
        ASSERT_EQ(build_phase_table(year, table), 0);
        EXPECT_TRUE(table.records.size() >= 57 && table.records.size() <= 64) << year;
        for (const PhaseRecord* r = table.records.data() + 1; r < table.records.data() + table.records.size(); ++r) {
            EXPECT_EQ(r->phase, (r[-1].phase + 1) % 4) << year << " record " << r - table.records.data();
            EXPECT_TRUE(r->jd_true - r[-1].jd_true > 5.5 && r->jd_true - r[-1].jd_true < 9.0) << year;
        }
        for (int kind : {SOLAR_ECLIPSE, LUNAR_ECLIPSE}) {
            const std::vector<std::string> lines = report(kind, year, year, GREENWICH);
            EXPECT_EQ(lines.back(), "\f");
            for (const std::string& line : lines)
                EXPECT_TRUE(line.size() <= 80 && line.find("nan") == line.npos && line.find("inf") == line.npos) << line;
        }
    }
}

// The table computes each lunation once; it must hold exactly what the
// literal search gives: moon_phase_instant at all 200 date steps and phases,
// Delta T taken off, a record kept unless its instant is already listed.
TEST_F(Eclipses, PhaseTableHoldsTheLiteralSearchsInstantsBitForBit) {
    for (int year : {-4000, 1000, 1582, 1583, 2000, 2026, 3000, 32000}) {
        std::vector<PhaseRecord> literal;
        for (int i = 0; i < 50; ++i)
            for (int q = 0; q < 4; ++q) {
                PhaseRecord r;
                r.phase = q;
                moon_phase_instant((year - 1.0 / 12.0) + (7.0 / 6.0) * i * 0.02, q, r.latitude_argument,
                                   r.sun_mean_anomaly, r.moon_mean_anomaly, r.centuries, r.jd_mean, r.jd_true);
                double day = 0.0;
                int month = 0, y = 0;
                calendar_date(r.jd_true, day, month, y);
                r.jd_true -= delta_t_hours(y) / 24.0;
                r.jd_mean -= delta_t_hours(y) / 24.0;
                bool listed = false;
                for (const PhaseRecord& k : literal) listed = listed || k.jd_true == r.jd_true;
                if (!listed) literal.push_back(r);
            }
        PhaseTable table;
        ASSERT_EQ(build_phase_table(year, table), 0);
        ASSERT_EQ(table.records.size(), literal.size()) << year;
        for (std::size_t i = 0; i < table.records.size(); ++i) {
            const PhaseRecord& a = table.records[i];
            const PhaseRecord& b = literal[i];
            EXPECT_EQ(std::tuple(a.phase, a.latitude_argument, a.sun_mean_anomaly, a.moon_mean_anomaly, a.centuries,
                                 a.jd_true, a.jd_mean),
                      std::tuple(b.phase, b.latitude_argument, b.sun_mean_anomaly, b.moon_mean_anomaly, b.centuries,
                                 b.jd_true, b.jd_mean))
                << year << " record " << i;
        }
    }
}

TEST_F(Eclipses, ReportsMatchTheGoldensAndTheEdgeCases) {
    for (const auto& [kind, name] : {std::pair{S, "solar_eclipses_2024_2027.txt"}, {L, "lunar_eclipses_2024_2027.txt"}}) {
        expect_golden(eclipse_document(kind, 2024, 2027, GREENWICH), name);
    }
    // Longyearbyen: the Sun stays below the horizon on 2027 Feb 6 (annular eclipse).
    const std::vector<std::string> solar =
        report(S, 2027, 2027, place("Longyearbyen", 78.22, COMPASS_NORTH, 15.65, COMPASS_EAST, 1));
    EXPECT_EQ(std::vector<std::string>(solar.begin() + 7, solar.begin() + 10),
              (std::vector<std::string>{"Solar eclipse on 02/06/2027", "Sun rise: None ", "Sun set:  None "}));
    // 2026 Aug 28 at UT-3 (NASA: partial 2:33-5:52 UT): it begins the evening before.
    const std::vector<std::string> lunar =
        report(L, 2026, 2026, place("Sao Paulo", 23.55, COMPASS_SOUTH, 46.63, COMPASS_WEST, -3));
    EXPECT_EQ(lunar[lunar.size() - 9], "Lunar eclipse on 08/28/2026");
    EXPECT_EQ(std::vector<std::string>(lunar.end() - 6, lunar.end() - 2),
              (std::vector<std::string>{"Magnitude:  0.93", "Partial phase begins:    23:31",
                                        "Time of maximum eclipse:  1:09", "Partial phase ends:       2:48"}));
}

TEST_F(Eclipses, ProgressAndStopping) {
    // Each year's 200 phase steps share the year's part of the progress.
    static std::vector<std::string> progress;
    static int pumps = 0, stop_at = 0;
    progress.clear();
    set_report_display(ReportDisplay{nullptr, [](const std::string& text) { progress.push_back(text); }});
    report(L, 2025, 2026, GREENWICH);
    ASSERT_EQ(progress.size(), 401u);
    EXPECT_EQ(progress[199].substr(0, 26), "Generating Report:  50.00%");
    EXPECT_EQ(progress[399].substr(0, 26), "Generating Report: 100.00%");

    // Pumps: one per year and per phase step; 100th in 2025's table, 202nd before 2026.
    set_pending_event_processor([](int) { work_signals().stop_requested = ++pumps == stop_at; });
    for (const auto& [stop, lines] : {std::pair{100, 6u}, {202, 6u + 2 * 11u}}) {
        pumps = 0, stop_at = stop;
        EXPECT_EQ(report(L, 2025, 2026, GREENWICH, 1).size(), lines) << "stopped at pump " << stop;
    }
}

}  // namespace
