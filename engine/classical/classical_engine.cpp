// The classical engine behind the seam: the functions of this folder, which
// take a UT instant split as (hours of the day, day, month, year) and keep
// declinations in [0, 360), answering in the seam's vocabulary.
#include "engine/sky_engine.h"

#include <algorithm>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/classical/conjunctions.h"
#include "engine/classical/jupiter_moons.h"
#include "engine/classical/moon.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/planet_apsides.h"
#include "engine/classical/planets.h"
#include "engine/classical/rising_setting.h"
#include "engine/classical/star_places.h"
#include "engine/classical/sun.h"
#include "engine/classical/twilight.h"
#include "engine/classical/window_searches.h"

namespace {

// A UT instant as the classical functions take it.
struct Split {
    double hours = 0.0;
    int day = 1, month = 1, year = 0;
};

Split split(JulianDay jd_ut) {
    Split s;
    split_instant(jd_ut, s.hours, s.day, s.month, s.year);
    return s;
}

// A civil date given as the Julian day of its 0 h.
struct Date {
    int day = 1, month = 1, year = 0;
};

Date date_of(JulianDay date) {
    Date d;
    double day = 0.0;
    calendar_date(date, day, d.month, d.year);
    d.day = static_cast<int>(day);
    return d;
}

SunPlace sun_place(JulianDay jd_ut, PlaceKind kind) {
    const Split t = split(jd_ut);
    SunPlace p;
    sun_position(t.hours, t.day, t.month, t.year, kind == APPARENT_PLACE, p.ra_hours, p.dec, p.longitude,
                 p.distance_au, p.semidiameter, p.mean_anomaly);
    p.dec = fold_latitude(p.dec);
    return p;
}

MoonPlace moon_place(JulianDay jd_ut) {
    const Split t = split(jd_ut);
    MoonPlace p;
    moon_position(t.hours, t.day, t.month, t.year, p.longitude, p.latitude, p.parallax, p.semidiameter,
                  p.illuminated, p.shadow_u, p.ra_hours, p.dec);
    p.dec = fold_latitude(p.dec);
    return p;
}

PlanetPlace planet_place(int body, JulianDay jd_ut, PlanetParts parts) {
    const Split t = split(jd_ut);
    PlanetPlace p;
    planet_position(body, t.hours, t.day, t.month, t.year, parts == PLANET_WITH_EQUATORIAL, p.ra_hours, p.dec,
                    p.distance_au, p.illuminated, p.elongation, p.helio_latitude, p.helio_longitude, p.radius_au);
    p.dec = fold_latitude(p.dec);
    return p;
}

Equatorial star_place(int epoch_year, Equatorial catalogue, JulianDay jd_ut) {
    Equatorial p;
    star_apparent_place(epoch_year, catalogue.ra_hours, catalogue.dec, jd_ut, p.ra_hours, p.dec);
    return p;
}

Equatorial topocentric(const Location& location, int body, Equatorial geocentric, double distance_au,
                       double moon_parallax, JulianDay jd_ut) {
    const Split t = split(jd_ut);
    Equatorial p = geocentric;
    topocentric_place(location, body, distance_au, moon_parallax, t.hours, t.day, t.month, t.year, p.ra_hours,
                      p.dec);  // signed already
    return p;
}

double magnitude(int body, JulianDay jd_ut) {
    const Split t = split(jd_ut);
    return planet_magnitude(body, t.hours, t.day, t.month, t.year);
}

double angular_diameter(int body, JulianDay jd_ut) {
    const Split t = split(jd_ut);
    return planet_angular_diameter(body, t.hours, t.day, t.month, t.year);
}

double sun_distance(int body, JulianDay jd_ut) {
    const Split t = split(jd_ut);
    return heliocentric_distance(body, t.hours, t.day, t.month, t.year);
}

// The classical theories are the 1995 program's over all its years.
bool always_holds(int, JulianDay) { return true; }

double sidereal_time(JulianDay jd_ut) {
    const Split t = split(jd_ut);
    return ut_to_gst(t.hours, t.day, t.month, t.year);
}

Equatorial to_equatorial(JulianDay jd_ut, double longitude, double latitude, bool with_nutation) {
    const Split t = split(jd_ut);
    Equatorial p;
    ecliptic_to_equatorial(t.hours, t.day, t.month, t.year, longitude, latitude, with_nutation, p.ra_hours, p.dec);
    p.dec = fold_latitude(p.dec);
    return p;
}

Horizontal to_horizontal(JulianDay jd_ut, Equatorial place, const Location& location) {
    const Split t = split(jd_ut);
    Horizontal h;
    equatorial_to_horizontal(t.hours, place.ra_hours, place.dec, t.day, t.month, t.year, h.azimuth, h.altitude,
                             location);
    return h;
}

double equation_of_time_on(JulianDay date) {
    const Date d = date_of(date);
    return equation_of_time(d.day, d.month, d.year);
}

RiseSet rising_and_setting(int body, JulianDay date, const Location& location) {
    const Date d = date_of(date);
    RiseSet r;
    rise_set(body, d.day, d.month, d.year, r.rise, r.set, location);
    return r;
}

Twilight twilight(double depression, JulianDay date, const Location& location) {
    const Date d = date_of(date);
    Twilight t;
    classical_twilight(depression, d.day, d.month, d.year, location, t.morning, t.evening);
    return t;
}

// A step hook seen at one fixed part of the work (the hourly refinements,
// which each count from 0 to 1, all at the part of their pass).
struct FixedStep {
    StepHook step;
    void* context;
    double fraction;
};

int at_fixed_fraction(double, void* fixed) {
    const FixedStep& f = *static_cast<const FixedStep*>(fixed);
    return f.step(f.fraction, f.context);
}

// The daily table of the window, then the minima of each pass refined
// hourly; the step hook sees the sampled days (the table is most of the work)
// and then each refinement.
ConjunctionSearch conjunctions(int body, JulianDay from_ut, JulianDay to_ut, StepHook step, void* context) {
    ConjunctionSearch search;
    ConjunctionTable table;
    conjunction_window_init(from_ut, to_ut, NO_BODIES.with(body), table);
    for (int d = 1; d <= table.day_count; ++d) {
        if (step && (search.stopped = step(0.9 * (d - 1) / table.day_count, context))) return search;
        conjunction_table_sample(d, table);
    }
    std::vector<ConjunctionEvent> found;
    for (int pass = PASS_CONJUNCTION; pass < conjunction_pass_count(body); ++pass) {
        FixedStep fixed{step, context, 0.9 + 0.05 * pass};
        if (step && (search.stopped = step(fixed.fraction, context))) return search;
        search.stopped = find_conjunctions_in(table, body, pass, from_ut, to_ut, found,
                                              step ? at_fixed_fraction : nullptr, &fixed);
        if (search.stopped) return search;
    }
    for (const ConjunctionEvent& e : found)
        search.events.push_back({e.instant, e.pass == PASS_OPPOSITION, e.last_illuminated > 0.5, e.separation, e.disk});
    std::stable_sort(search.events.begin(), search.events.end(),
                     [](const Conjunction& a, const Conjunction& b) { return a.jd_ut < b.jd_ut; });
    return search;
}

}  // namespace

const SkyEngine CLASSICAL_ENGINE = {
    .name = "classical",
    .precise = false,
    .sun_place = sun_place,
    .moon_place = moon_place,
    .planet_place = planet_place,
    .star_place = star_place,
    .topocentric_place = topocentric,
    .jupiter_satellites = jupiter_satellites,
    .planet_magnitude = magnitude,
    .planet_angular_diameter = angular_diameter,
    .heliocentric_distance = sun_distance,
    .moon_distance_km = moon_distance_at,
    .place_holds = always_holds,
    .sidereal_time = sidereal_time,
    .ecliptic_to_equatorial = to_equatorial,
    .equatorial_to_horizontal = to_horizontal,
    .equation_of_time = equation_of_time_on,
    .rise_set = rising_and_setting,
    .twilight = twilight,
    .seasons = classical::seasons,
    .moon_phases = classical::moon_phases,
    .eclipses = classical::eclipses,
    .conjunctions = conjunctions,
    .moon_apsides = classical::moon_apsides,
    .moon_nodes = classical::moon_nodes,
    .planet_apsides = classical::planet_apsides,
};
