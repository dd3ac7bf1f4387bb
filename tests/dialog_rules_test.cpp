// The dialogs' rules: ranges in order, cross-field rules, nothing written on a
// refusal, and the typed-location checks.
#include "app/dialog_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/bodies.h"
#include "platform/locale.h"
#include "format/format.h"
#include "resources/strings.h"

namespace {

DialogEntry year_month_range(const char* year, const char* start, const char* stop) {
    DialogEntry e;
    e.year = year, e.month = start, e.end_month = stop;
    return e;
}

// Fields are checked in order, the first failing one named; nothing is written on a refusal.
TEST(DialogRules, YearMonthRangeChecksInOrder) {
    EXPECT_EQ(load_string(MSG_YEAR_RANGE_WIDE), "Year must be between -4000 and 32000");
    EXPECT_EQ(load_string(MSG_VIEW_ANGLE_RANGE), "View angle must be between 5\xB0 and 90\xB0");
    CommandParams p;
    p.year = 1990;
    const struct { const char* year; const char* start; const char* stop; int message; int control; } cases[] = {
        {"19x5", "1", "3", MSG_INVALID_NUMBER, CTL_YEAR},
        {"999", "13", "3", MSG_YEAR_RANGE, CTL_YEAR},   // the first failing field wins
        {"3001", "1", "3", MSG_YEAR_RANGE, CTL_YEAR},
        {"1995", "0", "3", MSG_MONTH_RANGE, CTL_MONTH},
        {"1995", "1", "13", MSG_MONTH_RANGE, CTL_STOP_MONTH},
        {"1995", "4", "3", MSG_STOP_MONTH, CTL_STOP_MONTH},
        {"1995", "", "3", MSG_INVALID_NUMBER, CTL_MONTH},
    };
    for (const auto& c : cases) {
        DialogError e = apply_dialog(DIAL_YEAR_MR, year_month_range(c.year, c.start, c.stop), p);
        EXPECT_EQ(std::pair(e.message_id, e.control_id), std::pair(c.message, c.control))
            << c.year << " " << c.start << " " << c.stop;
        EXPECT_EQ(p.year, 1990) << "nothing is written on a refusal";
    }
    // Equal months are allowed; edge years too.
    EXPECT_EQ(apply_dialog(DIAL_YEAR_MR, year_month_range("1000", "3", "3"), p).message_id, 0);
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.end_month}), std::vector<int>({1000, 3, 3}));
    EXPECT_EQ(apply_dialog(DIAL_YEAR_MR, year_month_range("+3000", "1", "12"), p).message_id, 0);
    EXPECT_EQ(p.year, 3000);
    // A blank before the number is refused, as on the command line.
    EXPECT_EQ(apply_dialog(DIAL_YEAR_MR, year_month_range(" 2000", "1", "12"), p).message_id, MSG_INVALID_NUMBER);
    // The day is normalised when the month changes: April 31 does not exist, 2000 is a leap year.
    p.day = 31;
    EXPECT_EQ(apply_dialog(DIAL_YEAR_MONTH, year_month_range("2001", "4", "4"), p).message_id, 0);
    EXPECT_EQ(p.day, 1);
    p.day = 29;
    EXPECT_EQ(apply_dialog(DIAL_YEAR_MONTH, year_month_range("2000", "2", "2"), p).message_id, 0);
    EXPECT_EQ(p.day, 29);
}

// Stop year before start refused, a reversed range swapped on opening; Earth alone is no planet where not offered.
TEST(DialogRules, YearRangeAndPlanets) {
    CommandParams p;
    DialogEntry e;
    e.year = "2000", e.end_year = "1999";
    EXPECT_EQ(apply_dialog(DIAL_YEAR_RANGE, e, p).message_id, MSG_STOP_YEAR);
    e.end_year = "2000";
    EXPECT_EQ(apply_dialog(DIAL_YEAR_RANGE, e, p).message_id, 0);
    // The range swaps on opening when an earlier dialog reversed it.
    p.year = 2010, p.end_year = 2005;
    DialogEntry opened = dialog_entry_from(DIAL_YEAR_RANGE, p);
    EXPECT_EQ(std::pair(opened.year, opened.end_year), std::pair(std::string("2005"), std::string("2010")));
    e = year_month_range("2026", "1", "12");
    e.planet_set = 1 << id_of(Body::Earth);  // Earth alone, where Earth is not offered
    p.earth_offered = false;
    DialogError none = apply_dialog(DIAL_PLANETS, e, p);
    // Refused at the Mercury box, the first shown.
    EXPECT_EQ(std::pair(none.message_id, none.control_id), std::pair(int{MSG_SELECT_PLANET}, 120));
    e.planet_set = (1 << id_of(Body::Mars)) | (1 << id_of(Body::Earth));
    EXPECT_EQ(apply_dialog(DIAL_PLANETS, e, p).message_id, 0);
    EXPECT_EQ(p.planet_set, NO_BODIES.with(Body::Mars));
    e.year = "2000", e.end_year = "2001", e.planet_set = 0;
    EXPECT_EQ(apply_dialog(DIAL_PLANET_APSIDES, e, p).message_id, MSG_SELECT_PLANET);
}

