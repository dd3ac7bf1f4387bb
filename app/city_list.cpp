// The city location database: the shipped list with the user's cities over it.
#include "app/city_list.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/city_file.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

namespace fs = std::filesystem;

const char* const SHIPPED_FILE = "CITIES.DAT";
// In the user's data folder: the user's cities, the lock two copies of the
// program take around a save, the prefix of the temporary files a save
// writes, and what earlier versions kept there (a full copy of the list, and
// their temporary files), with the name the full copy is kept under once
// turned into the user's cities.
const char* const USER_FILE = "MYCITIES.DAT";
const char* const USER_LOCK_FILE = "MYCITIES.LCK";
const char* const USER_NEW_PREFIX = "MYCITIES.NEW";
const char* const FULL_COPY_FILE = "CITIES.DAT";
const char* const FULL_COPY_NEW_PREFIX = "CITIES.NEW";
const char* const FULL_COPY_KEPT = "CITIES.OLD";
const char* const NO_NAME_CITY = "No name";

constexpr int LOCK_WAIT_MILLISECONDS = 3000;
constexpr double MINUTES_TO_DEGREES = 1.0 / 60.0;
constexpr double SECONDS_TO_DEGREES = 1.0 / 3600.0;

// The user's layer over the shipped list: the city the user chose, the
// cities the user added or changed (in the order first stored) and the
// shipped ones the user removed.
struct UserCities {
    std::string current_name;  // empty: the shipped list's
    std::vector<CityRecord> cities;
    std::vector<std::string> removed;
};

// A change made in this run: a city stored (or, with remove, a name removed).
struct CityChange {
    bool remove = false;
    CityRecord city;
};

// The module's state, one record: the shipped list; the user's layer as last
// read or saved; the list the two make and the selected city's name; the
// changes since, which a save applies again over the user's file as another
// copy of the program may have left it; whether the list or current city
// changed; and the user's file when it could not be read whole (then it is
// never saved over).
struct CityListState {
    std::vector<CityRecord> shipped;
    std::string shipped_current;
    UserCities user;
    std::vector<CityRecord> cities;
    std::string current_name;
    std::vector<CityChange> changes;
    bool current_changed = false;
    bool modified = false;
    std::string damaged_user_file;
};
CityListState city_list;

// White space as the C locale knows it, whatever the user's locale.
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Index of the first city called name (already normalised), ignoring case; -1 when none.
int index_in(const std::vector<CityRecord>& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (same_text_ignoring_case(list[i].name, name)) return static_cast<int>(i);
    return -1;
}

// Index of the city called name (normalised) as find_city looks it up: by
// name, by another name, then both without accents; -1 when none.
int lookup_in(const std::vector<CityRecord>& list, const std::string& name) {
    const int index = index_in(list, name);
    if (index >= 0) return index;
    const std::string plain = without_accents_or_case(name);
    auto has_other_name = [&](const CityRecord& city, bool accents_too) {
        for (const std::string& other : other_city_names(city))
            if (accents_too ? without_accents_or_case(other) == plain : same_text_ignoring_case(other, name)) return true;
        return false;
    };
    for (int pass = 0; pass < 3; ++pass)
        for (std::size_t i = 0; i < list.size(); ++i)
            if (pass == 1 ? without_accents_or_case(list[i].name) == plain : has_other_name(list[i], pass == 2))
                return static_cast<int>(i);
    return -1;
}

const CityRecord* shipped_city(const std::string& name) {
    int index = index_in(city_list.shipped, name);
    return index < 0 ? nullptr : &city_list.shipped[static_cast<std::size_t>(index)];
}

void erase_name(std::vector<std::string>& names, const std::string& name) {
    std::erase_if(names, [&](const std::string& n) { return same_text_ignoring_case(n, name); });
}

