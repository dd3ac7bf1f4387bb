// Star places, topocentric places, planetary magnitude and diameter.
#include "engine/classical/star_places.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/classical/planets.h"
#include "engine/classical/sun.h"

namespace {

constexpr int MERCURY = 3;

// Absolute visual magnitude V0 (at 1 AU from the Sun and the Earth, full
// phase) and apparent diameter at 1 AU (arcseconds), Mercury to Pluto.
// Duffett-Smith, Practical Astronomy with your Calculator.
struct PlanetConstants {
    double absolute_magnitude;
    double diameter_at_1_au;
};

constexpr PlanetConstants planet_constants[] = {
    {-0.42, 6.74},   // Mercury
    {-4.4, 16.92},   // Venus
    {-1.52, 9.36},   // Mars
    {-9.4, 196.74},  // Jupiter
    {-8.88, 165.6},  // Saturn
    {-7.19, 65.8},   // Uranus
    {-6.87, 62.2},   // Neptune
    {-1.0, 8.2},     // Pluto
};

// The planet's Sun distance r, Earth distance and lit fraction (AU, AU, 0-1)
// at a UT instant, without the equatorial steps.
struct PlanetGeometry {
    double radius, distance, illuminated;
};

PlanetGeometry planet_geometry(int body, double hours, int day, int month, int year) {
    double ra = 0.0, dec = 0.0, distance = 0.0, illuminated = 0.0, elongation = 0.0;
    double helio_latitude = 0.0, helio_longitude = 0.0, radius = 0.0;
    planet_position(body, hours, day, month, year, 0, ra, dec, distance, illuminated, elongation,
                    helio_latitude, helio_longitude, radius);
    return {radius, distance, illuminated};
}

}  // namespace

// Given the starting epoch jd0 and the target jd (Julian days); returns the
// precession angles zeta, z, theta (degrees), Newcomb's expressions in
// tropical centuries: T0 from 1900.0 (JD 2415020.313) to jd0, t from jd0 to
// jd.  Meeus, Astronomical Formulae for Calculators, chapter "Precession".
void precession_angles(double jd0, double jd, double& zeta, double& z, double& theta) {
    const double t0 = (jd0 - 2415020.313) / 36524.2199;
    const double t = (jd - jd0) / 36524.2199;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double zeta_arcsec = (2304.25 + 1.396 * t0) * t + 0.302 * t2 + 0.018 * t3;
    const double z_arcsec = zeta_arcsec + 0.791 * t2 + 0.001 * t3;
    const double theta_arcsec = (2004.682 - 0.853 * t0) * t - 0.426 * t2 - 0.042 * t3;
    zeta = zeta_arcsec / 3600.0;
    z = z_arcsec / 3600.0;
    theta = theta_arcsec / 3600.0;
}

// Given a catalogue place (ra0 hours, dec0 degrees) of 0 h January 1 of
// epoch_year and a UT Julian day; returns the apparent place of that day:
// the rigorous precession rotation, then nutation and annual aberration with
// the Sun's geometric longitude.  Meeus, Astronomical Formulae for
// Calculators, chapters "Precession" and "Apparent place of a star".
void star_apparent_place(int epoch_year, double ra0_hours, double dec0, double jd,
                         double& ra_hours, double& dec) {
    double zeta = 0.0, z = 0.0, theta = 0.0;
    precession_angles(julian_day(1, 1, epoch_year), jd, zeta, z, theta);

    double hours = 0.0;
    int day = 0, month = 0, year = 0;
    split_instant(jd, hours, day, month, year);
    double delta_psi = 0.0;
    double delta_epsilon = 0.0;
    nutation(hours, day, month, year, delta_psi, delta_epsilon);
    double sun_ra = 0.0, sun_dec = 0.0, sun_longitude = 0.0, sun_distance = 0.0;
    double sun_semidiameter = 0.0, sun_mean_anomaly = 0.0;
    sun_position(hours, day, month, year, 0, sun_ra, sun_dec, sun_longitude, sun_distance,
                 sun_semidiameter, sun_mean_anomaly);
    const double epsilon = obliquity(hours, day, month, year, false);

    const double a = 15.0 * ra0_hours + zeta;
    const double big_a = cos_deg(dec0) * sin_deg(a);
    const double big_b = cos_deg(theta) * cos_deg(dec0) * cos_deg(a) - sin_deg(theta) * sin_deg(dec0);
    const double big_c = sin_deg(theta) * cos_deg(dec0) * cos_deg(a) + cos_deg(theta) * sin_deg(dec0);
    ra_hours = (atan2_deg(big_b, big_a) + z) / 15.0;
    dec = asin_deg(big_c);
    apparent_place_correction(ra_hours, dec, epsilon, sun_longitude, delta_psi, delta_epsilon);
}

