#pragma once
// The frame every graph is drawn in: a plot rectangle placed by margins
// counted in character widths and line heights, a centred title above it, a
// time caption under it and a value caption written letter under letter to
// its left, horizontal value rules, vertical month rules with the month
// numbers 1-12, planet labels in two staggered rows above the frame, and
// curves of straight segments between samples.  All coordinates are logical
// units of the graph space (x 0..1000, y 0..750, y up).
//
// A graph draws, in this order: the outline, the title and captions, the
// value rules with their labels, the month axis, its own markers, then its
// curves, calling graph_stopped before each curve and after each sample step
// and returning at once when it says so.
#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "graphs/drawing.h"

// One drawing's plot geometry and time axis.  W x H is the graph space
// (graph_space): 1000 x 750 on a 4 : 3 picture.
struct GraphFrame {
    int x0 = 0;         // left edge of the plot
    int y0 = 0;         // bottom edge of the plot
    int width = 0;      // (W / 2 - x0) * 2: right margin = left margin
    int height = 0;     // (H / 2 - y0) * 2: top margin = bottom margin
    JulianDay start = 0.0;  // 0 h of 1 January of the graph's year
    JulianDay end = 0.0;    // 0 h of 31 December
    int days = 0;           // 365, or 366 in a leap year
};

// The frame of a yearly graph: x0 = x_factor * char_width, y0 = y_factor *
// line_height, the width and height that centre the plot, and year's period.
GraphFrame make_graph_frame(Surface& surface, int x_factor, int y_factor, int year);
// The width and height that centre a plot of frame's x0 and y0 in the graph space.
void fill_graph_space(const Surface& surface, GraphFrame& frame);
// start, end and days of year.
void set_graph_period(GraphFrame& frame, int year);

// A planet's label place above the frame; slots are indexed by body - 2
// (Earth 0, Mercury 1 ... Pluto 8).
struct LegendSlot {
    int x = 0;
    int y = 0;
    bool drawn = false;
    bool starred = false;  // the name with "*" (note_approximate_pluto)
};
constexpr int LEGEND_SLOT_COUNT = 9;

// True when rules are drawn as tick marks rather than grid lines.
bool tick_marks_on(const GraphStyle& style);

// A vertical rule at x over y..y + length with the current pen: as tick marks,
// one char_width inward from each end; as a grid line, the whole length.
void draw_x_rule(Surface& surface, const GraphStyle& style, int x, int y, int length);
// A horizontal rule at y over x..x + length, the same way.
void draw_y_rule(Surface& surface, const GraphStyle& style, int y, int x, int length);

// x0 + round((t - start) / days * width).
int date_to_x(int x0, int width, int days, JulianDay t, JulianDay start);
// round((v - bottom) / (top - bottom) * height + y0): bottom at y0, top at
// y0 + height; values outside land outside the frame (nothing clips them).
int value_to_y(double bottom, double top, double v, int height, int y0);

// The text of string_id (a printf format from the string table) filled with
// the arguments by printf rules: graph titles and labels.
std::string graph_text(int string_id, ...);

// The plot outline in the window-text colour.
void draw_graph_outline(Surface& surface, const GraphStyle& style, const GraphFrame& frame);
// The top of a title lines_down lines of height line below the top of the
// graph space.
int title_top(const Surface& surface, int lines_down, int line);
// A title or time caption centred over the plot with its top at top.
void draw_graph_caption(Surface& surface, const GraphFrame& frame, int top, std::string_view text);
// A line under the time caption, centred on the graph space, in the
// window-text colour: what the graph's numbers were computed by.
void draw_engine_caption(Surface& surface, const GraphStyle& style, std::string_view text);
// The value caption, letter under letter at x0 - column_factor * char_width,
// centred on the plot's middle.
void draw_value_caption(Surface& surface, const GraphFrame& frame, int column_factor, std::string_view text);
// A value rule at y across the plot and, when label is not empty, the label
// centred at label_x with its top at y + line_height / 2 (centred on the rule).
void draw_value_rule(Surface& surface, const GraphStyle& style, const GraphFrame& frame, int y,
                     std::string_view label, int label_x);

// For month 1..12: a vertical rule at the x of its first day and its number
// centred there, top at y0 - line_height / 2 (below the frame).
void draw_month_axis(Surface& surface, const GraphStyle& style, int year, int days, int x0, int y0,
                     int width, int height, JulianDay start);
// The month axis of a yearly graph's frame.
void draw_month_axis(Surface& surface, const GraphStyle& style, int year, const GraphFrame& frame);

// Label slots for Earth (with_earth) or Mercury up to Pluto, spread evenly
// over width above the frame, odd slot indices one line higher.
void layout_legend(Surface& surface, int width, int height, int x0, int y0, bool with_earth,
                   LegendSlot slots[LEGEND_SLOT_COUNT]);
// Pluto's places in the graph are approximate (pluto_approximate): its label
// slot's name gets "*", and the note "* Pluto outside 1885-2099, ..." stands
// centred on the graph space's top line, above the title.
void note_approximate_pluto(Surface& surface, LegendSlot slots[LEGEND_SLOT_COUNT]);
// After a planet's segment ending at (x, y): when its slot is not yet drawn and
// lies at or left of x, a leader from (x, y) up to the slot with the current
// pen and the planet's name centred on (x, slot.y); the slot is then drawn.
void draw_planet_label(Surface& surface, LegendSlot slots[LEGEND_SLOT_COUNT], int body, int x, int y);

// The segment, only when abs(y2 - y1) < span / 2: a curve wrapping from the
// top of the axis to the bottom is not joined across the plot.
void draw_line_if_short(Surface& surface, int x1, int y1, int x2, int y2, int span);

// A curve drawn segment by segment as its samples come: each point after the
// first is joined to the one before with the current pen.
struct GraphCurve {
    bool started = false;
    int x = 0;  // the previous point
    int y = 0;
};
void extend_curve(Surface& surface, GraphCurve& curve, int x, int y);

// Lets waiting events run; true when the user stopped the command or the
// window needs repainting, and the drawing must end at once.
bool graph_stopped();
