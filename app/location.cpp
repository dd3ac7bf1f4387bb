// The city location database: the list in memory, CITIES.DAT on disk.
#include "app/location.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

const char* const CITIES_FILE = "CITIES.DAT";
// The new list is written to CITIES.NEW.<unique> and renamed over CITIES.DAT;
// CITIES.LCK is the lock two copies of the program take around a save.
const char* const CITIES_NEW_PREFIX = "CITIES.NEW";
const char* const CITIES_LOCK_FILE = "CITIES.LCK";
const char* const NO_NAME_CITY = "No name";

constexpr std::size_t LINE_LIMIT = 80;  // characters read of each line of CITIES.DAT
constexpr double MINUTES_TO_DEGREES = 1.0 / 60.0;
constexpr double SECONDS_TO_DEGREES = 1.0 / 3600.0;

// Module state: the cities in list order, the selected city's name (also the
// file's first line) and whether either changed since loading or saving; the
// cities stored from the dialog since then, in order, which a save applies
// again over the file as another copy of the program may have left it; and
// whether the file could not be read whole (then it is never saved over).
std::vector<CityRecord> cities;
std::string current_name;
bool modified = false;
std::vector<CityRecord> changes;
bool file_damaged = false;

// What reading CITIES.DAT found.
struct CityFile {
    enum State { MISSING, UNREADABLE, READ } state = MISSING;
    int error_number = 0;      // why it is missing or unreadable
    bool has_current = false;  // the first line was there
    std::string current_name;
    std::vector<CityRecord> cities;
    int bad_line = 0;          // the first line left out for a value out of range; 0 for none
};

// White space as the C locale knows it, whatever the user's locale.
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Index of the first city called name (already normalised), ignoring case; -1 when none.
int find_city_index(const std::string& name) {
    for (std::size_t i = 0; i < cities.size(); ++i)
        if (same_text_ignoring_case(cities[i].name, name)) return static_cast<int>(i);
    return -1;
}

// Reads one line into line without its line end ("\n" or "\r\n"), keeping at
// most LINE_LIMIT characters; the rest of a longer line is skipped.  False at
// the end of the file.
bool read_line(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (line.size() < LINE_LIMIT) line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

// The non-empty pieces of line between "|" separators.
std::vector<std::string> split_fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t bar = line.find('|', start);
        if (bar == std::string::npos) bar = line.size();
        if (bar > start) fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return fields;
}

