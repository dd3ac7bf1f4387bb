#pragma once
// The precise engine's caches, all in one record per thread (what is kept,
// its key, how much):
//   earth_nodes   the Earth's heliocentric state from eraEpv00 at nodes 4 TT
//                 days apart, by the node's TT day; 128 nodes (about 17 months);
//   frames        precession-nutation (IAU 2000B) at nodes half a TT day
//                 apart, by the node's TT instant; 1024 nodes (about 17 months);
//   ecliptic      the rotation to the mean ecliptic of date, by the century
//                 of TT it stands for; one;
//   rise_places   the geocentric places a run of days' risings share (each
//                 local midnight and noon), by body and UT instant; 16;
//   phases        the refined instant of a Moon phase, by lunation and
//                 phase; 256 (about five years);
//   seasons       a year's four equinox and solstice instants, by year; 2.
// Lifetime and thread rule: a thread's record lives as long as the thread
// and no other thread sees it, so the year pipeline's workers compute side by
// side without locks.  Every cache is a SlotCache: what it holds never
// changes a result, only saves its work.
#include <array>

#include "engine/calendar.h"
#include "engine/precise/places.h"
#include "engine/slot_cache.h"

namespace precise {

struct EarthNode {
    double position[3];       // heliocentric, AU
    double velocity[3];       // heliocentric, AU/day
    double bary_velocity[3];  // barycentric, AU/day
};

struct Frame {
    double tt = 0;
    double rbpn[3][3];    // GCRS -> true equator and equinox of date
    double dpsi = 0;      // nutation in longitude, radians
    double epsa = 0;      // mean obliquity, radians
    double eps_true = 0;  // true obliquity, radians
};

struct Rotation {
    double r[3][3];
};

struct BodyInstant {
    int body = -1;
    JulianDay jd_ut = 0;
    bool operator==(const BodyInstant&) const = default;
};

struct PreciseCaches {
    SlotCache<double, EarthNode, 128> earth_nodes;
    SlotCache<double, Frame, 1024> frames;
    SlotCache<double, Rotation, 1> ecliptic;
    SlotCache<BodyInstant, Place, 16> rise_places;
    SlotCache<long long, JulianDay, 256> phases;
    SlotCache<int, std::array<JulianDay, 4>, 2> seasons;
};

// The calling thread's caches.
PreciseCaches& precise_caches();

}  // namespace precise
