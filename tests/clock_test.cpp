// The local clock against the published rules of each country's clock (the
// laws the IANA database records), independent of the database itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/calendar.h"
#include "engine/clock.h"

namespace {

Location zoned(const char* zone, double fixed_hours = 0.0) {
    Location place;
    place.zone = zone;
    place.time_zone = fixed_hours;
    return place;
}

JulianDay ut(int year, int month, int day, double hours) { return julian_day(day + hours / 24.0, month, year); }

constexpr double SECOND_DAYS = 1.0 / 86400.0;
constexpr double MINUTE_DAYS = 60.0 * SECOND_DAYS;

// Changes of the clock in 2026, the instant in UT and the offsets either
// side: US Energy Policy Act 2005 (second Sunday of March 2:00, first Sunday
// of November 2:00 local), EU Directive 2000/84/EC (last Sundays of March
// and October, 1:00 UT), New South Wales Daylight Saving Act (first Sundays
// of October 2:00 and April 3:00 local), Lord Howe Island (half an hour,
// 2:00 local both ways), Chile's Decree 1286 of 2022 (first Saturdays of
// September and April at 24:00).
TEST(ClockChanges, BothWaysIn2026OnThreeContinents) {
    struct Case { const char* zone; JulianDay when; double before, after; };
    const Case cases[] = {
        {"America/Denver", ut(2026, 3, 8, 9.0), -7.0, -6.0},       {"America/Denver", ut(2026, 11, 1, 8.0), -6.0, -7.0},
        {"Europe/London", ut(2026, 3, 29, 1.0), 0.0, 1.0},          {"Europe/London", ut(2026, 10, 25, 1.0), 1.0, 0.0},
        {"Australia/Sydney", ut(2026, 4, 4, 16.0), 11.0, 10.0},     {"Australia/Sydney", ut(2026, 10, 3, 16.0), 10.0, 11.0},
        {"America/Santiago", ut(2026, 4, 5, 3.0), -3.0, -4.0},      {"America/Santiago", ut(2026, 9, 6, 4.0), -4.0, -3.0},
        {"Australia/Lord_Howe", ut(2026, 4, 4, 15.0), 11.0, 10.5},  {"Australia/Lord_Howe", ut(2026, 10, 3, 15.5), 10.5, 11.0},
    };
    for (const Case& c : cases) {
        const Location place = zoned(c.zone);
        EXPECT_DOUBLE_EQ(utc_offset_hours(place, c.when - SECOND_DAYS), c.before) << c.zone;
        EXPECT_DOUBLE_EQ(utc_offset_hours(place, c.when + SECOND_DAYS), c.after) << c.zone;
        // The daylight clock is the later one.
        EXPECT_EQ(daylight_time(place, c.when + SECOND_DAYS), c.after > c.before) << c.zone;
        EXPECT_DOUBLE_EQ(standard_offset_hours(place, c.when + SECOND_DAYS), std::min(c.before, c.after)) << c.zone;
        // The same change in the year's list, to the second.
        bool listed = false;
        for (const ClockChange& change : clock_changes(place, ut(2026, 1, 1, 0.0), ut(2027, 1, 1, 0.0))) {
            if (std::abs(change.jd_ut - c.when) > SECOND_DAYS) continue;
            listed = change.hours_before == c.before && change.hours_after == c.after;
        }
        EXPECT_TRUE(listed) << c.zone;
    }
    EXPECT_EQ(clock_changes(zoned("America/Denver"), ut(2026, 1, 1, 0.0), ut(2027, 1, 1, 0.0)).size(), 2u);
}

// Daylight time abolished: Paraguay's Law 7353 (permanent UT-3 from October
// 2024); Mexico's 2022 Ley de los Husos Horarios (no daylight saving from
// 30 October 2022, Mexico City on UT-6 all year); Ciudad Juarez, by the same
// law's 2022 amendment, on US Mountain time with US daylight saving since
// 30 November 2022.  And the zones beyond +12 h: Samoa (UT+13 without
// daylight saving since 2021), Kiribati's Line Islands (UT+14).
TEST(ClockOffsets, ZonesThatChangedTheirRules) {
    struct Case { const char* zone; JulianDay when; double hours; bool daylight; };
    const Case cases[] = {
        {"America/Asuncion", ut(2023, 7, 1, 12.0), -4.0, false}, {"America/Asuncion", ut(2024, 1, 15, 12.0), -3.0, true},
        {"America/Asuncion", ut(2025, 7, 1, 12.0), -3.0, false}, {"America/Asuncion", ut(2026, 1, 15, 12.0), -3.0, false},
        {"America/Mexico_City", ut(2022, 7, 1, 12.0), -5.0, true},
        {"America/Mexico_City", ut(2023, 7, 1, 12.0), -6.0, false},
        {"America/Ciudad_Juarez", ut(2026, 1, 15, 12.0), -7.0, false},
        {"America/Ciudad_Juarez", ut(2026, 7, 1, 12.0), -6.0, true},
        {"Pacific/Apia", ut(2026, 1, 15, 12.0), 13.0, false},    {"Pacific/Kiritimati", ut(2026, 7, 1, 12.0), 14.0, false},
        {"Asia/Kolkata", ut(2026, 7, 1, 12.0), 5.5, false},      {"Asia/Kathmandu", ut(2026, 7, 1, 12.0), 5.75, false},
    };
    for (const Case& c : cases) {
        const Location place = zoned(c.zone, 99.0);  // the fixed offset is not used when a zone is named
        EXPECT_DOUBLE_EQ(utc_offset_hours(place, c.when), c.hours) << c.zone;
        EXPECT_EQ(daylight_time(place, c.when), c.daylight) << c.zone;
    }
}

// A clock reading to UT: the US Mountain zone's 2026 changes.  The autumn
// hour 01:00-02:00 happens twice (the first, on daylight time, is meant);
// the spring hour 02:00-03:00 never does (02:30 is taken as 03:30).
TEST(ClockReadings, RepeatedAndSkippedHoursAndDayLengths) {
    const Location denver = zoned("America/Denver");
    EXPECT_NEAR(clock_to_ut(denver, ut(2026, 7, 4, 12.0)), ut(2026, 7, 4, 18.0), SECOND_DAYS);
    EXPECT_NEAR(clock_to_ut(denver, ut(2026, 11, 1, 1.5)), ut(2026, 11, 1, 7.5), SECOND_DAYS);
    EXPECT_NEAR(clock_to_ut(denver, ut(2026, 3, 8, 2.5)), ut(2026, 3, 8, 9.5), SECOND_DAYS);
    EXPECT_NEAR(ut_to_clock(denver, ut(2026, 3, 8, 9.5)), ut(2026, 3, 8, 3.5), SECOND_DAYS);
    // Local days: 24 hours, 23 on the spring change, 25 on the autumn one.
    auto day_hours = [&](const Location& at, int day, int month) {
        return (clock_day_start(at, day + 1, month, 2026) - clock_day_start(at, day, month, 2026)) * 24.0;
    };
    EXPECT_NEAR(day_hours(denver, 7, 3), 24.0, 1e-6);
    EXPECT_NEAR(day_hours(denver, 8, 3), 23.0, 1e-6);
    EXPECT_NEAR(day_hours(denver, 1, 11), 25.0, 1e-6);
    EXPECT_NEAR(day_hours(zoned("Australia/Lord_Howe"), 5, 4), 24.5, 1e-6);
    EXPECT_NEAR(clock_day_start(denver, 8, 3, 2026), ut(2026, 3, 8, 7.0), SECOND_DAYS);
    EXPECT_NEAR(clock_day_start(denver, 9, 3, 2026), ut(2026, 3, 9, 6.0), SECOND_DAYS);
}

// Without a zone the fixed offset stands exactly as adding time_zone / 24 does.
TEST(ClockOffsets, FixedOffsetWithoutAZone) {
    Location place;
    place.time_zone = -7.0;
    const JulianDay t = ut(2026, 7, 4, 12.0);
    EXPECT_EQ(utc_offset_hours(place, t), -7.0);
    EXPECT_EQ(ut_to_clock(place, t), t + place.time_zone / 24.0);
    EXPECT_EQ(clock_to_ut(place, t), t - place.time_zone / 24.0);
    EXPECT_FALSE(daylight_time(place, t));
    EXPECT_EQ(standard_offset_hours(place, t), -7.0);
    EXPECT_TRUE(clock_changes(place, t, t + 365.0).empty());
}

TEST(ZoneNames, KnownAndUnknown) {
    EXPECT_EQ(check_zone("America/Denver"), ZoneStatus::KNOWN);
    EXPECT_EQ(check_zone("Pacific/Kiritimati"), ZoneStatus::KNOWN);
    EXPECT_EQ(check_zone("Mars/Olympus_Mons"), ZoneStatus::UNKNOWN);
    EXPECT_EQ(check_zone(""), ZoneStatus::UNKNOWN);
    const std::vector<std::string> names = zone_names();
    EXPECT_GT(names.size(), 300u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "Europe/London"));
    // A misspelt zone on a place leaves its fixed offset in force.
    EXPECT_EQ(utc_offset_hours(zoned("Europe/Londn", 2.0), ut(2026, 7, 1, 0.0)), 2.0);
}

}  // namespace