// A field's leading decimal integer (blanks and a sign allowed before the
// digits); 0 when the field has no digits or is missing.
int integer_field(const std::vector<std::string>& fields, std::size_t index) {
    if (index >= fields.size()) return 0;
    long value = std::strtol(fields[index].c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// A field's leading decimal number, always with "." as the decimal point
// (whatever the user's locale); 0 when there is none.
double number_field(const std::vector<std::string>& fields, std::size_t index) {
    if (index >= fields.size()) return 0.0;
    const std::string& text = fields[index];
    std::size_t start = 0;
    while (start < text.size() && is_blank(text[start])) ++start;
    if (start < text.size() && text[start] == '+') ++start;
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return error == std::errc() ? value : 0.0;
}

// Hemisphere code from a field's first letter in either case: other_letter
// gives other_code; the default hemisphere's own letter, any unrecognised
// letter and a missing field give default_code.
int hemisphere_field(const std::vector<std::string>& fields, std::size_t index, int default_code,
                     char other_letter, int other_code) {
    if (index >= fields.size() || fields[index].empty()) return default_code;
    return latin1_lower(fields[index][0]) == latin1_lower(other_letter) ? other_code : default_code;
}

// One city line of CITIES.DAT, already split; fields beyond the last one
// present read as 0, North and West.
CityRecord city_from_fields(const std::vector<std::string>& fields) {
    return {normalize_city_name(fields[0]), integer_field(fields, 1), integer_field(fields, 2),
            integer_field(fields, 3), hemisphere_field(fields, 4, COMPASS_NORTH, 'S', COMPASS_SOUTH),
            integer_field(fields, 5), integer_field(fields, 6), integer_field(fields, 7),
            hemisphere_field(fields, 8, COMPASS_WEST, 'E', COMPASS_EAST), number_field(fields, 10),
            integer_field(fields, 9)};
}

// The Set Location dialog's ranges, which every city read from the file must
// keep too before its numbers are used (NaN fails every comparison).
bool city_in_range(const CityRecord& c) {
    auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    return within(c.latitude_degrees, 0, MAX_LATITUDE_DEGREES) && within(c.latitude_minutes, 0, MAX_MINUTES) &&
           within(c.latitude_seconds, 0, MAX_MINUTES) &&
           (c.latitude_degrees < MAX_LATITUDE_DEGREES || c.latitude_minutes + c.latitude_seconds == 0) &&
           within(c.longitude_degrees, 0, MAX_LONGITUDE_DEGREES) && within(c.longitude_minutes, 0, MAX_MINUTES) &&
           within(c.longitude_seconds, 0, MAX_MINUTES) &&
           (c.longitude_degrees < MAX_LONGITUDE_DEGREES || c.longitude_minutes + c.longitude_seconds == 0) &&
           within(c.elevation, MIN_ELEVATION, MAX_ELEVATION) && c.time_zone >= -MAX_TIME_ZONE_HOURS &&
           c.time_zone <= MAX_TIME_ZONE_HOURS;
}

// Reads CITIES.DAT by the reading rules.  A file that is there but cannot be
// read (no permission, a folder, a read error) is UNREADABLE; a city line
// with a value out of range is left out and its number kept.
CityFile read_city_file(const std::string& path) {
    CityFile result;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        result.error_number = errno;
        result.state = errno == ENOENT ? CityFile::MISSING : CityFile::UNREADABLE;
        return result;
    }
    std::string line;
    if (read_line(file, line)) {
        result.has_current = true;
        result.current_name = normalize_city_name(line);
    }
    for (int number = 2; read_line(file, line); ++number) {
        std::vector<std::string> fields = split_fields(line);
        if (fields.empty()) break;  // an empty line ends the list
        CityRecord city = city_from_fields(fields);
        if (city_in_range(city)) result.cities.push_back(city);
        else if (result.bad_line == 0) result.bad_line = number;
    }
    result.state = std::ferror(file) ? CityFile::UNREADABLE : CityFile::READ;
    result.error_number = std::ferror(file) ? errno : 0;
    std::fclose(file);
    return result;
}

// "<path>, line N: ..." from a printf-style message of the table.
std::string line_message(int message_id, const std::string& path, int line) {
    char text[1024];
    std::snprintf(text, sizeof text, std::string(load_string(message_id)).c_str(), path.c_str(), line);
    return text;
}

// Puts city into list as the dialog does: over the first city of that name
// (ignoring case), else at the end.
void put_city(std::vector<CityRecord>& list, const CityRecord& city) {
    for (CityRecord& existing : list)
        if (same_text_ignoring_case(existing.name, city.name)) {
            existing = city;
            return;
        }
    list.push_back(city);
}

// One city as a line of CITIES.DAT:
//   "%-20s|%2d|%2d|%2d|%c|%3d|%2d|%2d|%c|%4d|%2.2f\n"
// The time zone is formatted by std::to_chars so that the decimal point is "."
// in every locale (the file must read back the same wherever it was written).
std::string city_line(const CityRecord& city) {
    char line[128];
    int length = std::snprintf(
        line, sizeof line, "%-20s|%2d|%2d|%2d|%c|%3d|%2d|%2d|%c|%4d|", city.name.c_str(),
        city.latitude_degrees, city.latitude_minutes, city.latitude_seconds,
        city.latitude_hemisphere != COMPASS_NORTH ? 'S' : 'N', city.longitude_degrees,
        city.longitude_minutes, city.longitude_seconds,
        city.longitude_hemisphere == COMPASS_WEST ? 'W' : 'E', city.elevation);
    std::string text(line, static_cast<std::size_t>(length));
    char zone[400];  // room for any double in fixed notation
    auto [end, error] = std::to_chars(zone, zone + sizeof zone, city.time_zone, std::chars_format::fixed, 2);
    text.append(zone, end);
    text.push_back('\n');
    return text;
}

}  // namespace

std::string normalize_city_name(const std::string& name) {
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        bool blank = is_blank(name[i]);
        // A run of white space becomes one blank; a tab or line end inside a
        // name would break the file's columns.  Other control characters show
        // as '?', so that no name can reach a terminal as an escape sequence.
        if (blank && i + 1 < name.size() && is_blank(name[i + 1])) continue;
        if (blank && (result.empty() || i + 1 == name.size())) continue;
        // A "|" would end the name's field in CITIES.DAT.
        result.push_back(blank ? ' ' : is_control_character(name[i]) ? '?' : name[i] == '|' ? '/' : name[i]);
    }
    // Cutting can leave a blank at the end; without it the name normalises
    // to itself again.
    if (result.size() > CITY_NAME_LENGTH) result.resize(CITY_NAME_LENGTH);
    while (!result.empty() && is_blank(result.back())) result.pop_back();
    return result;
}

void load_cities(Location& location) {
    free_cities();
    const std::string path = writable_data_file_path(CITIES_FILE);
    CityFile file = read_city_file(path);
    if (file.state != CityFile::READ) {
        show_error_text(file_error_text(MSG_CANNOT_LOAD_CITIES, path, file.error_number).c_str());
    } else if (file.bad_line != 0) {
        show_error_text(line_message(MSG_BAD_CITY_LINE, path, file.bad_line).c_str());
    }
    file_damaged = file.state == CityFile::UNREADABLE || file.bad_line != 0;
    current_name = file.current_name;
    cities = std::move(file.cities);
    // A missing file, or one that lists no city, leaves one neutral city so
    // that there is always a current city.
    if (cities.empty())
        store_city(NO_NAME_CITY, 0, 0, 0, COMPASS_NORTH, 0, 0, 0, COMPASS_WEST, 0.0, 0, true);
    const CityRecord* current = find_city(current_name);
    if (current == nullptr) {
        current = &cities.front();
        current_name = current->name;
    }
    location = location_from_city(*current);
}

