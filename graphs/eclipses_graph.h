#pragma once
// The Eclipses graph: every solar and lunar eclipse of a range of years as a
// dot, one row per year (the first year at the bottom) and the months across;
// solar eclipses in the Sun's colour, lunar ones in the Moon's.
#include "engine/sky_context.h"
#include "graphs/graph_frame.h"

// Draws start_year..stop_year (stop_year >= start_year) into the graph space
// of a surface already set up by setup_drawing.  The location's time zone
// decides in which year an eclipse falls.  Returns 1 when the user stopped it
// or the window needs repainting (the finished years' dots stay), else 0.
int eclipses_graph(Surface& surface, const GraphStyle& style, int start_year, int stop_year,
                   const SkyContext& sky);
