// Local clock times: a year of events (two a day, as the Calendar's sunrises
// and sunsets) turned into clock readings and day starts, on a fixed offset
// and on a zone of the system's database (Europe/London, two changes a year).
#include <benchmark/benchmark.h>

#include "engine/calendar.h"
#include "engine/clock.h"

namespace {

Location clock_place(bool zoned) {
    Location place;
    place.time_zone = 0.0;
    if (zoned) place.zone = "Europe/London";
    return place;
}

void BM_ClockYearOfEvents(benchmark::State& state) {
    const Location place = clock_place(state.range(0) != 0);
    const JulianDay first = julian_day(1, 1, 2026);
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < 730; ++i) sum += ut_to_clock(place, first + i * 0.5 + 0.27);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["events"] = 730;
}
BENCHMARK(BM_ClockYearOfEvents)->Arg(0)->Arg(1)->ArgName("zone");

void BM_ClockYearOfDayStarts(benchmark::State& state) {
    const Location place = clock_place(state.range(0) != 0);
    for (auto _ : state) {
        double sum = 0.0;
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= days_in_month(month, 2026); ++day) sum += clock_day(place, day, month, 2026).start_ut;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ClockYearOfDayStarts)->Arg(0)->Arg(1)->ArgName("zone");

}  // namespace
