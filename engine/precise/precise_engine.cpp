// The precise engine behind the seam: places, frames, rising and setting from
// places.h and rise_set.h, in the seam's vocabulary.
#include "engine/precise/precise_engine.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/classical/jupiter_moons.h"
#include "engine/precise/seam_searches.h"
#include "engine/precise/delta_t.h"
#include "engine/precise/eclipses.h"
#include "engine/precise/events.h"
#include "engine/precise/magnitudes.h"
#include "engine/precise/places.h"
#include "engine/precise/rise_set.h"
#include "engine/precise/search.h"

namespace precise {
namespace {

// A civil date given as the Julian day of its 0 h.
void date_of(JulianDay date, int& day, int& month, int& year) {
    double d = 0.0;
    calendar_date(date, d, month, year);
    day = static_cast<int>(d);
}

// Equatorial from ecliptic coordinates for an obliquity, all degrees.
Equatorial to_equatorial(double longitude, double latitude, double obliquity) {
    double l = longitude * ERFA_DD2R, b = latitude * ERFA_DD2R, e = obliquity * ERFA_DD2R;
    double x = std::cos(b) * std::cos(l);
    double y = std::cos(b) * std::sin(l) * std::cos(e) - std::sin(b) * std::sin(e);
    double z = std::cos(b) * std::sin(l) * std::sin(e) + std::sin(b) * std::cos(e);
    return {wrap360(std::atan2(y, x) * ERFA_DR2D) / 15.0, std::asin(z) * ERFA_DR2D};
}

// Julian centuries of TT from J2000.
double centuries_j2000(JulianDay jd_ut) { return (terrestrial_time(jd_ut) - ERFA_DJ00) / ERFA_DJC; }

SunPlace sun(JulianDay t, PlaceKind kind) {
    const Place p = geocentric_place(SUN, t);
    SunPlace s;
    s.distance_au = p.distance_au;
    s.semidiameter = p.semidiameter;
    s.mean_anomaly = wrap360(357.52911 + 35999.05029 * centuries_j2000(t));  // Meeus 25.3
    if (kind == APPARENT_PLACE) {
        s.ra_hours = p.ra_hours;
        s.dec = p.dec;
        s.longitude = p.longitude;
        return s;
    }
    // Geometric: without nutation and the annual aberration (20.4955"/r).
    double dpsi, deps, eps0;
    nutation_and_obliquity(t, dpsi, deps, eps0);
    s.longitude = wrap360(p.longitude - dpsi + 20.4955 / 3600.0 / s.distance_au);
    const Equatorial e = to_equatorial(s.longitude, p.latitude, eps0);
    s.ra_hours = e.ra_hours;
    s.dec = e.dec;
    return s;
}

MoonPlace moon(JulianDay t) {
    const Place p = geocentric_place(MOON, t);
    double dpsi, deps, eps0;
    nutation_and_obliquity(t, dpsi, deps, eps0);
    MoonPlace m;
    m.longitude = p.longitude - dpsi;
    m.latitude = p.latitude;
    m.parallax = std::asin(EARTH_RADIUS_KM / (p.distance_au * AU_KM)) * ERFA_DR2D;
    m.semidiameter = p.semidiameter;
    m.illuminated = p.illuminated;
    m.shadow_u = umbral_cone_radius(t);
    m.ra_hours = p.ra_hours;
    m.dec = p.dec;
    return m;
}

PlanetPlace planet(int body, JulianDay t, PlanetParts parts) {
    const Place p = geocentric_place(body, t);
    PlanetPlace q;
    if (parts == PLANET_WITH_EQUATORIAL) {
        q.ra_hours = p.ra_hours;
        q.dec = p.dec;
    }
    q.distance_au = p.distance_au;
    q.illuminated = p.illuminated;
    q.elongation = p.elongation;
    heliocentric_place(body, t, q.helio_longitude, q.helio_latitude, q.radius_au);
    return q;
}

Equatorial star(int epoch_year, Equatorial catalogue, JulianDay t) {
    Equatorial e;
    star_place(epoch_year, catalogue.ra_hours, catalogue.dec, t, e.ra_hours, e.dec);
    return e;
}

Equatorial topocentric(const Location& location, int body, Equatorial geocentric, double distance_au,
                       double moon_parallax, JulianDay t) {
    const double d_au = body == MOON ? EARTH_RADIUS_KM / std::sin(moon_parallax * ERFA_DD2R) / AU_KM : distance_au;
    double v[3], o[3];
    eraS2c(geocentric.ra_hours * 15.0 * ERFA_DD2R, geocentric.dec * ERFA_DD2R, v);
    observer_position(location, t, o);
    for (int i = 0; i < 3; ++i) v[i] = v[i] * d_au - o[i];
    double a, b;
    eraC2s(v, &a, &b);
    return {wrap360(a * ERFA_DR2D) / 15.0, b * ERFA_DR2D};
}

double angular_diameter(int body, JulianDay t) { return 2.0 * geocentric_place(body, t).semidiameter * 3600.0; }

double sun_distance(int body, JulianDay t) {
    if (body == EARTH) return geocentric_place(SUN, t).distance_au;
    double lon, lat, r;
    heliocentric_place(body, t, lon, lat, r);
    return r;
}

Equatorial ecliptic_to_equatorial(JulianDay t, double longitude, double latitude, bool with_nutation) {
    double dpsi, deps, eps0;
    nutation_and_obliquity(t, dpsi, deps, eps0);
    return to_equatorial(longitude, latitude, with_nutation ? eps0 + deps : eps0);
}

Horizontal equatorial_to_horizontal(JulianDay t, Equatorial place, const Location& location) {
    Place p;
    p.ra_hours = place.ra_hours;
    p.dec = place.dec;
    Horizontal h;
    horizontal_place(p, t, location, h.azimuth, h.altitude);
    return h;
}

double equation_of_time(JulianDay date) {
    // Apparent minus mean solar time at 12 h UT, when the mean Sun is on the
    // Greenwich meridian: the true Sun's Greenwich hour angle then.
    const JulianDay t = date + 0.5;
    const double hour_angle = apparent_sidereal_time(t) - geocentric_place(SUN, t).ra_hours;
    return std::remainder(hour_angle, 24.0);
}

double moon_distance_at(JulianDay jd_ut) {
    double p[3], v[3];
    moon_position(terrestrial_time(jd_ut), p, v);  // centre to centre, geometric
    return vector_norm(p) * AU_KM;
}

RiseSet rising_and_setting(int body, JulianDay date, const Location& location) {
    int day, month, year;
    date_of(date, day, month, year);
    const DayEvents e = day_events(body, day, month, year, location, false);
    return {e.rise, e.set};
}

Twilight twilight_limits(double depression, JulianDay date, const Location& location) {
    int day, month, year;
    date_of(date, day, month, year);
    Twilight t;
    twilight(depression, day, month, year, location, t.morning, t.evening);
    return t;
}

}  // namespace
}  // namespace precise

