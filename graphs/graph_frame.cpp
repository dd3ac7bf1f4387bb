// The common frame of the graphs: geometry, captions, rules, the month axis,
// planet labels and curves drawn sample by sample.
#include "graphs/graph_frame.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/bodies.h"
#include "platform/message_pump.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int FIRST_PLANET = 3;  // Mercury; Earth is body 2
constexpr int LAST_PLANET = 10;  // Pluto
constexpr int PUMP_GRAPH_MODE = 1;

}  // namespace

GraphFrame make_graph_frame(Surface& surface, int x_factor, int y_factor, int year) {
    GraphFrame frame;
    frame.x0 = x_factor * char_width(surface);
    frame.y0 = y_factor * line_height(surface);
    fill_graph_space(surface, frame);
    set_graph_period(frame, year);
    return frame;
}

void fill_graph_space(const Surface& surface, GraphFrame& frame) {
    const SurfaceSize space = graph_space(surface);
    frame.width = (space.width / 2 - frame.x0) * 2;
    frame.height = (space.height / 2 - frame.y0) * 2;
}

void set_graph_period(GraphFrame& frame, int year) {
    frame.start = julian_day(1.0, 1, year);
    frame.end = julian_day(1.0, 1, year + 1) - 1.0;
    frame.days = round_to_int(frame.end - frame.start) + 1;
}

bool tick_marks_on(const GraphStyle& style) { return !style.grid_lines; }

void draw_x_rule(Surface& surface, const GraphStyle& style, int x, int y, int length) {
    if (!tick_marks_on(style)) {
        draw_line(surface, x, y, x, y + length);
        return;
    }
    int tick = char_width(surface);
    draw_line(surface, x, y + length, x, y + length - tick);
    draw_line(surface, x, y, x, y + tick);
}

void draw_y_rule(Surface& surface, const GraphStyle& style, int y, int x, int length) {
    if (!tick_marks_on(style)) {
        draw_line(surface, x, y, x + length, y);
        return;
    }
    int tick = char_width(surface);
    draw_line(surface, x, y, x + tick, y);
    draw_line(surface, x + length - tick, y, x + length, y);
}

int date_to_x(int x0, int width, int days, JulianDay t, JulianDay start) {
    return x0 + round_to_int((t - start) / days * width);
}

int value_to_y(double bottom, double top, double v, int height, int y0) {
    return round_to_int((v - bottom) / (top - bottom) * height + y0);
}

std::string graph_text(int string_id, ...) {
    std::string format(load_string(string_id));
    char text[256];
    va_list arguments;
    va_start(arguments, string_id);
    std::vsnprintf(text, sizeof text, format.c_str(), arguments);
    va_end(arguments);
    return text;
}

void draw_graph_outline(Surface& surface, const GraphStyle& style, const GraphFrame& frame) {
    draw_frame(surface, frame.x0, frame.y0, frame.x0 + frame.width, frame.y0 + frame.height, false,
               style.colors[STYLE_WINDOW_TEXT]);
}

int title_top(const Surface& surface, int lines_down, int line) {
    return graph_space(surface).height - lines_down * line;
}

void draw_graph_caption(Surface& surface, const GraphFrame& frame, int top, std::string_view text) {
    draw_text_centered(surface, frame.x0 + frame.width / 2, top, text);
}

void draw_engine_caption(Surface& surface, const GraphStyle& style, std::string_view text) {
    surface.set_text_color(style.colors[STYLE_WINDOW_TEXT]);
    surface.set_background(style.background);
    draw_text_centered(surface, graph_space(surface).width / 2, line_height(surface), text);
}

void draw_value_caption(Surface& surface, const GraphFrame& frame, int column_factor, std::string_view text) {
    draw_text_vertical(surface, frame.x0 - column_factor * char_width(surface), frame.y0 + frame.height / 2, text);
}

void draw_value_rule(Surface& surface, const GraphStyle& style, const GraphFrame& frame, int y,
                     std::string_view label, int label_x) {
    draw_y_rule(surface, style, y, frame.x0, frame.width);
    if (!label.empty()) draw_text_centered(surface, label_x, y + line_height(surface) / 2, label);
}

void draw_month_axis(Surface& surface, const GraphStyle& style, int year, int days, int x0, int y0,
                     int width, int height, JulianDay start) {
    int label_top = y0 - line_height(surface) / 2;
    for (int month = 1; month <= 12; ++month) {
        int x = date_to_x(x0, width, days, julian_day(1.0, month, year), start);
        draw_x_rule(surface, style, x, y0, height);
        draw_text_centered(surface, x, label_top, std::to_string(month));
    }
}

void draw_month_axis(Surface& surface, const GraphStyle& style, int year, const GraphFrame& frame) {
    draw_month_axis(surface, style, year, frame.days, frame.x0, frame.y0, frame.width, frame.height,
                    frame.start);
}

void layout_legend(Surface& surface, int width, int height, int x0, int y0, bool with_earth,
                   LegendSlot slots[LEGEND_SLOT_COUNT]) {
    int first = with_earth ? FIRST_PLANET - 1 : FIRST_PLANET;
    int step = width / (LAST_PLANET + 1 - first);
    int row = line_height(surface);
    int x = x0 + step / 2;
    for (int body = first; body <= LAST_PLANET; ++body) {
        int slot = body - 2;
        slots[slot] = {x, y0 + height + row + (slot % 2 == 1 ? row : 0), false};
        x += step;
    }
}

void note_approximate_pluto(Surface& surface, LegendSlot slots[LEGEND_SLOT_COUNT]) {
    slots[id_of(Body::Pluto) - 2].starred = true;
    const SurfaceSize space = graph_space(surface);
    draw_text_centered(surface, space.width / 2, space.height, "* " + std::string(load_string(STR_PLACES_APPROXIMATE)));
}

void draw_planet_label(Surface& surface, LegendSlot slots[LEGEND_SLOT_COUNT], int body, int x, int y) {
    LegendSlot& slot = slots[body - 2];
    if (slot.drawn || slot.x > x) return;
    draw_line(surface, x, y, x, slot.y);
    draw_body_name(surface, body, x, slot.y, slot.starred);
    slot.drawn = true;
}

void draw_line_if_short(Surface& surface, int x1, int y1, int x2, int y2, int span) {
    if (std::abs(y2 - y1) < span / 2) draw_line(surface, x1, y1, x2, y2);
}

void extend_curve(Surface& surface, GraphCurve& curve, int x, int y) {
    if (curve.started) draw_line(surface, curve.x, curve.y, x, y);
    curve = {true, x, y};
}

bool graph_stopped() { return pump_messages(PUMP_GRAPH_MODE) != 0; }
