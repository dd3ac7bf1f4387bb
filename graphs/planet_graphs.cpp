// The planet graphs: Planet Orbit, the four yearly value graphs (magnitude,
// illuminated fraction, angular diameter, distance) and Planet Angle.
#include "graphs/planet_graphs.h"

#include <algorithm>
#include <string>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/approximate_places.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "graphs/graph_frame.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int FIRST_PLANET = 3;  // Mercury
constexpr int LAST_PLANET = 10;  // Pluto
constexpr double SAMPLE_STEP_DAYS = 7.0;  // the yearly graphs sample weekly
constexpr int MAX_MONTH_DAYS = 31;

// "%*d": an integer right-aligned in width columns (0: as wide as it needs).
std::string integer_text(int value, int width) { return format_fixed(value, width, 0); }

// The Sun's apparent right ascension (hours, 0..24) at a UT instant.
double sun_ra(const SkyEngine& engine, JulianDay t) { return engine.sun_place(t, APPARENT_PLACE).ra_hours; }

// Walks the yearly time axis: sample(t, x) at 0 h of 1 January and every week
// after, the last sample at 0 h of 31 December, with the message pump after
// each.  True when the user stopped the drawing.
template <typename Sample>
bool sample_weekly(const GraphFrame& frame, Sample sample) {
    for (JulianDay t = frame.start;; t = std::min(t + SAMPLE_STEP_DAYS, frame.end)) {
        sample(t, date_to_x(frame.x0, frame.width, frame.days, t, frame.start));
        if (graph_stopped()) return true;
        if (t >= frame.end) return false;
    }
}

// A planet's next point: joined to the previous one, then its label drawn
// once the curve reaches the label's slot.
void extend_planet_curve(Surface& surface, GraphCurve& curve, LegendSlot slots[LEGEND_SLOT_COUNT], int body,
                         int x, int y) {
    bool joined = curve.started;
    extend_curve(surface, curve, x, y);
    if (joined) draw_planet_label(surface, slots, body, x, y);
}

// ---- The yearly value graphs ----

using PlanetValue = double (*)(const SkyEngine& engine, int body, JulianDay t);

double magnitude_value(const SkyEngine& engine, int body, JulianDay t) { return engine.planet_magnitude(body, t); }
double illumination_value(const SkyEngine& engine, int body, JulianDay t) {
    return engine.planet_place(body, t, PLANET_WITHOUT_EQUATORIAL).illuminated;
}
double diameter_value(const SkyEngine& engine, int body, JulianDay t) {
    return engine.planet_angular_diameter(body, t);
}
// The Earth's distance from the Sun is the Sun's from the Earth.
double sun_distance_value(const SkyEngine& engine, int body, JulianDay t) {
    if (body != id_of(Body::Earth)) return engine.planet_place(body, t, PLANET_WITHOUT_EQUATORIAL).radius_au;
    return engine.sun_place(t, APPARENT_PLACE).distance_au;
}
double earth_distance_value(const SkyEngine& engine, int body, JulianDay t) {
    return engine.planet_place(body, t, PLANET_WITHOUT_EQUATORIAL).distance_au;
}

// One yearly value graph.  Margins and columns count char_width (x) and
// line_height (y) units.  Rule k (0 .. rule_count - 1) stands at the value
// (rule_first + k * rule_step) / rule_scale; rules with k a multiple of
// label_every get a label of label_precision decimals, two columns wide.
struct ValueGraph {
    int title_id;
    int title_lines;     // the title's top is this many line heights below the top
    int x_factor;
    int y_factor;
    int caption_id;
    int caption_factor;  // value caption at x0 - caption_factor
    double bottom;       // axis value at the frame's bottom edge
    double top;          // and at its top edge
    int rule_first;
    int rule_step;
    int rule_count;
    int rule_scale;
    int label_every;
    int label_factor;    // labels centred at x0 - label_factor
    int label_precision;
    bool with_earth;     // Earth has a curve and a label slot
    PlanetValue value;
};

// Columns: title, title lines, x and y margins, caption, caption column, axis bottom and top, rules
// (first, step, count, scale), label every, label column, label decimals, with Earth, value.
// Magnitude is bright at the top; a planet too thin to see (magnitude 21) falls below the frame.
// Diameters are in arcseconds, distances in AU.
constexpr ValueGraph MAGNITUDE_GRAPH = {
    8, 1, 6, 5, 9, 5, 20.0, -6.0, -6, 1, 27, 1, 2, 2, 0, false, magnitude_value};
