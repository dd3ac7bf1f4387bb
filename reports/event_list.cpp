// The events of a range of years for the user's calendar.
#include "reports/event_list.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "engine/angles.h"
#include "engine/clock.h"
#include "engine/close_events.h"
#include "format/format.h"
#include "platform/text_encoding.h"
#include "reports/meteor_showers.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr const char* KIND_NAMES[EVENT_KIND_COUNT] = {"phases",      "seasons",          "eclipses",
                                                      "conjunctions", "elongations",      "close-approaches",
                                                      "apsides",     "nodes",            "meteors"};

// The Sun's mean motion in longitude, degrees per day: the step of the
// search for a meteor shower's maximum (each step corrects the error in
// longitude at this rate; the true rate differs by under 4 %, so six steps
// bring it under a second).
constexpr double SUN_DEGREES_PER_DAY = 360.0 / 365.2422;
constexpr int SHOWER_SEARCH_STEPS = 6;

// The gathering's window and where its results go.
struct Gathering {
    const SkyContext& sky;
    JulianDay from_ut;
    JulianDay to_ut;
    int first_year;
    int last_year;
    std::vector<CalendarEvent>& events;
};

std::string utf8_string(int id) { return latin1_to_utf8(load_string(id)); }

// The string id's format filled with texts (Latin-1), in UTF-8.
template <class... Texts>
std::string utf8_format(int id, const Texts&... texts) {
    char line[160];
    std::snprintf(line, sizeof line, std::string(load_string(id)).c_str(), std::string(texts).c_str()...);
    return latin1_to_utf8(line);
}

// Degrees to 0.1 with a decimal point in every locale.
std::string tenths(double degrees) {
    char text[32];
    *std::to_chars(text, text + sizeof text - 1, degrees, std::chars_format::fixed, 1).ptr = '\0';
    return text;
}

std::string utf8_body(int body) { return latin1_to_utf8(body_name(body)); }

void add(Gathering& g, JulianDay jd_ut, EventKind kind, std::vector<std::string> bodies, std::string summary) {
    if (jd_ut < g.from_ut || jd_ut >= g.to_ut) return;
    g.events.push_back({jd_ut, utc_offset_hours(g.sky.location, jd_ut), KIND_NAMES[kind], std::move(bodies),
                        std::move(summary)});
}

int add_phases(Gathering& g, StepHook step, void* context) {
    const PhaseSearch search = g.sky.engine->moon_phases(g.from_ut, g.to_ut, step, context);
    for (const PhaseEvent& e : search.events)
        add(g, e.jd_ut, EVENT_PHASES, {utf8_body(1)}, utf8_string(STR_EVENT_PHASE_FIRST + e.phase));
    return search.stopped;
}

int add_seasons(Gathering& g, StepHook, void*) {
    for (const SeasonEvent& e : g.sky.engine->seasons(g.from_ut, g.to_ut))
        add(g, e.jd_ut, EVENT_SEASONS, {utf8_body(0)}, utf8_string(STR_EVENT_SEASON_FIRST + e.season));
    return 0;
}

int add_eclipses(Gathering& g, StepHook step, void* context) {
    const EclipseSearch search = g.sky.engine->eclipses(g.from_ut, g.to_ut, step, context);
    for (const EclipseCircumstances& e : search.events) {
        const bool solar = e.kind == SOLAR_ECLIPSE;
        const int id = solar                                ? STR_EVENT_SOLAR_ECLIPSE_FIRST + e.solar_type
                       : e.total_semiduration_hours > 0.0 ? STR_EVENT_TOTAL_LUNAR_ECLIPSE
                                                          : STR_EVENT_PARTIAL_LUNAR_ECLIPSE;
        std::vector<std::string> bodies = {utf8_body(1)};
        if (solar) bodies.insert(bodies.begin(), utf8_body(0));
        add(g, e.jd_max, EVENT_ECLIPSES, bodies, utf8_string(id));
    }
    return search.stopped;
}

int conjunction_summary(int body, const Conjunction& c) {
    if (c.opposition) return STR_EVENT_OPPOSITION;
    if (body > id_of(Body::Venus)) return STR_EVENT_CONJUNCTION;
    if (c.superior) return STR_EVENT_SUPERIOR_CONJUNCTION;
    return c.disk == DISK_TRANSIT ? STR_EVENT_TRANSIT : STR_EVENT_INFERIOR_CONJUNCTION;
}

int add_conjunctions(Gathering& g, StepHook step, void* context) {
    constexpr int planets = CONJUNCTION_LAST_PLANET - CONJUNCTION_FIRST_PLANET + 1;
    for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body) {
        PartStep share{step, context, double(body - CONJUNCTION_FIRST_PLANET) / planets, 1.0 / planets};
        const ConjunctionSearch search =
            g.sky.engine->conjunctions(body, g.from_ut, g.to_ut, step ? part_step : nullptr, &share);
        for (const Conjunction& c : search.events) {
            std::vector<std::string> bodies = {utf8_body(body)};
            if (!c.opposition) bodies.push_back(utf8_body(0));
            add(g, c.jd_ut, EVENT_CONJUNCTIONS, bodies, utf8_format(conjunction_summary(body, c), body_name(body)));
        }
        if (search.stopped) return search.stopped;
    }
    return 0;
}

int add_elongations(Gathering& g, StepHook, void*) {
    for (const GreatestElongation& e : greatest_elongations(*g.sky.engine, g.from_ut, g.to_ut))
        add(g, e.jd_ut, EVENT_ELONGATIONS, {utf8_body(e.body)},
            utf8_format(STR_EVENT_ELONGATION, body_name(e.body), tenths(e.elongation),
                        std::string(1, compass_letter(e.evening ? COMPASS_EAST : COMPASS_WEST))));
    return 0;
}

