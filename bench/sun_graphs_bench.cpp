// Timings of the Sun graphs, each drawn whole on a 1000 x 750 off-screen image
// (the size of a PNG written by the command line).
#include <benchmark/benchmark.h>

#include "graphs/sun_graphs.h"
#include "bench/bench_support.h"

namespace {

using SunGraph = int (*)(Surface&, const GraphStyle&, int, const SkyContext&);

void draw_sun_graph(benchmark::State& state, SunGraph graph) {
    GraphStyle style;
    style.colors[0] = surface_color(255, 0, 0);
    Location greenwich;
    greenwich.latitude = 51.4778;
    greenwich.longitude = 0.0014;
    draw_graph_benchmark(state, style,
                         [&](Surface& s, const GraphStyle& g) { return graph(s, g, 2024, SkyContext(greenwich)); });
}

BENCHMARK_CAPTURE(draw_sun_graph, EquationOfTime, equation_of_time_graph)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(draw_sun_graph, DayLength, day_length_graph)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(draw_sun_graph, SunAngle, sun_angle_graph)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(draw_sun_graph, Analemma, analemma_graph)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(draw_sun_graph, Sunrise, sunrise_graph)->Unit(benchmark::kMillisecond);

}  // namespace
