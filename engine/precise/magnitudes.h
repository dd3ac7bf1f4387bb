#pragma once
// Visual magnitudes of the planets from the phase laws of Mallama & Hilton,
// "Computing apparent planetary magnitudes for The Astronomical Almanac",
// Astronomy and Computing 25 (2018) 10-24: each planet's magnitude at unit
// distances as a polynomial in the phase angle, Saturn with its rings (the
// ring plane's tilt towards the Earth), Uranus with its sub-Earth latitude.
// Pluto: V(1,0) = -1.01 with no phase law (the Astronomical Almanac's).
#include "engine/calendar.h"
#include "engine/precise/places.h"

namespace precise {

// Given a planet (3-10) and its geocentric place; returns its visual magnitude.
double planet_magnitude(int body, const Place& place);

// Given a planet (3-10) and a UT instant; its visual magnitude.
double planet_magnitude_at(int body, JulianDay jd_ut);

}  // namespace precise
