// Fuzz target: CITIES.DAT as the reader meets it.  Whatever the file holds,
// loading gives in-range cities with normalised names and a current city, and
// a saved list reads back and saves again byte for byte.
#include <cmath>

#include "app/location.h"
#include "fuzz/fuzz_support.h"

namespace {

std::string saved_text() {
    std::FILE* file = std::fopen((fuzz::scratch_folder() + "/CITIES.DAT").c_str(), "rb");
    std::string text;
    if (file == nullptr) return text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    std::fclose(file);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::put_file("CITIES.DAT", std::string_view(reinterpret_cast<const char*>(data), size));
    Location location;
    load_cities(location);
    fuzz::require(city_count() >= 1, "at least one city");
    for (int i = 0; i < city_count(); ++i) {
        const std::string& name = city_name(i);
        fuzz::require(name.size() <= CITY_NAME_LENGTH && normalize_city_name(name) == name, "normalised name");
        const CityRecord* city = find_city(name);
        fuzz::require(city != nullptr, "every city found by its name");
    }
    fuzz::require(std::isfinite(location.latitude) && location.latitude <= 90.0 && location.longitude <= 180.0 &&
                      location.time_zone >= -12.0 && location.time_zone <= 12.0,
                  "current city in range");
    fuzz::require(find_city(current_city_name()) != nullptr, "current city in the list");

    // Saved once, the list reads back and saves to the same text.  A damaged
    // file is not saved over, and the save says so.
    const std::string before = saved_text();
    const bool saved = save_cities();
    if (!saved) {
        fuzz::require(saved_text() == before, "a refused save leaves the file");
        free_cities();
        return 0;
    }
    const std::string first = saved_text();
    load_cities(location);
    fuzz::require(save_cities(), "a saved list saves again");
    fuzz::require(saved_text() == first, "saving is a fixed point");
    free_cities();
    return 0;
}
