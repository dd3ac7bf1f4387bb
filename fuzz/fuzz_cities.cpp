// Fuzz target: the shipped CITIES.DAT and the user's MYCITIES.DAT as the
// reader meets them (the input up to its first zero byte is the shipped
// list, the rest the user's file).  Whatever they hold, loading gives
// in-range cities with normalised names and a current city; after a city is
// stored and the cities saved, every city that could be read is still there
// with its values, and saving again changes nothing; a user's file that
// could not be read whole is never saved over.
#include <algorithm>
#include <cmath>
#include <map>

#include "app/city_list.h"
#include "fuzz/fuzz_support.h"
#include "platform/text_encoding.h"

namespace {

// The first city of each name (in lower case), as find_city gives it.
std::map<std::string, CityRecord> readable_cities() {
    std::map<std::string, CityRecord> found;
    for (int i = 0; i < city_count(); ++i) {
        std::string key = city_name(i);
        std::transform(key.begin(), key.end(), key.begin(), [](char c) { return static_cast<char>(latin1_lower(c)); });
        found.emplace(key, *find_city(city_name(i)));
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    fuzz::put_file("CITIES.DAT", input.substr(0, split));
    fuzz::put_user_file("MYCITIES.DAT", split < input.size() ? input.substr(split + 1) : std::string_view());
    Location location;
    load_cities(location);
    fuzz::require(city_count() >= 1, "at least one city");
    for (int i = 0; i < city_count(); ++i) {
        const std::string& name = city_name(i);
        fuzz::require(!name.empty() && name.size() <= CITY_NAME_LENGTH && normalize_city_name(name) == name,
                      "normalised name");
        fuzz::require(find_city(name) != nullptr, "every city found by its name");
    }
    fuzz::require(std::isfinite(location.latitude) && location.latitude <= 90.0 && location.longitude <= 180.0 &&
                      location.time_zone >= -12.0 && location.time_zone <= 12.0,
                  "current city in range");
    fuzz::require(find_city(current_city_name()) != nullptr, "current city in the list");

    const std::map<std::string, CityRecord> before = readable_cities();
    const std::string user_before = fuzz::user_file_text("MYCITIES.DAT");
    store_city("Fuzz Added", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 1.5, 7, false);
    if (!save_cities()) {
        fuzz::require(fuzz::user_file_text("MYCITIES.DAT") == user_before, "a refused save leaves the user's file");
        free_cities();
        return 0;
    }
    const std::string first = fuzz::user_file_text("MYCITIES.DAT");
    load_cities(location);
    const std::map<std::string, CityRecord> after = readable_cities();
    // The neutral city that stands in for an empty list is no city of a file.
    const bool stand_in = before.size() == 1 && before.begin()->second == CityRecord{"No name"};
    for (const auto& [key, city] : before) {
        if (key == "fuzz added" || stand_in) continue;
        auto found = after.find(key);
        fuzz::require(found != after.end() && found->second == city, "after load and save, every readable city is still there");
    }
    fuzz::require(after.count("fuzz added") == 1 && location.name == "Fuzz Added", "the stored city is there and current");
    fuzz::require(save_cities() && fuzz::user_file_text("MYCITIES.DAT") == first, "saving again changes nothing");
    free_cities();
    return 0;
}
