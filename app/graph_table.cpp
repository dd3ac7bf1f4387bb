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
    return draw_graph(generator, surface, style);
}

int draw_graph(GraphGenerator generator, Surface& surface, const GraphStyle& style) {
    const AppState& app = app_state();
    const int stopped = generator(surface, style, app.params, app.sky);
    if (!stopped && app.sky.engine->precise)
        draw_engine_caption(surface, style, load_string(STR_PRECISE_CALCULATIONS));
    return stopped;
}
