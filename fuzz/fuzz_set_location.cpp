// Fuzz target: the Set Location rule with anything typed in its fields (one
// field a line: name, latitude degrees, minutes, seconds, longitude degrees,
// minutes, seconds, elevation, time zone, then the hemisphere letters).  An
// accepted place is on Earth, and the city it makes saves and reads back the same.
#include <cmath>

#include "app/city_list.h"
#include "app/dialog_rules.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> f = fuzz::lines(data, size, 10);
    LocationEntry entry;
    entry.name = f[0];
    entry.latitude_degrees = f[1], entry.latitude_minutes = f[2], entry.latitude_seconds = f[3];
    entry.longitude_degrees = f[4], entry.longitude_minutes = f[5], entry.longitude_seconds = f[6];
    entry.elevation = f[7];
    entry.time_zone = f[8];
    entry.latitude_hemisphere = f[9].find('S') != std::string::npos ? COMPASS_SOUTH : COMPASS_NORTH;
    entry.longitude_hemisphere = f[9].find('E') != std::string::npos ? COMPASS_EAST : COMPASS_WEST;
    Location place;
    if (apply_location_entry(entry, place).message_id != 0) return 0;

    fuzz::require(!place.name.empty() && normalize_city_name(place.name) == place.name, "normalised name");
    fuzz::require(place.latitude >= 0.0 && place.latitude <= 90.0, "latitude 0..90");
    fuzz::require(place.longitude >= 0.0 && place.longitude <= 180.0, "longitude 0..180");
    fuzz::require(place.time_zone >= -12.0 && place.time_zone <= 12.0, "time zone -12..12");
    fuzz::require(place.elevation >= -400 && place.elevation <= 8900, "elevation -400..8900");

    // The dialog's store and save, then the start-up's load: the same place.
    const CityRecord city = city_of_entry(entry, place);
    std::remove((fuzz::scratch_folder() + "/CITIES.DAT").c_str());
    std::remove(fuzz::user_path("MYCITIES.DAT").c_str());
    Location loaded;
    load_cities(loaded);
    store_city(city.name, city.latitude_degrees, city.latitude_minutes, city.latitude_seconds,
               city.latitude_hemisphere, city.longitude_degrees, city.longitude_minutes, city.longitude_seconds,
               city.longitude_hemisphere, city.time_zone, city.elevation, false);
    fuzz::require(save_cities(), "an accepted place saves");
    load_cities(loaded);
    fuzz::require(loaded.name == place.name, "the saved city is the current one");
    fuzz::require(std::fabs(loaded.latitude - place.latitude) < 1e-9 &&
                      std::fabs(loaded.longitude - place.longitude) < 1e-9 &&
                      loaded.latitude_hemisphere == place.latitude_hemisphere &&
                      loaded.longitude_hemisphere == place.longitude_hemisphere &&
                      loaded.elevation == place.elevation && std::fabs(loaded.time_zone - place.time_zone) <= 0.0051,  // kept to 2 decimals
                  "the place reads back");
    free_cities();
    return 0;
}
