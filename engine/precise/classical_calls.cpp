#include "engine/precise/classical_calls.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/calendar.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/planet_apsides.h"
#include "engine/precise/delta_t.h"
#include "engine/precise/eclipses.h"
#include "engine/precise/events.h"
#include "engine/precise/magnitudes.h"
#include "engine/precise/places.h"
#include "engine/precise/rise_set.h"
#include "engine/precise/search.h"

namespace precise {
namespace {

// Julian centuries of TT from J2000.
double centuries_j2000(JulianDay jd_ut) { return (terrestrial_time(jd_ut) - ERFA_DJ00) / ERFA_DJC; }

// The event of `events` nearest to `guess` among those `wanted` accepts (the
// first of equally near ones); null when there is none.
template <class Event, class Wanted>
const Event* nearest(const std::vector<Event>& events, JulianDay guess, Wanted wanted) {
    const Event* found = nullptr;
    for (const Event& e : events) {
        if (wanted(e) && (!found || std::fabs(e.instant - guess) < std::fabs(found->instant - guess))) found = &e;
    }
    return found;
}

}  // namespace

int build_phase_table(int year, PhaseTable& table, StepHook step, void* context) {
    // The last year's table is kept: a report run month by month asks for it each month.
    thread_local int kept_year = 0;
    thread_local PhaseTable kept;
    if (!kept.records.empty() && kept_year == year) {
        table = kept;
        return step ? step(1.0, context) : 0;
    }
    table.records.clear();
    // The lunations around the year, as the classical table covers them.
    JulianDay first = julian_day(1, 12, year - 1), last = julian_day(1, 2, year + 1);
    const int parts = 12;
    for (int i = 0; i < parts; ++i) {
        if (step) {
            if (int stopped = step(double(i) / (parts - 1), context)) return stopped;
        }
        JulianDay a = first + (last - first) * i / parts, b = first + (last - first) * (i + 1) / parts;
        for (const PhaseInstant& p : moon_phases(a, b)) {
            PhaseRecord& r = table.records.emplace_back();
            double t = centuries_j2000(p.instant);
            r.phase = p.phase;
            // The Moon's mean arguments at the instant (Meeus, chapter 47).
            r.latitude_argument = wrap360(93.2720950 + 483202.0175233 * t);
            r.sun_mean_anomaly = wrap360(357.5291092 + 35999.0502909 * t);
            r.moon_mean_anomaly = wrap360(134.9633964 + 477198.8675055 * t);
            r.centuries = (p.instant - 2415020.0) / 36525.0;
            r.jd_true = p.instant;
            r.jd_mean = p.instant;
        }
    }
    kept = table;
    kept_year = year;
    return 0;
}

void find_year_eclipses(int year, const PhaseTable& table, const Location& location, EclipseList& list) {
    list.entries.clear();
    double zone = location.time_zone / 24.0;
    // The last year's eclipses are kept: a report run month by month asks for them each month.
    thread_local int kept_year = 0;
    thread_local double kept_zone = 0;
    thread_local std::vector<Eclipse> found;
    if (found.empty() || kept_year != year || kept_zone != zone) {
        std::vector<PhaseInstant> phases;
        for (const PhaseRecord& r : table.records) phases.push_back({r.jd_true, r.phase});
        found = find_eclipses(julian_day(1, 1, year) - zone - 1.0, julian_day(1, 1, year + 1) - zone + 1.0, phases);
        kept_year = year;
        kept_zone = zone;
    }
    for (int solar = 0; solar <= 1; ++solar) {  // the lunar ones first
        for (const Eclipse& e : found) {
            if (is_solar(e.kind) != (solar == 1) || e.kind == LUNAR_PENUMBRAL_ECLIPSE) continue;
            double d; int m, y;
            calendar_date(e.maximum + zone, d, m, y);
            if (y != year) continue;
            EclipseCircumstances& c = list.entries.emplace_back();
            c.kind = solar ? SOLAR_ECLIPSE : LUNAR_ECLIPSE;
            c.jd_max = e.maximum;
            c.gamma = e.gamma;
            c.solar_type = e.kind == SOLAR_TOTAL_ECLIPSE     ? SOLAR_TOTAL
                           : e.kind == SOLAR_ANNULAR_ECLIPSE ? SOLAR_ANNULAR
                           : e.kind == SOLAR_HYBRID_ECLIPSE  ? SOLAR_ANNULAR_TOTAL
                                                             : SOLAR_PARTIAL;
            c.magnitude = e.magnitude;
            c.partial_semiduration_hours = e.partial_semiduration_hours;
            c.total_semiduration_hours = e.total_semiduration_hours;
        }
    }
}

double moon_distance_at(JulianDay jd_ut) {
    double p[3], v[3];
    moon_position(terrestrial_time(jd_ut), p, v);  // centre to centre, geometric
    return vector_norm(p) * AU_KM;
}

void moon_apsis_refine(JulianDay t_day, MoonApsisKind kind, double& offset_hours, double& distance_km) {
    const std::vector<ApsisInstant> apsides = moon_apsides(t_day - 1.5, t_day + 1.5);
    const ApsisInstant* a =
        nearest(apsides, t_day, [kind](const ApsisInstant& e) { return e.far == (kind == MOON_APOGEE); });
    offset_hours = a ? (a->instant - t_day) * 24.0 : 0.0;
    distance_km = a ? a->distance : moon_distance_at(t_day);
}

JulianDay moon_node_instant(int k, MoonNode node, int year) {
    JulianDay guess = ::moon_node_instant(k, node, year);
    const std::vector<NodeInstant> nodes = moon_nodes(guess - 1.0, guess + 1.0);
    const NodeInstant* n =
        nearest(nodes, guess, [node](const NodeInstant& e) { return e.ascending == (node == ASCENDING_NODE); });
    return n ? n->instant : guess;
}

JulianDay planet_apsis_instant(int body, double k) {
    // The mean orbit's instant, then the true extremum of the distance near it:
    // within days for the Earth and Mercury, weeks for Venus and Mars, months
    // for Jupiter and Saturn.
    static const double WINDOW_DAYS[] = {10, 10, 60, 40, 200, 400};
    JulianDay guess = ::planet_apsis_instant(body, k);
    bool aphelion = k - std::floor(k) > 0.25;
    double w = WINDOW_DAYS[body - EARTH];
    const std::vector<ApsisInstant> apsides = planet_apsides(body, guess - w, guess + w);
    const ApsisInstant* a = nearest(apsides, guess, [aphelion](const ApsisInstant& e) { return e.far == aphelion; });
    return a ? a->instant : guess;
}

}  // namespace precise
