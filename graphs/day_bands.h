#pragma once
// Polar day and polar night on a yearly graph: which days of the year the Sun
// stays up or down, and those days shaded the height of the plot with a
// legend under it.
#include <vector>

#include "engine/local_sky.h"
#include "engine/sky_context.h"
#include "graphs/drawing.h"
#include "graphs/graph_frame.h"

// What the Sun does against the altitude of rising and setting on each day of
// the frame's year (index 0: 1 January), by its culminations.
std::vector<SunDay> sun_days_of_year(const GraphFrame& frame, const SkyContext& sky);

// Each run of days the Sun stays up, shaded in a pale tint of its colour, and
// of days it stays down, in a pale tint of the window-text colour, the height
// of the plot; for each kind drawn, a legend entry ("Sun up all day", "Sun
// down all day": a box of its tint and the text) on the time caption's line
// from the plot's left edge.  Drawn before the rules, which stay visible.
void draw_day_bands(Surface& surface, const GraphStyle& style, const GraphFrame& frame,
                    const std::vector<SunDay>& days);
