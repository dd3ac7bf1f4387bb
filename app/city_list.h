#pragma once
// The city location database (module LOCATION): the named places the observer
// can be at, in list order.  The list is the one that comes with the program
// (CITIES.DAT in its data folder, never written) with the user's own cities
// laid over it: those the user added or changed, and the shipped ones the
// user removed, kept in MYCITIES.DAT in the user's data folder
// ($XDG_DATA_HOME/skyloom2).  So a city corrected or added in a new release
// reaches every user, and installing never touches the user's cities.
// Standard library only.
#include <string>

#include "engine/location.h"

// A place's ranges, as the Set Location dialog takes them and every city read
// from CITIES.DAT must keep: whole degrees of latitude and longitude up to
// these (the extremes with no minutes or seconds), minutes and seconds
// 0..59, elevation in metres, time zone in hours either side of UT.
constexpr int MAX_LATITUDE_DEGREES = 90, MAX_LONGITUDE_DEGREES = 180, MAX_MINUTES = 59;
constexpr int MIN_ELEVATION = -400, MAX_ELEVATION = 8900;
constexpr double MAX_TIME_ZONE_HOURS = 12.0;

// One city.  Angles are magnitudes with a hemisphere code beside them.
struct CityRecord {
    std::string name;            // at most 30 characters; compared ignoring case
    int latitude_degrees = 0;    // 0..90
    int latitude_minutes = 0;    // 0..59
    int latitude_seconds = 0;    // 0..59
    int latitude_hemisphere = COMPASS_NORTH;   // COMPASS_NORTH or COMPASS_SOUTH
    int longitude_degrees = 0;   // 0..180
    int longitude_minutes = 0;   // 0..59
    int longitude_seconds = 0;   // 0..59
    int longitude_hemisphere = COMPASS_WEST;   // COMPASS_WEST or COMPASS_EAST
    double time_zone = 0.0;      // hours, -12..12; local standard time = UT + time_zone
    int elevation = 0;           // metres, -400..8900
    // IANA zone name whose clock local times follow ("zone=Area/City" after
    // the eleven fields); empty: the fixed time_zone alone.
    std::string zone{};
    // Fields after the time zone ("key=value", "|"-separated: the city's other
    // names, aka=Name;Name, and those a later version writes), kept so that
    // a save never drops them.
    std::string extra_fields{};

    bool operator==(const CityRecord&) const = default;
};

// Characters kept of a city name: the longest names of the shipped list
// ("Santo Domingo de los Colorados") whole, and a report's header line with
// such a name still within 80 columns.
constexpr int CITY_NAME_LENGTH = 30;

// A name as the list keeps it: leading and trailing white space removed, each
// run of white space inside shortened to one blank, other control characters
// shown as '?', the file's field separator "|" as "/", cut to 30 characters
// without a blank at the end.  A
// normalised name normalises to itself.
std::string normalize_city_name(const std::string& name);

// Start-up: reads the shipped list and the user's cities over it, selects
// the current city (the user's choice, else the shipped list's first line,
// else the first city) and fills location from it.  A missing or unreadable
// file shows "Cannot load city location database" with its path; a line that
// cannot be read (text in a number, a value out of range, binary data) is
// left out, and every such line is named with its path and line number; a
// user's file with such a line is not saved over until it is corrected.
// The full copy of the list that earlier versions kept in the user's data
// folder (CITIES.DAT there) is turned once into the user's own cities and
// kept as CITIES.OLD.  Never sets the modified flag.
void load_cities(Location& location);

// The city called name (normalised): the first whose name equals it ignoring
// letter case, else the first that has it as another name (Kiev: Kyiv),
// else the same ignoring accents too (Sao Paulo: S\xE3o Paulo); nullptr when
// there is none.  The pointer is valid until the list changes.
const CityRecord* find_city(const std::string& name);

// Adds or updates one city; the name is normalised first.  From the file
// (from_file true) the city is always appended, so duplicate names all stay.
// From the Set Location dialog an existing city of that name is updated in
// place (else appended), the city becomes the current city, and the modified
// flag is set when the current name or the city's contents changed.  zone:
// the IANA zone name, empty for the fixed time_zone alone.
void store_city(const std::string& name, int latitude_degrees, int latitude_minutes,
                int latitude_seconds, int latitude_hemisphere, int longitude_degrees,
                int longitude_minutes, int longitude_seconds, int longitude_hemisphere,
                double time_zone, int elevation, bool from_file, const std::string& zone = {});

// Adds or updates a city as store_city does from the dialog, without making
// it the current city (the command line's "cities add").
void add_city(const CityRecord& city);
// Removes every city of that name (ignoring case); false when there is none.
// The current city, when removed, is the first city again.
bool remove_city(const std::string& name);

// Saves the user's cities into MYCITIES.DAT.  Under a lock on MYCITIES.LCK
// beside it (waited for a few seconds at most: another copy saving then
// makes this save say so and fail), the file is read again and the cities
// stored and removed since loading go over what it holds now, so that what
// another copy saved meanwhile stays; the text is written to a unique
// MYCITIES.NEW.* file, synced and renamed over MYCITIES.DAT, and temporary
// files of copies killed while saving are removed.  A user's file that could
// not be read whole is never saved over.  Failures show an error box naming
// the file and leave it as it was.  Returns true when the cities were saved
// (the modified flag is cleared).
bool save_cities();

// Where the user's cities are kept; empty when no home folder is known.
std::string user_cities_path();

// Where a city of the list comes from.
enum class CityOrigin { SHIPPED, ADDED, CHANGED };
CityOrigin city_origin(const CityRecord& city);

// Exit: when the list or the current city changed since loading or the last
// save, asks "Save city location database?" and saves on Yes.
void save_cities_if_modified();

// Exit: releases the list and forgets the current city and the modified flag.
void free_cities();

// True when the list or the current city name changed since loading or the last save.
bool cities_modified();

// Enumeration for the Set Location dialog, in list order.
int city_count();
const std::string& city_name(int index);  // 0 <= index < city_count()
const std::string& current_city_name();

// The observer location of a city: angles in decimal degrees
// (degrees + minutes/60 + seconds/3600), hemisphere codes, zone and elevation copied.
Location location_from_city(const CityRecord& city);
