#pragma once
// The Moon and Jupiter-moons graphs: the Moon's daily motion along the
// ecliptic through a year, the Moon's illuminated fraction at each local
// midnight of a month, and the east-west swing of Io, Europa, Ganymede and
// Callisto about Jupiter every three hours of a month.
//
// Each draws into the graph space of a surface already set up by
// setup_drawing, and returns 1 when the user stopped it or the window needs
// repainting (the picture is then partly drawn), else 0.  The location's time
// zone decides where local midnight falls.
#include "engine/sky_context.h"
#include "graphs/graph_frame.h"

// Jupiter's moons as bits of the moon set.
constexpr int MOON_SET_IO = 1;
constexpr int MOON_SET_EUROPA = 2;
constexpr int MOON_SET_GANYMEDE = 4;
constexpr int MOON_SET_CALLISTO = 8;

// Moon Angular Speed: degrees of ecliptic longitude gained per day, one sample
// per local midnight of year, on an axis of 11..16 degrees per day.
int moon_angular_speed_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky);

// Moon Illum. Frac.: the fraction of the disk lit at each local midnight of
// month (1..12) of year, from the 1st to the midnight closing the last day.
int moon_illumination_graph(Surface& surface, const GraphStyle& style, int year, int month,
                            const SkyContext& sky);

// Jupiter Moons Orbit: for month of year, each moon of moon_set (MOON_SET_*
// bits) as its east-west offset from Jupiter (up = east, 30 Jupiter radii to
// each side) every 3 hours; with number_moons, each moon's number (1..4) at
// every reversal of its motion after the first day.
int jupiter_moons_graph(Surface& surface, const GraphStyle& style, int year, int month, int moon_set,
                        bool number_moons, const SkyContext& sky);
