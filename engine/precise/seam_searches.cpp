#include "engine/precise/seam_searches.h"

#include <algorithm>
#include <cmath>

#include "engine/precise/eclipses.h"
#include "engine/precise/events.h"

namespace precise {
namespace {

constexpr double MONTH_DAYS = 30.0;  // the part of a phase search the step hook sees

SolarEclipseType solar_type(EclipseKind kind) {
    switch (kind) {
    case SOLAR_TOTAL_ECLIPSE: return SOLAR_TOTAL;
    case SOLAR_ANNULAR_ECLIPSE: return SOLAR_ANNULAR;
    case SOLAR_HYBRID_ECLIPSE: return SOLAR_ANNULAR_TOTAL;
    default: return SOLAR_PARTIAL;
    }
}

}  // namespace

std::vector<SeasonEvent> seasons(JulianDay from_ut, JulianDay to_ut) {
    return seasons_from_years(from_ut, to_ut, season_instants);
}

PhaseSearch phase_search(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    // Each phase is found from its lunation alone, so the parts' phases are the whole window's.
    const int parts = std::max(1, static_cast<int>(std::ceil((to_ut - from_ut) / MONTH_DAYS)));
    PhaseSearch search;
    for (int i = 0; i < parts; ++i) {
        if (step && (search.stopped = step(double(i) / parts, context))) return search;
        const JulianDay a = from_ut + (to_ut - from_ut) * i / parts;
        const JulianDay b = i + 1 == parts ? to_ut : from_ut + (to_ut - from_ut) * (i + 1) / parts;
        for (const PhaseInstant& p : moon_phases(a, b)) search.events.push_back({p.instant, p.phase});
    }
    return search;
}

EclipseSearch eclipse_search(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    // The new and full Moons a day beyond each end, for maxima near the ends.
    const PhaseSearch found = phase_search(from_ut - 1.0, to_ut + 1.0, step, context);
    EclipseSearch search;
    if ((search.stopped = found.stopped)) return search;
    std::vector<PhaseInstant> phases;
    for (const PhaseEvent& p : found.events) phases.push_back({p.jd_ut, p.phase});
    for (const Eclipse& e : find_eclipses(from_ut, to_ut, phases)) {
        if (e.kind == LUNAR_PENUMBRAL_ECLIPSE) continue;
        EclipseCircumstances& c = search.events.emplace_back();
        c.kind = is_solar(e.kind) ? SOLAR_ECLIPSE : LUNAR_ECLIPSE;
        c.jd_max = e.maximum;
        c.gamma = e.gamma;
        c.solar_type = solar_type(e.kind);
        c.magnitude = e.magnitude;
        c.partial_semiduration_hours = e.partial_semiduration_hours;
        c.total_semiduration_hours = e.total_semiduration_hours;
    }
    return search;
}

ConjunctionSearch conjunction_search(int body, JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    ConjunctionSearch search;
    if (step && (search.stopped = step(0.0, context))) return search;
    for (const ConjunctionInstant& c : planet_conjunctions(body, from_ut, to_ut)) {
        const DiskContact disk =
            c.overlap == TRANSIT ? DISK_TRANSIT : c.overlap == OCCULTATION ? DISK_OCCULTATION : DISK_NONE;
        search.events.push_back({c.instant, c.kind == OPPOSITION, !c.inferior, c.separation, disk});
    }
    return search;
}

MoonApsisSearch moon_apsis_search(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    MoonApsisSearch search;
    if (step && (search.stopped = step(0.0, context))) return search;
    for (const ApsisInstant& a : moon_apsides(from_ut, to_ut))
        search.events.push_back({a.instant, a.far ? MOON_APOGEE : MOON_PERIGEE, a.distance});
    return search;
}

std::vector<NodePassage> node_passages(JulianDay from_ut, JulianDay to_ut) {
    std::vector<NodePassage> passages;
    for (const NodeInstant& n : moon_nodes(from_ut, to_ut))
        passages.push_back({n.instant, n.ascending ? ASCENDING_NODE : DESCENDING_NODE});
    return passages;
}

std::vector<PlanetApsis> planet_apsis_events(int body, JulianDay from_ut, JulianDay to_ut) {
    std::vector<PlanetApsis> apsides;
    for (const ApsisInstant& a : planet_apsides(body, from_ut, to_ut))
        apsides.push_back({a.instant, a.far ? APSIS_APHELION : APSIS_PERIHELION});
    return apsides;
}

}  // namespace precise
