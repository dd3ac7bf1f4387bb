// The eclipse search: one year's phase table, and the two eclipse reports
// over a thousand years (the phase tables dominate; each eclipse adds a rise
// and set of the Sun or the Moon).
#include <benchmark/benchmark.h>

#include "engine/sky_engine.h"
#include "reports/eclipse_reports.h"

namespace {

Location greenwich() {
    Location l;
    l.name = "Greenwich";
    l.latitude = 51.4778;
    l.longitude = 0.0014;
    return l;
}

void BM_PhaseTableAndEclipsesOfAYear(benchmark::State& state) {
    for (auto _ : state) {
        const EclipseSearch found =
            CLASSICAL_ENGINE.eclipses(julian_day(1, 1, 2026), julian_day(1, 1, 2027), nullptr, nullptr);
        benchmark::DoNotOptimize(found.events.size());
    }
}
BENCHMARK(BM_PhaseTableAndEclipsesOfAYear);

// Solar (0) and lunar (1) reports for 1500-2499, with progress shown.
void BM_EclipseReport1000Years(benchmark::State& state) {
    const Location location = greenwich();
    for (auto _ : state) {
        ReportDocument document;
        eclipse_report(document, 6, false, static_cast<int>(state.range(0)), 1500, 2499, SkyContext(location));
        benchmark::DoNotOptimize(document.line_count);
    }
}
BENCHMARK(BM_EclipseReport1000Years)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
