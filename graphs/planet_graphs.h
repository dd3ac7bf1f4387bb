#pragma once
// The six planet graphs: right ascension against the Sun through a year
// (Planet Orbit), visual magnitude, illuminated fraction, angular diameter and
// distance through a year, and the daily angle between a main planet and the
// others through one month.
//
// Planet sets are bit sets over the body ids (bit n = body n: 2 Earth,
// 3 Mercury ... 10 Pluto); bits of other bodies are ignored.  Each curve is
// drawn in its body's colour and labelled with the body's name above the
// frame.  Each graph draws on a surface already in the graph mapping
// (setup_drawing with DRAWING_GRAPH), asks sky.engine for the places, and
// returns 1 when the user stopped it or the window must be repainted (the
// drawing is then partial), else 0.
#include "engine/bodies.h"
#include "engine/sky_context.h"
#include "graphs/drawing.h"

// Right ascension (hours) of the Sun, of the point opposite it and of each
// planet of planet_set, weekly through year, on an axis that starts at the
// Sun's place on 1 January and wraps once; ecliptic constellations at the right.
int planet_orbit_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, const SkyContext& sky);

// Weekly samples at 0 h UT from 1 January to 31 December of year.
int planet_magnitude_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set,
                           const SkyContext& sky);  // -6 .. 20
int planet_illumination_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set,
                              const SkyContext& sky);  // 0 .. 1
int planet_diameter_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set,
                          const SkyContext& sky);  // 0 .. 70"
// Distance in AU (0 .. 60) from the Sun (from_sun 1; Earth's curve is the
// Sun's distance) or from the Earth (from_sun 0; Earth is then left out).
int planet_distance_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, int from_sun,
                          const SkyContext& sky);

// The angle (degrees, 0 .. 180) between main_planet (3..10) and each other
// planet of planet_set at every local midnight of month (1..12) of year, from
// the 1st to the midnight closing the last day; the location's time zone
// places midnight.
int planet_angle_graph(Surface& surface, const GraphStyle& style, int year, int month, const SkyContext& sky,
                       int main_planet, BodySet planet_set);
