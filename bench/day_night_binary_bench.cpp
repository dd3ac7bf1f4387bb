// Timings of one day/night frame and one binary star frame on a 1000 x 750
// off-screen image, after the first frame (the map is stretched once).
// Targets: day/night under 5 ms, binary star under 2 ms.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "movies/binary_star.h"
#include "movies/day_night.h"
#include "movies/movie.h"
#include "platform/files.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

namespace {

using FrameFunction = void (*)(Surface&, int, int, MovieState&, SkyContext&, const GraphStyle&, std::uint32_t);

void movie_frames(benchmark::State& state, FrameFunction draw_frame, int command, bool jet_trails) {
    ensure_gui_session();
    // The world map shipped in the source tree's data folder, beside this one.
    set_data_folder((std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string());
    CommandParams params;
    params.day = 21, params.month = 6, params.year = 2024, params.hour = 12;
    params.binary_star = 8;
    params.binary_star_year = 1900;
    MovieState movie;
    start_movie(movie, command, params, nullptr);
    movie.jet_trails = jet_trails;
    SkyContext sky;
    sky.view_angle = 45.0;
    sky.time_speed = 1;
    sky.speed_index = DN_ONE_HOUR;
    auto surface = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
    const GraphStyle style;
    std::uint32_t frame = 0;
    draw_frame(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame++);
    for (auto _ : state) draw_frame(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame++);
    set_data_folder("");
}

BENCHMARK_CAPTURE(movie_frames, DayNightFrame, day_night_frame, CMD_DAY_NIGHT, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(movie_frames, BinaryStarFrame, binary_star_frame, CMD_BINARY_STAR, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(movie_frames, BinaryStarFrameTrails, binary_star_frame, CMD_BINARY_STAR, true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
