#include "app/dialog_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <utility>

#include "app/city_list.h"
#include "engine/clock.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "format/numbers.h"
#include "platform/text_encoding.h"

namespace {

// A decimal number as typed in a dialog, with the locale's decimal separator
// (or a point), by the rule of every number field (format/numbers.h).  False
// for anything else.
bool read_typed_decimal(const std::string& text, double& value) {
    std::string typed = text;
    for (char& c : typed)
        if (c == decimal_separator(false)) c = '.';
    const std::optional<double> read = read_decimal_number(typed);
    if (read) value = *read;
    return read.has_value();
}

// The same shown in a field: whole numbers plainly, others with one decimal.
std::string typed_decimal(double value) {
    return value == std::floor(value) ? std::to_string(static_cast<int>(value)) : format_fixed(value, 1, 1);
}

constexpr int YEAR_MIN = 1000, YEAR_MAX = 3000;

// One integer field: its text, range and refusal; value is filled when it passes.
struct IntField {
    const std::string* text;
    int control_id;
    int minimum;
    int maximum;
    int message_id;
    int value = 0;
};

// Tests the fields in order and stops at the first refusal.
DialogError validate_int_fields(std::initializer_list<IntField*> fields) {
    for (IntField* f : fields) {
        std::optional<int> value = read_whole_number(*f->text);
        if (!value) return {MSG_INVALID_NUMBER, f->control_id};
        f->value = *value;
        if (f->value < f->minimum || f->value > f->maximum) return {f->message_id, f->control_id};
    }
    return {};
}

IntField year_field(const std::string& text, int control) {
    return {&text, control, YEAR_MIN, YEAR_MAX, MSG_YEAR_RANGE};
}
IntField month_field(const std::string& text, int control) {
    return {&text, control, 1, 12, MSG_MONTH_RANGE};
}

// A date dialog without a day field keeps the stored day only when it still
// makes a real date with the new month and year.
void normalise_day(CommandParams& p) {
    if (!is_valid_date(p.day, p.month, p.year)) p.day = 1;
}

// The year and month fields with the month-range rule: year, start month and,
// with_stop, the stop month, which may not come before the start.
struct YearMonths {
    int year = 0, start = 0, stop = 0;
};
DialogError check_year_months(const DialogEntry& e, bool with_stop, YearMonths& out) {
    IntField year = year_field(e.year, CTL_YEAR);
    IntField start = month_field(e.month, CTL_MONTH);
    IntField stop = month_field(e.end_month, CTL_STOP_MONTH);
    DialogError err = with_stop ? validate_int_fields({&year, &start, &stop})
                                : validate_int_fields({&year, &start});
    if (err.message_id) return err;
    if (with_stop && stop.value < start.value) return {MSG_STOP_MONTH, CTL_STOP_MONTH};
    out = {year.value, start.value, with_stop ? stop.value : start.value};
    return {};
}

// The date and time fields (year, month, day, hour, minute).  A dialog
// validates them first, then its own fields, its own rules, and last the date.
struct DateTime {
    IntField year, month, day, hour, minute;
};
DateTime date_time_fields(const DialogEntry& e) {
    return {year_field(e.year, CTL_DATE_YEAR), month_field(e.month, CTL_DATE_MONTH),
            {&e.day, CTL_DATE_DAY, 1, 31, MSG_DAY_RANGE},
            {&e.hour, CTL_DATE_HOUR, 0, 23, MSG_HOUR_RANGE},
            {&e.minute, CTL_DATE_MINUTE, 0, 59, MSG_MINUTE_RANGE}};
}
DialogError validate_date_time(DateTime& d) {
    return validate_int_fields({&d.year, &d.month, &d.day, &d.hour, &d.minute});
}
// A real date, after the fields passed; writes the date and time.
DialogError check_date_time(const DateTime& d, CommandParams& p) {
    if (!is_valid_date(d.day.value, d.month.value, d.year.value)) return {MSG_INVALID_DATE, CTL_DATE_DAY};
    p.year = d.year.value;
    p.month = d.month.value;
    p.day = d.day.value;
    p.hour = d.hour.value;
    p.minute = d.minute.value;
    return {};
}

IntField time_speed_field(const DialogEntry& e, int control) {
    return {&e.time_speed, control, -64, 64, MSG_TIME_SPEED_RANGE};
}
IntField view_angle_field(const DialogEntry& e, int control) {
    return {&e.view_angle, control, 5, 90, MSG_VIEW_ANGLE_RANGE};
}

// The bodies whose check boxes are on.
BodySet checked_bodies(const DialogEntry& e) { return {static_cast<std::uint32_t>(e.planet_set)}; }

// The two ecliptic movies and the two Jupiter-moons movies: date and time,
// time speed, (ecliptic) view angle, and a set of planets or moons.
DialogError date_time_movie(const DialogEntry& e, bool ecliptic, CommandParams& p) {
    DateTime d = date_time_fields(e);
    IntField speed = time_speed_field(e, CTL_TIME_SPEED);
    IntField angle = view_angle_field(e, CTL_VIEW_ANGLE);
    if (DialogError err = validate_date_time(d); err.message_id) return err;
    if (DialogError err = ecliptic ? validate_int_fields({&speed, &angle}) : validate_int_fields({&speed});
        err.message_id)
        return err;
    BodySet planets = checked_bodies(e) & EARTH_AND_PLANETS;
    int moons = e.moon_set & 0xF;
    if (ecliptic && planets.empty()) return {MSG_SELECT_PLANET, CTL_MOVIE_FIRST_PLANET};
    if (!ecliptic && moons == 0) return {MSG_SELECT_MOON, CTL_FIRST_MOON};
    CommandParams q = p;
    if (DialogError err = check_date_time(d, q); err.message_id) return err;
    q.time_speed = speed.value;
    if (ecliptic) {
        q.view_angle = angle.value;
        q.planet_set = planets;
        q.label_planets = e.label_planets;
    } else {
        q.moon_set = moons;
        q.number_moons = e.number_moons;
    }
    p = q;
    return {};
}

DialogError binary_star_movie(const DialogEntry& e, CommandParams& p) {
    IntField year{&e.year, CTL_YEAR, -4000, 32000, MSG_YEAR_RANGE_WIDE};
    IntField speed = time_speed_field(e, CTL_TIME_SPEED);
    IntField angle = view_angle_field(e, CTL_VIEW_ANGLE);
    if (DialogError err = validate_int_fields({&year, &speed, &angle}); err.message_id) return err;
    if (e.binary_star < 0 || e.binary_star >= BINARY_STAR_COUNT)
        return {MSG_SELECT_BINARY_STAR, CTL_BINARY_STAR_LIST};
    p.binary_star_year = year.value;
    p.time_speed = speed.value;
    p.view_angle = angle.value;
    p.binary_star = e.binary_star;
    return {};
}

// The horizon view's fields: an empty Facing keeps the equatorial view;
// else a compass point (N, NE ... NW, either case) or an azimuth in degrees
// 0..360, with an altitude 0..90.  The magnitude limit, -2..6, is empty for
// the design's catalogue in the equatorial view and 6 in the horizon view.
DialogError horizon_fields(const DialogEntry& e, CommandParams& q) {
    static const char* const POINTS[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    constexpr double MIN_MAGNITUDE = -2.0, MAX_MAGNITUDE = 6.0, MAX_ALTITUDE = 90.0, FULL_TURN = 360.0;
    std::string facing = e.facing;
    facing.erase(std::remove(facing.begin(), facing.end(), ' '), facing.end());
    q.horizon_view = !facing.empty();
    if (q.horizon_view) {
        double azimuth = -1.0;
        for (int i = 0; i < 8; ++i)
            if (same_text_ignoring_case(facing, POINTS[i])) azimuth = 45.0 * i;
        if (azimuth < 0.0 && (!read_typed_decimal(facing, azimuth) || !(azimuth >= 0.0 && azimuth <= FULL_TURN)))
            return {MSG_FACING_RANGE, CTL_PL_FACING};
        double altitude = 0.0;
        if (!read_typed_decimal(e.altitude, altitude)) return {MSG_INVALID_NUMBER, CTL_PL_ALTITUDE};
        if (!(altitude >= 0.0 && altitude <= MAX_ALTITUDE)) return {MSG_ALTITUDE_RANGE, CTL_PL_ALTITUDE};
        if (e.track_body) return {MSG_FACING_WITH_TRACKING, CTL_PL_TRACK_BODY};
        q.facing_azimuth = std::fmod(azimuth, FULL_TURN);
        q.view_altitude = altitude;
    }
    q.atlas_stars = q.horizon_view || !e.magnitude_limit.empty();
    q.magnitude_limit = MAX_MAGNITUDE;
    if (!e.magnitude_limit.empty() && !read_typed_decimal(e.magnitude_limit, q.magnitude_limit))
        return {MSG_INVALID_NUMBER, CTL_PL_MAGNITUDE_LIMIT};
    if (!e.magnitude_limit.empty() && !(q.magnitude_limit >= MIN_MAGNITUDE && q.magnitude_limit <= MAX_MAGNITUDE))
        return {MSG_MAGNITUDE_LIMIT_RANGE, CTL_PL_MAGNITUDE_LIMIT};
    q.constellations = e.constellations;
    q.star_names = e.star_names;
    return {};
}

DialogError planetarium_movie(const DialogEntry& e, CommandParams& p) {
    DateTime d = date_time_fields(e);
    IntField speed = time_speed_field(e, CTL_PL_TIME_SPEED);
    IntField angle = view_angle_field(e, CTL_PL_VIEW_ANGLE);
    if (DialogError err = validate_date_time(d); err.message_id) return err;
    if (DialogError err = validate_int_fields({&speed, &angle}); err.message_id) return err;
    if (!e.view_sun_moon && !e.view_planets && !e.view_stars) return {MSG_SELECT_VIEW_ITEM, CTL_PL_VIEW_SUN_MOON};
    if (e.turbo) {
        if (!e.track_body) return {MSG_TURBO_NEEDS_TRACKING, CTL_PL_TRACK_BODY};
        // Turbo follows a planet or the star; the body's button is control 130 + body.
        if (e.planetarium_body < id_of(Body::Mercury) || e.planetarium_body > PLANETARIUM_STAR_BODY)
            return {MSG_TURBO_NEEDS_TRACKING, CTL_PL_FIRST_BODY + e.planetarium_body};
    }
    CommandParams q = p;
    if (DialogError err = check_date_time(d, q); err.message_id) return err;
    if (e.planetarium_star < 0) return {MSG_SELECT_STAR, CTL_PL_STAR_LIST};
    if (DialogError err = horizon_fields(e, q); err.message_id) return err;
    q.time_speed = speed.value;
    q.view_angle = angle.value;
    q.planetarium_body = e.planetarium_body;
    q.planetarium_not_tracking = e.track_body ? 0 : 1;
    q.turbo = e.turbo;
    q.planetarium_star = e.planetarium_star;
    q.label_planets = e.label_planets;
    q.planetarium_view_set = (e.view_sun_moon ? SUN_AND_MOON : NO_BODIES) | (e.view_planets ? PLANETS : NO_BODIES) |
                             (e.view_stars ? NO_BODIES.with(Body::Stars) : NO_BODIES);
    p = q;
    return {};
}

DialogError planets_dialog(const DialogEntry& e, CommandParams& p) {
    YearMonths ym;
    if (DialogError err = check_year_months(e, true, ym); err.message_id) return err;
    BodySet set = checked_bodies(e) & EARTH_AND_PLANETS;
    bool from_earth = p.distance_offered && e.distance_from_sun == 0;
    if (!p.earth_offered || from_earth) set = set.without(Body::Earth);
    if (set.empty()) {
        int first = p.earth_offered && !from_earth ? id_of(Body::Earth) : id_of(Body::Mercury);
        return {MSG_SELECT_PLANET, CTL_FIRST_PLANET + first - id_of(Body::Earth)};
    }
    p.year = ym.year;
    p.month = ym.start;
    p.end_month = ym.stop;
    p.planet_set = set;
    if (p.distance_offered) p.distance_from_sun = e.distance_from_sun;
    normalise_day(p);
    return {};
}

}  // namespace

std::string field_text(int value) { return std::to_string(value); }

std::string shown_field(FieldKind kind, int value) {
    // Leading zeros as the locale writes them, never blanks: what a field
    // shows reads back by the rule every field is read with.
    const char* pattern = "%d";
    switch (kind) {
    case FIELD_MONTH: pattern = month_leading_zero(false) ? "%02d" : "%d"; break;
    case FIELD_DAY: pattern = day_leading_zero(false) ? "%02d" : "%d"; break;
    case FIELD_HOUR: pattern = leading_zero_hours(false) ? "%02d" : "%d"; break;
    case FIELD_MINUTE: pattern = "%02d"; break;
    default: break;
    }
    char text[16];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void set_entry_date_time(DialogEntry& e, double local_julian_day) {
    double day = 0;
    int month = 0, year = 0;
    calendar_date(local_julian_day, day, month, year);
    // The clock counts whole seconds: round away the Julian day's rounding first.
    int seconds = std::min(static_cast<int>(std::lround((day - static_cast<int>(day)) * 86400.0)), 86399);
    int hour = seconds / 3600;
    int minute = seconds % 3600 / 60;
    e.year = shown_field(FIELD_YEAR, year);
    e.month = shown_field(FIELD_MONTH, month);
    e.day = shown_field(FIELD_DAY, static_cast<int>(day));
    e.hour = shown_field(FIELD_HOUR, hour);
    e.minute = shown_field(FIELD_MINUTE, minute);
}

DialogEntry dialog_entry_from(DialogId dialog, const CommandParams& p) {
    DialogEntry e;
    int year = p.year, end_year = p.end_year, month = p.month, end_month = p.end_month;
    if (dialog == DIAL_YEAR_MR && end_month < month) std::swap(month, end_month);
    if ((dialog == DIAL_YEAR_RANGE || dialog == DIAL_PLANET_APSIDES) && end_year < year)
        std::swap(year, end_year);
    e.year = shown_field(FIELD_YEAR, dialog == DIAL_BS_MOVIE ? p.binary_star_year : year);
    e.month = shown_field(FIELD_MONTH, month);
    e.end_year = shown_field(FIELD_YEAR, end_year);
    e.end_month = shown_field(FIELD_MONTH, end_month);
    e.day = shown_field(FIELD_DAY, p.day);
    e.hour = shown_field(FIELD_HOUR, p.hour);
    e.minute = shown_field(FIELD_MINUTE, p.minute);
    e.time_speed = shown_field(FIELD_TIME_SPEED, p.time_speed);
    e.view_angle = shown_field(FIELD_VIEW_ANGLE, p.view_angle);
    e.label_planets = p.label_planets;
    e.binary_star = p.binary_star;
    e.planetarium_body = p.planetarium_body;
    e.track_body = p.planetarium_not_tracking ? 0 : 1;
    e.turbo = p.turbo;
    e.view_sun_moon = p.planetarium_view_set.contains(Body::Sun);
    e.view_planets = p.planetarium_view_set.contains(Body::Mercury);
    e.view_stars = p.planetarium_view_set.contains(Body::Stars);
    e.planetarium_star = p.planetarium_star;  // -1: the dialog shows its list's first row
    e.facing = p.horizon_view ? typed_decimal(p.facing_azimuth) : "";
    e.altitude = typed_decimal(p.view_altitude);
    e.magnitude_limit = p.atlas_stars && !p.horizon_view ? typed_decimal(p.magnitude_limit) : "";
    e.constellations = p.constellations;
    e.star_names = p.star_names;
    e.speed_index = p.speed_index;
    e.planet_set = static_cast<int>(p.planet_set.bits);
    e.distance_from_sun = p.distance_offered ? 1 : p.distance_from_sun;
    e.main_planet = p.main_planet;
    e.moon_set = p.moon_set;
    e.number_moons = p.number_moons;
    return e;
}

DialogError apply_dialog(DialogId dialog, const DialogEntry& e, CommandParams& p) {
    switch (dialog) {
    case DIAL_YEAR: {
        IntField year = year_field(e.year, CTL_YEAR);
        if (DialogError err = validate_int_fields({&year}); err.message_id) return err;
        p.year = year.value;
        normalise_day(p);
        return {};
    }
    case DIAL_YEAR_MONTH:
    case DIAL_YEAR_MR: {
        bool range = dialog == DIAL_YEAR_MR;
        YearMonths ym;
        if (DialogError err = check_year_months(e, range, ym); err.message_id) return err;
        p.year = ym.year;
        p.month = ym.start;
        if (range) p.end_month = ym.stop;
        normalise_day(p);
        return {};
    }
    case DIAL_YEAR_RANGE:
    case DIAL_PLANET_APSIDES: {
        bool apsides = dialog == DIAL_PLANET_APSIDES;
        IntField start = year_field(e.year, apsides ? CTL_APSIDES_START_YEAR : CTL_START_YEAR);
        IntField stop = year_field(e.end_year, apsides ? CTL_APSIDES_STOP_YEAR : CTL_STOP_YEAR);
        if (DialogError err = validate_int_fields({&start, &stop}); err.message_id) return err;
        if (stop.value < start.value) return {MSG_STOP_YEAR, stop.control_id};
        BodySet set = checked_bodies(e) & EARTH_TO_SATURN;
        if (apsides && set.empty()) return {MSG_SELECT_PLANET, CTL_FIRST_PLANET};
        p.year = start.value;
        p.end_year = stop.value;
        if (apsides) p.planet_set = set;
        normalise_day(p);
        return {};
    }
    case DIAL_PLANETS:
        return planets_dialog(e, p);
    case DIAL_PLANET_ANGLE: {
        IntField year = year_field(e.year, CTL_YEAR);
        IntField month = month_field(e.month, CTL_ANGLE_MONTH);
        if (DialogError err = validate_int_fields({&year, &month}); err.message_id) return err;
        // The main planet's own box is unchecked and disabled.
        BodySet others = (checked_bodies(e) & PLANETS).without(e.main_planet);
        if (others.empty()) {
            int first = e.main_planet == id_of(Body::Mercury) ? id_of(Body::Venus) : id_of(Body::Mercury);
            return {MSG_SELECT_PLANET, CTL_ANGLE_FIRST_OTHER + first - id_of(Body::Mercury)};
        }
        p.year = year.value;
        p.month = month.value;
        p.planet_set = others;
        p.main_planet = e.main_planet;
        normalise_day(p);
        return {};
    }
    case DIAL_JM_GRAPH: {
        IntField year = year_field(e.year, CTL_YEAR);
        IntField month = month_field(e.month, CTL_JM_MONTH);
        if (DialogError err = validate_int_fields({&year, &month}); err.message_id) return err;
        int moons = e.moon_set & 0xF;  // Io, Europa, Ganymede, Callisto
        if (moons == 0) return {MSG_SELECT_MOON, CTL_FIRST_MOON};
        p.year = year.value;
        p.month = month.value;
        p.moon_set = moons;
        p.number_moons = e.number_moons;
        normalise_day(p);
        return {};
    }
    case DIAL_DN_MOVIE: {
        DateTime d = date_time_fields(e);
        if (DialogError err = validate_date_time(d); err.message_id) return err;
        CommandParams q = p;
        if (DialogError err = check_date_time(d, q); err.message_id) return err;
        q.speed_index = e.speed_index;
        p = q;
        return {};
    }
    case DIAL_EC_MOVIES:
    case DIAL_JM_MOVIES:
        return date_time_movie(e, dialog == DIAL_EC_MOVIES, p);
    case DIAL_BS_MOVIE:
        return binary_star_movie(e, p);
    case DIAL_PL_MOVIE:
        return planetarium_movie(e, p);
    default:
        return {};
    }
}

namespace {

// A zone name as typed, without the blanks around it.
std::string trimmed_zone(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

DialogError apply_location_entry(const LocationEntry& e, Location& location) {
    std::string normal = normalize_city_name(e.name);
    if (normal.empty()) return {MSG_LOCATION_NAME, 115};
    // A name that finds a city under another of its names (Kiev: Kyiv, Sao
    // Paulo: S\xE3o Paulo) is that city's: the dialog showed its fields.
    if (const CityRecord* city = find_city(normal); city && !same_text_ignoring_case(city->name, normal))
        normal = city->name;

    IntField lat_d{&e.latitude_degrees, 117, 0, MAX_LATITUDE_DEGREES, MSG_LATITUDE_RANGE};
    IntField lat_m{&e.latitude_minutes, 118, 0, MAX_MINUTES, MSG_MINUTE_RANGE};
    IntField lat_s{&e.latitude_seconds, 120, 0, MAX_MINUTES, MSG_SECONDS_RANGE};
    IntField lon_d{&e.longitude_degrees, 127, 0, MAX_LONGITUDE_DEGREES, MSG_LONGITUDE_RANGE};
    IntField lon_m{&e.longitude_minutes, 128, 0, MAX_MINUTES, MSG_MINUTE_RANGE};
    IntField lon_s{&e.longitude_seconds, 130, 0, MAX_MINUTES, MSG_SECONDS_RANGE};
    IntField elev{&e.elevation, 138, MIN_ELEVATION, MAX_ELEVATION, MSG_ELEVATION_RANGE};
    if (DialogError err = validate_int_fields({&lat_d, &lat_m, &lat_s, &lon_d, &lon_m, &lon_s, &elev});
        err.message_id)
        return err;

    // The time zone is typed with the locale's decimal separator and read as one number.
    std::string zone = e.time_zone;
    for (char& c : zone)
        if (c == decimal_separator(false)) c = '.';
    std::optional<double> read = read_decimal_number(zone);
    if (!read) return {MSG_INVALID_NUMBER, 136};
    // Held as a single-precision number, as the city list has always kept it.
    const float hours = static_cast<float>(*read);
    // Written so that NaN, which fails every comparison, fails it too.
    if (!(hours >= -MAX_TIME_ZONE_HOURS && hours <= MAX_TIME_ZONE_HOURS)) return {MSG_TIME_ZONE_RANGE, 136};
    if (lat_d.value == MAX_LATITUDE_DEGREES && (lat_m.value > 0 || lat_s.value > 0)) return {MSG_LATITUDE_RANGE, 117};
    if (lon_d.value == MAX_LONGITUDE_DEGREES && lon_m.value + lon_s.value >= 1) return {MSG_LONGITUDE_RANGE, 127};
    const std::string zone_name = trimmed_zone(e.zone);
    if (int message = zone_name_message(zone_name)) return {message, CTL_ZONE_NAME};

    location.name = normal;
    location.latitude_hemisphere = e.latitude_hemisphere;
    location.longitude_hemisphere = e.longitude_hemisphere;
    location.latitude = lat_d.value + lat_m.value * (1.0 / 60) + lat_s.value * (1.0 / 3600);
    location.longitude = lon_d.value + lon_m.value * (1.0 / 60) + lon_s.value * (1.0 / 3600);
    location.time_zone = hours;
    location.elevation = elev.value;
    location.zone = zone_name;
    return {};
}

int zone_name_message(const std::string& zone) {
    if (zone.empty()) return 0;
    switch (check_zone(zone)) {
    case ZoneStatus::KNOWN: return 0;
    case ZoneStatus::UNKNOWN: return MSG_UNKNOWN_ZONE;
    case ZoneStatus::NO_DATABASE: return MSG_NO_ZONE_DATABASE;
    }
    return MSG_UNKNOWN_ZONE;
}

CityRecord city_of_entry(const LocationEntry& e, const Location& location) {
    auto whole = [](const std::string& text) { return read_whole_number(text).value_or(0); };
    return {location.name, whole(e.latitude_degrees), whole(e.latitude_minutes), whole(e.latitude_seconds),
            location.latitude_hemisphere, whole(e.longitude_degrees), whole(e.longitude_minutes),
            whole(e.longitude_seconds), location.longitude_hemisphere, location.time_zone, whole(e.elevation),
            location.zone};
}