const CityRecord* find_city(const std::string& name) {
    int index = find_city_index(normalize_city_name(name));
    return index < 0 ? nullptr : &cities[static_cast<std::size_t>(index)];
}

void store_city(const std::string& name, int latitude_degrees, int latitude_minutes,
                int latitude_seconds, int latitude_hemisphere, int longitude_degrees,
                int longitude_minutes, int longitude_seconds, int longitude_hemisphere,
                double time_zone, int elevation, bool from_file) {
    CityRecord city{normalize_city_name(name), latitude_degrees, latitude_minutes, latitude_seconds,
                    latitude_hemisphere, longitude_degrees, longitude_minutes, longitude_seconds,
                    longitude_hemisphere, time_zone, elevation};
    int index = from_file ? -1 : find_city_index(city.name);
    if (index < 0) {
        cities.emplace_back();
        index = static_cast<int>(cities.size()) - 1;
    }
    CityRecord& record = cities[static_cast<std::size_t>(index)];
    bool changed = !(record == city);
    record = city;
    if (from_file) return;
    changes.push_back(city);
    if (!same_text_ignoring_case(city.name, current_name)) {
        current_name = city.name;
        modified = true;
    }
    if (changed) modified = true;
}

bool save_cities() {
    // Beside the program, or in the user's data folder when the program's
    // folder is not writable (an installed copy).
    const std::string path = writable_data_file_path(CITIES_FILE);
    if (file_damaged) {
        show_error_text(line_message(MSG_CITIES_NOT_SAVED_OVER, path, 0).c_str());
        return false;
    }
    const std::string lock_path = (std::filesystem::path(path).parent_path() / CITIES_LOCK_FILE).string();
    const int lock = lock_file(lock_path);
    if (lock < 0) {
        show_error_text(file_error_text(MSG_CANNOT_SAVE_CITIES, lock_path, errno).c_str());
        return false;
    }
    // Read, change and write under the lock: another copy of the program may
    // have saved since this one loaded, so its list is the one this copy's
    // changes go over.  Cities neither copy changed, and those only the other
    // added, stay.
    CityFile file = read_city_file(path);
    if (file.state == CityFile::UNREADABLE || file.bad_line != 0) {
        unlock_file(lock);
        show_error_text(line_message(MSG_CITIES_NOT_SAVED_OVER, path, 0).c_str());
        return false;
    }
    std::vector<CityRecord> list = file.state == CityFile::READ && !file.cities.empty() ? file.cities : cities;
    for (const CityRecord& city : changes) put_city(list, city);
    std::string text = current_name + "\n";
    for (const CityRecord& city : list) text += city_line(city);
    const ReplaceResult result = replace_file(path, CITIES_NEW_PREFIX, text);
    const int error_number = errno;
    unlock_file(lock);
    if (result != ReplaceResult::Done) {
        int message = result == ReplaceResult::CloseFailed ? MSG_CANNOT_CLOSE_CITIES : MSG_CANNOT_SAVE_CITIES;
        show_error_text(file_error_text(message, path, error_number).c_str());
        return false;
    }
    cities = std::move(list);
    changes.clear();
    modified = false;
    return true;
}

void save_cities_if_modified() {
    if (modified && ask_question(std::string(load_string(MSG_SAVE_CITIES_QUESTION)).c_str())) save_cities();
}

void free_cities() {
    std::vector<CityRecord>().swap(cities);
    std::vector<CityRecord>().swap(changes);
    current_name.clear();
    modified = false;
    file_damaged = false;
}

bool cities_modified() { return modified; }

int city_count() { return static_cast<int>(cities.size()); }

const std::string& city_name(int index) { return cities.at(static_cast<std::size_t>(index)).name; }

const std::string& current_city_name() { return current_name; }

Location location_from_city(const CityRecord& city) {
    Location location;
    location.name = city.name;
    location.latitude_hemisphere = city.latitude_hemisphere;
    location.longitude_hemisphere = city.longitude_hemisphere;
    location.latitude = city.latitude_degrees + city.latitude_minutes * MINUTES_TO_DEGREES +
                        city.latitude_seconds * SECONDS_TO_DEGREES;
    location.longitude = city.longitude_degrees + city.longitude_minutes * MINUTES_TO_DEGREES +
                         city.longitude_seconds * SECONDS_TO_DEGREES;
    location.time_zone = city.time_zone;
    location.elevation = city.elevation;
    return location;
}
