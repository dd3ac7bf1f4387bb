// Timings of planetarium frames on a 1000 x 750 off-screen image: the first
// frame (every body and every star's apparent place computed) and a steady
// frame (every star placed, one body recomputed), without and with jet
// trails.  A frame must fit well inside the 250 ms tick.  A long
// run of 10 000 frames with trails reports the resident memory it added.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

#include "bench/bench_support.h"

namespace {

// Resident set size of this process, MB (Linux /proc).
double resident_megabytes() {
    long pages_total = 0, pages_resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages_total, &pages_resident) != 2) pages_resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(pages_resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void planetarium_frames(benchmark::State& state, bool steady, bool jet_trails) {
    MovieParams params;
    params.day = 20, params.month = 3, params.year = 2024, params.hour = 21;
    PlanetariumBench bench;
    if (!start_planetarium_bench(state, bench, params, 64)) return;
    MovieState& movie = bench.movie;
    movie.jet_trails = jet_trails;
    SkyContext& sky = bench.sky;
    const StarCatalogue* catalogue = bench.catalogue.get();
    auto surface = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
    const GraphStyle style;
    std::uint32_t frame = 0;
    if (steady)
        for (; frame <= catalogue->stars.size(); ++frame)
            draw_movie_frame(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame);
    const double resident_before = resident_megabytes();
    for (auto _ : state) {
        draw_movie_frame(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame);
        if (steady) ++frame;
    }
    state.counters["added_MB"] = resident_megabytes() - resident_before;
}

BENCHMARK_CAPTURE(planetarium_frames, FirstFrame, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(planetarium_frames, SteadyFrame, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(planetarium_frames, SteadyFrameTrails, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(planetarium_frames, TenThousandFramesTrails, true, true)
    ->Iterations(10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
