#include "engine/precise/places.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/precise/caches.h"
#include "engine/precise/delta_t.h"
#include "engine/precise/ephemeris_table.h"
#include "engine/precise/pluto.h"
#include "engine/precise/search.h"

namespace precise {
namespace {

constexpr double SUN_RADIUS_KM = 696000.0;  // 959.63" at 1 AU
constexpr double PLANET_RADIUS_KM[] = {2439.7, 6051.8, 3396.2, 71492.0, 60268.0, 25559.0, 24764.0, 1188.3};
constexpr double LIGHT_DAYS_PER_AU = ERFA_AULT / ERFA_DAYSEC;

// eraEpv00 every EARTH_NODE_DAYS, kept in slots by node for about a year and
// a half: a sweep through time computes each node once, and so do several
// sweeps over the same year (a report's planets one after the other).  Cubic Hermite interpolation on position and
// velocity between nodes four days apart errs by under 10 km (the largest
// fourth derivative is the monthly wobble about the Earth-Moon barycentre).
constexpr double EARTH_NODE_DAYS = 4.0;

const EarthNode& earth_node(double day) {
    return precise_caches().earth_nodes.get(day, static_cast<long long>(day / EARTH_NODE_DAYS), [day] {
        EarthNode n;
        double pvh[2][3], pvb[2][3];
        // Status 1 only warns of a date outside 1900-2100, where the series'
        // errors grow slowly (a few km at 1000 and 3000): accepted.
        eraEpv00(day, 0.0, pvh, pvb);
        for (int i = 0; i < 3; ++i) {
            n.position[i] = pvh[0][i];
            n.velocity[i] = pvh[1][i];
            n.bary_velocity[i] = pvb[1][i];
        }
        return n;
    });
}

// The Earth's heliocentric position and barycentric velocity at a TT Julian
// day: from the build's table (ephemeris_table.h), else by cubic Hermite
// interpolation between the two nodes around it.
void earth_state(double jd_tt, double position[3], double bary_velocity[3]) {
    double velocity[3];
    if (table_earth(jd_tt, position, velocity, bary_velocity)) return;
    double d0 = std::floor(jd_tt / EARTH_NODE_DAYS) * EARTH_NODE_DAYS;
    const EarthNode& a = earth_node(d0);
    const EarthNode& b = earth_node(d0 + EARTH_NODE_DAYS);
    double h = EARTH_NODE_DAYS;
    double s = (jd_tt - d0) / h, s2 = s * s, s3 = s2 * s;
    double h00 = 2 * s3 - 3 * s2 + 1, h10 = (s3 - 2 * s2 + s) * h, h01 = -2 * s3 + 3 * s2, h11 = (s3 - s2) * h;
    for (int i = 0; i < 3; ++i) {
        position[i] = h00 * a.position[i] + h10 * a.velocity[i] + h01 * b.position[i] + h11 * b.velocity[i];
        bary_velocity[i] = a.bary_velocity[i] + s * (b.bary_velocity[i] - a.bary_velocity[i]);
    }
}

// Precession-nutation IAU 2000B (as eraPn00b) every half day, kept in slots by
// node for about a year and a half, and interpolated linearly between: the shortest nutation terms that
// matter (13.7 days, 0.2") leave under 0.002".
constexpr double FRAME_NODE_DAYS = 0.5;

const Frame& frame_node(double tt) {
    return precise_caches().frames.get(tt, static_cast<long long>(tt / FRAME_NODE_DAYS), [tt] {
        Frame f;
        // eraPn00b is eraNut00b's nutation, then eraPn00; the table holds the former.
        double deps, rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
        if (!table_nutation(tt, f.dpsi, deps)) eraNut00b(tt, 0.0, &f.dpsi, &deps);
        eraPn00(tt, 0.0, f.dpsi, deps, &f.epsa, rb, rp, rbp, rn, f.rbpn);
        f.eps_true = f.epsa + deps;
        f.tt = tt;
        return f;
    });
}

Frame frame_at(double jd_tt) {
    double t0 = std::floor(jd_tt / FRAME_NODE_DAYS) * FRAME_NODE_DAYS;
    const Frame& a = frame_node(t0);
    const Frame& b = frame_node(t0 + FRAME_NODE_DAYS);
    double s = (jd_tt - t0) / FRAME_NODE_DAYS;
    Frame f;
    f.tt = jd_tt;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) f.rbpn[i][j] = a.rbpn[i][j] + s * (b.rbpn[i][j] - a.rbpn[i][j]);
    f.dpsi = a.dpsi + s * (b.dpsi - a.dpsi);
    f.epsa = a.epsa + s * (b.epsa - a.epsa);
    f.eps_true = a.eps_true + s * (b.eps_true - a.eps_true);
    return f;
}

// Geometric geocentric vector (AU, GCRS) of a body with light-time, the
// body's heliocentric vector at the emission instant, and the Earth's state.
struct Geometry {
    double geocentric[3];
    double heliocentric[3];
    double earth[3];
    double earth_bary_velocity[3];
    bool holds = true;
};

Geometry geometry(int body, double jd_tt) {
    Geometry g;
    earth_state(jd_tt, g.earth, g.earth_bary_velocity);
    if (body == SUN) {
        for (int i = 0; i < 3; ++i) {
            g.geocentric[i] = -g.earth[i];
            g.heliocentric[i] = 0.0;
        }
    } else if (body == MOON) {
        double p[3], v[3];
        moon_position(jd_tt, p, v);
        double tau = vector_norm(p) * LIGHT_DAYS_PER_AU;
        for (int i = 0; i < 3; ++i) {
            g.geocentric[i] = p[i] - v[i] * tau;
            g.heliocentric[i] = g.earth[i] + g.geocentric[i];
        }
    } else {
        double tau = 0.0;
        for (int iteration = 0; iteration < 3; ++iteration) {
            g.holds = heliocentric_position(body, jd_tt - tau, g.heliocentric);
            for (int i = 0; i < 3; ++i) g.geocentric[i] = g.heliocentric[i] - g.earth[i];
            tau = vector_norm(g.geocentric) * LIGHT_DAYS_PER_AU;
        }
    }
    return g;
}

// The apparent place from a geometric geocentric vector relative to an
// observer at `observer` (AU, true equator of date; zero for the geocentre).
Place apparent_place(int body, const Geometry& g, const Frame& f, const double observer[3]) {
    Place place;
    place.holds = g.holds;
    double dist = vector_norm(g.geocentric);
    double natural[3], v[3], aberrated[3], of_date[3];
    for (int i = 0; i < 3; ++i) {
        natural[i] = g.geocentric[i] / dist;
        v[i] = g.earth_bary_velocity[i] * LIGHT_DAYS_PER_AU;
    }
    double v2 = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (body == MOON) {
        // The Moon's light-time place is geocentric, so already the direction
        // seen from the moving Earth: the annual aberration (from the Earth's
        // barycentric velocity) belongs to bodies placed from the barycentre.
        for (int i = 0; i < 3; ++i) aberrated[i] = natural[i];
    } else {
        eraAb(natural, v, vector_norm(g.earth), std::sqrt(1.0 - v2), aberrated);
    }
    eraRxp(const_cast<double(*)[3]>(f.rbpn), aberrated, of_date);
    for (int i = 0; i < 3; ++i) of_date[i] = of_date[i] * dist - observer[i];
    double d = vector_norm(of_date);
    for (int i = 0; i < 3; ++i) place.direction[i] = of_date[i] / d;
    place.distance_au = d;

    double ra, dec;
    eraC2s(place.direction, &ra, &dec);
    place.ra_hours = wrap360(ra * ERFA_DR2D) / 15.0;
    place.dec = dec * ERFA_DR2D;
    double ce = std::cos(f.eps_true), se = std::sin(f.eps_true);
    double ecl[3] = {place.direction[0], ce * place.direction[1] + se * place.direction[2],
                     -se * place.direction[1] + ce * place.direction[2]};
    double lon, lat;
    eraC2s(ecl, &lon, &lat);
    place.longitude = wrap360(lon * ERFA_DR2D);
    place.latitude = lat * ERFA_DR2D;
    place.semidiameter = std::asin(body_radius_km(body) / (d * AU_KM)) * ERFA_DR2D;

    if (body != SUN) {
        double to_sun[3], to_earth[3], sun_dir[3];
        for (int i = 0; i < 3; ++i) {
            to_sun[i] = -g.heliocentric[i];
            to_earth[i] = -g.geocentric[i];
            sun_dir[i] = -g.earth[i];
        }
        place.sun_distance_au = vector_norm(to_sun);
        place.phase_angle = angle_between_vectors(to_sun, to_earth);
        place.illuminated = (1.0 + std::cos(place.phase_angle * ERFA_DD2R)) / 2.0;
        place.elongation = angle_between_vectors(sun_dir, g.geocentric);
    }
    return place;
}

// The observer's position (AU) in the true equator of date.
void observer_at(const Location& location, double gast_radians, double out[3]) {
    const Site site = geocentric_site(location);
    const double* xyz = site.xyz_km;
    double c = std::cos(gast_radians), s = std::sin(gast_radians);
    out[0] = (c * xyz[0] - s * xyz[1]) / AU_KM;
    out[1] = (s * xyz[0] + c * xyz[1]) / AU_KM;
    out[2] = xyz[2] / AU_KM;
}

double gast_radians(double jd_ut, double jd_tt, const Frame& f) {
    return eraAnp(eraGmst06(jd_ut, 0.0, jd_tt, 0.0) + eraEe00(jd_tt, 0.0, f.epsa, f.dpsi));
}

}  // namespace

