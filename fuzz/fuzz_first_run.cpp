// Fuzz target: a first run of this version, with the disk filling up at any
// byte.  The input's first two bytes say after how many bytes writes fail
// (and, through their low bits, how short each write is); the rest is the
// full copy of the city list an earlier version kept in the user's folder
// (none when empty), which the first run turns into the user's own cities.
// Whatever fails, the user's folder is left whole or empty: the earlier copy
// as it was, or the user's file whole beside the copy kept as CITIES.OLD;
// never a cut file or a temporary one.  A first run without a copy writes nothing.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "app/city_file.h"
#include "app/city_list.h"
#include "fuzz/fuzz_support.h"

namespace {

long budget = 0;          // bytes the disk still takes
unsigned long chunk = 1;  // the most one write takes

long filling_disk(int descriptor, const void* bytes, unsigned long count) {
    if (budget <= 0) {
        errno = ENOSPC;
        return -1;
    }
    const long wrote = static_cast<long>(std::min({count, chunk, static_cast<unsigned long>(budget)}));
    budget -= wrote;
    return static_cast<long>(::write(descriptor, bytes, static_cast<std::size_t>(wrote)));
}

// The names in the user's folder, but the lock.
std::set<std::string> user_files() {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(fuzz::scratch_folder() + "/share/skyloom2", ec))
        if (entry.path().filename() != "MYCITIES.LCK") names.insert(entry.path().filename().string());
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    budget = data[0] * 4 + (data[1] >> 4);
    chunk = 1 + (data[1] & 0x0F) * 37;
    const std::string copy(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::error_code ignored;
    std::filesystem::remove_all(fuzz::scratch_folder() + "/share", ignored);
    fuzz::put_file("CITIES.DAT", "Alpha\nAlpha|10|20|30|N|40|50|0|E|100|2\nBeta|11|22|33|S|44|55|6|W|-5|-3.5\n");
    if (!copy.empty()) fuzz::put_user_file("CITIES.DAT", copy);

    set_write_function(filling_disk);
    Location location;
    load_cities(location);
    set_write_function(nullptr);

    const std::set<std::string> left = user_files();
    if (copy.empty()) {
        fuzz::require(!std::filesystem::exists(fuzz::scratch_folder() + "/share"), "a first run writes nothing");
    } else if (left.count("MYCITIES.DAT") == 0) {
        fuzz::require(left == std::set<std::string>{"CITIES.DAT"} && fuzz::user_file_text("CITIES.DAT") == copy,
                      "a failed first run leaves the earlier copy as it was");
    } else {
        fuzz::require(left == std::set<std::string>{"MYCITIES.DAT", "CITIES.OLD"}, "nothing but the two files");
        fuzz::require(fuzz::user_file_text("CITIES.OLD") == copy, "the earlier copy is kept whole");
        const CityFile mine = parse_user_cities(fuzz::user_file_text("MYCITIES.DAT"));
        fuzz::require(mine.faults.empty(), "the user's file is whole");
        // Every city of the copy is in the list the user's file makes.
        const CityFile earlier = parse_city_list(copy);
        for (const CityRecord& city : earlier.cities) {
            const CityRecord* found = find_city(city.name);
            fuzz::require(found != nullptr, "every city of the copy is kept");
        }
    }
    // The same with the first save of a city, the disk as full as before.
    budget = data[0] * 4 + (data[1] >> 4);
    const std::string user_before = fuzz::user_file_text("MYCITIES.DAT");
    const std::set<std::string> files_before = user_files();
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 1.0, 50, false);
    set_write_function(filling_disk);
    const bool saved = save_cities();
    set_write_function(nullptr);
    if (!saved) {
        fuzz::require(fuzz::user_file_text("MYCITIES.DAT") == user_before && user_files() == files_before,
                      "a failed save leaves the user's folder as it was");
    } else {
        const CityFile mine = parse_user_cities(fuzz::user_file_text("MYCITIES.DAT"));
        const bool has_gamma = std::any_of(mine.cities.begin(), mine.cities.end(), [](const CityRecord& c) {
            return c.name == "Gamma" && c.latitude_degrees == 1 && c.elevation == 50;
        });
        fuzz::require(mine.faults.empty() && has_gamma, "a save writes the user's file whole");
    }
    free_cities();
    return 0;
}
