#include "app/graph_table.h"

#include "app/colors.h"
#include "app/commands.h"
#include "graphs/graph_frame.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

SurfaceColor surface_color_of(Rgb c) { return surface_color(c.red, c.green, c.blue); }

}  // namespace

GraphGenerator find_graph_generator(int command) {
    const CommandEntry* c = find_command(command);
    return c ? c->graph : nullptr;
}

bool is_dark_color(SurfaceColor color) {
    const int red = color >> 16 & 0xFF, green = color >> 8 & 0xFF, blue = color & 0xFF;
    return 299 * red + 587 * green + 114 * blue < 1000 * 128;
}

GraphStyle current_graph_style(bool grid_lines, SurfaceColor background, ColorScheme scheme) {
    GraphStyle style;
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) style.colors[i] = surface_color_of(color_of(i));
    style.grid_lines = grid_lines;
    style.background = background;
    if (scheme == ColorScheme::NightSky || (scheme == ColorScheme::Automatic && is_dark_color(background))) {
        style.background = surface_color(0, 0, 0);
        style.colors[STYLE_WINDOW_TEXT] = surface_color(200, 200, 200);
        style.colors[STYLE_STARS] = surface_color(255, 255, 255);
        style.ground = surface_color(40, 30, 22);
        style.figure_lines = surface_color(62, 68, 100);
        style.figure_names = surface_color(150, 40, 40);
    }
    if (style.colors[STYLE_WINDOW_TEXT] == style.background)
        style.colors[STYLE_WINDOW_TEXT] = style.background ^ 0xFFFFFF;
    for (SurfaceColor& color : style.colors)
        if (color == style.background) color = style.colors[STYLE_WINDOW_TEXT];
    return style;
}

int draw_command_graph(int command, Surface& surface, int width, int height, const GraphStyle& style,
                       const CommandParams& params, const SkyContext& sky) {
    GraphGenerator generator = find_graph_generator(command);
    if (!generator) return 0;
    // The whole surface in the window colour, the strip beside a 4:3 picture too.
    setup_drawing(surface, DRAWING_TEXT, width, height, &style);
    fill_rect(surface, 0, 0, width, height, style.background, style.background);
    setup_drawing(surface, DRAWING_GRAPH, width, height, &style);
    return draw_graph(generator, surface, style, params, sky);
}

int draw_graph(GraphGenerator generator, Surface& surface, const GraphStyle& style, const CommandParams& params,
               const SkyContext& sky) {
    const int stopped = generator(surface, style, params, sky);
    if (!stopped && sky.engine->precise)
        draw_engine_caption(surface, style, load_string(STR_PRECISE_CALCULATIONS));
    return stopped;
}