constexpr ValueGraph ILLUMINATION_GRAPH = {
    10, 1, 7, 5, 11, 6, 0.0, 1.0, 10, -1, 11, 10, 2, 3, 1, false, illumination_value};
constexpr ValueGraph DIAMETER_GRAPH = {
    12, 2, 7, 6, 13, 6, 0.0, 70.0, 70, -10, 8, 1, 1, 2, 0, false, diameter_value};
constexpr ValueGraph SUN_DISTANCE_GRAPH = {
    14, 2, 7, 6, 16, 6, 0.0, 60.0, 60, -10, 7, 1, 1, 2, 0, true, sun_distance_value};
constexpr ValueGraph EARTH_DISTANCE_GRAPH = {
    15, 2, 7, 6, 16, 6, 0.0, 60.0, 60, -10, 7, 1, 1, 2, 0, true, earth_distance_value};

int value_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, const ValueGraph& graph,
                const SkyEngine& engine) {
    GraphFrame frame = make_graph_frame(surface, graph.x_factor, graph.y_factor, year);
    int column = char_width(surface);
    int row = line_height(surface);
    draw_graph_outline(surface, style, frame);
    draw_graph_caption(surface, frame, title_top(surface, graph.title_lines, row), graph_text(graph.title_id, year));
    draw_graph_caption(surface, frame, 2 * row, load_string(STR_MONTH_CAPTION));
    draw_value_caption(surface, frame, graph.caption_factor, load_string(graph.caption_id));
    for (int k = 0; k < graph.rule_count; ++k) {
        double v = static_cast<double>(graph.rule_first + k * graph.rule_step) / graph.rule_scale;
        std::string label = k % graph.label_every == 0 ? format_fixed(v, 2, graph.label_precision) : "";
        draw_value_rule(surface, style, frame, value_to_y(graph.bottom, graph.top, v, frame.height, frame.y0),
                        label, frame.x0 - graph.label_factor * column);
    }
    draw_month_axis(surface, style, year, frame);
    LegendSlot slots[LEGEND_SLOT_COUNT];
    layout_legend(surface, frame.width, frame.height, frame.x0, frame.y0, graph.with_earth, slots);
    if (pluto_approximate(engine, planet_set, frame.start, frame.end)) note_approximate_pluto(surface, slots);

    for (int body = graph.with_earth ? id_of(Body::Earth) : FIRST_PLANET; body <= LAST_PLANET; ++body) {
        if (!planet_set.contains(body)) continue;
        if (graph_stopped()) return 1;
        select_color_pen(surface, style, body);
        GraphCurve curve;
        bool stopped = sample_weekly(frame, [&](JulianDay t, int x) {
            int y = value_to_y(graph.bottom, graph.top, graph.value(engine, body, t), frame.height, frame.y0);
            extend_planet_curve(surface, curve, slots, body, x, y);
        });
        if (stopped) return 1;
    }
    return 0;
}

// ---- Planet Orbit ----

// The right-ascension axis: 24 hours upward from the Sun's place on 1 January
// (sun_ra, hours in [0, 24)), wrapping once.
struct RaAxis {
    double sun_ra = 0.0;
    int y0 = 0;
    int height = 0;
};

double normalize_hours(double hours) { return normalize_degrees(hours * 15.0) / 15.0; }

int ra_to_y(const RaAxis& axis, double ra_hours) {
    double a = normalize_hours(ra_hours);
    double d = a - axis.sun_ra;
    if (axis.sun_ra > a) d += 24.0;
    return axis.y0 + round_to_int(axis.height * d / 24.0);
}

// Zodiacal constellations along the ecliptic, in order of longitude from
// Aries: abbreviation, eastern boundary and half-width (degrees).  Each label
// stands at the constellation's middle, boundary - half-width.
struct Constellation {
    int string_id;
    int boundary;
    int half_width;
};
constexpr Constellation CONSTELLATIONS[] = {
    {506, 52, 12},  {577, 89, 18},  {537, 117, 14}, {511, 137, 10}, {545, 173, 18},
    {585, 217, 22}, {548, 240, 11}, {572, 247, 3},  {558, 266, 9},  {571, 299, 16},
    {515, 327, 14}, {503, 351, 12}, {565, 28, 18},
};
constexpr int LIBRA_ROW = 6;  // its leader is lowered half a line, clear of narrow Scorpius

