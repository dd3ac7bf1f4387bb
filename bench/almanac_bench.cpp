// The whole Almanac of a year (all fourteen reports into one document), as
// the Almanac command runs it.
#include <benchmark/benchmark.h>

#include "app/commands.h"

namespace {

void accept_dialog(DialogId, CommandParams& params) { params.cancelled = false; }

void BM_AlmanacWholeYear(benchmark::State& state) {
    ShellHooks hooks;
    hooks.run_dialog = accept_dialog;
    set_shell_hooks(hooks);
    AppState& app = app_state();
    app.sky.location.name = "Greenwich";
    app.sky.location.latitude = 51.4778;
    app.sky.location.longitude = 0.0014;
    app.params.year = 2026;
    app.params.month = 1;
    app.params.end_month = 12;
    for (auto _ : state) {
        dispatch_command(CMD_ALMANAC);
        benchmark::DoNotOptimize(app.report.line_count);
    }
    state.counters["lines"] = app.report.line_count;
}
BENCHMARK(BM_AlmanacWholeYear)->Unit(benchmark::kMillisecond);

}  // namespace
