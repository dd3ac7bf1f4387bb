// Reading and writing the city files, field by field.
#include "app/city_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>

#include "format/numbers.h"
#include "platform/text_encoding.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// A line longer than this is no city line (a city line is about 60 characters).
constexpr std::size_t LINE_LIMIT = 1000;
constexpr int CITY_FIELDS = 11;
constexpr int FAULTS_SHOWN = 5;  // in one message; the rest are counted
constexpr std::string_view OTHER_NAMES_KEY = "aka=";
constexpr char OTHER_NAMES_SEPARATOR = ';';
constexpr std::string_view ZONE_KEY = "zone=";  // the field of the IANA zone name

// The fields of a city line, in file order.
enum CityField {
    F_NAME, F_LAT_DEGREES, F_LAT_MINUTES, F_LAT_SECONDS, F_LAT_HEMISPHERE, F_LON_DEGREES, F_LON_MINUTES,
    F_LON_SECONDS, F_LON_HEMISPHERE, F_ELEVATION, F_TIME_ZONE,
};

// printf-style text of the string table.
template <typename... Args>
std::string message(int id, Args... args) {
    char text[1024];
    std::snprintf(text, sizeof text, std::string(load_string(id)).c_str(), args...);
    return text;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// The non-empty pieces of line between "|" separators (leading and doubled
// separators are skipped).
std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    fields.reserve(CITY_FIELDS + 1);  // a city line's fields and a later version's one more, in one allocation
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t bar = line.find('|', start);
        if (bar == std::string_view::npos) bar = line.size();
        if (bar > start) fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return fields;
}

// Where a line's faults go: its number and the file's list of faults.
struct LineFaults {
    int line;
    std::vector<CityFault>& faults;
};

std::nullopt_t add_fault(const LineFaults& at, std::string what) {
    at.faults.push_back({at.line, std::move(what)});
    return std::nullopt;
}

std::string field_name(int field) { return std::string(load_string(STR_CITY_FIELD_NAMES + field)); }

std::nullopt_t out_of_range(const std::vector<std::string_view>& fields, int field, const LineFaults& at) {
    return add_fault(at, message(MSG_CITY_FIELD_RANGE, field_name(field).c_str(),
                                 std::string(trimmed(fields[field])).c_str()));
}

std::nullopt_t not_a_number(const std::vector<std::string_view>& fields, int field, const LineFaults& at) {
    return add_fault(at, message(MSG_CITY_FIELD_NUMBER, field_name(field).c_str(), std::string(fields[field]).c_str()));
}

// A number field as read (nullopt: not a number), within low..high; false
// after adding its fault.
template <typename Number>
bool number_field(const std::vector<std::string_view>& fields, int field, std::optional<Number> read, Number low,
                  Number high, Number& value, const LineFaults& at) {
    if (!read) {
        not_a_number(fields, field, at);
        return false;
    }
    if (*read < low || *read > high) {
        out_of_range(fields, field, at);
        return false;
    }
    value = *read;
    return true;
}

bool whole_field(const std::vector<std::string_view>& fields, int field, int low, int high, int& value,
                 const LineFaults& at) {
    return number_field(fields, field, read_whole_number(trimmed(fields[field])), low, high, value, at);
}

// A hemisphere: one letter in either case; false after adding its fault.
bool letter_field(const std::vector<std::string_view>& fields, int field, char first, int first_code, char second,
                  int second_code, int& code, const LineFaults& at) {
    std::string_view text = trimmed(fields[field]);
    if (text.size() == 1 && latin1_lower(text[0]) == latin1_lower(first)) code = first_code;
    else if (text.size() == 1 && latin1_lower(text[0]) == latin1_lower(second)) code = second_code;
    else {
        add_fault(at, message(MSG_CITY_HEMISPHERE, field_name(field).c_str(), first, second, std::string(text).c_str()));
        return false;
    }
    return true;
}

// A city line's fields as a record; nullopt after adding the line's first fault.
// The time zone as a city line keeps it, to 0.01 h, with "." in every locale
// (std::to_chars): a city reads back exactly as it was saved.
std::string time_zone_text(double hours) {
    char text[400];  // room for any double in fixed notation
    auto [end, error] = std::to_chars(text, text + sizeof text, hours, std::chars_format::fixed, 2);
    return std::string(text, end);
}

