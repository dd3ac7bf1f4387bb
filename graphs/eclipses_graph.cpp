// The Eclipses graph: one row per year, a dot at each eclipse's maximum.
#include "graphs/eclipses_graph.h"

#include "engine/clock.h"
#include "engine/bodies.h"
#include "format/format.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

int eclipses_graph(Surface& surface, const GraphStyle& style, int start_year, int stop_year,
                   const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const int cw = char_width(surface);
    const int lh = line_height(surface);
    GraphFrame frame = make_graph_frame(surface, 10, 4, start_year);
    // Units between year rows: the first year on the bottom edge, the last on the top.
    const double row_step =
        stop_year == start_year ? 0.0 : static_cast<double>(frame.height) / (stop_year - start_year);
    auto row_y = [&](int year) { return static_cast<int>((year - start_year) * row_step + frame.y0); };

    draw_frame(surface, frame.x0, frame.y0 + frame.height, frame.x0 + frame.width, frame.y0, false,
               style.colors[STYLE_WINDOW_TEXT]);
    draw_graph_caption(surface, frame, title_top(surface, 1, lh), graph_text(STR_ECLIPSES_GRAPH_TITLE, start_year, stop_year));
    draw_graph_caption(surface, frame, 2 * lh, load_string(STR_MONTH_CAPTION));
    draw_value_caption(surface, frame, 9, load_string(STR_YEAR_CAPTION));
    // A rule and a label for the first year and then for each year at least a
    // line height above the last labelled one, so that labels never overlap.
    int labelled_y = 0;
    for (int year = start_year; year <= stop_year; ++year) {
        const int y = row_y(year);
        if (year != start_year && y - labelled_y < lh) continue;
        draw_value_rule(surface, style, frame, y, format_fixed(year, 4, 0), frame.x0 - 3 * cw);
        labelled_y = y;
    }

    for (int year = start_year; year <= stop_year; ++year) {
        set_graph_period(frame, year);  // each year's dots on its own calendar
        if (year == start_year) draw_month_axis(surface, style, year, frame);
        if (graph_stopped()) return 1;
        // The eclipses of the local year, the lunar ones drawn first.
        const EclipseSearch found = engine.eclipses(clock_day_start(location, 1, 1, year),
                                                    clock_day_start(location, 1, 1, year + 1), nullptr, nullptr);
        if (graph_stopped()) return 1;
        const int y = row_y(year);
        for (int kind : {LUNAR_ECLIPSE, SOLAR_ECLIPSE}) {
            for (const EclipseCircumstances& eclipse : found.events) {
                if (eclipse.kind != kind) continue;
                fill_disc(surface, style, date_to_x(frame.x0, frame.width, frame.days, eclipse.jd_max, frame.start),
                          y, cw / 2, kind == LUNAR_ECLIPSE ? id_of(Body::Moon) : id_of(Body::Sun), -1, false);
            }
        }
    }
    return 0;
}
