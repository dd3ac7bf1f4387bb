#pragma once
// The precise engine's searches with the classical engine's calls: the same arguments,
// units, time scales and conventions as the functions of engine/classical/*.h (UT
// instants split as hours, day, month, year; degrees; right ascension in
// hours; declinations kept in [0, 360) where the classical function keeps
// them so; -1.0 hours for an event that does not happen), so that reports,
// graphs and movies can be given either engine.
#include <vector>

#include "engine/classical/conjunctions.h"
#include "engine/location.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/phase_eclipse_table.h"

namespace precise {

// season_instants: events.h.
int build_phase_table(int year, PhaseTable& table, StepHook step, void* context);
void find_year_eclipses(int year, const PhaseTable& table, const Location& location, EclipseList& list);
double moon_distance_at(JulianDay jd_ut);
void moon_apsis_refine(JulianDay t_day, MoonApsisKind kind, double& offset_hours, double& distance_km);
JulianDay moon_node_instant(int k, MoonNode node, int year);
JulianDay planet_apsis_instant(int body, double k);

}  // namespace precise
