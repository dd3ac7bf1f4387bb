// The Moon, Jupiter-moons and Eclipses graphs, each drawn onto a 1000 x 750
// image as the window's snapshot or a PNG file would be (the eclipses over a
// thousand years: a phase table and eclipse search per year).
#include <benchmark/benchmark.h>

#include <functional>

#include "graphs/eclipses_graph.h"
#include "graphs/moon_graphs.h"
#include "bench/bench_support.h"

namespace {

const Location GREENWICH{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.4778, 0.0014, 0.0, 46};

void draw_graph(benchmark::State& state, const std::function<int(Surface&, const GraphStyle&)>& graph) {
    GraphStyle style;
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) style.colors[i] = surface_color(12 * i, 128, 255 - 12 * i);
    draw_graph_benchmark(state, style, graph);
}

void BM_MoonAngularSpeedGraph(benchmark::State& state) {
    draw_graph(state, [](Surface& s, const GraphStyle& g) { return moon_angular_speed_graph(s, g, 2026, SkyContext(GREENWICH)); });
}
void BM_MoonIlluminationGraph(benchmark::State& state) {
    draw_graph(state, [](Surface& s, const GraphStyle& g) { return moon_illumination_graph(s, g, 2026, 3, SkyContext(GREENWICH)); });
}
void BM_JupiterMoonsGraph(benchmark::State& state) {
    draw_graph(state, [](Surface& s, const GraphStyle& g) {
        return jupiter_moons_graph(s, g, 2026, 3, MOON_SET_IO | MOON_SET_EUROPA | MOON_SET_GANYMEDE | MOON_SET_CALLISTO,
                                   true, SkyContext(GREENWICH));
    });
}
void BM_EclipsesGraph1000Years(benchmark::State& state) {
    draw_graph(state, [](Surface& s, const GraphStyle& g) { return eclipses_graph(s, g, 1500, 2499, SkyContext(GREENWICH)); });
}
BENCHMARK(BM_MoonAngularSpeedGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoonIlluminationGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JupiterMoonsGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EclipsesGraph1000Years)->Unit(benchmark::kMillisecond);

}  // namespace