std::optional<CityRecord> read_city_line(std::string_view text, const LineFaults& at) {
    std::vector<std::string_view> fields = split_fields(text);
    if (fields.size() < CITY_FIELDS) return add_fault(at, message(MSG_CITY_FIELD_COUNT, static_cast<int>(fields.size())));
    CityRecord c;
    c.name = normalize_city_name(std::string(fields[F_NAME]));
    if (c.name.empty()) return add_fault(at, std::string(load_string(MSG_CITY_NO_NAME)));
    if (!whole_field(fields, F_LAT_DEGREES, 0, MAX_LATITUDE_DEGREES, c.latitude_degrees, at) ||
        !whole_field(fields, F_LAT_MINUTES, 0, MAX_MINUTES, c.latitude_minutes, at) ||
        !whole_field(fields, F_LAT_SECONDS, 0, MAX_MINUTES, c.latitude_seconds, at) ||
        !letter_field(fields, F_LAT_HEMISPHERE, 'N', COMPASS_NORTH, 'S', COMPASS_SOUTH, c.latitude_hemisphere, at) ||
        !whole_field(fields, F_LON_DEGREES, 0, MAX_LONGITUDE_DEGREES, c.longitude_degrees, at) ||
        !whole_field(fields, F_LON_MINUTES, 0, MAX_MINUTES, c.longitude_minutes, at) ||
        !whole_field(fields, F_LON_SECONDS, 0, MAX_MINUTES, c.longitude_seconds, at) ||
        !letter_field(fields, F_LON_HEMISPHERE, 'W', COMPASS_WEST, 'E', COMPASS_EAST, c.longitude_hemisphere, at) ||
        !whole_field(fields, F_ELEVATION, MIN_ELEVATION, MAX_ELEVATION, c.elevation, at) ||
        !number_field(fields, F_TIME_ZONE, read_decimal_number(trimmed(fields[F_TIME_ZONE])), -MAX_TIME_ZONE_HOURS,
                      MAX_TIME_ZONE_HOURS, c.time_zone, at))
        return std::nullopt;
    // Finer than the file keeps it (-3.504): read as it will be saved (-3.50).
    const std::string zone_text = time_zone_text(c.time_zone);
    std::from_chars(zone_text.data(), zone_text.data() + zone_text.size(), c.time_zone);
    // The poles and the date line are reached with no minutes or seconds past them.
    if (c.latitude_degrees == MAX_LATITUDE_DEGREES && c.latitude_minutes + c.latitude_seconds > 0)
        return out_of_range(fields, F_LAT_DEGREES, at);
    if (c.longitude_degrees == MAX_LONGITUDE_DEGREES && c.longitude_minutes + c.longitude_seconds > 0)
        return out_of_range(fields, F_LON_DEGREES, at);
    for (std::size_t i = CITY_FIELDS; i < fields.size(); ++i) {
        if (fields[i].find('=') == std::string_view::npos)
            return add_fault(at, message(MSG_CITY_EXTRA_FIELD, std::string(fields[i]).c_str()));
        // The zone is checked against the database where it is used, not here:
        // loading the list never reads the database.
        if (const std::string_view field = trimmed(fields[i]); field.starts_with(ZONE_KEY)) {
            c.zone = std::string(trimmed(field.substr(ZONE_KEY.size())));
            continue;
        }
        if (!c.extra_fields.empty()) c.extra_fields += '|';
        c.extra_fields += fields[i];
    }
    return c;
}

// Calls take(number, line) for every line of text that holds something, in
// Latin-1 (decoded from UTF-8 when it is UTF-8), after adding a fault for a
// line that is too long or is not text (a zero byte or a control character:
// binary data).
template <typename Take>
void for_each_line(std::string_view text, std::vector<CityFault>& faults, Take take) {
    int number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        // Most lines are ASCII, which both encodings read alike.  The limit
        // counts characters, so that a line saved in UTF-8 reads back.
        const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        std::string latin1;
        if (!ascii && !utf8_to_latin1_exact(raw, latin1)) latin1 = raw;
        const std::string_view line = ascii ? raw : std::string_view(latin1);
        if (trimmed(line).empty()) continue;
        if (line.size() > LINE_LIMIT) {
            faults.push_back({number, message(MSG_CITY_LINE_TOO_LONG, static_cast<int>(LINE_LIMIT))});
            continue;
        }
        bool text_only = true;
        for (char c : line) text_only = text_only && !(static_cast<unsigned char>(c) < 0x20 && c != '\t');
        if (!text_only) {
            faults.push_back({number, std::string(load_string(MSG_CITY_NOT_TEXT))});
            continue;
        }
        take(number, line);
    }
}

// The whole file; the state says whether it was there and readable.
CityFile read_file(const std::string& path, std::string& text) {
    CityFile result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        result.error_number = errno;
        result.state = errno == ENOENT ? CityFile::MISSING : CityFile::UNREADABLE;
        return result;
    }
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    result.state = std::ferror(file) ? CityFile::UNREADABLE : CityFile::READ;
    result.error_number = std::ferror(file) ? errno : 0;
    std::fclose(file);
    return result;
}

}  // namespace

