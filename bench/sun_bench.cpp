// Timings of the Sun and of the coordinate transforms it rests on.
#include <benchmark/benchmark.h>

#include "engine/angles.h"
#include "engine/classical/sun.h"

namespace {

Location bench_location() {
    Location l;
    l.latitude = 51.4778;
    l.longitude = 0.0014;
    return l;
}

// A new instant on every call, so the one-entry cache never answers.
void BM_SunPositionComputed(benchmark::State& state) {
    double hours = 0.0;
    double ra, dec, longitude, distance, semidiameter, mean_anomaly;
    for (auto _ : state) {
        hours = hours >= 23.0 ? 0.0 : hours + 0.001;
        sun_position(hours, 15, 6, 2000, 1, ra, dec, longitude, distance, semidiameter, mean_anomaly);
        benchmark::DoNotOptimize(ra);
        benchmark::DoNotOptimize(longitude);
    }
}
BENCHMARK(BM_SunPositionComputed);

// The same instant again: answered from the cache.
void BM_SunPositionCached(benchmark::State& state) {
    double ra, dec, longitude, distance, semidiameter, mean_anomaly;
    for (auto _ : state) {
        sun_position(7.25, 15, 6, 2000, 1, ra, dec, longitude, distance, semidiameter, mean_anomaly);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_SunPositionCached);

void BM_SeasonInstants(benchmark::State& state) {
    int year = 1900;
    JulianDay jd[4];
    for (auto _ : state) {
        year = year >= 2100 ? 1900 : year + 1;
        season_instants(year, jd);
        benchmark::DoNotOptimize(jd[3]);
    }
}
BENCHMARK(BM_SeasonInstants);

void BM_EquationOfTime(benchmark::State& state) {
    int day = 1;
    for (auto _ : state) {
        day = day >= 28 ? 1 : day + 1;
        benchmark::DoNotOptimize(equation_of_time(day, 2, 2000));
    }
}
BENCHMARK(BM_EquationOfTime);

void BM_Nutation(benchmark::State& state) {
    double delta_psi, delta_epsilon;
    for (auto _ : state) {
        nutation(0.0, 10, 4, 1987, delta_psi, delta_epsilon);
        benchmark::DoNotOptimize(delta_psi);
    }
}
BENCHMARK(BM_Nutation);

void BM_EclipticToEquatorial(benchmark::State& state) {
    double ra, dec;
    for (auto _ : state) {
        ecliptic_to_equatorial(12.0, 1, 1, 2000, 113.21563, 6.68417, true, ra, dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_EclipticToEquatorial);

void BM_EquatorialToHorizontal(benchmark::State& state) {
    const Location where = bench_location();
    double azimuth, altitude;
    for (auto _ : state) {
        equatorial_to_horizontal(19.35, 23.1546, -6.72, 10, 4, 1987, azimuth, altitude, where);
        benchmark::DoNotOptimize(azimuth);
    }
}
BENCHMARK(BM_EquatorialToHorizontal);

void BM_SolveKepler(benchmark::State& state) {
    const double e = static_cast<double>(state.range(0)) / 1000.0;
    for (auto _ : state) benchmark::DoNotOptimize(solve_kepler(5.0, e));
}
BENCHMARK(BM_SolveKepler)->Arg(17)->Arg(100)->Arg(967);

}  // namespace
