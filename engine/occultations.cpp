// Occultations of the planets by the Moon seen from a place, from the seam's
// topocentric places (engine/close_events.h).
#include <cmath>

#include "engine/angles.h"
#include "engine/close_events.h"
#include "engine/close_search.h"
#include "engine/local_sky.h"

namespace {

// The least topocentric separation lies within this of the geocentric
// conjunction (the parallax over the Moon's slowest gain), days.
constexpr double SEARCH_HALF_WIDTH_DAYS = 0.25;
// The sampling of the topocentric separation, days (10 minutes); the least
// sample is then refined between its neighbours, so a short chord near the
// limb is found too.
constexpr double TOPOCENTRIC_STEP_DAYS = 10.0 / 1440.0;
constexpr double INSTANT_TOLERANCE_DAYS = 1.0e-5;  // about a second
// A least sample farther than this from the planet, degrees, leaves no
// occultation to refine: the Moon's largest topocentric semidiameter (0.29)
// and what the Moon gains on a planet in half a step (0.1 at the most).
constexpr double CLEAR_OF_THE_DISK = 0.45;
// No occultation lasts longer than this, days (about two hours at the most).
constexpr double LONGEST_OCCULTATION_DAYS = 0.15;

// The Moon and a planet as seen from the place at one instant.
struct TopocentricPair {
    double separation = 0.0;        // of the centres, degrees
    double moon_semidiameter = 0.0; // topocentric, degrees
    double moon_altitude = 0.0;     // degrees, no refraction
};

TopocentricPair topocentric_pair(const SkyEngine& engine, const Location& location, int body, JulianDay t) {
    const MoonPlace m = engine.moon_place(t);
    const Equatorial moon = engine.topocentric_place(location, id_of(Body::Moon), {m.ra_hours, m.dec}, 0.0,
                                                     m.parallax, t);
    const PlanetPlace p = engine.planet_place(body, t, PLANET_WITH_EQUATORIAL);
    const Equatorial planet = engine.topocentric_place(location, body, {p.ra_hours, p.dec}, p.distance_au, 0.0, t);
    TopocentricPair pair;
    pair.separation = angular_separation(moon.ra_hours, moon.dec, planet.ra_hours, planet.dec);
    pair.moon_altitude = engine.equatorial_to_horizontal(t, moon, location).altitude;
    pair.moon_semidiameter = topocentric_moon_semidiameter(m, pair.moon_altitude);
    return pair;
}

double sun_altitude(const SkyEngine& engine, const Location& location, JulianDay t) {
    const SunPlace s = engine.sun_place(t, APPARENT_PLACE);
    return engine.equatorial_to_horizontal(t, {s.ra_hours, s.dec}, location).altitude;
}

}  // namespace

LunarOccultation lunar_occultation(const SkyEngine& engine, const Location& location, int body, JulianDay jd_near) {
    LunarOccultation o;
    o.body = body;
    auto separation = [&](JulianDay t) { return -topocentric_pair(engine, location, body, t).separation; };
    // The least separation: the smallest sample, then refined between its neighbours.
    JulianDay best = jd_near - SEARCH_HALF_WIDTH_DAYS;
    double best_value = separation(best);
    for (JulianDay t = best + TOPOCENTRIC_STEP_DAYS; t <= jd_near + SEARCH_HALF_WIDTH_DAYS; t += TOPOCENTRIC_STEP_DAYS) {
        const double value = separation(t);
        if (value > best_value) best_value = value, best = t;
    }
    if (-best_value > CLEAR_OF_THE_DISK) {
        o.least_ut = best;
        o.least_separation = -best_value;
        return o;
    }
    o.least_ut = golden_section_maximum(separation, best - TOPOCENTRIC_STEP_DAYS, best + TOPOCENTRIC_STEP_DAYS,
                                        INSTANT_TOLERANCE_DAYS);
    const TopocentricPair least = topocentric_pair(engine, location, body, o.least_ut);
    o.least_separation = least.separation;
    if (least.separation >= least.moon_semidiameter) return o;
    // The contacts: the planet's centre on the limb, outward from the least separation.
    auto inside = [&](JulianDay t) {
        const TopocentricPair pair = topocentric_pair(engine, location, body, t);
        return pair.separation - pair.moon_semidiameter;
    };
    auto contact = [&](double direction) {
        JulianDay near = o.least_ut, far = o.least_ut;
        do {
            near = far;
            far += direction * TOPOCENTRIC_STEP_DAYS;
        } while (inside(far) < 0.0 && std::fabs(far - o.least_ut) < LONGEST_OCCULTATION_DAYS);
        return bracketed_root(inside, std::min(near, far), std::max(near, far), INSTANT_TOLERANCE_DAYS);
    };
    o.occulted = true;
    o.disappearance_ut = contact(-1.0);
    o.reappearance_ut = contact(1.0);
    o.moon_altitude_disappearance = topocentric_pair(engine, location, body, o.disappearance_ut).moon_altitude;
    o.moon_altitude_reappearance = topocentric_pair(engine, location, body, o.reappearance_ut).moon_altitude;
    o.sun_altitude_disappearance = sun_altitude(engine, location, o.disappearance_ut);
    o.sun_altitude_reappearance = sun_altitude(engine, location, o.reappearance_ut);
    return o;
}

std::vector<LunarOccultation> lunar_occultations(const SkyEngine& engine, const Location& location, BodySet bodies,
                                                 JulianDay from_ut, JulianDay to_ut) {
    std::vector<LunarOccultation> occultations;
    // The Moon's conjunctions, a search's half-width beyond each end (the
    // planets' own conjunctions cost only their refinement).
    for (const CloseApproach& c : close_approaches(engine, bodies, true, from_ut - SEARCH_HALF_WIDTH_DAYS,
                                                   to_ut + SEARCH_HALF_WIDTH_DAYS)) {
        if (c.first != id_of(Body::Moon) || c.separation > LARGEST_OCCULTATION_SEPARATION) continue;
        const LunarOccultation o = lunar_occultation(engine, location, c.second, c.jd_ut);
        if (o.occulted && o.disappearance_ut >= from_ut && o.disappearance_ut < to_ut) occultations.push_back(o);
    }
    std::stable_sort(occultations.begin(), occultations.end(),
                     [](const LunarOccultation& a, const LunarOccultation& b) {
                         return a.disappearance_ut < b.disappearance_ut;
                     });
    return occultations;
}

bool occultation_seen(const LunarOccultation& o) {
    return o.occulted && (o.moon_altitude_disappearance > 0.0 || o.moon_altitude_reappearance > 0.0);
}
