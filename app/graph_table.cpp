#include "app/graph_table.h"

#include "app/colors.h"
#include "engine/bodies.h"
#include "graphs/eclipses_graph.h"
#include "graphs/moon_graphs.h"
#include "graphs/planet_graphs.h"
#include "graphs/sun_graphs.h"

namespace {

using P = const CommandParams&;
using C = const SkyContext&;

// Adapters from a command's parameters to its generator's, as the command
// table lists them.
template <int (*graph)(Surface&, const GraphStyle&, int, const SkyContext&)>
int year_and_place(Surface& s, const GraphStyle& g, P p, C sky) {
    return graph(s, g, p.year, sky);
}
// The planet graphs of a year take the planets without the Moon and the Earth.
template <int (*graph)(Surface&, const GraphStyle&, int, BodySet, const SkyContext&)>
int year_and_planets(Surface& s, const GraphStyle& g, P p, C sky) {
    return graph(s, g, p.year, p.planet_set & PLANETS, sky);
}
int jupiter_moons(Surface& s, const GraphStyle& g, P p, C sky) {
    return jupiter_moons_graph(s, g, p.year, p.month, p.moon_set, p.number_moons != 0, sky);
}
int planet_distance(Surface& s, const GraphStyle& g, P p, C sky) {
    return planet_distance_graph(s, g, p.year, p.planet_set, p.distance_from_sun, sky);
}
int planet_angle(Surface& s, const GraphStyle& g, P p, C sky) {
    return planet_angle_graph(s, g, p.year, p.month, sky, p.main_planet, p.planet_set);
}
int moon_illumination(Surface& s, const GraphStyle& g, P p, C sky) {
    return moon_illumination_graph(s, g, p.year, p.month, sky);
}
int eclipses(Surface& s, const GraphStyle& g, P p, C sky) {
    return eclipses_graph(s, g, p.year, p.end_year, sky);
}

struct GraphEntry {
    int command;
    GraphGenerator generator;
};
constexpr GraphEntry GRAPHS[] = {
    {CMD_JUPITER_MOONS_GRAPH, jupiter_moons},
    {CMD_PLANET_ORBIT, year_and_planets<planet_orbit_graph>},
    {CMD_PLANET_MAGNITUDE, year_and_planets<planet_magnitude_graph>},
    {CMD_PLANET_ILLUMINATION, year_and_planets<planet_illumination_graph>},
    {CMD_PLANET_DIAMETER, year_and_planets<planet_diameter_graph>},
    {CMD_PLANET_DISTANCE, planet_distance},
    {CMD_PLANET_ANGLE, planet_angle},
    {CMD_EQUATION_OF_TIME, year_and_place<equation_of_time_graph>},
    {CMD_DAY_LENGTH, year_and_place<day_length_graph>},
    {CMD_SUN_ANGLE, year_and_place<sun_angle_graph>},
    {CMD_ANALEMMA, year_and_place<analemma_graph>},
    {CMD_SUNRISE, year_and_place<sunrise_graph>},
    {CMD_MOON_SPEED, year_and_place<moon_angular_speed_graph>},
    {CMD_MOON_ILLUMINATION, moon_illumination},
    {CMD_ECLIPSES_GRAPH, eclipses},
};

SurfaceColor surface_color_of(Rgb c) { return surface_color(c.red, c.green, c.blue); }

}  // namespace

GraphGenerator find_graph_generator(int command) {
    for (const GraphEntry& g : GRAPHS)
        if (g.command == command) return g.generator;
    return nullptr;
}

GraphStyle current_graph_style(bool grid_lines) {
    GraphStyle style;
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) style.colors[i] = surface_color_of(color_of(i));
    style.grid_lines = grid_lines;
    return style;
}

int draw_command_graph(int command, Surface& surface, int width, int height, const GraphStyle& style) {
    GraphGenerator generator = find_graph_generator(command);
    if (!generator) return 0;
    // The whole surface in the window colour, the strip beside a 4:3 picture too.
    setup_drawing(surface, DRAWING_TEXT, width, height, &style);
    fill_rect(surface, 0, 0, width, height, style.background, style.background);
    setup_drawing(surface, DRAWING_GRAPH, width, height, &style);
    const AppState& app = app_state();
    return generator(surface, style, app.params, app.sky);
}
