#pragma once
// The parameter dialogs' fields and rules, in one place: the window's dialogs
// and the command line's options both hand over what the user typed and get
// the same checks, in the same order, with the same messages.
#include <string>

#include "app/app_state.h"
#include "app/city_list.h"
#include "engine/bodies.h"

enum DialogId {
    DIAL_NONE, DIAL_YEAR, DIAL_YEAR_MONTH, DIAL_YEAR_MR, DIAL_YEAR_RANGE, DIAL_PLANETS,
    DIAL_PLANET_ANGLE, DIAL_PLANET_APSIDES, DIAL_EC_MOVIES, DIAL_DN_MOVIE, DIAL_JM_MOVIES,
    DIAL_JM_GRAPH, DIAL_BS_MOVIE, DIAL_PL_MOVIE, DIAL_SET_LOCATION, DIAL_ASSIGN_COLORS, DIAL_ABOUT,
};

// Message ids of the dialogs' refusals (ids from 2001 on are this program's own).
enum DialogMessage {
    MSG_INVALID_NUMBER = 2001,
    MSG_YEAR_RANGE = 2002,           // "Year must be between 1000 and 3000"
    MSG_YEAR_RANGE_WIDE = 2003,      // "Year must be between -4000 and 32000"
    MSG_MONTH_RANGE = 2004,
    MSG_DAY_RANGE = 2005,
    MSG_HOUR_RANGE = 2006,
    MSG_MINUTE_RANGE = 2007,
    MSG_TIME_SPEED_RANGE = 60,
    MSG_VIEW_ANGLE_RANGE = 2009,
    MSG_STOP_MONTH = 2010,
    MSG_STOP_YEAR = 2011,
    MSG_SELECT_PLANET = 2012,
    MSG_INVALID_DATE = 2013,
    MSG_SELECT_MOON = 2014,
    MSG_SELECT_BINARY_STAR = 2015,
    MSG_SELECT_VIEW_ITEM = 2016,
    MSG_TURBO_NEEDS_TRACKING = 109,
    MSG_SELECT_STAR = 2018,
    MSG_LOCATION_NAME = 2019,
    MSG_LATITUDE_RANGE = 2020,
    MSG_SECONDS_RANGE = 2021,
    MSG_LONGITUDE_RANGE = 2022,
    MSG_ELEVATION_RANGE = 2023,
    MSG_TIME_ZONE_RANGE = 2024,
    MSG_LOCATION_NAME_CHARACTERS = 2025,  // "Location name: Latin-1 characters only"
    MSG_FACING_RANGE = 2026,
    MSG_ALTITUDE_RANGE = 2027,
    MSG_MAGNITUDE_LIMIT_RANGE = 2028,
    MSG_FACING_WITH_TRACKING = 2029,
    MSG_UNKNOWN_ZONE = 2464,      // "Unknown time zone: ..."
    MSG_NO_ZONE_DATABASE = 2465,  // "The system's time zone database (tzdata) cannot be read"
};

// Control ids of the fields, as the dialogs number them.
enum DialogControl {
    CTL_YEAR = 113, CTL_MONTH = 115, CTL_STOP_MONTH = 117, CTL_START_YEAR = 115,
    CTL_STOP_YEAR = 117, CTL_APSIDES_START_YEAR = 128, CTL_APSIDES_STOP_YEAR = 130,
    CTL_FIRST_PLANET = 119, CTL_ANGLE_MONTH = 115, CTL_ANGLE_FIRST_OTHER = 125,
    CTL_JM_MONTH = 114, CTL_FIRST_MOON = 130,
    CTL_DATE_YEAR = 113, CTL_DATE_MONTH = 114, CTL_DATE_DAY = 115, CTL_DATE_HOUR = 116,
    CTL_DATE_MINUTE = 117,
    CTL_NOW = 121,
    // The movie dialogs.
    CTL_MOVIE_FIRST_PLANET = 130, CTL_TIME_SPEED = 140, CTL_VIEW_ANGLE = 142, CTL_BINARY_STAR_LIST = 143,
    CTL_PL_FIRST_BODY = 130, CTL_PL_TRACK_BODY = 142, CTL_PL_TIME_SPEED = 150, CTL_PL_TURBO = 151,
    CTL_PL_VIEW_ANGLE = 153, CTL_PL_VIEW_SUN_MOON = 160, CTL_PL_STAR_LIST = 171,
    CTL_PL_FACING = 180, CTL_PL_ALTITUDE = 181, CTL_PL_MAGNITUDE_LIMIT = 182, CTL_PL_CONSTELLATIONS = 183,
    CTL_PL_STAR_NAMES = 184,
};

