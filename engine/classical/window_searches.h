#pragma once
// The classical engine's searches over a window of UT instants
// [from_ut, to_ut): its year tables and day-by-day scans run over the years
// and days of the window, and the events in it come back in time order.
// Each gives the same instants as the 1995 program's year-by-year searches.
#include <vector>

#include "engine/sky_events.h"
#include "engine/step_hook.h"

namespace classical {

std::vector<SeasonEvent> seasons(JulianDay from_ut, JulianDay to_ut);
// The phase tables of the years about the window (the step hook sees their
// 200 steps each).
PhaseSearch moon_phases(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
// The eclipses whose new or full Moon (the phase table's instant) lies in the window.
EclipseSearch eclipses(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
// The candidates of the daily distances at 0 h UT whose day starts in the
// window, refined hourly (engine/classical/moon_events.h); the step hook sees
// each day's distance and then each candidate day.
MoonApsisSearch moon_apsides(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context);
// The nodes' series over the lunations about the window, in UT by the Delta
// T parabola of the year of the window's middle.
std::vector<NodePassage> moon_nodes(JulianDay from_ut, JulianDay to_ut);
// The mean orbit's perihelia and aphelia of a planet (2 Earth .. 7 Saturn).
std::vector<PlanetApsis> planet_apsides(int body, JulianDay from_ut, JulianDay to_ut);

}  // namespace classical