// A change applied to the user's layer: a stored city that is the shipped
// one again leaves the layer (so that a later correction of it arrives); a
// removal of a shipped city is kept as such.
void apply_change(UserCities& layer, const CityChange& change) {
    const std::string& name = change.city.name;
    const CityRecord* from_shipped = shipped_city(name);
    erase_name(layer.removed, name);
    if (change.remove || (from_shipped && *from_shipped == change.city)) {
        std::erase_if(layer.cities, [&](const CityRecord& c) { return same_text_ignoring_case(c.name, name); });
        if (change.remove && from_shipped) layer.removed.push_back(from_shipped->name);
        return;
    }
    const int index = index_in(layer.cities, name);
    if (index >= 0) layer.cities[static_cast<std::size_t>(index)] = change.city;
    else layer.cities.push_back(change.city);
}

// The list: the shipped cities less the removed ones, each user's city over
// the first shipped city of its name (or at the end); never empty.  A
// removed name that the shipped list no longer has removes the city found
// by it (removed "Kiev" is Kyiv now).
std::vector<CityRecord> merged_list(const UserCities& layer) {
    std::vector<std::string> removed_names;
    for (const std::string& name : layer.removed) {
        const int index = lookup_in(city_list.shipped, name);
        removed_names.push_back(index < 0 ? name : city_list.shipped[static_cast<std::size_t>(index)].name);
    }
    std::vector<CityRecord> list;
    list.reserve(city_list.shipped.size() + layer.cities.size());
    for (const CityRecord& city : city_list.shipped) {
        bool removed = false;
        for (const std::string& name : removed_names) removed = removed || same_text_ignoring_case(name, city.name);
        if (!removed) list.push_back(city);
    }
    std::vector<bool> replaced(list.size(), false);
    for (const CityRecord& city : layer.cities) {
        // Only a shipped city is replaced: two user's cities of one name that
        // no shipped city has are both kept.
        const int index = index_in(list, city.name);
        if (index >= 0 && static_cast<std::size_t>(index) < replaced.size() && !replaced[static_cast<std::size_t>(index)]) {
            list[static_cast<std::size_t>(index)] = city;
            replaced[static_cast<std::size_t>(index)] = true;
        } else {
            list.push_back(city);
        }
    }
    // A missing list, or one that lists no city, leaves one neutral city so
    // that there is always a current city.
    if (list.empty()) list.push_back(CityRecord{NO_NAME_CITY});
    return list;
}

// The list from the layers, and the current city: the user's choice (found
// as find_city finds it: a city renamed since is still the current one),
// else the shipped list's, else the first city.
void rebuild_list() {
    city_list.cities = merged_list(city_list.user);
    const std::string& chosen = city_list.user.current_name;
    city_list.current_name = chosen.empty() ? city_list.shipped_current : chosen;
    if (index_in(city_list.cities, city_list.current_name) >= 0) return;
    const int found = lookup_in(city_list.cities, city_list.current_name);
    city_list.current_name = city_list.cities[found < 0 ? 0 : static_cast<std::size_t>(found)].name;
}

// The user's layer that a full copy of the list (what earlier versions kept
// in the user's folder) stands for: every city that is not the shipped one
// as it is now.  The copy had no way to remove a city, so none is removed.
UserCities layer_from_full_copy(const CityFile& copy) {
    UserCities layer;
    layer.current_name = copy.current_name;
    for (const CityRecord& city : copy.cities) {
        const CityRecord* from_shipped = shipped_city(city.name);
        if (!from_shipped || !(*from_shipped == city)) layer.cities.push_back(city);
    }
    return layer;
}

UserCities layer_of(const CityFile& file) {
    return {file.current_name, file.cities, file.removed};
}

std::string in_user_folder(const char* name) {
    const std::string folder = user_data_folder();
    return folder.empty() ? std::string() : (fs::path(folder) / name).string();
}

// A message of the table with the file's path in it ("... %s ...").
std::string message_with_path(int message_id, const std::string& path) {
    char text[1024];
    std::snprintf(text, sizeof text, std::string(load_string(message_id)).c_str(), path.c_str());
    return text;
}

// Shows what went wrong reading a file; true when it is whole.
bool report_reading(const std::string& path, const CityFile& file) {
    if (file.state == CityFile::UNREADABLE)
        show_error_text(file_error_text(MSG_CANNOT_LOAD_CITIES, path, file.error_number).c_str());
    if (!file.faults.empty()) show_error_text(fault_message(path, file.faults).c_str());
    return file.state != CityFile::UNREADABLE && file.faults.empty();
}

