// skyloom events inside the process: every kind of event of one year and of
// a hundred years on London's clock with the precise engine, gathered and
// written as iCalendar text (the whole command's time is in bench/README.md).
#include <benchmark/benchmark.h>

#include "engine/precise/precise_engine.h"
#include "output/event_export.h"
#include "reports/event_list.h"

namespace {

SkyContext london() {
    Location place;
    place.name = "London";
    place.latitude = 51.5;
    place.longitude = 0.13;
    place.zone = "Europe/London";
    SkyContext sky(place);
    sky.engine = &PRECISE_ENGINE;
    return sky;
}

// state.range(0): the number of years from 2026.
void BM_EventsAllKinds(benchmark::State& state) {
    const SkyContext sky = london();
    const int years = static_cast<int>(state.range(0));
    std::size_t events = 0;
    for (auto _ : state) {
        const EventList list = gather_events(2026, 2026 + years - 1, ALL_EVENT_KINDS, sky, nullptr, nullptr);
        benchmark::DoNotOptimize(events_text(EventFormat::Icalendar, list.events, sky.location, 2461000.5).size());
        events = list.events.size();
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_EventsAllKinds)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