// Each two planets Mercury .. Saturn, and the Moon with each.
int add_close_approaches(Gathering& g, StepHook, void*) {
    for (const CloseApproach& c : close_approaches(*g.sky.engine, CLOSE_APPROACH_PLANETS, true, g.from_ut, g.to_ut))
        add(g, c.jd_ut, EVENT_CLOSE_APPROACHES, {utf8_body(c.first), utf8_body(c.second)},
            utf8_format(STR_EVENT_CLOSE_APPROACH, body_name(c.first), tenths(c.separation),
                        std::string(1, compass_letter(c.first_north ? COMPASS_NORTH : COMPASS_SOUTH)),
                        body_name(c.second)));
    return 0;
}

int add_apsides(Gathering& g, StepHook step, void* context) {
    const MoonApsisSearch moon = g.sky.engine->moon_apsides(g.from_ut, g.to_ut, step, context);
    for (const MoonApsis& a : moon.events)
        add(g, a.jd_ut, EVENT_APSIDES, {utf8_body(1)},
            utf8_format(STR_EVENT_MOON_APSIS_FIRST + a.kind, std::to_string(std::lround(a.distance_km))));
    if (moon.stopped) return moon.stopped;
    for (int body = APSIS_FIRST_BODY; body <= APSIS_LAST_BODY; ++body)
        for (const PlanetApsis& a : g.sky.engine->planet_apsides(body, g.from_ut, g.to_ut))
            add(g, a.jd_ut, EVENT_APSIDES, {utf8_body(body)}, utf8_format(STR_EVENT_PERIHELION + a.kind, body_name(body)));
    return 0;
}

int add_nodes(Gathering& g, StepHook, void*) {
    for (const NodePassage& n : g.sky.engine->moon_nodes(g.from_ut, g.to_ut))
        add(g, n.jd_ut, EVENT_NODES, {utf8_body(1)}, utf8_string(STR_EVENT_NODE_FIRST + n.node));
    return 0;
}

// The instant the Sun's longitude (2000.0, as the Meteor Showers report
// reckons it) reaches the shower's, in the year after start_ut.
JulianDay shower_maximum(const SkyEngine& engine, int shower, int year, JulianDay start_ut) {
    const double target = shower_maximum_longitude(shower);
    JulianDay jd = start_ut + normalize_degrees(target - sun_longitude_2000(engine, start_ut, year)) / SUN_DEGREES_PER_DAY;
    for (int i = 0; i < SHOWER_SEARCH_STEPS; ++i) {
        const double error = normalize_degrees(target - sun_longitude_2000(engine, jd, year) + 180.0) - 180.0;
        jd += error / SUN_DEGREES_PER_DAY;
    }
    return jd;
}

int add_meteors(Gathering& g, StepHook step, void* context) {
    for (int year = g.first_year; year <= g.last_year; ++year) {
        if (step) {
            if (const int stopped = step(double(year - g.first_year) / (g.last_year - g.first_year + 1), context))
                return stopped;
        }
        const JulianDay start = clock_day_start(g.sky.location, 1, 1, year);
        for (int s = 0; s < METEOR_SHOWER_COUNT; ++s)
            add(g, shower_maximum(*g.sky.engine, s, year, start), EVENT_METEORS, {},
                utf8_format(STR_EVENT_SHOWER_PEAK, std::string(load_string(STR_SHOWER_NAME + s))));
    }
    return 0;
}

using KindGathering = int (*)(Gathering& g, StepHook step, void* context);
constexpr KindGathering KIND_GATHERINGS[EVENT_KIND_COUNT] = {
    add_phases,  add_seasons, add_eclipses, add_conjunctions, add_elongations, add_close_approaches,
    add_apsides, add_nodes,   add_meteors};

}  // namespace

const char* event_kind_name(EventKind kind) { return KIND_NAMES[kind]; }

long event_kinds_named(const std::string& list) {
    long kinds = 0;
    for (std::size_t start = 0; start <= list.size();) {
        std::size_t end = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, end - start);
        const auto found = std::find_if(std::begin(KIND_NAMES), std::end(KIND_NAMES),
                                        [&](const char* k) { return same_text_ignoring_case(name, k); });
        if (found == std::end(KIND_NAMES)) return -1;
        kinds |= 1L << (found - std::begin(KIND_NAMES));
        start = end + 1;
    }
    return kinds;
}

std::string event_kind_names() {
    std::string text;
    for (const char* name : KIND_NAMES) text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

EventList gather_events(int first_year, int last_year, EventKinds kinds, const SkyContext& sky, StepHook step,
                        void* context) {
    EventList list;
    Gathering g{sky, clock_day_start(sky.location, 1, 1, first_year), clock_day_start(sky.location, 1, 1, last_year + 1),
                first_year, last_year, list.events};
    for (int k = 0; k < EVENT_KIND_COUNT && !list.stopped; ++k) {
        if (!(kinds & 1u << k)) continue;
        constexpr double kind_share = 1.0 / int{EVENT_KIND_COUNT};
        PartStep share{step, context, k * kind_share, kind_share};
        list.stopped = KIND_GATHERINGS[k](g, step ? part_step : nullptr, &share);
    }
    std::stable_sort(list.events.begin(), list.events.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.jd_ut < b.jd_ut; });
    return list;
}