void draw_constellation_labels(const SkyEngine& engine, Surface& surface, const GraphFrame& frame, const RaAxis& axis,
                               int year) {
    int column = char_width(surface);
    int right = frame.x0 + frame.width;
    int row = 0;
    for (const Constellation& c : CONSTELLATIONS) {
        const double ra =
            engine.ecliptic_to_equatorial(julian_day(1, 1, year), c.boundary - c.half_width, 0.0, false).ra_hours;
        int y = ra_to_y(axis, ra);
        // Two staggered columns, so that neighbours do not overlap.
        int x = right + (row % 2 == 0 ? 5 : 2) * column;
        surface.draw_text({x + column / 2, y}, load_string(c.string_id));
        int leader_y = row == LIBRA_ROW ? y - line_height(surface) / 2 : y;
        draw_line(surface, right, leader_y, x, leader_y);
        ++row;
    }
}

// A curve on the wrapping axis: a segment that would jump across the plot is
// left out.  thickness_offset > 0 draws each segment again that many units
// above and below.
void extend_wrapping_curve(Surface& surface, GraphCurve& curve, int x, int y, int span, int thickness_offset) {
    if (curve.started) {
        for (int offset = -thickness_offset; offset <= thickness_offset; ++offset)
            draw_line_if_short(surface, curve.x, curve.y + offset, x, y + offset, span);
    }
    curve = {true, x, y};
}

}  // namespace

int planet_orbit_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, const SkyContext& sky) {
    const SkyEngine& engine = *sky.engine;
    GraphFrame frame = make_graph_frame(surface, 9, 5, year);
    int column = char_width(surface);
    int row = line_height(surface);
    draw_graph_outline(surface, style, frame);
    draw_graph_caption(surface, frame, title_top(surface, 1, row), graph_text(STR_PLANET_ORBIT_TITLE, year));
    draw_graph_caption(surface, frame, 2 * row, load_string(STR_MONTH_CAPTION));
    draw_value_caption(surface, frame, 6, load_string(STR_RA));

    const RaAxis axis = {normalize_hours(sun_ra(engine, frame.start)), frame.y0, frame.height};
    for (int hour = 0; hour < 24; ++hour) {
        std::string label = hour % 2 == 0 ? integer_text(hour, 2) + "h" : "";
        draw_value_rule(surface, style, frame, ra_to_y(axis, hour), label, frame.x0 - 3 * column);
    }
    draw_month_axis(surface, style, year, frame);
    draw_constellation_labels(engine, surface, frame, axis, year);
    LegendSlot slots[LEGEND_SLOT_COUNT];
    layout_legend(surface, frame.width, frame.height, frame.x0, frame.y0, false, slots);
    if (pluto_approximate(engine, planet_set, frame.start, frame.end)) note_approximate_pluto(surface, slots);

    // The Sun, three units thick, and the point opposite it, where a planet
    // stands at opposition.
    if (graph_stopped()) return 1;
    select_color_pen(surface, style, id_of(Body::Sun));
    GraphCurve sun, opposite;
    bool stopped = sample_weekly(frame, [&](JulianDay t, int x) {
        const double ra = sun_ra(engine, t);
        extend_wrapping_curve(surface, sun, x, ra_to_y(axis, ra), frame.height, 1);
        extend_wrapping_curve(surface, opposite, x, ra_to_y(axis, ra + 12.0), frame.height, 1);
    });
    if (stopped) return 1;

    for (int body = FIRST_PLANET; body <= LAST_PLANET; ++body) {
        if (!planet_set.contains(body)) continue;
        if (graph_stopped()) return 1;
        select_color_pen(surface, style, body);
        GraphCurve curve;
        stopped = sample_weekly(frame, [&](JulianDay t, int x) {
            bool joined = curve.started;
            int y = ra_to_y(axis, engine.planet_place(body, t, PLANET_WITH_EQUATORIAL).ra_hours);
            extend_wrapping_curve(surface, curve, x, y, frame.height, 0);
            if (joined) draw_planet_label(surface, slots, body, x, y);
        });
        if (stopped) return 1;
    }
    return 0;
}

int planet_magnitude_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, const SkyContext& sky) {
    return value_graph(surface, style, year, planet_set, MAGNITUDE_GRAPH, *sky.engine);
}

