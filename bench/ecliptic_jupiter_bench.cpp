// Timings of one steady frame of each ecliptic and Jupiter moons view on a
// 1000 x 750 off-screen image, all bodies and moons shown, labels and jet
// trails on.  A frame must fit well inside the 250 ms tick.
#include <benchmark/benchmark.h>

#include "movies/ecliptic.h"
#include "movies/jupiter_moons_movie.h"
#include "movies/movie.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

namespace {

void ecliptic_jupiter_frames(benchmark::State& state, int command) {
    ensure_gui_session();
    CommandParams params;
    params.day = 20, params.month = 3, params.year = 2024, params.hour = 21;
    MovieState movie;
    start_movie(movie, command, params, nullptr);
    movie.jet_trails = true;
    SkyContext sky;
    sky.view_angle = 30.0;
    sky.time_speed = 8;
    auto surface = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
    const GraphStyle style;
    const bool ecliptic = command == CMD_ECLIPTIC_TOP || command == CMD_ECLIPTIC_SIDE;
    const auto frame_function = ecliptic ? ecliptic_frame : jupiter_moons_frame;
    std::uint32_t frame = 0;
    for (auto _ : state) frame_function(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame++);
}

BENCHMARK_CAPTURE(ecliptic_jupiter_frames, EclipticTop, CMD_ECLIPTIC_TOP)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ecliptic_jupiter_frames, EclipticSide, CMD_ECLIPTIC_SIDE)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ecliptic_jupiter_frames, JupiterMoonsSide, CMD_JUPITER_MOONS_SIDE)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ecliptic_jupiter_frames, JupiterMoonsTop, CMD_JUPITER_MOONS_TOP)->Unit(benchmark::kMillisecond);

}  // namespace
