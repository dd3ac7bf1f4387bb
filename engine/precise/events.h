#pragma once
// Event searches of the precise engine, all by root or extremum finding on
// the places of places.h; every instant is a UT Julian day found to a
// second or better (the theories themselves limit the accuracy: a few
// seconds for the seasons and phases, minutes for the planets' events).
//   seasons      the Sun's apparent longitude at 0, 90, 180, 270 degrees;
//   phases       the Moon's apparent longitude minus the Sun's at 0, 90,
//                180, 270 degrees;
//   conjunctions the planet's apparent geocentric ecliptic longitude minus
//                the Sun's at 0 (conjunction) or 180 (opposition): the
//                almanac definition, with a transit or an occultation when
//                the two disks overlap at their least separation, within
//                hours of that instant;
//   apsides      extrema of the heliocentric distance (planets) and of the
//                geocentric distance (Moon);
//   nodes        the Moon's ecliptic latitude (mean ecliptic of date) at 0.
#include <vector>

#include "engine/calendar.h"

namespace precise {

// The March equinox, June solstice, September equinox and December solstice
// of a year, UT Julian days.
void season_instants(int year, JulianDay jd[4]);

struct PhaseInstant {
    JulianDay instant = 0;  // UT
    int phase = 0;          // 0 new Moon, 1 first quarter, 2 full Moon, 3 last quarter
};
// Every principal phase in [first, last), in time order.
std::vector<PhaseInstant> moon_phases(JulianDay first, JulianDay last);

enum ConjunctionKind { CONJUNCTION = 0, OPPOSITION = 1 };
enum DiskOverlap { NO_OVERLAP = 0, TRANSIT = 1, OCCULTATION = 2 };

struct ConjunctionInstant {
    JulianDay instant = 0;      // UT
    ConjunctionKind kind = CONJUNCTION;
    bool inferior = false;      // Mercury and Venus: passing between the Earth and the Sun
    double separation = 0;      // least angular distance of the centres near then, degrees
    DiskOverlap overlap = NO_OVERLAP;
};
// Every conjunction with the Sun and opposition of a planet (3-10) in
// [first, last), in time order.  Searches event to event: a few hundred
// positions a year.
std::vector<ConjunctionInstant> planet_conjunctions(int body, JulianDay first, JulianDay last);

struct ApsisInstant {
    JulianDay instant = 0;  // UT
    bool far = false;       // aphelion or apogee; else perihelion or perigee
    double distance = 0;    // AU for planets, km for the Moon
};
// Perihelia and aphelia of a planet (2 Earth, 3-10) in [first, last).
std::vector<ApsisInstant> planet_apsides(int body, JulianDay first, JulianDay last);
// Perigees and apogees of the Moon in [first, last).
std::vector<ApsisInstant> moon_apsides(JulianDay first, JulianDay last);

struct NodeInstant {
    JulianDay instant = 0;  // UT
    bool ascending = true;
};
// The Moon's passages through the ascending and descending nodes in [first, last).
std::vector<NodeInstant> moon_nodes(JulianDay first, JulianDay last);

}  // namespace precise
