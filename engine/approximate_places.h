#pragma once
// Where an engine's places are approximate: the precise engine's Pluto
// outside 1885-2099, where its series does not hold (SkyEngine::place_holds).
// Every output that shows such a place marks the name "Pluto*" and says so
// in a note: the reports, the ephemeris, the planet graphs and the movies.
#include "engine/bodies.h"
#include "engine/sky_engine.h"

// True when bodies hold Pluto and the engine's place of it at first or at
// last (UT Julian days, first <= last) is approximate.  Pluto's series holds
// over one stretch of years, so the two ends decide for every instant between.
inline bool pluto_approximate(const SkyEngine& engine, BodySet bodies, JulianDay first, JulianDay last) {
    const int pluto = id_of(Body::Pluto);
    return bodies.contains(pluto) && !(engine.place_holds(pluto, first) && engine.place_holds(pluto, last));
}