// Writes the layer to the user's file under the lock, after applying this
// run's changes to the file as it is now (or to the layer given, when there
// is no file yet).  The new layer on success; messages on failure.
bool write_user_file(UserCities& layer) {
    const std::string path = user_cities_path();
    if (path.empty() || !make_folder(fs::path(path).parent_path().string())) {
        show_error_text(file_error_text(MSG_CANNOT_SAVE_CITIES, path.empty() ? USER_FILE : path, errno).c_str());
        return false;
    }
    const std::string lock_path = in_user_folder(USER_LOCK_FILE);
    const FileLock lock = lock_file(lock_path, LOCK_WAIT_MILLISECONDS);
    if (lock.state != FileLock::LOCKED) {
        show_error_text(lock.state == FileLock::BUSY
                            ? message_with_path(MSG_CITIES_BUSY, lock_path).c_str()
                            : file_error_text(MSG_CANNOT_SAVE_CITIES, lock_path, lock.error_number).c_str());
        return false;
    }
    // Read, change and write under the lock: another copy of the program may
    // have saved since this one loaded, so its cities are the ones this
    // copy's changes go over.
    CityFile now = read_user_cities(path);
    if (now.state == CityFile::UNREADABLE || !now.faults.empty()) {
        unlock_file(lock);
        report_reading(path, now);
        show_error_text(message_with_path(MSG_CITIES_NOT_SAVED_OVER, path).c_str());
        return false;
    }
    UserCities result = now.state == CityFile::READ ? layer_of(now) : layer;
    for (const CityChange& change : city_list.changes) apply_change(result, change);
    if (city_list.current_changed) result.current_name = layer.current_name;
    // What earlier versions' saves left when they were killed goes too.
    remove_stale_temporaries(fs::path(path).parent_path().string(), FULL_COPY_NEW_PREFIX);
    const ReplaceResult written =
        replace_file(path, USER_NEW_PREFIX, user_cities_text(result.current_name, result.cities, result.removed));
    const int error_number = errno;
    unlock_file(lock);
    if (written != ReplaceResult::Done) {
        int message = written == ReplaceResult::CloseFailed ? MSG_CANNOT_CLOSE_CITIES : MSG_CANNOT_SAVE_CITIES;
        show_error_text(file_error_text(message, path, error_number).c_str());
        return false;
    }
    layer = result;
    return true;
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

std::string user_cities_path() { return in_user_folder(USER_FILE); }

void load_cities(Location& location) {
    free_cities();
    const std::string shipped_path = data_file_path(SHIPPED_FILE);
    CityFile list = read_city_list(shipped_path);
    if (list.state == CityFile::MISSING)
        show_error_text(file_error_text(MSG_CANNOT_LOAD_CITIES, shipped_path, list.error_number).c_str());
    report_reading(shipped_path, list);
    city_list.shipped = std::move(list.cities);
    city_list.shipped_current = list.current_name;

    const std::string user_path = user_cities_path();
    CityFile mine = user_path.empty() ? CityFile{} : read_user_cities(user_path);
    if (!report_reading(user_path, mine)) city_list.damaged_user_file = user_path;
    city_list.user = layer_of(mine);
    // The full copy earlier versions kept in the user's folder becomes the
    // user's cities once.  Where the user's folder is the program's data
    // folder (installed with the prefix ~/.local) that file is the shipped one.
    const std::string full_copy = in_user_folder(FULL_COPY_FILE);
    std::error_code ec;
    if (mine.state == CityFile::MISSING && !full_copy.empty() && fs::exists(full_copy, ec) &&
        !fs::equivalent(full_copy, shipped_path, ec)) {
        CityFile copy = read_city_list(full_copy);
        city_list.user = layer_from_full_copy(copy);
        if (!report_reading(full_copy, copy)) city_list.damaged_user_file = full_copy;
        else if (write_user_file(city_list.user)) fs::rename(full_copy, in_user_folder(FULL_COPY_KEPT), ec);
    }
    rebuild_list();
    location = location_from_city(*find_city(city_list.current_name));
}

const CityRecord* find_city(const std::string& name) {
    int index = lookup_in(city_list.cities, normalize_city_name(name));
    return index < 0 ? nullptr : &city_list.cities[static_cast<std::size_t>(index)];
}

namespace {

// Adds or updates a city of the list (from the dialog or the command line);
// true when its contents changed.
bool put_city(CityRecord city) {
    int index = index_in(city_list.cities, city.name);
    if (index < 0) {
        // A shipped city removed and added again keeps what this version
        // does not edit (its other names).
        if (const CityRecord* from_shipped = shipped_city(city.name)) city.extra_fields = from_shipped->extra_fields;
        city_list.cities.push_back(city);
        city_list.changes.push_back({false, city});
        return true;
    }
    CityRecord& record = city_list.cities[static_cast<std::size_t>(index)];
    city.extra_fields = record.extra_fields;  // what this version does not edit stays
    bool changed = !(record == city);
    record = city;
    city_list.changes.push_back({false, city});
    return changed;
}

}  // namespace

void store_city(const std::string& name, int latitude_degrees, int latitude_minutes,
                int latitude_seconds, int latitude_hemisphere, int longitude_degrees,
                int longitude_minutes, int longitude_seconds, int longitude_hemisphere,
                double time_zone, int elevation, bool from_file, const std::string& zone) {
    CityRecord city{normalize_city_name(name), latitude_degrees, latitude_minutes, latitude_seconds,
                    latitude_hemisphere, longitude_degrees, longitude_minutes, longitude_seconds,
                    longitude_hemisphere, time_zone, elevation, zone};
    if (from_file) {
        city_list.cities.push_back(city);
        return;
    }
    if (put_city(city)) city_list.modified = true;
    if (!same_text_ignoring_case(city.name, city_list.current_name)) {
        city_list.current_name = city.name;
        city_list.current_changed = city_list.modified = true;
    }
}

void add_city(const CityRecord& city) {
    CityRecord normal = city;
    normal.name = normalize_city_name(city.name);
    if (put_city(normal)) city_list.modified = true;
}

bool remove_city(const std::string& name) {
    const std::string normal = normalize_city_name(name);
    if (index_in(city_list.cities, normal) < 0) return false;
    std::erase_if(city_list.cities, [&](const CityRecord& c) { return same_text_ignoring_case(c.name, normal); });
    city_list.changes.push_back({true, CityRecord{normal}});
    if (city_list.cities.empty()) city_list.cities.push_back(CityRecord{NO_NAME_CITY});
    if (index_in(city_list.cities, city_list.current_name) < 0)
        city_list.current_name = city_list.cities.front().name;
    city_list.modified = true;
    return true;
}

bool save_cities() {
    if (!city_list.damaged_user_file.empty()) {
        show_error_text(message_with_path(MSG_CITIES_NOT_SAVED_OVER, city_list.damaged_user_file).c_str());
        return false;
    }
    UserCities layer = city_list.user;
    if (city_list.current_changed) layer.current_name = city_list.current_name;
    if (!write_user_file(layer)) return false;
    city_list.user = layer;
    city_list.changes.clear();
    city_list.current_changed = city_list.modified = false;
    rebuild_list();
    return true;
}

CityOrigin city_origin(const CityRecord& city) {
    const CityRecord* from_shipped = shipped_city(city.name);
    if (!from_shipped) return CityOrigin::ADDED;
    return *from_shipped == city ? CityOrigin::SHIPPED : CityOrigin::CHANGED;
}

void save_cities_if_modified() {
    if (city_list.modified && ask_question(std::string(load_string(MSG_SAVE_CITIES_QUESTION)).c_str())) save_cities();
}

void free_cities() { city_list = CityListState{}; }

bool cities_modified() { return city_list.modified; }

int city_count() { return static_cast<int>(city_list.cities.size()); }

const std::string& city_name(int index) { return city_list.cities.at(static_cast<std::size_t>(index)).name; }

const std::string& current_city_name() { return city_list.current_name; }

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
    location.zone = city.zone;
    location.elevation = city.elevation;
    return location;
}
