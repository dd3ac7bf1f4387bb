#pragma once
// Rising and setting of the Sun, the Moon and the planets on one civil date at
// the observer's location, by the three-position method: the body's place on
// the day before, the day itself and the day after is interpolated, and the
// approximate times are refined by Newton steps on the altitude (Meeus,
// Astronomical Algorithms, 2nd ed., chapter 15).
#include "engine/location.h"

// Event time of a rise or set that does not happen on the date, hours.
constexpr double NO_EVENT_HOURS = -1.0;

// Standard altitudes of the centre at rising and setting, degrees: the Sun's
// upper limb on the horizon with refraction, and a planet's centre with
// refraction.  The Moon's depends on its parallax (see rise_set).
constexpr double SUN_STANDARD_ALTITUDE = -0.8333;
constexpr double PLANET_STANDARD_ALTITUDE = -0.5667;

// Given a body (0 Sun, 1 Moon, 3-10 Mercury..Pluto), a civil date (day, month,
// astronomical year) read as local standard time at `location`, and the
// location (by value); returns in `rise` and `set` the local standard times
// (hours 0-24, local = UT + location.time_zone) of the rising and the setting
// on that date, or NO_EVENT_HOURS (-1.0) for an event that does not happen on
// that date or whose refinement does not converge (both when the body stays
// above or below the horizon all day).
void rise_set(int body, int day, int month, int year, double& rise, double& set,
              Location location);
