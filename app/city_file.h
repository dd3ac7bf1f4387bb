#pragma once
// The text of the city files.  CITIES.DAT, the list that comes with the
// program: its first line names the current city, every further line is one
// city, "|"-separated fields in the order of CityRecord (see city_line).
// MYCITIES.DAT, the user's own cities laid over that list: the line
// USER_CITIES_HEADER, then lines of a kind and its fields:
//   current|NAME          the city the user chose last
//   city|<a city line>    a city the user added, or changed from the shipped one
//   removed|NAME          a shipped city the user removed
// A city line may end in fields key=value after the eleven: zone=Area/City
// names the IANA zone of the place's clock (CityRecord::zone); the others are
// kept as they are.  One of them, aka=Name;Name, gives other names the city is
// found by (older or local spellings: Kiev, Koeln).  Reading checks every
// field and gives each fault with its line; blank lines are skipped.  The
// files are UTF-8; a line that is not (a file of an earlier version) is read
// as Latin-1.  Standard library only.
#include <string>
#include <string_view>
#include <vector>

#include "app/city_list.h"

constexpr const char* USER_CITIES_HEADER = "Skyloom 2 cities 1";

// A line that could not be read: its number (from 1) and what is wrong, as
// the user is told.
struct CityFault {
    int line = 0;
    std::string what;
};

// What reading a city file found.  The cities of faulty lines are left out.
struct CityFile {
    enum State { MISSING, UNREADABLE, READ } state = MISSING;
    int error_number = 0;      // why it is missing or unreadable
    bool has_current = false;  // a current city is named
    std::string current_name;
    std::vector<CityRecord> cities;
    std::vector<std::string> removed;  // the user's file: the shipped cities removed
    std::vector<CityFault> faults;
};

// Reads a file of either form; MISSING or UNREADABLE with errno's reason when
// it cannot be read.
CityFile read_city_list(const std::string& path);
CityFile read_user_cities(const std::string& path);
// The same from text already read.
CityFile parse_city_list(std::string_view text);
CityFile parse_user_cities(std::string_view text);

// The other names of a city (its aka= field), normalised; empty when it has none.
std::vector<std::string> other_city_names(const CityRecord& city);

// One city as a line of CITIES.DAT, in Latin-1:
//   "%-20s|%2d|%2d|%2d|%c|%3d|%2d|%2d|%c|%4d|%2.2f", "|zone=NAME" when it has a
//   zone, the other "|key=value" fields, then "\n",
// the time zone with "." in every locale.
std::string city_line(const CityRecord& city);
// The text of MYCITIES.DAT, in UTF-8.
std::string user_cities_text(const std::string& current_name, const std::vector<CityRecord>& cities,
                             const std::vector<std::string>& removed);

// One message for the faults of the file at path: the first few, each with
// its line, and how many more there are.
std::string fault_message(const std::string& path, const std::vector<CityFault>& faults);
