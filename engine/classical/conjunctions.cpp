// Planet conjunctions with the Sun and oppositions: daily table, minima, and
// the hourly refinement.
#include "engine/classical/conjunctions.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/classical/planets.h"
#include "engine/classical/sun.h"

namespace {

// The Sun's longitude the planet is measured from in a pass.
double reference_longitude(double sun_longitude, int pass) {
    return pass == PASS_OPPOSITION ? sun_longitude + 180.0 : sun_longitude;
}

int planet_index(int body) { return body - CONJUNCTION_FIRST_PLANET; }

// What the places of the Sun and of every planet at one instant share: the
// Sun, the nutation and the obliquities are computed once, not once a body.
struct SkyInstant {
    PlanetInstant planets;         // with the apparent-place terms
    double sin_obliquity = 0.0;    // true obliquity of the UT date, for the
    double cos_obliquity = 0.0;    // ecliptic longitudes
};

SkyInstant sky_instant(JulianDay t) {
    double hours = 0.0;
    int day = 0, month = 0, year = 0;
    split_instant(t, hours, day, month, year);
    SkyInstant sky;
    sky.planets = planet_instant(hours, day, month, year, 1);
    const double epsilon = obliquity(hours, day, month, year, true);
    sky.sin_obliquity = sin_deg(epsilon);
    sky.cos_obliquity = cos_deg(epsilon);
    return sky;
}

// ecliptic_place of one body at a shared instant.
void place_at(const SkyInstant& sky, int body, double& longitude, double& declination, double& disk_or_phase) {
    double ra = 0.0;
    if (body == id_of(Body::Sun)) {
        double sun_longitude = 0.0;
        sun_equatorial(sky.planets.sun, 1, ra, declination, sun_longitude);
        disk_or_phase = sun_semidiameter(sky.planets.sun.distance);
    } else {
        double distance, elongation, helio_latitude, helio_longitude, radius;
        planet_place(body, sky.planets, 1, ra, declination, distance, disk_or_phase, elongation, helio_latitude,
                     helio_longitude, radius);
    }
    // tan(lambda) = (sin(alpha) cos(eps) + tan(delta) sin(eps)) / cos(alpha)
    const double alpha = ra * 15.0;
    longitude = atan2_deg(cos_deg(alpha),
                          sin_deg(alpha) * sky.cos_obliquity + tan_deg(declination) * sky.sin_obliquity);
}

// Refines the minimum of sample day `day` over the 49 hourly instants from its
// sample on (step before each).  Returns the step's non-zero answer when it
// stops the refinement, else 0, with the best instant, its separation and disk
// contact, and the planet's lit fraction at the last instant in `event`.
int refine_conjunction(const ConjunctionTable& table, int body, int pass, int day,
                       ConjunctionEvent& event, StepHook step, void* context) {
    event.pass = pass;
    event.separation = 1000.0;
    event.disk = DISK_NONE;
    for (int h = 0; h <= REFINEMENT_HOURS; ++h) {
        if (step) {
            if (const int stopped = step(static_cast<double>(h) / REFINEMENT_HOURS, context)) return stopped;
        }
        const JulianDay t = table.start + (day - 1) + h / 24.0;
        const SkyInstant sky = sky_instant(t);
        double sun_longitude, sun_declination, sun_semidiameter;
        double planet_longitude, planet_declination, illuminated;
        place_at(sky, id_of(Body::Sun), sun_longitude, sun_declination, sun_semidiameter);
        place_at(sky, body, planet_longitude, planet_declination, illuminated);
        const double d =
            angular_separation(reference_longitude(sun_longitude, pass), planet_longitude);
        if (d < event.separation) {
            event.separation = d;
            event.instant = t;
            event.disk = DISK_NONE;
            // A planet opposite the Sun cannot stand before or behind its disk,
            // so only conjunctions get the (declination-only) disk test.
            if (pass == PASS_CONJUNCTION &&
                angular_separation(sun_declination, planet_declination) <= sun_semidiameter)
                event.disk = illuminated < 0.5 ? DISK_TRANSIT : DISK_OCCULTATION;
        }
        event.last_illuminated = illuminated;
    }
    return 0;
}

}  // namespace

void ecliptic_place(JulianDay t, int body, double& longitude, double& declination,
                    double& disk_or_phase) {
    place_at(sky_instant(t), body, longitude, declination, disk_or_phase);
}

double angular_separation(double a, double b) {
    const double d = std::fabs(a - b);
    return std::fmin(d, std::fabs(360.0 - d));
}

void conjunction_window_init(JulianDay from_ut, JulianDay to_ut, BodySet planet_set, ConjunctionTable& table) {
    // 0 h UT of the days of the window's ends.
    auto day_start = [](JulianDay jd_ut) { return std::floor(jd_ut + 0.5) - 0.5; };
    table = ConjunctionTable{};
    table.planet_set = planet_set;
    table.start = day_start(from_ut) - 2.0;
    table.day_count = round_to_int(day_start(to_ut) + 2.0 - table.start + 1.0);
    table.sun_longitude.assign(table.day_count, 0.0);
    for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body) {
        if (planet_set.contains(body)) table.planet_longitude[planet_index(body)].assign(table.day_count, 0.0);
    }
}

void conjunction_table_sample(int d, ConjunctionTable& table) {
    const SkyInstant sky = sky_instant(table.start + (d - 1));
    double declination, extra;
    place_at(sky, id_of(Body::Sun), table.sun_longitude[d - 1], declination, extra);
    for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body)
        if (table.planet_set.contains(body))
            place_at(sky, body, table.planet_longitude[planet_index(body)][d - 1], declination, extra);
}

int conjunction_pass_count(int body) { return body <= 4 ? 1 : 2; }

std::vector<double> daily_separations(const ConjunctionTable& table, int body, int pass) {
    const std::vector<double>& planet = table.planet_longitude[planet_index(body)];
    std::vector<double> separation(planet.size());
    for (size_t i = 0; i < planet.size(); ++i)
        separation[i] =
            angular_separation(reference_longitude(table.sun_longitude[i], pass), planet[i]);
    return separation;
}

std::vector<int> separation_minima(const std::vector<double>& separation) {
    std::vector<int> days;
    const int n = static_cast<int>(separation.size());
    for (int d = 2; d <= n - 1; ++d)
        if (separation[d - 2] >= separation[d - 1] && separation[d] >= separation[d - 1])
            days.push_back(d);
    return days;
}

int find_conjunctions_in(const ConjunctionTable& table, int body, int pass, JulianDay from_ut, JulianDay to_ut,
                         std::vector<ConjunctionEvent>& events, StepHook step, void* context) {
    for (int day : separation_minima(daily_separations(table, body, pass))) {
        ConjunctionEvent event;
        const int stopped = refine_conjunction(table, body, pass, day, event, step, context);
        if (stopped) return stopped;
        if (event.separation <= CONJUNCTION_LIMIT_DEGREES && event.instant >= from_ut && event.instant < to_ut)
            events.push_back(event);
    }
    return 0;
}
