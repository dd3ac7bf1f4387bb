// One planetarium frame drawn and written as a PNG file, 1000 x 750, both
// ways in one run: before, through Qt's writer at zlib level 1 (which lets
// libpng choose among all five row filters on every row); after, through
// save_png (libpng called directly: the UP filter on every row, zlib level 1).
// The counter file_KB is the written file's size.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <filesystem>

#include "bench/bench_support.h"

namespace {

enum class PngWriter { QtImageWriter, Libpng };

void frame_drawn_and_written(benchmark::State& state, PngWriter writer) {
    MovieParams params;
    params.day = 15, params.month = 1, params.year = 2026, params.hour = 21;
    PlanetariumBench bench;
    if (!start_planetarium_bench(state, bench, params, 1)) return;
    MovieState& movie = bench.movie;
    SkyContext& sky = bench.sky;
    auto surface = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
    const GraphStyle style;
    QTemporaryDir folder;
    const std::string path = folder.filePath("frame.png").toStdString();
    std::uint32_t frame = 0;
    draw_movie_frame(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame++);
    for (auto _ : state) {
        draw_movie_frame(*surface, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, style, frame++);
        if (writer == PngWriter::Libpng) {
            save_png(*surface, path);
        } else {
            QImageWriter qt_writer(QString::fromStdString(path), "PNG");
            qt_writer.setCompression(20);  // Qt's 0..100 scale: zlib level 1
            qt_writer.write(*surface_image(*surface));
        }
    }
    state.counters["file_KB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
}

BENCHMARK_CAPTURE(frame_drawn_and_written, Before_QtImageWriter, PngWriter::QtImageWriter)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame_drawn_and_written, After_Libpng, PngWriter::Libpng)->Unit(benchmark::kMillisecond);

}  // namespace
