#pragma once
// What several benchmarks share: a graph drawn whole on a 1000 x 750 image,
// and a planetarium movie started on the catalogue of the source tree.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "movies/movie.h"
#include "movies/star_catalogue.h"
#include "platform/message_pump.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

// Draws a graph whole on a fresh 1000 x 750 image each iteration.  A stop or
// repaint request left by an earlier benchmark would cut the graph short and
// time a fraction of it: the requests are cleared first, and a graph that
// still reports being stopped ends the benchmark with an error.
inline void draw_graph_benchmark(benchmark::State& state, const GraphStyle& style,
                                 const std::function<int(Surface&, const GraphStyle&)>& graph) {
    ensure_gui_session();
    work_signals() = WorkSignals{};
    for (auto _ : state) {
        auto image = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
        setup_drawing(*image, DRAWING_GRAPH, GRAPH_WIDTH, GRAPH_HEIGHT, &style);
        fill_rect(*image, 0, GRAPH_HEIGHT, GRAPH_WIDTH, 0, style.background, style.background);
        if (graph(*image, style) != 0) {
            state.SkipWithError("the graph was stopped before its end");
            break;
        }
    }
}

// A planetarium movie of the shipped STARS.DAT (from the source tree's data
// folder), 250 ms a tick, a 90-degree view.
struct PlanetariumBench {
    std::unique_ptr<StarCatalogue> catalogue;
    MovieState movie;
    SkyContext sky;
};
// Starts the movie in bench; false, with the benchmark marked skipped, when
// the catalogue cannot be read.
inline bool start_planetarium_bench(benchmark::State& state, PlanetariumBench& bench, const MovieParams& params,
                                    int time_speed) {
    ensure_gui_session();
    const auto file = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "STARS.DAT";
    bench.catalogue = load_star_catalogue_file(file.string());
    if (!bench.catalogue) {
        state.SkipWithError("no STARS.DAT");
        return false;
    }
    start_movie(bench.movie, MOVIE_PLANETARIUM, params, bench.catalogue.get());
    bench.movie.seconds_per_tick = 0.25;
    bench.sky.view_angle = 90.0;
    bench.sky.time_speed = time_speed;
    return true;
}
