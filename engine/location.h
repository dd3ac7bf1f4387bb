#pragma once
#include <string>

// Compass codes shared by latitude (North/South) and longitude (West/East).
enum CompassCode { COMPASS_NORTH = 0, COMPASS_SOUTH = 1, COMPASS_WEST = 2, COMPASS_EAST = 3 };

// The observer: where the sky is seen from and which clock local times are
// given in: the zone's clock (daylight saving included, engine/clock.h) when
// zone names one, else standard time at the fixed offset time_zone.  Angles
// are magnitudes; the hemisphere codes carry the sign.
struct Location {
    std::string name;                       // at most 20 characters
    int latitude_hemisphere = COMPASS_NORTH;  // COMPASS_NORTH or COMPASS_SOUTH
    int longitude_hemisphere = COMPASS_WEST;  // COMPASS_WEST or COMPASS_EAST
    double latitude = 0.0;                  // degrees, 0..90
    double longitude = 0.0;                 // degrees, 0..180
    double time_zone = 0.0;                 // hours; local standard time = UT + time_zone
    int elevation = 0;                      // metres above sea level
    std::string zone{};                     // IANA zone name ("America/Denver"); empty: time_zone alone
};

// Signed latitude, degrees, north positive.
inline double signed_latitude(const Location& l) {
    return l.latitude_hemisphere == COMPASS_SOUTH ? -l.latitude : l.latitude;
}
// Signed longitude, degrees, east positive.
inline double signed_longitude(const Location& l) {
    return l.longitude_hemisphere == COMPASS_WEST ? -l.longitude : l.longitude;
}
