#include "engine/classical/window_searches.h"

#include <algorithm>
#include <cmath>

#include "engine/classical/moon_events.h"
#include "engine/classical/phase_eclipse_table.h"
#include "engine/classical/planet_apsides.h"
#include "engine/classical/sun.h"

namespace classical {
namespace {

struct PhaseRecords {
    std::vector<PhaseRecord> records;
    int stopped = 0;
};

// The phase records in the window, from the tables of the years about it: a
// year's table runs from a month before the year to a month and a half after
// it, so the years of the window's instants a month in from each end (or of
// its middle, for a window shorter than two months) cover it.
PhaseRecords phase_records(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    int first = year_of(from_ut + 31.0), last = year_of(to_ut - 31.0);
    if (last < first) first = last = year_of(0.5 * (from_ut + to_ut));
    PhaseRecords found;
    for (int year = first; year <= last; ++year) {
        PartStep part{step, context, double(year - first) / (last - first + 1), 1.0 / (last - first + 1)};
        PhaseTable table;
        found.stopped = build_phase_table(year, table, step ? part_step : nullptr, &part);
        if (found.stopped) return found;
        // Consecutive years' tables share their ends, the same instants bit for bit.
        for (const PhaseRecord& r : table.records) {
            const bool later = found.records.empty() || r.jd_true > found.records.back().jd_true;
            if (later && r.jd_true >= from_ut && r.jd_true < to_ut) found.records.push_back(r);
        }
    }
    return found;
}

}  // namespace

std::vector<SeasonEvent> seasons(JulianDay from_ut, JulianDay to_ut) {
    return seasons_from_years(from_ut, to_ut, season_instants);
}

PhaseSearch moon_phases(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    const PhaseRecords found = phase_records(from_ut, to_ut, step, context);
    PhaseSearch search;
    search.stopped = found.stopped;
    for (const PhaseRecord& r : found.records) search.events.push_back({r.jd_true, r.phase});
    return search;
}

EclipseSearch eclipses(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    const PhaseRecords found = phase_records(from_ut, to_ut, step, context);
    EclipseSearch search;
    search.stopped = found.stopped;
    for (const PhaseRecord& r : found.records) {
        EclipseCircumstances eclipse;
        if (phase_eclipse(r, eclipse)) search.events.push_back(eclipse);
    }
    return search;
}

MoonApsisSearch moon_apsides(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    // The share of the work taken by the daily distances.
    constexpr double SCAN_SHARE = 0.26;
    MoonApsisSearch search;
    // Days d of the window from its first 0 h: distance[j] is at d = j - 1.
    const int days = static_cast<int>(std::ceil(to_ut - from_ut));
    std::vector<double> distance_km(days + 2);
    for (int j = 0; j <= days + 1; ++j) {
        if (step && (search.stopped = step(SCAN_SHARE * j / (days + 1), context))) return search;
        distance_km[j] = moon_distance_at(from_ut - 1 + j);
    }
    for (int j = 1; j <= days; ++j) {
        if (step && (search.stopped = step(SCAN_SHARE + (1.0 - SCAN_SHARE) * j / days, context))) return search;
        const MoonApsisKind kind = moon_apsis_kind(distance_km[j - 1], distance_km[j], distance_km[j + 1]);
        if (kind != MOON_APSIS_NONE) search.events.push_back(moon_apsis_refine(from_ut + j - 1, kind));
    }
    return search;
}

std::vector<NodePassage> moon_nodes(JulianDay from_ut, JulianDay to_ut) {
    const int year = year_of(0.5 * (from_ut + to_ut));
    // The lunations from a year before the window's first year to a year
    // after its last (moon_node_k_range's margin is two years).
    int k_first = 0, k_last = 0, unused = 0;
    moon_node_k_range(year_of(from_ut) + 1, k_first, unused);
    moon_node_k_range(year_of(to_ut) - 1, unused, k_last);
    std::vector<NodePassage> passages;
    for (int k = k_first; k <= k_last; ++k) {
        for (MoonNode node : {ASCENDING_NODE, DESCENDING_NODE}) {
            const JulianDay jd_ut = moon_node_instant(k, node, year);
            if (jd_ut >= from_ut && jd_ut < to_ut) passages.push_back({jd_ut, node});
        }
    }
    return passages;
}

std::vector<PlanetApsis> planet_apsides(int body, JulianDay from_ut, JulianDay to_ut) {
    std::vector<PlanetApsis> apsides;
    for (ApsisKind kind : {APSIS_PERIHELION, APSIS_APHELION}) {
        double k_first = 0.0, k_last = 0.0;
        planet_apsis_k_range(body, kind, year_of(from_ut), year_of(to_ut), k_first, k_last);
        for (double k = k_first; k <= k_last; k += 1.0) {
            const JulianDay jd_ut = planet_apsis_instant(body, k);
            if (jd_ut >= from_ut && jd_ut < to_ut) apsides.push_back({jd_ut, kind});
        }
    }
    std::stable_sort(apsides.begin(), apsides.end(),
                     [](const PlanetApsis& a, const PlanetApsis& b) { return a.jd_ut < b.jd_ut; });
    return apsides;
}

}  // namespace classical
