// Timings of planetarium frames on a 1000 x 750 off-screen image: the first
// frame (every body and every star's apparent place computed) and a steady
// frame (every star placed, one body recomputed), without and with jet
// trails.  A frame must fit well inside the 250 ms tick.  A long
// run of 10 000 frames with trails reports the resident memory it added.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "movies/movie.h"
#include "movies/star_catalogue.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

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
    ensure_gui_session();
    // The catalogue shipped in the source tree's data folder, beside this one.
    const auto file = std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "STARS.DAT";
    StarCatalogue* catalogue = load_star_catalogue_file(file.string());
    if (!catalogue) {
        state.SkipWithError("no STARS.DAT");
        return;
    }
    MovieParams params;
    params.day = 20, params.month = 3, params.year = 2024, params.hour = 21;
    MovieState movie;
    start_movie(movie, MOVIE_PLANETARIUM, params, catalogue);
    movie.seconds_per_tick = 0.25;
    movie.jet_trails = jet_trails;
    SkyContext sky;
    sky.view_angle = 90.0;
    sky.time_speed = 64;
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
    free_star_catalogue(catalogue);
}

BENCHMARK_CAPTURE(planetarium_frames, FirstFrame, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(planetarium_frames, SteadyFrame, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(planetarium_frames, SteadyFrameTrails, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(planetarium_frames, TenThousandFramesTrails, true, true)
    ->Iterations(10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