// Given the elevation (metres) and the geographic latitude (degrees); returns
// rho sin phi' and rho cos phi' in Earth equatorial radii, for the reference
// ellipsoid with b/a = 0.99664719 and a = 6378140 m.  Meeus, Astronomical
// Formulae for Calculators, chapter "Correction for parallax".
void observer_geocentric(double elevation_m, double latitude, double& rho_sin_phi,
                         double& rho_cos_phi) {
    const double u = atan_deg(0.99664719 * tan_deg(latitude));
    rho_sin_phi = 0.99664719 * sin_deg(u) + (elevation_m / 6378140.0) * sin_deg(latitude);
    rho_cos_phi = cos_deg(u) + (elevation_m / 6378140.0) * cos_deg(latitude);
}

// Given the observer, the body with its Earth distance (AU) or, for the Moon,
// its horizontal parallax (degrees), a UT instant and a geocentric place;
// replaces the place by the topocentric one, using the rigorous formulae of
// Meeus, Astronomical Formulae for Calculators, chapter "Correction for
// parallax".
void topocentric_place(Location location, int body, double distance, double moon_parallax,
                       double hours, int day, int month, int year, double& ra_hours,
                       double& dec) {
    if (location.latitude == 90.0) location.latitude = 89.999;
    const double latitude =
        location.latitude_hemisphere == COMPASS_SOUTH ? -location.latitude : location.latitude;
    const double longitude_west =
        location.longitude_hemisphere == COMPASS_WEST ? location.longitude : -location.longitude;

    double rho_sin_phi = 0.0;
    double rho_cos_phi = 0.0;
    observer_geocentric(location.elevation, latitude, rho_sin_phi, rho_cos_phi);
    // 8.794 arcseconds, the solar parallax, at 1 AU.
    const double parallax =
        body == id_of(Body::Moon) ? moon_parallax
                     : normalize_degrees(asin_deg(sin_deg(0.002442777777777778) / distance));
    const double sidereal = apparent_sidereal_time(hours, day, month, year);
    const double hour_angle = normalize_degrees(15.0 * (sidereal - longitude_west / 15.0 - ra_hours));

    const double sin_parallax = sin_deg(parallax);
    const double denominator = cos_deg(dec) - rho_cos_phi * sin_parallax * cos_deg(hour_angle);
    const double delta_ra = atan2_deg(denominator, -rho_cos_phi * sin_parallax * sin_deg(hour_angle));
    dec = atan2_deg(denominator, (sin_deg(dec) - rho_sin_phi * sin_parallax) * cos_deg(delta_ra));
    ra_hours = ra_hours + delta_ra / 15.0;
}

// Given a planet 3-10 and a UT instant; returns V0 + 5 log10(r Delta / sqrt k),
// or 21.0 when the lit fraction k is below 0.00001.  Duffett-Smith, Practical
// Astronomy with your Calculator.
double planet_magnitude(int body, double hours, int day, int month, int year) {
    const PlanetGeometry g = planet_geometry(body, hours, day, month, year);
    if (g.illuminated < 0.00001) return 21.0;
    return planet_constants[body - MERCURY].absolute_magnitude +
           5.0 * std::log10(g.radius * g.distance / std::sqrt(g.illuminated));
}

// Given a planet 3-10 and a UT instant; returns its apparent diameter,
// arcseconds: the semi-diameter at 1 AU over the Earth distance, doubled.
double planet_angular_diameter(int body, double hours, int day, int month, int year) {
    const PlanetGeometry g = planet_geometry(body, hours, day, month, year);
    return (planet_constants[body - MERCURY].diameter_at_1_au * 0.5 / g.distance) * 2.0;
}
