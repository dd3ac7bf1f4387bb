// Rising and setting, and Jupiter's satellites.  The calendar report computes
// the Sun's and the Moon's rise and set for every day of a year; the Jupiter
// moons graph samples the satellites every three hours through a month.
#include <benchmark/benchmark.h>

#include "engine/calendar.h"
#include "engine/classical/jupiter_moons.h"
#include "engine/location.h"
#include "engine/classical/rising_setting.h"

namespace {

Location bench_location() {
    Location l;
    l.name = "Greenwich";
    l.latitude = 51.4769;
    l.latitude_hemisphere = COMPASS_NORTH;
    l.longitude = 0.0005;
    l.longitude_hemisphere = COMPASS_WEST;
    l.time_zone = 0.0;
    return l;
}

// One body on one date.
void BM_RiseSetOneDay(benchmark::State& state) {
    const int body = static_cast<int>(state.range(0));
    const Location location = bench_location();
    for (auto _ : state) {
        double rise = 0.0;
        double set = 0.0;
        rise_set(body, 15, 5, 2026, rise, set, location);
        benchmark::DoNotOptimize(rise);
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(BM_RiseSetOneDay)->Arg(0)->Arg(1)->Arg(6)->ArgName("body");

// The Sun's and the Moon's rise and set for every day of a year (730 calls),
// as the calendar report needs them.
void BM_RiseSetSunAndMoonYear(benchmark::State& state) {
    const Location location = bench_location();
    for (auto _ : state) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= days_in_month(month, 2026); ++day) {
                for (int body : {0, 1}) {
                    double rise = 0.0;
                    double set = 0.0;
                    rise_set(body, day, month, 2026, rise, set, location);
                    benchmark::DoNotOptimize(rise);
                    benchmark::DoNotOptimize(set);
                }
            }
        }
    }
}
BENCHMARK(BM_RiseSetSunAndMoonYear)->Unit(benchmark::kMillisecond);

// One moment of Jupiter's four satellites.
void BM_JupiterSatellites(benchmark::State& state) {
    JulianDay jd = julian_day(16.0, 12, 1992);
    for (auto _ : state) {
        const JupiterSatellites moons = jupiter_satellites(jd);
        benchmark::DoNotOptimize(moons);
        jd += 0.125;
    }
}
BENCHMARK(BM_JupiterSatellites);

// A month of three-hourly samples (248), as the Jupiter moons graph draws.
void BM_JupiterSatellitesMonth(benchmark::State& state) {
    const JulianDay start = julian_day(1.0, 12, 1992);
    for (auto _ : state) {
        for (double elapsed = 0.0; elapsed < 31.0; elapsed += 0.125) {
            const JupiterSatellites moons = jupiter_satellites(start + elapsed);
            benchmark::DoNotOptimize(moons);
        }
    }
}
BENCHMARK(BM_JupiterSatellitesMonth)->Unit(benchmark::kMicrosecond);

}  // namespace
