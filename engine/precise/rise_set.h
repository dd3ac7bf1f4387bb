#pragma once
// Rising, setting, meridian transit and twilight on one civil date for the
// precise engine, found as the instants when the topocentric altitude of the
// body's centre (no refraction) crosses the standard altitude:
//   Sun      -34' refraction - the Sun's semi-diameter (upper limb);
//   Moon     -34' - its topocentric semi-diameter (the parallax is in the
//            topocentric place);
//   planets  -34' (centre);
//   twilight the Sun's centre 6, 12 or 18 degrees below the geometric horizon.
// The body's apparent geocentric place is computed at the start, the middle
// and the end of the local day and interpolated (quadratically: within 2" for
// the Moon); the observer's parallax, the altitude and the hour angle follow
// from it and the sidereal time at every instant.  The altitude is sampled
// every two hours (hourly beyond 55 degrees of latitude) across the day, every
// culmination between samples is found, so that a body up (or a night dark)
// for only minutes is not lost, and every crossing is refined to a tenth of a
// second.
#include "engine/location.h"

namespace precise {

constexpr double NO_EVENT = -1.0;  // hours: the event does not happen on the date
constexpr double REFRACTION_DEGREES = 34.0 / 60.0;

struct DayEvents {
    double rise = NO_EVENT;     // local standard time, hours 0-24
    double set = NO_EVENT;
    double transit = NO_EVENT;  // upper culmination
};

// Given a body (0 Sun, 1 Moon, 3-10 planets), a civil date read as local
// standard time at the location, and the location; returns the day's first
// rising, first setting and the transit in local hours, NO_EVENT when absent.
DayEvents rise_set_transit(int body, int day, int month, int year, const Location& location);
// The same, the transit only when asked for (it doubles the work).
DayEvents day_events(int body, int day, int month, int year, const Location& location,
                     bool with_transit);

// Given a depression (6 civil, 12 nautical, 18 astronomical), a civil date
// and the location; returns in `morning` and `evening` the local hours when
// the Sun's centre is that far below the geometric horizon, rising and
// setting; NO_EVENT when it does not reach that depression on the date.
void twilight(double depression, int day, int month, int year, const Location& location,
              double& morning, double& evening);

}  // namespace precise
