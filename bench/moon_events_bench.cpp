// The Moon's apsis refinement and node series, and the four reports built on
// them and on the Sun (one year each, into a fresh document).
#include <benchmark/benchmark.h>

#include "engine/classical/moon_events.h"
#include "reports/meteor_showers.h"
#include "reports/moon_reports.h"
#include "reports/twilight_report.h"

namespace {

// 47 hourly distances around the perigee of 2016 November 14.
void BM_MoonApsisRefine(benchmark::State& state) {
    const JulianDay t_day = julian_day(14, 11, 2016);
    for (auto _ : state) {
        benchmark::DoNotOptimize(moon_apsis_refine(t_day, MOON_PERIGEE).distance_km);
    }
}
BENCHMARK(BM_MoonApsisRefine);

// Both nodes of every lunation a Moon Nodes report evaluates (about 55).
void BM_MoonNodeYear(benchmark::State& state) {
    int k_first = 0;
    int k_last = 0;
    moon_node_k_range(2026, k_first, k_last);
    for (auto _ : state) {
        for (int k = k_first; k <= k_last; ++k) {
            benchmark::DoNotOptimize(moon_node_instant(k, ASCENDING_NODE, 2026));
            benchmark::DoNotOptimize(moon_node_instant(k, DESCENDING_NODE, 2026));
        }
    }
}
BENCHMARK(BM_MoonNodeYear);

Location bench_place() {
    Location l;
    l.name = "Greenwich";
    l.latitude = 51.478;
    return l;
}

using Generator = int (*)(ReportDocument&, int, bool, int, int, int, const SkyContext&);

void BM_ReportYear(benchmark::State& state, Generator generator) {
    for (auto _ : state) {
        ReportDocument document;
        benchmark::DoNotOptimize(generator(document, 11, false, 2026, 1, 12, SkyContext(bench_place())));
    }
}
BENCHMARK_CAPTURE(BM_ReportYear, moon_apsides, moon_apsides_report)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReportYear, moon_nodes, moon_nodes_report)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReportYear, meteor_showers, meteor_report)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReportYear, twilight, twilight_report)->Unit(benchmark::kMillisecond);

}  // namespace
