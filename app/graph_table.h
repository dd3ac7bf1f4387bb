#pragma once
// The graphs by command: each command's generator (its row of the command
// table, app/commands.h), called with the parameters its dialog left and the
// sky context, on any drawing surface.
#include "app/app_state.h"
#include "graphs/drawing.h"
#include "platform/surface.h"

// Draws the graph of a command; returns 1 when stopped, else 0.
using GraphGenerator = int (*)(Surface& surface, const GraphStyle& style, const CommandParams& params,
                               const SkyContext& sky);

// The generator of a graph command (11..25), or nullptr for another id.
GraphGenerator find_graph_generator(int command);

// The colours graphs and movies are drawn in.  Day: the window's background
// with the colour table's colours.  "Night sky": a black sky, white stars,
// light grey text, dim blue-grey stick figures, names in dark red (kind to
// eyes used to the dark) and a dark ground.  Automatic: Night sky when the
// background is dark (a dark desktop palette), else Day.
enum class ColorScheme { Automatic, Day, NightSky };

// The style graphs are drawn in: the scheme's colours on the background, and
// tick marks or grid lines.  In every scheme a colour that equals the
// background is drawn in the text colour instead (black stars on a black
// sky would vanish).
GraphStyle current_graph_style(bool grid_lines, SurfaceColor background = surface_color(255, 255, 255),
                               ColorScheme scheme = ColorScheme::Automatic);
// Whether a background colour is dark: its luma (ITU-R BT.601) below half.
bool is_dark_color(SurfaceColor color);

// Paints the graph space's background and draws the command's graph on a
// surface of width x height device pixels; returns 1 when stopped.
int draw_command_graph(int command, Surface& surface, int width, int height, const GraphStyle& style,
                       const CommandParams& params, const SkyContext& sky);

// Draws a graph with the dialog's parameters and the sky (its engine among
// them) on a surface already set up for graph drawing, with the line
// "Precise calculations" under its caption when the precise engine made it;
// returns 1 when stopped.  The window and the command line both draw through it.
int draw_graph(GraphGenerator generator, Surface& surface, const GraphStyle& style, const CommandParams& params,
               const SkyContext& sky);
