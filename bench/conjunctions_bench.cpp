// Timings of the conjunction and opposition search and of the planet apsides.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/bodies.h"
#include "engine/classical/conjunctions.h"
#include "engine/classical/planet_apsides.h"

namespace {

void fill_year(int year, ConjunctionTable& table) {
    conjunction_window_init(julian_day(1, 1, year), julian_day(1, 1, year + 1), PLANETS, table);
    for (int d = 1; d <= table.day_count; ++d) conjunction_table_sample(d, table);
}

// The daily table of a leap year: 370 days x (the Sun + 8 planets).
void BM_ConjunctionTableYear(benchmark::State& state) {
    ConjunctionTable table;
    for (auto _ : state) {
        fill_year(2020, table);
        benchmark::DoNotOptimize(table.sun_longitude.data());
    }
}
BENCHMARK(BM_ConjunctionTableYear)->Unit(benchmark::kMillisecond);

// The refinements of every planet and pass of one year, on a table built once.
void BM_ConjunctionRefinementsYear(benchmark::State& state) {
    ConjunctionTable table;
    fill_year(2020, table);
    for (auto _ : state) {
        std::vector<ConjunctionEvent> events;
        for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body)
            for (int pass = PASS_CONJUNCTION; pass < conjunction_pass_count(body); ++pass)
                find_conjunctions_in(table, body, pass, table.start, table.start + table.day_count, events);
        benchmark::DoNotOptimize(events.data());
    }
}
BENCHMARK(BM_ConjunctionRefinementsYear)->Unit(benchmark::kMillisecond);

// One whole search: table and refinements of all planets for one year.
void BM_ConjunctionSearchYear(benchmark::State& state) {
    ConjunctionTable table;
    for (auto _ : state) {
        fill_year(2021, table);
        std::vector<ConjunctionEvent> events;
        for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body)
            for (int pass = PASS_CONJUNCTION; pass < conjunction_pass_count(body); ++pass)
                find_conjunctions_in(table, body, pass, table.start, table.start + table.day_count, events);
        benchmark::DoNotOptimize(events.data());
    }
}
BENCHMARK(BM_ConjunctionSearchYear)->Unit(benchmark::kMillisecond);

void BM_HeliocentricDistance(benchmark::State& state) {
    int body = 2;
    for (auto _ : state) {
        body = body >= 7 ? 2 : body + 1;
        benchmark::DoNotOptimize(heliocentric_distance(body, 6.5, 14, 3, 2020));
    }
}
BENCHMARK(BM_HeliocentricDistance);

}  // namespace
