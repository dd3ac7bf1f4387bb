// The Greatest Elongations and Close Approaches reports over ten years
// (2021-2030) at Greenwich, by the classical engine (argument 0) and the
// precise one (1): Greatest Elongations as one report of ten years, Close
// Approaches as ten reports of a year each (its dialog's range), Mercury to
// Saturn with the Moon, with each occultation's contacts timed.
#include <benchmark/benchmark.h>

#include "engine/close_events.h"
#include "engine/precise/precise_engine.h"
#include "reports/close_event_reports.h"

namespace {

const Location GREENWICH{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.4778, 0.0014, 0.0, 46};

SkyContext context_of(const benchmark::State& state) {
    SkyContext sky(GREENWICH);
    sky.engine = state.range(0) == 1 ? &PRECISE_ENGINE : &CLASSICAL_ENGINE;
    return sky;
}

void BM_ElongationsReport10Years(benchmark::State& state) {
    const SkyContext sky = context_of(state);
    for (auto _ : state) {
        ReportDocument document;
        elongations_report(document, 0, false, 2021, 2030, sky);
        benchmark::DoNotOptimize(document.line_count);
    }
}
BENCHMARK(BM_ElongationsReport10Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CloseApproachesReport10Years(benchmark::State& state) {
    const SkyContext sky = context_of(state);
    for (auto _ : state) {
        int lines = 0;
        for (int year = 2021; year <= 2030; ++year) {
            ReportDocument document;
            close_approaches_report(document, 0, false, year, 1, 12, CLOSE_APPROACH_PLANETS, sky);
            lines += document.line_count;
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_CloseApproachesReport10Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