// A movie entry that every movie dialog accepts: 2024 March 1, 21:30.
DialogEntry movie_entry() {
    DialogEntry e = dialog_entry_from(DIAL_PL_MOVIE, CommandParams{});
    e.year = "2024", e.month = "3", e.day = "1", e.hour = "21", e.minute = "30";
    e.time_speed = "-64", e.view_angle = "90";
    e.planet_set = 1 << id_of(Body::Mars), e.moon_set = 1, e.binary_star = 9, e.planetarium_star = 0;
    return e;
}

// Each movie dialog's refusals, at the control that gets the focus.
TEST(DialogRules, MovieDialogsCheckInOrder) {
    const struct { const char* what; DialogId dialog; void (*edit)(DialogEntry&); int message, control; } cases[] = {
        {"29 Feb 2001", DIAL_EC_MOVIES, [](DialogEntry& e) { e.year = "2001", e.month = "2", e.day = "29"; },
         MSG_INVALID_DATE, CTL_DATE_DAY},
        {"no planet before the date", DIAL_EC_MOVIES,
         [](DialogEntry& e) { e.day = "31", e.month = "4", e.planet_set = 1; }, MSG_SELECT_PLANET, 130},
        {"speed 65", DIAL_EC_MOVIES, [](DialogEntry& e) { e.time_speed = "65"; }, MSG_TIME_SPEED_RANGE, 140},
        {"angle 4", DIAL_EC_MOVIES, [](DialogEntry& e) { e.view_angle = "4"; }, MSG_VIEW_ANGLE_RANGE, 142},
        {"minute 60", DIAL_JM_MOVIES, [](DialogEntry& e) { e.minute = "60"; }, MSG_MINUTE_RANGE, 117},
        {"no moon", DIAL_JM_MOVIES, [](DialogEntry& e) { e.moon_set = 0; }, MSG_SELECT_MOON, 130},
        {"year -4001", DIAL_BS_MOVIE, [](DialogEntry& e) { e.year = "-4001"; }, MSG_YEAR_RANGE_WIDE, 113},
        {"year -4000", DIAL_BS_MOVIE, [](DialogEntry& e) { e.year = "-4000"; }, 0, 0},
        {"no binary star", DIAL_BS_MOVIE, [](DialogEntry& e) { e.binary_star = -1; }, MSG_SELECT_BINARY_STAR, 143},
        {"nothing to view", DIAL_PL_MOVIE,
         [](DialogEntry& e) { e.view_sun_moon = e.view_planets = e.view_stars = 0; }, MSG_SELECT_VIEW_ITEM, 160},
        {"turbo untracked", DIAL_PL_MOVIE, [](DialogEntry& e) { e.turbo = 1, e.track_body = 0; },
         MSG_TURBO_NEEDS_TRACKING, 142},
        {"turbo on the Sun", DIAL_PL_MOVIE, [](DialogEntry& e) { e.turbo = e.track_body = 1, e.planetarium_body = 0; },
         MSG_TURBO_NEEDS_TRACKING, 130},
        {"turbo on the star", DIAL_PL_MOVIE, [](DialogEntry& e) { e.turbo = e.track_body = 1, e.planetarium_body = 11; },
         0, 0},
        {"no star", DIAL_PL_MOVIE, [](DialogEntry& e) { e.planetarium_star = -1; }, MSG_SELECT_STAR, 171},
        {"facing up", DIAL_PL_MOVIE, [](DialogEntry& e) { e.facing = "up"; }, MSG_FACING_RANGE, CTL_PL_FACING},
        {"facing 360.5", DIAL_PL_MOVIE, [](DialogEntry& e) { e.facing = "360.5"; }, MSG_FACING_RANGE, CTL_PL_FACING},
        {"altitude -1", DIAL_PL_MOVIE, [](DialogEntry& e) { e.facing = "S", e.altitude = "-1"; }, MSG_ALTITUDE_RANGE,
         CTL_PL_ALTITUDE},
        {"facing and tracking", DIAL_PL_MOVIE, [](DialogEntry& e) { e.facing = "n", e.track_body = 1; },
         MSG_FACING_WITH_TRACKING, CTL_PL_TRACK_BODY},
        {"magnitude 7", DIAL_PL_MOVIE, [](DialogEntry& e) { e.magnitude_limit = "7"; }, MSG_MAGNITUDE_LIMIT_RANGE,
         CTL_PL_MAGNITUDE_LIMIT},
    };
    for (const auto& c : cases) {
        DialogEntry e = movie_entry();
        c.edit(e);
        CommandParams p;
        DialogError err = apply_dialog(c.dialog, e, p);
        EXPECT_EQ(std::pair(err.message_id, err.control_id), std::pair(c.message, c.control)) << c.what;
        if (c.message) {
            EXPECT_EQ(p.year, CommandParams{}.year) << c.what << ": nothing is written";
        }
    }
    // The planetarium rebuilds its view set: Sun/Moon bits 0 and 1, Stars bit 11.
    DialogEntry e = movie_entry();
    e.view_planets = 0;
    CommandParams p;
    ASSERT_EQ(apply_dialog(DIAL_PL_MOVIE, e, p).message_id, 0);
    EXPECT_EQ(p.planetarium_view_set.bits, 0x803u);
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.day, p.hour, p.minute, p.time_speed}),
              std::vector<int>({2024, 3, 1, 21, 30, -64}));
    // Without a facing the equatorial view keeps STARS.DAT; a compass point or
    // degrees give the horizon view with the stars to 6.0.
    EXPECT_EQ(std::vector<int>({p.horizon_view, p.atlas_stars}), std::vector<int>({0, 0}));
    for (const auto& [facing, azimuth] : {std::pair("SW", 225.0), std::pair("nw", 315.0), std::pair("90.5", 90.5),
                                          std::pair("360", 0.0)}) {
        e.facing = facing, e.altitude = "12.5";
        ASSERT_EQ(apply_dialog(DIAL_PL_MOVIE, e, p).message_id, 0) << facing;
        EXPECT_EQ(p.horizon_view, 1);
        EXPECT_EQ(p.facing_azimuth, azimuth) << facing;
        EXPECT_EQ(p.view_altitude, 12.5);
        EXPECT_EQ(p.atlas_stars, 1);
        EXPECT_EQ(p.magnitude_limit, 6.0);
    }
    e.facing = "", e.magnitude_limit = "4.5";
    ASSERT_EQ(apply_dialog(DIAL_PL_MOVIE, e, p).message_id, 0);
    EXPECT_EQ(std::vector<double>({double(p.horizon_view), double(p.atlas_stars), p.magnitude_limit}),
              std::vector<double>({0, 1, 4.5}));
    EXPECT_EQ(dialog_entry_from(DIAL_PL_MOVIE, p).magnitude_limit, "4.5");
}