int planet_illumination_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set,
                              const SkyContext& sky) {
    return value_graph(surface, style, year, planet_set, ILLUMINATION_GRAPH, *sky.engine);
}

int planet_diameter_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, const SkyContext& sky) {
    return value_graph(surface, style, year, planet_set, DIAMETER_GRAPH, *sky.engine);
}

int planet_distance_graph(Surface& surface, const GraphStyle& style, int year, BodySet planet_set, int from_sun,
                          const SkyContext& sky) {
    if (from_sun) return value_graph(surface, style, year, planet_set, SUN_DISTANCE_GRAPH, *sky.engine);
    return value_graph(surface, style, year, planet_set.without(Body::Earth), EARTH_DISTANCE_GRAPH, *sky.engine);
}

int planet_angle_graph(Surface& surface, const GraphStyle& style, int year, int month, const SkyContext& sky,
                       int main_planet, BodySet planet_set) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const int days = days_in_month(month, year);
    std::string month_text = month_name(month);
    std::erase(month_text, ' ');
    int column = char_width(surface);
    int row = line_height(surface);

    // One column of step units per day, the frame as wide as the month.
    GraphFrame frame;
    frame.x0 = 7 * column;
    frame.y0 = 5 * row;
    fill_graph_space(surface, frame);
    const int step = frame.width / (days + 1);
    frame.width = days * step;
    auto angle_to_y = [&](double degrees) { return frame.y0 + round_to_int(frame.height * degrees / 180.0); };

    draw_graph_caption(surface, frame, title_top(surface, 1, row),
                       graph_text(STR_PLANET_ANGLE_TITLE, body_name(main_planet).c_str(), month_text.c_str(), year));
    draw_graph_caption(surface, frame, 2 * row, load_string(STR_DAY_OF_MONTH_CAPTION));
    draw_value_caption(surface, frame, 6, load_string(STR_ANGLE_CAPTION));
    draw_graph_outline(surface, style, frame);

    for (int k = 1; k < days; ++k) draw_x_rule(surface, style, frame.x0 + k * step, frame.y0, frame.height);
    // Odd days are numbered; the closing midnight is the 1st of the next month,
    // moved one column right, clear of the frame's corner.
    for (int d = 1, shift = 0; d <= days + 1; ++d) {
        int label = d;
        if (d == days + 1) {
            label = 1;
            shift = column;
        }
        if (d % 2 == 1)
            draw_text_centered(surface, frame.x0 + (d - 1) * step + shift, frame.y0 - row / 2, integer_text(label, 0));
    }
    for (int v = 180; v >= 0; v -= 10)
        draw_value_rule(surface, style, frame, angle_to_y(v), v % 20 == 0 ? integer_text(v, 3) : "",
                        frame.x0 - 2 * column);
    LegendSlot slots[LEGEND_SLOT_COUNT];
    layout_legend(surface, frame.width, frame.height, frame.x0, frame.y0, false, slots);
    const JulianDay first = clock_to_ut(location, julian_day(1.0, month, year));  // local midnight in UT
    if (pluto_approximate(engine, planet_set.with(main_planet), first, first + days))
        note_approximate_pluto(surface, slots);

    // The main planet's direction at each midnight, found with the first curve.
    double main_direction[MAX_MONTH_DAYS + 1][3];
    bool main_known = false;
    for (int body = FIRST_PLANET; body <= LAST_PLANET; ++body) {
        if (body == main_planet || !planet_set.contains(body)) continue;
        if (graph_stopped()) return 1;
        select_color_pen(surface, style, body);
        GraphCurve curve;
        JulianDay t = first;
        for (int d = 0; d <= days; ++d, t += 1.0) {
            if (!main_known) {
                const PlanetPlace main = engine.planet_place(main_planet, t, PLANET_WITH_EQUATORIAL);
                sky_unit_vector(main.ra_hours, main.dec, main_direction[d]);
            }
            const PlanetPlace other = engine.planet_place(body, t, PLANET_WITH_EQUATORIAL);
            double direction[3];
            sky_unit_vector(other.ra_hours, other.dec, direction);
            int y = angle_to_y(angle_between(main_direction[d], direction));
            extend_planet_curve(surface, curve, slots, body, frame.x0 + d * step, y);
            if (graph_stopped()) return 1;
        }
        main_known = true;
    }
    return 0;
}