constexpr int BINARY_STAR_COUNT = 10;  // names are string ids 94..103
constexpr int PLANETARIUM_STAR_BODY = 11;  // the planetarium's body "Star"

// What the user typed or chose in a dialog.  Text fields hold the field's text
// as typed; the sets are what the check boxes say.
struct DialogEntry {
    std::string year, month, end_year, end_month;
    std::string day, hour, minute;  // the date and time dialogs
    int speed_index = 0;        // the day/night movie's speed buttons
    int planet_set = 0;         // the body check boxes: bit b for body id b
    int distance_from_sun = 0;  // the distance radio buttons, when offered
    int main_planet = id_of(Body::Mercury);
    int moon_set = 0;
    int number_moons = 0;
    std::string time_speed, view_angle;  // the movie dialogs
    int label_planets = 0;
    int binary_star = -1;        // index into the binary star list; -1: none selected
    // The planetarium: body 0 Sun, 1 Moon, 3..10 planets, 11 the star.
    int planetarium_body = id_of(Body::Sun);
    int track_body = 0;
    int turbo = 0;
    int view_sun_moon = 0, view_planets = 0, view_stars = 0;
    int planetarium_star = -1;   // index into the star list; -1: none selected
    // The horizon view: Facing (empty: the equatorial view; N ... NW or
    // degrees) and Altitude; the magnitude limit (empty: the default); the
    // Constellations and Star Names boxes.
    std::string facing, altitude, magnitude_limit;
    int constellations = 0, star_names = 0;
};

// The kinds of number fields, for the way each is shown.
enum FieldKind { FIELD_YEAR, FIELD_MONTH, FIELD_DAY, FIELD_HOUR, FIELD_MINUTE, FIELD_TIME_SPEED, FIELD_VIEW_ANGLE };

// Where a dialog refused: the message and the control to focus.  message_id 0: accepted.
struct DialogError {
    int message_id = 0;
    int control_id = 0;
};

// The text of a number field as typed plainly (the command line).
std::string field_text(int value);
// A field's value as the dialogs show it: month and day "%02d" when the
// locale's short date writes them with leading zeros, hour "%02d" with the
// locale's leading zero for hours, minute "%02d", everything else "%d".
// Never padded with blanks, which no field accepts.
std::string shown_field(FieldKind kind, int value);

// The Now button: the date and time fields from a local Julian day (hour and
// minute are the whole hours and minutes of the day's fraction).
void set_entry_date_time(DialogEntry& entry, double local_julian_day);

// The entry a dialog opens with, from the current parameters (ranges reversed
// by an earlier change are swapped, as the dialogs do on opening).
DialogEntry dialog_entry_from(DialogId dialog, const CommandParams& params);

// Checks the entry by the dialog's rules; on success writes the dialog's
// outputs into params (all of them, or none on a refusal).
DialogError apply_dialog(DialogId dialog, const DialogEntry& entry, CommandParams& params);

// Checks a typed location (degrees, minutes and seconds as text, the time
// zone as the user typed it with the locale's decimal separator).  Every
// field is read by the rule of format/numbers.h: plain decimal digits.
struct LocationEntry {
    std::string name;
    std::string latitude_degrees, latitude_minutes, latitude_seconds;
    int latitude_hemisphere = COMPASS_NORTH;
    std::string longitude_degrees, longitude_minutes, longitude_seconds;
    int longitude_hemisphere = COMPASS_WEST;
    std::string elevation;
    std::string time_zone;
    std::string zone;  // IANA zone name; blank: the fixed time_zone alone
};
// The Set Location dialog's zone name field (the others are numbered as the
// dialog numbered them).
constexpr int CTL_ZONE_NAME = 139;
// 0 when a zone name (blank: none) can be used, else the message that says why not.
int zone_name_message(const std::string& zone);
DialogError apply_location_entry(const LocationEntry& entry, Location& location);
// The city an accepted entry makes: its fields as whole numbers, the name,
// time zone, zone name and hemispheres as apply_location_entry gave them to location.
CityRecord city_of_entry(const LocationEntry& entry, const Location& location);
