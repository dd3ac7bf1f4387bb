// The Moon Angular Speed, Moon Illum. Frac. and Jupiter Moons Orbit graphs.
#include "graphs/moon_graphs.h"

#include <cstdlib>
#include <string>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "format/format.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// Colour-table entries.
constexpr int COLOR_JUPITER = 6;
constexpr int COLOR_IO = 16;  // Europa, Ganymede, Callisto follow

// Moon Angular Speed's value axis, degrees per day.
constexpr int SPEED_BOTTOM = 11;
constexpr int SPEED_TOP = 16;

// Jupiter Moons Orbit: radii shown to each side of Jupiter, samples per day.
constexpr double JUPITER_RADII_SHOWN = 30.0;
constexpr int SAMPLES_PER_DAY = 8;  // every 3 hours
constexpr double SAMPLE_DAYS = 1.0 / SAMPLES_PER_DAY;

// 0 h local time on the 1st of month, as UT.
JulianDay local_midnight(int year, int month, const Location& location) {
    return clock_to_ut(location, julian_day(1.0, month, year));
}

// A month title: the month's name with every blank removed, and the year.
std::string month_title(int string_id, int year, int month) {
    std::string name = month_name(month);
    std::erase(name, ' ');
    return graph_text(string_id, name.c_str(), year);
}

// A whole number as "%*d".
std::string whole(int value, int width) { return format_fixed(value, width, 0); }

// The day numbers under a month plot of days columns step units wide: the odd
// days at the left edge of their column, with their top at top; a closing day
// days + 1, when odd, is written "1" (the next month's first) one char_width
// right of the plot's right edge.
void draw_day_labels(Surface& surface, int x0, int top, int step, int days) {
    for (int d = 1; d <= days + 1; d += 2) {
        int x = x0 + (d - 1) * step;
        int number = d;
        if (d == days + 1) {
            number = 1;
            x += char_width(surface);
        }
        draw_text_centered(surface, x, top, whole(number, 0));
    }
}

int speed_to_y(const GraphFrame& frame, double degrees_per_day) {
    return frame.y0 + round_to_int((degrees_per_day - SPEED_BOTTOM) * frame.height * 0.2);
}

}  // namespace

int moon_angular_speed_graph(Surface& surface, const GraphStyle& style, int year, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const GraphFrame frame = make_graph_frame(surface, 7, 4, year);
    const int cw = char_width(surface);
    const int lh = line_height(surface);
    draw_graph_outline(surface, style, frame);
    draw_graph_caption(surface, frame, title_top(surface, 1, lh), graph_text(STR_MOON_SPEED_TITLE, year));
    draw_graph_caption(surface, frame, 2 * lh, load_string(STR_MONTH_CAPTION));
    draw_value_caption(surface, frame, 5, load_string(STR_DEGREES_PER_DAY));
    for (int v = SPEED_BOTTOM; v <= SPEED_TOP; ++v)
        draw_value_rule(surface, style, frame, speed_to_y(frame, v), whole(v, 2), frame.x0 - 2 * cw);
    draw_month_axis(surface, style, year, frame);

    if (graph_stopped()) return 1;
    select_color_pen(surface, style, id_of(Body::Moon));
    GraphCurve curve;
    double previous_longitude = 0.0;
    // Local midnights from 30 December of the year before: the first two only
    // prime the longitude, so each plotted value is the gain since the
    // midnight before, from 1 January on.
    for (JulianDay t = frame.start - 2.0; t <= frame.end; t += 1.0) {
        const double longitude = normalize_degrees(engine.moon_place(clock_to_ut(location, t)).longitude);
        double gained = std::abs(longitude - previous_longitude);
        if (gained >= 180.0) gained = std::abs(gained - 360.0);  // the Moon passed 0 degrees
        previous_longitude = longitude;
        if (t < frame.start + 1.0) curve.started = false;
        extend_curve(surface, curve, date_to_x(frame.x0, frame.width, frame.days, t, frame.start),
                     speed_to_y(frame, gained));
        if (graph_stopped()) return 1;
    }
    return 0;
}

