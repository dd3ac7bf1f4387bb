#pragma once
// A test's place from signed degrees (north and east positive) on a zone's
// clock, with the zone's standard offset as the fixed one.
#include <cmath>

#include "engine/location.h"

inline Location zoned_place(const char* name, double latitude, double longitude, const char* zone,
                            double fixed_hours) {
    Location place;
    place.name = name;
    place.latitude_hemisphere = latitude < 0 ? COMPASS_SOUTH : COMPASS_NORTH;
    place.longitude_hemisphere = longitude < 0 ? COMPASS_WEST : COMPASS_EAST;
    place.latitude = std::fabs(latitude);
    place.longitude = std::fabs(longitude);
    place.time_zone = fixed_hours;
    place.zone = zone;
    return place;
}
