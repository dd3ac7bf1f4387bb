// The six planet graphs, each drawn whole on a 1000 x 750 off-screen image (the
// size of a PNG written by the command line).
#include <benchmark/benchmark.h>

#include "engine/bodies.h"
#include "graphs/planet_graphs.h"
#include "bench/bench_support.h"

namespace {

template <typename Graph>
void draw_planet_graph(benchmark::State& state, Graph graph) {
    GraphStyle style;
    for (int i = 0; i < STYLE_COLOR_COUNT; ++i) style.colors[i] = surface_color(20 * i, 255 - 10 * i, 128);
    draw_graph_benchmark(state, style,
                         [&](Surface& s, const GraphStyle& g) { return graph(s, g, 2026, PLANETS, SkyContext{}); });
}

// Every graph of 2026 with every planet; the angles of March from Mars.
void BM_PlanetOrbitGraph(benchmark::State& state) { draw_planet_graph(state, planet_orbit_graph); }
void BM_PlanetMagnitudeGraph(benchmark::State& state) { draw_planet_graph(state, planet_magnitude_graph); }
void BM_PlanetIlluminationGraph(benchmark::State& state) { draw_planet_graph(state, planet_illumination_graph); }
void BM_PlanetDiameterGraph(benchmark::State& state) { draw_planet_graph(state, planet_diameter_graph); }
void BM_PlanetDistanceGraph(benchmark::State& state) {
    draw_planet_graph(state, [](Surface& s, const GraphStyle& g, int year, BodySet set, const SkyContext& sky) {
        return planet_distance_graph(s, g, year, set.with(Body::Earth), 1, sky);
    });
}
void BM_PlanetAngleGraph(benchmark::State& state) {
    draw_planet_graph(state, [](Surface& s, const GraphStyle& g, int year, BodySet set, const SkyContext& sky) {
        return planet_angle_graph(s, g, year, 3, sky, id_of(Body::Mars), set.without(Body::Mars));
    });
}
BENCHMARK(BM_PlanetOrbitGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanetMagnitudeGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanetIlluminationGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanetDiameterGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanetDistanceGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanetAngleGraph)->Unit(benchmark::kMillisecond);

}  // namespace