double body_radius_km(int body) {
    if (body == SUN) return SUN_RADIUS_KM;
    if (body == MOON) return MOON_RADIUS_KM;
    if (body == EARTH) return EARTH_RADIUS_KM;
    return PLANET_RADIUS_KM[body - MERCURY];
}

double vector_norm(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

double angle_between_vectors(const double a[3], const double b[3]) {
    return eraSepp(const_cast<double*>(a), const_cast<double*>(b)) * ERFA_DR2D;
}

void moon_position(double jd_tt, double position[3], double velocity[3]) {
    double pv[2][3];
    eraMoon98(jd_tt, 0.0, pv);
    for (int i = 0; i < 3; ++i) {
        position[i] = pv[0][i];
        velocity[i] = pv[1][i];
    }
}

PlanetState plan94_state(int body, double jd_tt) {
    // eraPlan94 numbers Mercury 1, Venus 2, the Earth-Moon barycentre 3, Mars 4 ... Neptune 8.
    double pv[2][3];
    int status = eraPlan94(jd_tt, 0.0, body <= EARTH ? 3 : body <= VENUS ? body - 2 : body - 1, pv);
    PlanetState state;
    for (int i = 0; i < 3; ++i) {
        state.position[i] = pv[0][i];
        state.velocity[i] = pv[1][i];
    }
    state.holds = status == 0 || status == 1;
    return state;
}

bool heliocentric_position(int body, double jd_tt, double position[3]) {
    if (body == EARTH) {
        double v[3];
        earth_state(jd_tt, position, v);
        return true;
    }
    if (body == PLUTO) {
        pluto_position(jd_tt, position);
        return pluto_series_covers(jd_tt);
    }
    PlanetState state = plan94_state(body, jd_tt);
    for (int i = 0; i < 3; ++i) position[i] = state.position[i];
    return state.holds;
}

bool place_holds(int body, JulianDay jd_ut) {
    return body != PLUTO || pluto_series_covers(terrestrial_time(jd_ut));
}

Site geocentric_site(const Location& location) {
    Site site;
    double lon = signed_longitude(location) * ERFA_DD2R, lat = signed_latitude(location) * ERFA_DD2R;
    double xyz_m[3];
    if (eraGd2gc(ERFA_WGS84, lon, lat, location.elevation, xyz_m) != 0) {
        // Refused only for an ellipsoid it does not know; a sphere of the
        // equatorial radius then serves (within 21 km).
        double r = EARTH_RADIUS_KM * 1000.0 + location.elevation;
        xyz_m[0] = r * std::cos(lat) * std::cos(lon);
        xyz_m[1] = r * std::cos(lat) * std::sin(lon);
        xyz_m[2] = r * std::sin(lat);
    }
    for (int i = 0; i < 3; ++i) site.xyz_km[i] = xyz_m[i] / 1000.0;
    return site;
}

Place geocentric_place(int body, JulianDay jd_ut) {
    double tt = terrestrial_time(jd_ut);
    const double geocentre[3] = {0, 0, 0};
    return apparent_place(body, geometry(body, tt), frame_at(tt), geocentre);
}

Place topocentric_place(int body, JulianDay jd_ut, const Location& location) {
    double tt = terrestrial_time(jd_ut);
    const Frame f = frame_at(tt);
    double observer[3];
    observer_at(location, gast_radians(jd_ut, tt, f), observer);
    return apparent_place(body, geometry(body, tt), f, observer);
}

void star_place(int epoch_year, double ra0_hours, double dec0, JulianDay jd_ut, double& ra_hours,
                double& dec) {
    double epoch_tt = terrestrial_time(julian_day(1.0, 1, epoch_year));
    double tt = terrestrial_time(jd_ut);
    double of_epoch[3], gcrs[3], rbp[3][3];
    eraS2c(ra0_hours * 15.0 * ERFA_DD2R, dec0 * ERFA_DD2R, of_epoch);
    eraPmat06(epoch_tt, 0.0, rbp);  // GCRS -> mean of the epoch
    eraTrxp(rbp, of_epoch, gcrs);
    Geometry g;
    double velocity[3];
    earth_state(tt, g.earth, velocity);
    for (int i = 0; i < 3; ++i) {
        g.geocentric[i] = gcrs[i];
        g.heliocentric[i] = gcrs[i];
        g.earth_bary_velocity[i] = velocity[i];
    }
    const double geocentre[3] = {0, 0, 0};
    Place p = apparent_place(SUN, g, frame_at(tt), geocentre);
    ra_hours = p.ra_hours;
    dec = p.dec;
}

void observer_position(const Location& location, JulianDay jd_ut, double position[3]) {
    double tt = terrestrial_time(jd_ut);
    observer_at(location, gast_radians(jd_ut, tt, frame_at(tt)), position);
}

void nutation_and_obliquity(JulianDay jd_ut, double& delta_psi, double& delta_epsilon,
                            double& mean_obliquity) {
    const Frame f = frame_at(terrestrial_time(jd_ut));
    delta_psi = f.dpsi * ERFA_DR2D;
    delta_epsilon = (f.eps_true - f.epsa) * ERFA_DR2D;
    mean_obliquity = f.epsa * ERFA_DR2D;
}

double apparent_sidereal_time(JulianDay jd_ut) {
    double tt = terrestrial_time(jd_ut);
    return gast_radians(jd_ut, tt, frame_at(tt)) * ERFA_DR2D / 15.0;
}

void horizontal_place(const Place& place, JulianDay jd_ut, const Location& location,
                      double& azimuth, double& altitude) {
    double lst = apparent_sidereal_time(jd_ut) * 15.0 + signed_longitude(location);
    double h = (lst - place.ra_hours * 15.0) * ERFA_DD2R;
    double phi = signed_latitude(location) * ERFA_DD2R;
    double dec = place.dec * ERFA_DD2R;
    double az, el;
    eraHd2ae(h, dec, phi, &az, &el);
    azimuth = az * ERFA_DR2D;
    altitude = el * ERFA_DR2D;
}

void heliocentric_place(int body, JulianDay jd_ut, double& longitude, double& latitude,
                        double& radius_au) {
    double tt = terrestrial_time(jd_ut);
    double p[3], rm[3][3], e[3];
    heliocentric_position(body, tt, p);
    eraEcm06(tt, 0.0, rm);
    eraRxp(rm, p, e);
    double lon, lat;
    eraC2s(e, &lon, &lat);
    longitude = wrap360(lon * ERFA_DR2D);
    latitude = lat * ERFA_DR2D;
    radius_au = vector_norm(e);
}

}  // namespace precise