int moon_illumination_graph(Surface& surface, const GraphStyle& style, int year, int month,
                            const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const int cw = char_width(surface);
    const int lh = line_height(surface);
    const int days = days_in_month(month, year);
    GraphFrame frame;
    frame.x0 = 7 * cw;
    frame.y0 = 4 * lh;
    fill_graph_space(surface, frame);
    const int step = frame.width / (days + 1);  // units per day
    frame.width = days * step;

    draw_graph_caption(surface, frame, title_top(surface, 2, lh), month_title(STR_MOON_ILLUM_TITLE, year, month));
    draw_graph_caption(surface, frame, 2 * lh, load_string(STR_DAY_OF_MONTH_CAPTION));
    draw_value_caption(surface, frame, 6, load_string(STR_ILLUM_FRACTION));
    draw_graph_outline(surface, style, frame);
    for (int k = 1; k < days; ++k) draw_x_rule(surface, style, frame.x0 + k * step, frame.y0, frame.height);
    draw_day_labels(surface, frame.x0, frame.y0 - lh / 2, step, days);
    for (int tenths = 0; tenths <= 10; tenths += 2) {
        const double v = tenths / 10.0;
        draw_value_rule(surface, style, frame, frame.y0 + round_to_int(frame.height * v), format_fixed(v, 2, 1),
                        frame.x0 - 3 * cw);
    }

    if (graph_stopped()) return 1;
    select_color_pen(surface, style, id_of(Body::Moon));
    GraphCurve curve;
    const JulianDay first_midnight = local_midnight(year, month, location);
    // days + 1 midnights: the last one closes the month's last day.
    for (int d = 0; d <= days; ++d) {
        const double illuminated = engine.moon_place(first_midnight + d).illuminated;
        extend_curve(surface, curve, frame.x0 + d * step, frame.y0 + round_to_int(frame.height * illuminated));
        if (graph_stopped()) return 1;
    }
    return 0;
}

int jupiter_moons_graph(Surface& surface, const GraphStyle& style, int year, int month, int moon_set,
                        bool number_moons, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const int cw = char_width(surface);
    const int lh = line_height(surface);
    const int days = days_in_month(month, year);
    GraphFrame frame;
    frame.x0 = 3 * cw;
    frame.y0 = 5 * lh;
    fill_graph_space(surface, frame);
    const int step = frame.width / days;  // units per day
    frame.width = days * step;
    const int x0 = frame.x0;
    const int y0 = frame.y0;
    const int h = frame.height;
    const double centre = h * 0.5;                       // the centre line's offset from y0
    const double scale = centre / JUPITER_RADII_SHOWN;  // units per Jupiter radius

    const int top = graph_space(surface).height;
    draw_graph_caption(surface, frame, title_top(surface, 1, lh), month_title(STR_JUPITER_TITLE, year, month));
    draw_graph_caption(surface, frame, (top / 2 - lh) * 2, load_string(STR_JUPITER_LEGEND));
    draw_graph_caption(surface, frame, 2 * lh, load_string(STR_DAY_OF_MONTH_CAPTION));
    // West in the middle of the lower half, east in the middle of the upper.
    draw_text_vertical(surface, x0 - 2 * cw, top - h / 4 * 3 - y0, load_string(STR_GRAPH_WEST));
    draw_text_vertical(surface, x0 - 2 * cw, top - h / 4 - y0, load_string(STR_GRAPH_EAST));
    // Jupiter's disk: one radius above and below the centre line.
    const int radius = round_to_int(scale);
    draw_frame(surface, x0 + 1, y0 + h / 2 + radius, x0 + frame.width, y0 + h / 2 - radius, false,
               style.colors[COLOR_JUPITER]);
    draw_frame(surface, x0, y0 + h, x0 + frame.width, y0, false, style.colors[STYLE_WINDOW_TEXT]);
    surface.set_background_opaque(false);
    for (int k = 0; k < days; ++k) draw_x_rule(surface, style, x0 + k * step, y0, h);
    draw_day_labels(surface, x0, y0 - lh, step, days);

    if (graph_stopped()) return 1;
    struct MoonTrack {
        GraphCurve curve;
        int direction = 0;  // of the last segment: 1 up, -1 down, 0 none yet
    };
    MoonTrack tracks[JUPITER_SATELLITE_COUNT];
    const JulianDay first_midnight = local_midnight(year, month, location);
    double x_offset = 0.0;
    for (int sample = 0; sample < days * SAMPLES_PER_DAY; ++sample) {
        const double elapsed = sample * SAMPLE_DAYS;
        const JupiterSatellites satellites = engine.jupiter_satellites(first_midnight + elapsed);
        const int x = x0 + static_cast<int>(x_offset);
        for (int m = 0; m < JUPITER_SATELLITE_COUNT; ++m) {
            if ((moon_set & (1 << m)) == 0) continue;
            select_color_pen(surface, style, COLOR_IO + m);
            // A positive offset (east) is drawn upward.
            const int y = top - round_to_int(y0 + centre - satellites[m].x * scale);
            MoonTrack& track = tracks[m];
            const bool had_segment = track.curve.started;
            int direction = track.direction;
            if (had_segment && y != track.curve.y) direction = y > track.curve.y ? 1 : -1;
            extend_curve(surface, track.curve, x, y);
            if (!had_segment) continue;
            // The number stands just above the turning point.
            if (number_moons && elapsed > 1.0 && track.direction != 0 && direction != track.direction)
                draw_text_centered(surface, x, y + lh, whole(m + 1, 0));
            track.direction = direction;
        }
        x_offset += step * SAMPLE_DAYS;
        if (graph_stopped()) return 1;
    }
    return 0;
}