// The Now button fills the fields from a Julian day; fields show without leading zeros.
TEST(DialogRules, ShownFieldsAndTheNowButton) {
    DialogEntry e;
    set_entry_date_time(e, 2451545.0 + 0.25 + 5.0 / 1440);  // 2000 Jan 1, 18:05 (JD 2451545.0 is noon)
    EXPECT_EQ(std::vector<std::string>({e.year, e.month, e.day, e.hour, e.minute}),
              std::vector<std::string>({"2000", "01", "01", "18", "05"}));
    EXPECT_EQ(shown_field(FIELD_HOUR, 7), "7");  // no leading zero for hours by default, and no blank
    EXPECT_EQ(shown_field(FIELD_TIME_SPEED, -5), "-5");
}

LocationEntry sample_location() {
    LocationEntry e;
    e.name = "  Sample   City  ";
    e.latitude_degrees = "39", e.latitude_minutes = "44", e.latitude_seconds = "21";
    e.longitude_degrees = "104", e.longitude_minutes = "59", e.longitude_seconds = "3";
    e.elevation = "200", e.time_zone = "-7";
    return e;
}

std::string comma_locale(std::string_view key, std::string_view fallback) {
    return key == "sDecimal" ? "," : std::string(fallback);
}

// Degrees-minutes-seconds to the pole's edge, and the locale's decimal comma.
TEST(LocationEntry, RangesAndTheEdgesOfThePoles) {
    Location l;
    LocationEntry e = sample_location();
    ASSERT_EQ(apply_location_entry(e, l).message_id, 0);
    EXPECT_EQ(l.name, "Sample City");
    EXPECT_NEAR(l.latitude, 39.739167, 1e-6);
    EXPECT_DOUBLE_EQ(l.time_zone, -7.0);

    const struct { const char* what; void (*edit)(LocationEntry&); int message; } cases[] = {
        {"latitude 90 0'1\"",
         [](LocationEntry& e) { e.latitude_degrees = "90", e.latitude_minutes = "0", e.latitude_seconds = "1"; },
         MSG_LATITUDE_RANGE},
        {"latitude 90 0'0\"",
         [](LocationEntry& e) { e.latitude_degrees = "90", e.latitude_minutes = "0", e.latitude_seconds = "0"; }, 0},
        {"longitude 180 0'1\"",
         [](LocationEntry& e) { e.longitude_degrees = "180", e.longitude_minutes = "0", e.longitude_seconds = "1"; },
         MSG_LONGITUDE_RANGE},
        {"blank name", [](LocationEntry& e) { e.name = "   "; }, MSG_LOCATION_NAME},
        {"8901 m", [](LocationEntry& e) { e.elevation = "8901"; }, MSG_ELEVATION_RANGE},
        {"12.5 h", [](LocationEntry& e) { e.time_zone = "12.5"; }, MSG_TIME_ZONE_RANGE},
        {"5 5 h", [](LocationEntry& e) { e.time_zone = "5 5"; }, MSG_INVALID_NUMBER},
        // Only plain decimals, as on the command line: no words, exponents,
        // hexadecimal or blanks, in the zone and in every whole-number field.
        {"nan h", [](LocationEntry& e) { e.time_zone = "nan"; }, MSG_INVALID_NUMBER},
        {"inf h", [](LocationEntry& e) { e.time_zone = "inf"; }, MSG_INVALID_NUMBER},
        {"1e1 h", [](LocationEntry& e) { e.time_zone = "1e1"; }, MSG_INVALID_NUMBER},
        {"0x5 h", [](LocationEntry& e) { e.time_zone = "0x5"; }, MSG_INVALID_NUMBER},
        {"0x1p3 h", [](LocationEntry& e) { e.time_zone = "0x1p3"; }, MSG_INVALID_NUMBER},
        {"' 5' h", [](LocationEntry& e) { e.time_zone = " 5"; }, MSG_INVALID_NUMBER},
        {"' 5' m", [](LocationEntry& e) { e.elevation = " 5"; }, MSG_INVALID_NUMBER},
        {"'39 '", [](LocationEntry& e) { e.latitude_degrees = "39 "; }, MSG_INVALID_NUMBER},
    };
    for (const auto& c : cases) {
        e = sample_location();
        c.edit(e);
        EXPECT_EQ(apply_location_entry(e, l).message_id, c.message) << c.what;
    }

    // A comma is the decimal separator where the locale says so.
    set_locale_profile_reader(comma_locale);
    reload_locale_settings();
    e = sample_location();
    e.time_zone = "5,5";
    EXPECT_EQ(apply_location_entry(e, l).message_id, 0);
    EXPECT_DOUBLE_EQ(l.time_zone, 5.5);
    set_locale_profile_reader(nullptr);
    reload_locale_settings();
}

// The clock zone: a name of the system's database, blanks around it ignored,
// a city beyond UT+12 through its zone; a misspelt one refused at its field.
TEST(LocationEntry, ClockZoneNames) {
    Location l;
    LocationEntry e = sample_location();
    e.zone = "  America/Denver ";
    ASSERT_EQ(apply_location_entry(e, l).message_id, 0);
    EXPECT_EQ(l.zone, "America/Denver");
    EXPECT_EQ(city_of_entry(e, l).zone, "America/Denver");
    e.zone = "Pacific/Kiritimati", e.time_zone = "12";
    EXPECT_EQ(apply_location_entry(e, l).message_id, 0);
    e.zone = "America/Denvr";
    const DialogError refused = apply_location_entry(e, l);
    EXPECT_EQ(refused.message_id, MSG_UNKNOWN_ZONE);
    EXPECT_EQ(refused.control_id, CTL_ZONE_NAME);
    e.zone = " ";
    ASSERT_EQ(apply_location_entry(e, l).message_id, 0);
    EXPECT_EQ(l.zone, "");
}

}  // namespace
