// The Calendar report for a whole year (January to December) at Greenwich:
// the phase table and eclipses of the year, the seasons, and the Sun's and the
// Moon's rise and set of every day, formatted into twelve month grids.
#include <benchmark/benchmark.h>

#include "reports/calendar_report.h"

namespace {

void BM_CalendarReportWholeYear(benchmark::State& state) {
    Location greenwich;
    greenwich.name = "Greenwich";
    greenwich.latitude = 51.4778;
    greenwich.longitude = 0.0014;
    greenwich.elevation = 46;
    for (auto _ : state) {
        ReportDocument document;
        calendar_report(document, 2, false, 1995, 1, 12, SkyContext(greenwich));
        benchmark::DoNotOptimize(document.line_count);
    }
}
BENCHMARK(BM_CalendarReportWholeYear)->Unit(benchmark::kMillisecond);

}  // namespace
