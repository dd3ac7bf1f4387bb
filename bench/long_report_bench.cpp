// A long report made in the window and on the command line: Lunar Eclipses
// for 1000-3000 (2001 phase tables, about 30 000 lines), Greenwich, by the
// classical engine (argument 0) and the precise one (1).  In the
// window (offscreen) the report view shows the lines and the progress line
// while the report grows and the message pump runs between steps; on the
// command line the report only fills the document.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/commands.h"
#include "platform/files.h"
// bench/before_after.sh builds this file in older trees too, some of which
// have no precise engine: there only the classical runs exist; in those
// before the window moved up beside cli/, the window is in app/window/.
#if __has_include("engine/precise/precise_engine.h")
#include "engine/precise/precise_engine.h"
#define SKYLOOM_ENGINES ->Arg(0)->Arg(1)
#else
#define SKYLOOM_ENGINES ->Arg(0)
#endif
#if __has_include("window/window.h")
#include "window/window.h"
#else
#include "app/window/window.h"
#endif

namespace {

#if __has_include("engine/precise/precise_engine.h")
void use_engine(bool precise) { app_state().sky.engine = precise ? &PRECISE_ENGINE : &CLASSICAL_ENGINE; }
#else
void use_engine(bool) {}
#endif

const Location GREENWICH{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.4778, 0.0014, 0.0, 46};

// The year range, and the engine: classical (argument 0) or precise (1).
void long_report_params(const benchmark::State& state) {
    CommandParams& p = app_state().params;
    p.year = 1000;
    p.end_year = 3000;
    use_engine(state.range(0) == 1);
}

void BM_LongReport_Window(benchmark::State& state) {
    set_data_folder(SKYLOOM_BUILD_DIR);
    open_main_window(&GREENWICH);
    QApplication::processEvents();
    for (auto _ : state) {
        long_report_params(state);
        dispatch_command(CMD_LUNAR_ECLIPSES);
        QApplication::processEvents();
        benchmark::DoNotOptimize(app_state().report.line_count);
    }
    release_main_window();
    set_data_folder("");
    use_engine(false);
}
BENCHMARK(BM_LongReport_Window) SKYLOOM_ENGINES->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LongReport_CommandLine(benchmark::State& state) {
    app_state().sky.location = GREENWICH;
    for (auto _ : state) {
        long_report_params(state);
        dispatch_command(CMD_LUNAR_ECLIPSES);
        benchmark::DoNotOptimize(app_state().report.line_count);
    }
    use_engine(false);
}
BENCHMARK(BM_LongReport_CommandLine) SKYLOOM_ENGINES->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