const SkyEngine PRECISE_ENGINE = {
    .name = "precise",
    .precise = true,
    .sun_place = precise::sun,
    .moon_place = precise::moon,
    .planet_place = precise::planet,
    .star_place = precise::star,
    .topocentric_place = precise::topocentric,
    .jupiter_satellites = jupiter_satellites,  // the classical theory
    .planet_magnitude = precise::planet_magnitude_at,
    .planet_angular_diameter = precise::angular_diameter,
    .heliocentric_distance = precise::sun_distance,
    .moon_distance_km = precise::moon_distance_at,
    .place_holds = precise::place_holds,
    .sidereal_time = precise::apparent_sidereal_time,
    .ecliptic_to_equatorial = precise::ecliptic_to_equatorial,
    .equatorial_to_horizontal = precise::equatorial_to_horizontal,
    .equation_of_time = precise::equation_of_time,
    .rise_set = precise::rising_and_setting,
    .twilight = precise::twilight_limits,
    .seasons = precise::seasons,
    .moon_phases = precise::phase_search,
    .eclipses = precise::eclipse_search,
    .conjunctions = precise::conjunction_search,
    .moon_apsides = precise::moon_apsis_search,
    .moon_nodes = precise::node_passages,
    .planet_apsides = precise::planet_apsis_events,
};
