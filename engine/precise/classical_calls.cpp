#include "engine/precise/classical_calls.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/calendar.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/planet_apsides.h"
#include "engine/precise/delta_t.h"
#include "engine/precise/eclipses.h"
#include "engine/precise/events.h"
#include "engine/precise/magnitudes.h"
#include "engine/precise/places.h"
#include "engine/precise/rise_set.h"
#include "engine/precise/search.h"

namespace precise {
namespace {

JulianDay instant(double hours, int day, int month, int year) {
    return julian_day(day + hours / 24.0, month, year);
}

// Equatorial from ecliptic coordinates for an obliquity, all degrees; ra hours.
void to_equatorial(double longitude, double latitude, double obliquity, double& ra_hours, double& dec) {
    double l = longitude * ERFA_DD2R, b = latitude * ERFA_DD2R, e = obliquity * ERFA_DD2R;
    double x = std::cos(b) * std::cos(l);
    double y = std::cos(b) * std::sin(l) * std::cos(e) - std::sin(b) * std::sin(e);
    double z = std::cos(b) * std::sin(l) * std::sin(e) + std::sin(b) * std::cos(e);
    ra_hours = wrap360(std::atan2(y, x) * ERFA_DR2D) / 15.0;
    dec = wrap360(std::asin(z) * ERFA_DR2D);
}

// Julian centuries of TT from J2000.
double centuries_j2000(JulianDay jd_ut) { return (terrestrial_time(jd_ut) - ERFA_DJ00) / ERFA_DJC; }

// The event of `events` nearest to `guess` among those `wanted` accepts (the
// first of equally near ones); null when there is none.
template <class Event, class Wanted>
const Event* nearest(const std::vector<Event>& events, JulianDay guess, Wanted wanted) {
    const Event* found = nullptr;
    for (const Event& e : events) {
        if (wanted(e) && (!found || std::fabs(e.instant - guess) < std::fabs(found->instant - guess))) found = &e;
    }
    return found;
}

}  // namespace

void sun_position(double hours, int day, int month, int year, int apparent, double& ra, double& dec,
                  double& longitude, double& distance, double& semidiameter, double& mean_anomaly) {
    JulianDay t = instant(hours, day, month, year);
    Place p = geocentric_place(SUN, t);
    distance = p.distance_au;
    semidiameter = p.semidiameter;
    mean_anomaly = wrap360(357.52911 + 35999.05029 * centuries_j2000(t));  // Meeus 25.3
    if (apparent) {
        ra = p.ra_hours;
        dec = wrap360(p.dec);
        longitude = p.longitude;
        return;
    }
    // Geometric: without nutation and the annual aberration (20.4955"/r).
    double dpsi, deps, eps0;
    nutation_and_obliquity(t, dpsi, deps, eps0);
    longitude = wrap360(p.longitude - dpsi + 20.4955 / 3600.0 / distance);
    to_equatorial(longitude, p.latitude, eps0, ra, dec);
}

void moon_position(double hours, int day, int month, int year, double& longitude, double& latitude,
                   double& parallax, double& semidiameter, double& illuminated, double& shadow_u,
                   double& ra, double& dec) {
    JulianDay t = instant(hours, day, month, year);
    Place p = geocentric_place(MOON, t);
    double dpsi, deps, eps0;
    nutation_and_obliquity(t, dpsi, deps, eps0);
    longitude = p.longitude - dpsi;
    latitude = p.latitude;
    parallax = std::asin(EARTH_RADIUS_KM / (p.distance_au * AU_KM)) * ERFA_DR2D;
    semidiameter = p.semidiameter;
    illuminated = p.illuminated;
    shadow_u = umbral_cone_radius(t);
    ra = p.ra_hours;
    dec = wrap360(p.dec);
}

void planet_position(int body, double hours, int day, int month, int year, int want_equatorial,
                     double& ra, double& dec, double& distance, double& illuminated, double& elongation,
                     double& helio_latitude, double& helio_longitude, double& radius) {
    JulianDay t = instant(hours, day, month, year);
    Place p = geocentric_place(body, t);
    ra = want_equatorial ? p.ra_hours : 0.0;
    dec = want_equatorial ? wrap360(p.dec) : 0.0;
    distance = p.distance_au;
    illuminated = p.illuminated;
    elongation = p.elongation;
    heliocentric_place(body, t, helio_longitude, helio_latitude, radius);
}

void star_apparent_place(int epoch_year, double ra0_hours, double dec0, double jd, double& ra_hours,
                         double& dec) {
    star_place(epoch_year, ra0_hours, dec0, jd, ra_hours, dec);
}

void topocentric_place(Location location, int body, double distance, double moon_parallax, double hours,
                       int day, int month, int year, double& ra_hours, double& dec) {
    double d_au = body == MOON ? EARTH_RADIUS_KM / std::sin(moon_parallax * ERFA_DD2R) / AU_KM : distance;
    double v[3], o[3];
    eraS2c(ra_hours * 15.0 * ERFA_DD2R, dec * ERFA_DD2R, v);
    observer_position(location, instant(hours, day, month, year), o);
    for (int i = 0; i < 3; ++i) v[i] = v[i] * d_au - o[i];
    double a, b;
    eraC2s(v, &a, &b);
    ra_hours = wrap360(a * ERFA_DR2D) / 15.0;
    dec = b * ERFA_DR2D;
}

double planet_magnitude(int body, double hours, int day, int month, int year) {
    return planet_magnitude_at(body, instant(hours, day, month, year));
}

double planet_angular_diameter(int body, double hours, int day, int month, int year) {
    return 2.0 * geocentric_place(body, instant(hours, day, month, year)).semidiameter * 3600.0;
}

double heliocentric_distance(int body, double hours, int day, int month, int year) {
    JulianDay t = instant(hours, day, month, year);
    if (body == EARTH) return geocentric_place(SUN, t).distance_au;
    double lon, lat, r;
    heliocentric_place(body, t, lon, lat, r);
    return r;
}

double sidereal_time(double ut, int day, int month, int year) {
    return apparent_sidereal_time(instant(ut, day, month, year));
}

void ecliptic_to_equatorial(double hours, int day, int month, int year, double longitude, double latitude,
                            bool with_nutation, double& ra_hours, double& declination) {
    double dpsi, deps, eps0;
    nutation_and_obliquity(instant(hours, day, month, year), dpsi, deps, eps0);
    to_equatorial(longitude, latitude, with_nutation ? eps0 + deps : eps0, ra_hours, declination);
}

void equatorial_to_horizontal(double ut, double ra_hours, double declination, int day, int month, int year,
                              double& azimuth, double& altitude, Location location) {
    Place p;
    p.ra_hours = ra_hours;
    p.dec = declination;
    horizontal_place(p, instant(ut, day, month, year), location, azimuth, altitude);
}

double equation_of_time(int day, int month, int year) {
    // Apparent minus mean solar time at 12 h UT, when the mean Sun is on the
    // Greenwich meridian: the true Sun's Greenwich hour angle then.
    JulianDay t = instant(12.0, day, month, year);
    double hour_angle = apparent_sidereal_time(t) - geocentric_place(SUN, t).ra_hours;
    return std::remainder(hour_angle, 24.0);
}

void rise_set(int body, int day, int month, int year, double& rise, double& set, Location location) {
    DayEvents e = day_events(body, day, month, year, location, false);
    rise = e.rise;
    set = e.set;
}

int build_phase_table(int year, PhaseTable& table, StepHook step, void* context) {
    // The last year's table is kept: a report run month by month asks for it each month.
    thread_local int kept_year = 0;
    thread_local PhaseTable kept;
    if (!kept.records.empty() && kept_year == year) {
        table = kept;
        return step ? step(1.0, context) : 0;
    }
    table.records.clear();
    // The lunations around the year, as the classical table covers them.
    JulianDay first = julian_day(1, 12, year - 1), last = julian_day(1, 2, year + 1);
    const int parts = 12;
    for (int i = 0; i < parts; ++i) {
        if (step) {
            if (int stopped = step(double(i) / (parts - 1), context)) return stopped;
        }
        JulianDay a = first + (last - first) * i / parts, b = first + (last - first) * (i + 1) / parts;
        for (const PhaseInstant& p : moon_phases(a, b)) {
            PhaseRecord& r = table.records.emplace_back();
            double t = centuries_j2000(p.instant);
            r.phase = p.phase;
            // The Moon's mean arguments at the instant (Meeus, chapter 47).
            r.latitude_argument = wrap360(93.2720950 + 483202.0175233 * t);
            r.sun_mean_anomaly = wrap360(357.5291092 + 35999.0502909 * t);
            r.moon_mean_anomaly = wrap360(134.9633964 + 477198.8675055 * t);
            r.centuries = (p.instant - 2415020.0) / 36525.0;
            r.jd_true = p.instant;
            r.jd_mean = p.instant;
        }
    }
    kept = table;
    kept_year = year;
    return 0;
}

void find_year_eclipses(int year, const PhaseTable& table, const Location& location, EclipseList& list) {
    list.entries.clear();
    double zone = location.time_zone / 24.0;
    // The last year's eclipses are kept: a report run month by month asks for them each month.
    thread_local int kept_year = 0;
    thread_local double kept_zone = 0;
    thread_local std::vector<Eclipse> found;
    if (found.empty() || kept_year != year || kept_zone != zone) {
        std::vector<PhaseInstant> phases;
        for (const PhaseRecord& r : table.records) phases.push_back({r.jd_true, r.phase});
        found = find_eclipses(julian_day(1, 1, year) - zone - 1.0, julian_day(1, 1, year + 1) - zone + 1.0, phases);
        kept_year = year;
        kept_zone = zone;
    }
    for (int solar = 0; solar <= 1; ++solar) {  // the lunar ones first
        for (const Eclipse& e : found) {
            if (is_solar(e.kind) != (solar == 1) || e.kind == LUNAR_PENUMBRAL_ECLIPSE) continue;
            double d; int m, y;
            calendar_date(e.maximum + zone, d, m, y);
            if (y != year) continue;
            EclipseCircumstances& c = list.entries.emplace_back();
            c.kind = solar ? SOLAR_ECLIPSE : LUNAR_ECLIPSE;
            c.jd_max = e.maximum;
            c.gamma = e.gamma;
            c.solar_type = e.kind == SOLAR_TOTAL_ECLIPSE     ? SOLAR_TOTAL
                           : e.kind == SOLAR_ANNULAR_ECLIPSE ? SOLAR_ANNULAR
                           : e.kind == SOLAR_HYBRID_ECLIPSE  ? SOLAR_ANNULAR_TOTAL
                                                             : SOLAR_PARTIAL;
            c.magnitude = e.magnitude;
            c.partial_semiduration_hours = e.partial_semiduration_hours;
            c.total_semiduration_hours = e.total_semiduration_hours;
        }
    }
}

void conjunction_table_sample(int, ConjunctionTable&) {}

int find_conjunctions(const ConjunctionTable& table, int body, int pass, double time_zone,
                      std::vector<ConjunctionEvent>& events, StepHook step, void* context) {
    if (step) {
        if (const int stopped = step(0.0, context)) return stopped;
    }
    double zone = time_zone / 24.0;
    JulianDay first = julian_day(1, table.start_month, table.year) - zone;
    JulianDay last = (table.stop_month == 12 ? julian_day(1, 1, table.year + 1)
                                             : julian_day(1, table.stop_month + 1, table.year)) - zone;
    for (const ConjunctionInstant& c : planet_conjunctions(body, first, last)) {
        if (static_cast<int>(c.kind) != pass) continue;
        ConjunctionEvent e;
        e.pass = pass;
        e.instant = c.instant;
        e.separation = c.separation;
        e.disk = c.overlap == TRANSIT ? DISK_TRANSIT : c.overlap == OCCULTATION ? DISK_OCCULTATION : DISK_NONE;
        e.last_illuminated = c.inferior ? 0.0 : 1.0;
        double hours = 0;
        split_instant(c.instant + zone, hours, e.day, e.month, e.year);
        e.hour = static_cast<int>(hours);
        events.push_back(e);
    }
    return 0;
}

double moon_distance_at(JulianDay jd_ut) {
    double p[3], v[3];
    moon_position(terrestrial_time(jd_ut), p, v);  // centre to centre, geometric
    return vector_norm(p) * AU_KM;
}

void moon_apsis_refine(JulianDay t_day, MoonApsisKind kind, double& offset_hours, double& distance_km) {
    const std::vector<ApsisInstant> apsides = moon_apsides(t_day - 1.5, t_day + 1.5);
    const ApsisInstant* a =
        nearest(apsides, t_day, [kind](const ApsisInstant& e) { return e.far == (kind == MOON_APOGEE); });
    offset_hours = a ? (a->instant - t_day) * 24.0 : 0.0;
    distance_km = a ? a->distance : moon_distance_at(t_day);
}

JulianDay moon_node_instant(int k, MoonNode node, int year) {
    JulianDay guess = ::moon_node_instant(k, node, year);
    const std::vector<NodeInstant> nodes = moon_nodes(guess - 1.0, guess + 1.0);
    const NodeInstant* n =
        nearest(nodes, guess, [node](const NodeInstant& e) { return e.ascending == (node == ASCENDING_NODE); });
    return n ? n->instant : guess;
}

JulianDay planet_apsis_instant(int body, double k) {
    // The mean orbit's instant, then the true extremum of the distance near it:
    // within days for the Earth and Mercury, weeks for Venus and Mars, months
    // for Jupiter and Saturn.
    static const double WINDOW_DAYS[] = {10, 10, 60, 40, 200, 400};
    JulianDay guess = ::planet_apsis_instant(body, k);
    bool aphelion = k - std::floor(k) > 0.25;
    double w = WINDOW_DAYS[body - EARTH];
    const std::vector<ApsisInstant> apsides = planet_apsides(body, guess - w, guess + w);
    const ApsisInstant* a = nearest(apsides, guess, [aphelion](const ApsisInstant& e) { return e.far == aphelion; });
    return a ? a->instant : guess;
}

}  // namespace precise
