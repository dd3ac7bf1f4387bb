#pragma once
// The five Sun graphs over one calendar year at the observer's location: the
// equation of time, the length of the day, the Sun's altitude at transit, the
// analemma (the noon shadow of a vertical stick) and the azimuth of sunrise.
//
// Each draws on a surface already in the graph mapping (setup_drawing with
// DRAWING_GRAPH), the curve in the Sun's colour and everything else in the
// window-text colour.  Each returns 1 when the user stopped it or the window
// must be repainted (the drawing is then partial), else 0.
#include "engine/sky_context.h"
#include "graphs/drawing.h"

// The hours of daylight of a local date (the Julian day of its 0 h) at location, from the Sun's rise and
// set on that date (local standard times): a set before the rise ends the
// previous day's light after midnight, a rise without a set lights the rest
// of the date and a set without a rise its start.  With neither, 24 when the
// Sun is up at local mean noon, else 0.
double daylight_hours(JulianDay date, const SkyContext& sky);

int equation_of_time_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky);
int day_length_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky);
int sun_angle_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky);
// The noon shadow of a vertical stick; above 60 degrees of latitude the
// precise engine draws the Sun's place in the sky at local mean noon instead
// (azimuth across, altitude up, with the horizon), which stays finite when the
// Sun is low or down (the classical engine's command refuses such latitudes).
int analemma_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky);
// With the precise engine at every latitude: the days the Sun stays up or
// down are shaded bands with a legend, and the azimuth axis runs from north
// to south when the Sun rises outside 30-150 degrees.
int sunrise_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky);
