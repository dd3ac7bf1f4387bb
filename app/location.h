#pragma once
// The city location database (module LOCATION): the named places the observer
// can be at, kept in list order, loaded from CITIES.DAT beside the program and
// saved back through a temporary CITIES.NEW.* file.  Standard library only.
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
    std::string name;            // at most 20 characters; compared ignoring case
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

    bool operator==(const CityRecord&) const = default;
};

constexpr int CITY_NAME_LENGTH = 20;  // characters kept of a city name

// A name as the list keeps it: leading and trailing white space removed, each
// run of white space inside shortened to one blank, other control characters
// shown as '?', the file's field separator "|" as "/", cut to 20 characters
// without a blank at the end.  A
// normalised name normalises to itself.
std::string normalize_city_name(const std::string& name);

// Start-up: reads CITIES.DAT (beside the program, or the user's copy when
// that folder is read-only) into the list, selects the current city (the
// file's first line, or the first city when that names none) and fills
// location from it.  A missing file shows "Cannot load city location
// database" with the file's path and leaves the single city "No name"; a file
// that is there but cannot be read is reported the same way.  A city line
// with a value outside the Set Location dialog's ranges (or not a number) is
// left out with a message naming the line.  Never sets the modified flag.
void load_cities(Location& location);

// The first city whose name equals name (normalised) ignoring letter case;
// nullptr when there is none.  The pointer is valid until the list changes.
const CityRecord* find_city(const std::string& name);

// Adds or updates one city; the name is normalised first.  From the file
// (from_file true) the city is always appended, so duplicate names all stay.
// From the Set Location dialog an existing city of that name is updated in
// place (else appended), the city becomes the current city, and the modified
// flag is set when the current name or the city's contents changed.
void store_city(const std::string& name, int latitude_degrees, int latitude_minutes,
                int latitude_seconds, int latitude_hemisphere, int longitude_degrees,
                int longitude_minutes, int longitude_seconds, int longitude_hemisphere,
                double time_zone, int elevation, bool from_file);

// Saves the list into CITIES.DAT.  Under a lock on CITIES.LCK beside it
// (another copy of the program saving at the same time waits), the file is
// read again and the cities stored from the dialog since loading go over
// what it holds now, so that cities another copy saved meanwhile stay; the
// text is written to a unique CITIES.NEW.* file, synced and renamed over
// CITIES.DAT.  A file that could not be read whole at loading or now is
// never saved over.  Failures show an error box naming the file and leave
// CITIES.DAT as it was.  Returns true when the list was saved (the modified
// flag is cleared; the list is then the one saved).
bool save_cities();

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
