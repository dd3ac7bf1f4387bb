// The Moon's routines: the full position (125 periodic terms plus the Sun and
// the equatorial conversion), the distance alone, and one phase instant.
#include <benchmark/benchmark.h>

#include "engine/classical/moon.h"

namespace {

// Steps through a month hour by hour so that the Sun's one-entry cache
// misses as it does in a graph or a table.
void BM_MoonPosition(benchmark::State& state) {
    int step = 0;
    for (auto _ : state) {
        double longitude, latitude, parallax, semidiameter, illuminated, shadow_u, ra, dec;
        moon_position(step % 24, 1 + step / 24 % 28, 3, 2026, longitude, latitude, parallax,
                      semidiameter, illuminated, shadow_u, ra, dec);
        benchmark::DoNotOptimize(longitude);
        benchmark::DoNotOptimize(dec);
        ++step;
    }
}
BENCHMARK(BM_MoonPosition);

void BM_MoonDistanceKm(benchmark::State& state) {
    int step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(moon_distance_km(step % 24, 1 + step / 24 % 28, 3, 2026));
        ++step;
    }
}
BENCHMARK(BM_MoonDistanceKm);

// One year of the phase search: 4 phases times 13 lunations.
void BM_MoonPhaseInstantYear(benchmark::State& state) {
    for (auto _ : state) {
        for (int lunation = 0; lunation < 13; ++lunation) {
            for (int phase = NEW_MOON; phase <= LAST_QUARTER; ++phase) {
                double f, m, mp, t, jd_mean, jd_true;
                moon_phase_instant(2026.0 + lunation / 12.3685, phase, f, m, mp, t, jd_mean, jd_true);
                benchmark::DoNotOptimize(jd_true);
            }
        }
    }
}
BENCHMARK(BM_MoonPhaseInstantYear);

}  // namespace
