// A long report made in the window and on the command line: Lunar Eclipses
// for 1000-3000 (2001 phase tables, about 30 000 lines), Greenwich.  In the
// window (offscreen) the report view shows the lines and the progress line
// while the report grows and the message pump runs between steps; on the
// command line the report only fills the document.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/commands.h"
#include "app/window/window.h"
#include "platform/files.h"

namespace {

const Location GREENWICH{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.4778, 0.0014, 0.0, 46};

void long_report_params() {
    CommandParams& p = app_state().params;
    p.year = 1000;
    p.end_year = 3000;
}

void BM_LongReport_Window(benchmark::State& state) {
    set_data_folder(SKYLOOM_BUILD_DIR);
    open_main_window(&GREENWICH);
    QApplication::processEvents();
    for (auto _ : state) {
        long_report_params();
        dispatch_command(CMD_LUNAR_ECLIPSES);
        QApplication::processEvents();
        benchmark::DoNotOptimize(app_state().report.line_count);
    }
    release_main_window();
    set_data_folder("");
}
BENCHMARK(BM_LongReport_Window)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LongReport_CommandLine(benchmark::State& state) {
    app_state().sky.location = GREENWICH;
    for (auto _ : state) {
        long_report_params();
        dispatch_command(CMD_LUNAR_ECLIPSES);
        benchmark::DoNotOptimize(app_state().report.line_count);
    }
}
BENCHMARK(BM_LongReport_CommandLine)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
