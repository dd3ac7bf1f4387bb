#pragma once
// The precise engine's searches in the seam's vocabulary: the events of a
// window [from_ut, to_ut) of UT instants in time order, from the searches of
// events.h and eclipses.h.
#include <vector>

#include "engine/sky_events.h"
#include "engine/step_hook.h"

namespace precise {

std::vector<SeasonEvent> seasons(JulianDay from_ut, JulianDay to_ut);
// Month by month (the step hook sees each month).
PhaseSearch phase_search(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
// The eclipses whose greatest eclipse lies in the window (penumbral lunar ones left out).
EclipseSearch eclipse_search(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
// Event to event over the window: a few hundred positions a year.
ConjunctionSearch conjunction_search(int body, JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
MoonApsisSearch moon_apsis_search(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
std::vector<NodePassage> node_passages(JulianDay from_ut, JulianDay to_ut);
std::vector<PlanetApsis> planet_apsis_events(int body, JulianDay from_ut, JulianDay to_ut);

}  // namespace precise