CityFile parse_city_list(std::string_view text) {
    CityFile file;
    file.state = CityFile::READ;
    file.cities.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for_each_line(text, file.faults, [&](int number, std::string_view line) {
        if (number == 1) {
            file.has_current = true;
            file.current_name = normalize_city_name(std::string(line));
        } else if (std::optional<CityRecord> city = read_city_line(line, {number, file.faults})) {
            file.cities.push_back(std::move(*city));
        }
    });
    return file;
}

CityFile parse_user_cities(std::string_view text) {
    CityFile file;
    file.state = CityFile::READ;
    bool header_seen = false, not_ours = false;
    for_each_line(text, file.faults, [&](int number, std::string_view line) {
        const LineFaults at{number, file.faults};
        if (not_ours) return;
        if (!header_seen) {
            // Anything else (a notes file, another program's file, a later
            // version's) is not read as cities, and never saved over.
            header_seen = true;
            not_ours = number != 1 || line != USER_CITIES_HEADER;
            if (not_ours) add_fault(at, message(MSG_CITY_NOT_USER_FILE, USER_CITIES_HEADER));
            return;
        }
        const std::size_t bar = line.find('|');
        const std::string_view kind = line.substr(0, bar);
        const std::string value = bar == std::string_view::npos ? std::string() : std::string(line.substr(bar + 1));
        const std::string name = normalize_city_name(value);
        if (kind == "city") {
            if (std::optional<CityRecord> city = read_city_line(value, at)) file.cities.push_back(*city);
        } else if ((kind == "current" || kind == "removed") && name.empty()) {
            add_fault(at, std::string(load_string(MSG_CITY_NO_NAME)));
        } else if (kind == "current") {
            file.has_current = true;
            file.current_name = name;
        } else if (kind == "removed") {
            file.removed.push_back(name);
        } else {
            add_fault(at, message(MSG_CITY_LINE_KIND, std::string(kind).c_str()));
        }
    });
    return file;
}

CityFile read_city_list(const std::string& path) {
    std::string text;
    CityFile file = read_file(path, text);
    if (file.state != CityFile::READ) return file;
    return parse_city_list(text);
}

CityFile read_user_cities(const std::string& path) {
    std::string text;
    CityFile file = read_file(path, text);
    if (file.state != CityFile::READ) return file;
    return parse_user_cities(text);
}

std::vector<std::string> other_city_names(const CityRecord& city) {
    std::vector<std::string> names;
    for (std::string_view field : split_fields(city.extra_fields)) {
        if (!field.starts_with(OTHER_NAMES_KEY)) continue;
        field.remove_prefix(OTHER_NAMES_KEY.size());
        while (!field.empty()) {
            const std::size_t end = std::min(field.find(OTHER_NAMES_SEPARATOR), field.size());
            std::string name = normalize_city_name(std::string(field.substr(0, end)));
            if (!name.empty()) names.push_back(std::move(name));
            field.remove_prefix(std::min(end + 1, field.size()));
        }
    }
    return names;
}

std::string city_line(const CityRecord& city) {
    char line[128];
    int length = std::snprintf(
        line, sizeof line, "%-20s|%2d|%2d|%2d|%c|%3d|%2d|%2d|%c|%4d|", city.name.c_str(),
        city.latitude_degrees, city.latitude_minutes, city.latitude_seconds,
        city.latitude_hemisphere != COMPASS_NORTH ? 'S' : 'N', city.longitude_degrees,
        city.longitude_minutes, city.longitude_seconds,
        city.longitude_hemisphere == COMPASS_WEST ? 'W' : 'E', city.elevation);
    std::string text(line, static_cast<std::size_t>(length));
    text += time_zone_text(city.time_zone);
    if (!city.zone.empty()) text += "|" + std::string(ZONE_KEY) + city.zone;
    if (!city.extra_fields.empty()) text += "|" + city.extra_fields;
    text.push_back('\n');
    return text;
}

std::string user_cities_text(const std::string& current_name, const std::vector<CityRecord>& cities,
                             const std::vector<std::string>& removed) {
    std::string text = std::string(USER_CITIES_HEADER) + "\n";
    if (!current_name.empty()) text += "current|" + current_name + "\n";
    for (const CityRecord& city : cities) text += "city|" + city_line(city);
    for (const std::string& name : removed) text += "removed|" + name + "\n";
    return latin1_to_utf8(text);
}

std::string fault_message(const std::string& path, const std::vector<CityFault>& faults) {
    std::string text;
    for (std::size_t i = 0; i < faults.size() && i < FAULTS_SHOWN; ++i) {
        if (i > 0) text += '\n';
        text += message(MSG_BAD_CITY_LINE, path.c_str(), faults[i].line, faults[i].what.c_str());
    }
    if (faults.size() > FAULTS_SHOWN) text += "\n" + message(MSG_MORE_CITY_FAULTS, static_cast<int>(faults.size() - FAULTS_SHOWN));
    return text;
}
