#pragma once
// The sky as seen from the place, computed through the engine seam so that
// every engine gives it: a body's apparent altitude (with refraction) and
// azimuth at an instant, its upper meridian transit on a local date, and
// whether the Sun rises above, or sinks below, a given altitude on a date at
// all (polar day and polar night).
#include "engine/location.h"
#include "engine/sky_engine.h"

// Atmospheric refraction, degrees, for a true (airless) altitude in degrees:
// Saemundsson's formula (Sky & Telescope, October 1986; Meeus, Astronomical
// Algorithms, 2nd ed., eq. 16.4) for 1010 hPa and 10 degrees C, which gives
// 34' for an apparent altitude of 0 (the refraction of rising and setting).
// Below -1 degree the value at -1 degree is tapered linearly to 0 at -90, so
// the apparent altitude stays continuous and monotonic under the horizon.
double refraction_degrees(double true_altitude);

// The Moon's semidiameter seen from the place, degrees, for the topocentric
// altitude of its centre (degrees, no refraction).
double topocentric_moon_semidiameter(const MoonPlace& moon, double topocentric_altitude);

// A body's place in the observer's sky at a UT instant: topocentric (the
// Moon's parallax reaches a degree; the others' a few arcseconds), azimuth
// in [0, 360) from north through east, altitude of the centre above the
// horizon with refraction.  Bodies 0 Sun, 1 Moon, 3..10 Mercury..Pluto.
struct SkyPosition {
    double azimuth = 0.0;        // degrees from north through east, [0, 360)
    double altitude = 0.0;       // apparent (refracted), degrees
    double true_altitude = 0.0;  // without refraction, degrees
    double ra_hours = 0.0;       // topocentric apparent right ascension, hours [0, 24)
    double dec = 0.0;            // topocentric apparent declination, degrees
};
SkyPosition sky_position(const SkyEngine& engine, int body, JulianDay jd_ut, const Location& location);

// The instant (UT) of a body's upper meridian transit (its topocentric local
// hour angle 0) in the clock day (day, month, year) of the place, or NO_EVENT
// when the body does not cross the meridian on it (the Moon, whose transits
// come 24 h 50 min apart on average, skips about one date a month).
JulianDay meridian_transit_ut(const SkyEngine& engine, int body, int day, int month, int year,
                              const Location& location);

// The true altitude of the Sun's centre, degrees, at its upper culmination
// (local apparent noon) in a clock day of the place and the lower of its
// altitudes at the lower culminations either side of it (the local apparent
// midnights, within seconds of 12 h before and after, where the altitude
// hardly changes).
struct SunCulminations {
    double noon_altitude = 0.0;
    double midnight_altitude = 0.0;
};
SunCulminations sun_culminations(const SkyEngine& engine, int day, int month, int year, const Location& location);

// How the Sun's centre stands against an altitude (degrees, negative below
// the horizon) through that day, judged by its culminations.
enum class SunDay {
    CROSSES,        // above it at noon and below it at a midnight
    ABOVE_ALL_DAY,  // above it at both midnights: polar day for the horizon
    BELOW_ALL_DAY,  // below it even at noon: polar night for the horizon
};
SunDay sun_day(const SunCulminations& sun, double altitude);

// The altitude of the Sun's centre at its rising and setting: the upper limb
// on the horizon with 34' of refraction, degrees (about -0.83).
double sun_rise_set_altitude(const SkyEngine& engine, JulianDay jd_ut);
