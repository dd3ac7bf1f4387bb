// The whole Almanac of a year (all fourteen reports into one document), as
// the Almanac command runs it, with either engine.
#include <benchmark/benchmark.h>

#include "app/commands.h"
#include "engine/precise/precise_engine.h"

namespace {

void accept_dialog(DialogId, CommandParams& params) { params.cancelled = false; }

// The Almanac's parameters at Greenwich, its dialog accepted as it stands.
AppState& almanac_setup(const SkyEngine& engine) {
    ShellHooks hooks;
    hooks.run_dialog = accept_dialog;
    set_shell_hooks(hooks);
    AppState& app = app_state();
    app.sky.location.name = "Greenwich";
    app.sky.location.latitude = 51.4778;
    app.sky.location.longitude = 0.0014;
    app.sky.engine = &engine;
    app.params.year = 2026;
    app.params.month = 1;
    app.params.end_month = 12;
    return app;
}

void BM_AlmanacWholeYear(benchmark::State& state) {
    AppState& app = almanac_setup(CLASSICAL_ENGINE);
    for (auto _ : state) {
        dispatch_command(CMD_ALMANAC);
        benchmark::DoNotOptimize(app.report.line_count);
    }
    state.counters["lines"] = app.report.line_count;
}
BENCHMARK(BM_AlmanacWholeYear)->Unit(benchmark::kMillisecond);

// The same on London's clock (Europe/London): every time and day boundary
// through the zone database.
void BM_AlmanacWholeYearZoned(benchmark::State& state) {
    AppState& app = almanac_setup(CLASSICAL_ENGINE);
    app.sky.location.zone = "Europe/London";
    for (auto _ : state) {
        dispatch_command(CMD_ALMANAC);
        benchmark::DoNotOptimize(app.report.line_count);
    }
    state.counters["lines"] = app.report.line_count;
    app.sky.location.zone.clear();
}
BENCHMARK(BM_AlmanacWholeYearZoned)->Unit(benchmark::kMillisecond);

// The precise engine, a new year each time, so that nothing the engine keeps
// from the last run (the Earth, the frames, the phase table of a year) is of use.
void BM_PreciseAlmanacWholeYear(benchmark::State& state) {
    AppState& app = almanac_setup(PRECISE_ENGINE);
    int year = 2026;
    for (auto _ : state) {
        app.params.year = year;
        year = year == 2226 ? 2026 : year + 1;
        dispatch_command(CMD_ALMANAC);
        benchmark::DoNotOptimize(app.report.line_count);
    }
    state.counters["lines"] = app.report.line_count;
    app.sky.engine = &CLASSICAL_ENGINE;
}
BENCHMARK(BM_PreciseAlmanacWholeYear)->Unit(benchmark::kMillisecond);

}  // namespace
