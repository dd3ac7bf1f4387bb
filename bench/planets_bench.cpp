// Timings of the planets, star places, topocentric places and magnitudes.
#include <benchmark/benchmark.h>

#include "engine/classical/planets.h"
#include "engine/classical/star_places.h"

namespace {

// One planet (the argument, 3-10) with or without the equatorial steps; a
// new instant on every call, so the Sun's one-entry cache never answers.
void planet_position_loop(benchmark::State& state, int want_equatorial) {
    const int body = static_cast<int>(state.range(0));
    double hours = 0.0;
    double ra, dec, distance, illuminated, elongation, latitude, longitude, radius;
    for (auto _ : state) {
        hours = hours >= 23.0 ? 0.0 : hours + 0.001;
        planet_position(body, hours, 15, 6, 2000, want_equatorial, ra, dec, distance, illuminated,
                        elongation, latitude, longitude, radius);
        benchmark::DoNotOptimize(ra);
        benchmark::DoNotOptimize(distance);
    }
}

void BM_PlanetPositionEquatorial(benchmark::State& state) { planet_position_loop(state, 1); }
BENCHMARK(BM_PlanetPositionEquatorial)->DenseRange(3, 10);

void BM_PlanetPositionHeliocentricOnly(benchmark::State& state) { planet_position_loop(state, 0); }
BENCHMARK(BM_PlanetPositionHeliocentricOnly)->DenseRange(3, 10);

void BM_PlutoHeliocentric(benchmark::State& state) {
    double jde = 2451545.0;
    double latitude, longitude, radius;
    for (auto _ : state) {
        jde += 0.01;
        pluto_heliocentric(jde, latitude, longitude, radius);
        benchmark::DoNotOptimize(longitude);
    }
}
BENCHMARK(BM_PlutoHeliocentric);

// The planetarium's per-star work: Sirius, epoch 2000, a new instant each call.
void BM_StarApparentPlace(benchmark::State& state) {
    double jd = 2460000.5;
    double ra, dec;
    for (auto _ : state) {
        jd += 0.0001;
        star_apparent_place(2000, 6.7525, -16.7161, jd, ra, dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_StarApparentPlace);

void BM_TopocentricPlace(benchmark::State& state) {
    Location palomar;
    palomar.latitude = 33.356;
    palomar.longitude = 116.8625;
    palomar.elevation = 1706;
    for (auto _ : state) {
        double ra = 22.6354, dec = -15.771;
        topocentric_place(palomar, 5, 0.37276, 0.0, 3.2833, 28, 8, 2003, ra, dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_TopocentricPlace);

void BM_PlanetMagnitude(benchmark::State& state) {
    double hours = 0.0;
    for (auto _ : state) {
        hours = hours >= 23.0 ? 0.0 : hours + 0.001;
        benchmark::DoNotOptimize(planet_magnitude(6, hours, 10, 1, 2026));
    }
}
BENCHMARK(BM_PlanetMagnitude);

}  // namespace
