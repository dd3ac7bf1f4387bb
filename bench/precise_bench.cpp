// Timings of the precise engine (ERFA): places, rising and setting, and the
// event searches.
#include <benchmark/benchmark.h>

#include "engine/calendar.h"
#include "engine/local_eclipses.h"
#include "engine/location.h"
#include "engine/precise/eclipses.h"
#include "engine/precise/events.h"
#include "engine/precise/places.h"
#include "engine/precise/precise_engine.h"
#include "engine/precise/rise_set.h"
#include "reports/eclipse_reports.h"
#include "reports/seasons_easter.h"

namespace {

void BM_PrecisePlace(benchmark::State& state) {
    int body = static_cast<int>(state.range(0));
    double t = 2461041.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(precise::geocentric_place(body, t));
        t += 0.01;
    }
}
BENCHMARK(BM_PrecisePlace)->Arg(0)->Arg(1)->Arg(3)->Arg(10);

// Rising and setting of the Sun and the Moon on every day of a year (730 calls).
void BM_PreciseRiseSetYear(benchmark::State& state) {
    Location greenwich;
    greenwich.latitude = 51.4769;
    for (auto _ : state) {
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= days_in_month(month, 2026); ++day)
                for (int body : {0, 1})
                    benchmark::DoNotOptimize(precise::day_events(body, day, month, 2026, greenwich, false));
    }
}
BENCHMARK(BM_PreciseRiseSetYear)->Unit(benchmark::kMillisecond);

// The four seasons of a new year each time (1000-2999 in turn), so that
// nothing kept from an earlier call is of use.
void BM_PreciseSeasons(benchmark::State& state) {
    JulianDay jd[4];
    int year = 1000;
    for (auto _ : state) {
        precise::season_instants(year, jd);
        year = year == 2999 ? 1000 : year + 1;
        benchmark::DoNotOptimize(jd[0]);
    }
}
BENCHMARK(BM_PreciseSeasons)->Unit(benchmark::kMicrosecond);

// The long searches as the reports make them, 1500-2499 at Greenwich, the
// years worked out on all cores (wall time): Seasons (0), Solar Eclipses (1)
// and Lunar Eclipses (2).
void BM_PreciseLongReport1000Years(benchmark::State& state) {
    SkyContext sky(Location{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.4778, 0.0014, 0.0, 46});
    sky.engine = &PRECISE_ENGINE;
    for (auto _ : state) {
        ReportDocument document;
        if (state.range(0) == 0)
            seasons_report(document, 3, false, 1500, 2499, sky);
        else
            eclipse_report(document, 6, false, state.range(0) == 1 ? SOLAR_ECLIPSE : LUNAR_ECLIPSE, 1500, 2499, sky);
        benchmark::DoNotOptimize(document.line_count);
    }
}
BENCHMARK(BM_PreciseLongReport1000Years)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// One solar eclipse seen from a place, as each eclipse of the Solar Eclipses
// report is with the precise engine: 2026 August 12 from London (0: seen, the
// whole search) and from Sydney (1: outside the penumbra, the samples only).
void BM_PreciseLocalSolarEclipse(benchmark::State& state) {
    const Location london{"London", COMPASS_NORTH, COMPASS_WEST, 51.5074, 0.1278, 0.0, 25};
    const Location sydney{"Sydney", COMPASS_SOUTH, COMPASS_EAST, 33.8688, 151.2093, 10.0, 0};
    const Location& place = state.range(0) == 0 ? london : sydney;
    for (auto _ : state)
        benchmark::DoNotOptimize(local_solar_eclipse(PRECISE_ENGINE, place, 2461265.2403));
}
BENCHMARK(BM_PreciseLocalSolarEclipse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A new year each time (1000-2999 in turn): the phases kept by lunation are of no use.
void BM_PrecisePhasesAndEclipsesYear(benchmark::State& state) {
    int year = 1000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(precise::find_eclipses(julian_day(1, 1, year), julian_day(1, 1, year + 1)));
        year = year == 2999 ? 1000 : year + 1;
    }
}
BENCHMARK(BM_PrecisePhasesAndEclipsesYear)->Unit(benchmark::kMillisecond);

// Conjunctions and oppositions of Mercury ... Pluto over 1000 years (1500-2499).
void BM_PreciseConjunctions1000Years(benchmark::State& state) {
    for (auto _ : state)
        for (int body = 3; body <= 10; ++body)
            benchmark::DoNotOptimize(precise::planet_conjunctions(body, julian_day(1, 1, 1500), julian_day(1, 1, 2500)));
}
BENCHMARK(BM_PreciseConjunctions1000Years)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PreciseMoonApsidesAndNodesYear(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(precise::moon_apsides(julian_day(1, 1, 2026), julian_day(1, 1, 2027)));
        benchmark::DoNotOptimize(precise::moon_nodes(julian_day(1, 1, 2026), julian_day(1, 1, 2027)));
    }
}
BENCHMARK(BM_PreciseMoonApsidesAndNodesYear)->Unit(benchmark::kMillisecond);

}  // namespace
