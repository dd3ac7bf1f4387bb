// Trigonometry in degrees, angle normalisation and the coordinate transforms
// of the engine: obliquity, nutation, apparent place, apparent sidereal time,
// ecliptic -> equatorial -> horizontal, Kepler's equation and the small vector
// helpers of the planetarium.
#include "engine/angles.h"

#include <algorithm>
#include <cmath>

#include "engine/calendar.h"

// ---- Trigonometry and numeric helpers ----

double rad_to_deg(double x) { return x * DEGREES_PER_RADIAN; }
double asin_deg(double x) { return std::asin(x) * DEGREES_PER_RADIAN; }
double acos_deg(double x) { return std::acos(x) * DEGREES_PER_RADIAN; }
double atan_deg(double x) { return std::atan(x) * DEGREES_PER_RADIAN; }

// Given the point (x, y) (x first); returns its polar angle in degrees, -180..180.
double atan2_deg(double x, double y) { return std::atan2(y, x) * DEGREES_PER_RADIAN; }

// Given an angle x in degrees (any size, either sign); returns the same
// direction reduced by whole turns: non-negative input lands in [0, 360),
// negative input in (0, 360], so -360 and -720 come back as 360.  The
// division by 360 is the multiplication by the double 1/360 below.
double normalize_degrees(double x) {
    const double turns_per_degree = 0.002777777777777778;
    if (x < 0.0) return x + 360.0 * (std::trunc(std::fabs(x) * turns_per_degree) + 1.0);
    if (x >= 360.0) return x - 360.0 * std::trunc(x * turns_per_degree);
    return x;
}

// Given a latitude or declination in degrees, possibly kept in [0, 360) like a
// longitude; returns it signed in -90..90 (350 -> -10, 100 -> 80, 270 -> -90).
double fold_latitude(double x) {
    x = normalize_degrees(x);
    if (x >= 270.0) x -= 360.0;
    if (x > 90.0) x = 180.0 - x;
    return x;
}

void polar_to_rect(double r, double theta, double& x, double& y) {
    x = r * cos_deg(theta);
    y = r * sin_deg(theta);
}

double planar_distance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double max_of(double a, double b) { return a >= b ? a : b; }
double min_of(double a, double b) { return a <= b ? a : b; }
int sign_of(double x) { return x >= 0.0 ? 1 : -1; }

// Given three tabulated values at equal steps and the interpolating factor n
// (-1..1, 0 at the middle value); returns the value at n along the parabola
// through the three.  Meeus, Astronomical Algorithms, ch. 3 (eq. 3.3).
double interpolate3(double y1, double y2, double y3, double n) {
    const double a = y2 - y1;
    const double b = y3 - y2;
    const double c = b - a;
    return y2 + (n / 2.0) * (a + b + n * c);
}

double dot3(const double u[3], const double v[3]) { return u[0] * v[0] + u[1] * v[1] + u[2] * v[2]; }

// Given two unit vectors; returns the angle between them in degrees.
double angle_between(const double u[3], const double v[3]) { return acos_deg(dot3(u, v)); }

double angular_separation(double ra1_hours, double dec1, double ra2_hours, double dec2) {
    const double half_dec = sin_deg(0.5 * (dec2 - dec1));
    const double half_ra = sin_deg(7.5 * (ra2_hours - ra1_hours));
    const double s = half_dec * half_dec + cos_deg(dec1) * cos_deg(dec2) * half_ra * half_ra;
    return 2.0 * asin_deg(std::sqrt(std::min(1.0, s)));
}

// Given right ascension (hours) and declination (degrees); returns the unit
// vector (sin 15a cos d, -sin d, cos 15a cos d) of the planetarium's frame.
void sky_unit_vector(double ra_hours, double declination, double v[3]) {
    const double cos_d = cos_deg(declination);
    v[0] = sin_deg(15.0 * ra_hours) * cos_d;
    v[1] = -sin_deg(declination);
    v[2] = cos_deg(15.0 * ra_hours) * cos_d;
}

// Given the sines and cosines of two angles and a vector; rotates the vector
// in place, first in the x-z plane by (s2, c2), then in the y-z plane by (s1, c1).
void rotate_vector(double s1, double c1, double s2, double c2, double v[3]) {
    const double x = c2 * v[0] + s2 * v[2];
    const double z = c2 * v[2] - s2 * v[0];
    const double y = v[1];
    v[0] = x;
    v[1] = c1 * y - s1 * z;
    v[2] = c1 * z + s1 * y;
}

// ---- Astronomical transforms ----

// Julian centuries from 1900 of a date given as (hours, day, month, year), in
// whatever time scale the caller passes.
double centuries_of_date(double hours, int day, int month, int year) {
    return centuries_1900(julian_day(day + hours / 24.0, month, year));
}

// Given a date (hours, day, month, year; ephemeris time for the Sun and
// planets, UT otherwise) and whether to include nutation; returns the
// obliquity of the ecliptic in degrees.  Mean obliquity: Explanatory
// Supplement (1961), in centuries from 1900; the nutation term is the leading
// (lunar node) term of the nutation in obliquity.
double obliquity(double hours, int day, int month, int year, bool with_nutation) {
    return obliquity_for(centuries_of_date(hours, day, month, year), with_nutation);
}

double obliquity_for(double t, bool with_nutation) {
    double epsilon = 23.452294 - 0.0130125 * t - 0.00000164 * t * t + 0.000000503 * t * t * t;
    if (with_nutation) epsilon += 0.00256 * cos_deg(259.18 - 1934.142 * t);
    return epsilon;
}

// Given a date as above; returns the nutation in longitude (delta_psi) and in
// obliquity (delta_epsilon) in arcseconds, from the thirteen and nine largest
// terms of the classical (Woolard) series in centuries from 1900, as in Meeus,
// Astronomical Formulae for Calculators, ch. 15.  Good to about 0.5".
void nutation(double hours, int day, int month, int year, double& delta_psi, double& delta_epsilon) {
    nutation_for(centuries_of_date(hours, day, month, year), delta_psi, delta_epsilon);
}

void nutation_for(double t, double& delta_psi, double& delta_epsilon) {
    const double t2 = t * t;
    const double l = normalize_degrees(279.6967 + 36000.7689 * t + 0.000303 * t2);
    const double lp = normalize_degrees(270.4342 + 481267.8831 * t - 0.001133 * t2);
    const double m = normalize_degrees(358.4758 + 35999.0498 * t - 0.00015 * t2);
    const double mp = normalize_degrees(296.1046 + 477198.8491 * t + 0.009192 * t2);
    const double omega = normalize_degrees(259.1833 - 1934.142 * t + 0.002078 * t2);
    delta_psi = -(17.2327 + 0.01737 * t) * sin_deg(omega) - (1.2729 + 0.00013 * t) * sin_deg(2.0 * l) +
                0.2088 * sin_deg(2.0 * omega) - 0.2037 * sin_deg(2.0 * lp) +
                (0.1261 - 0.00031 * t) * sin_deg(m) + 0.0675 * sin_deg(mp) -
                (0.0497 - 0.00012 * t) * sin_deg(2.0 * l + m) - 0.0342 * sin_deg(2.0 * lp - omega) -
                0.0261 * sin_deg(2.0 * lp + mp) + 0.0214 * sin_deg(2.0 * l - m) -
                0.0149 * sin_deg(2.0 * l - 2.0 * lp + mp) + 0.0124 * sin_deg(2.0 * l - omega) +
                0.0114 * sin_deg(2.0 * lp - mp);
    delta_epsilon = (9.21 + 0.00091 * t) * cos_deg(omega) + (0.5522 - 0.00029 * t) * cos_deg(2.0 * l) -
                    0.0904 * cos_deg(2.0 * omega) + 0.0884 * cos_deg(2.0 * lp) +
                    0.0216 * cos_deg(2.0 * l + m) + 0.0183 * cos_deg(2.0 * lp - omega) +
                    0.0113 * cos_deg(2.0 * lp + mp) - 0.0093 * cos_deg(2.0 * l - m) -
                    0.0066 * cos_deg(2.0 * l - omega);
}

// Given a date as above, ecliptic longitude and latitude (degrees) and whether
// the obliquity includes nutation; returns right ascension in hours [0, 24)
// and declination in degrees kept in [0, 360).  Meeus, Astronomical
// Algorithms, ch. 13 (eqs. 13.3, 13.4).
void ecliptic_to_equatorial(double hours, int day, int month, int year, double longitude,
                            double latitude, bool with_nutation, double& ra_hours,
                            double& declination) {
    const double epsilon = obliquity(hours, day, month, year, with_nutation);
    ecliptic_to_equatorial_for(sin_deg(epsilon), cos_deg(epsilon), longitude, latitude, ra_hours, declination);
}

void ecliptic_to_equatorial_for(double sin_e, double cos_e, double longitude, double latitude, double& ra_hours,
                                double& declination) {
    const double sin_l = sin_deg(longitude);
    ra_hours = normalize_degrees(atan2_deg(cos_deg(longitude), sin_l * cos_e - tan_deg(latitude) * sin_e)) *
               0.06666666666666667;
    declination =
        normalize_degrees(asin_deg(sin_deg(latitude) * cos_e + cos_deg(latitude) * sin_e * sin_l));
}

// Given a geocentric mean place (right ascension hours, declination degrees),
// the obliquity epsilon (degrees), the Sun's true longitude (degrees) and the
// nutation (arcseconds); adds nutation and annual aberration (constant
// 20.49") to the place.  Both corrections use the uncorrected place.  Meeus,
// Astronomical Algorithms, ch. 23 (eqs. 23.1, 23.2, without the e-terms).
void apparent_place_correction(double& ra_hours, double& declination, double epsilon,
                               double sun_longitude, double delta_psi, double delta_epsilon) {
    apparent_place_correction_for(ra_hours, declination,
                                  apparent_place_terms(epsilon, sun_longitude, delta_psi, delta_epsilon));
}

ApparentPlaceTerms apparent_place_terms(double epsilon, double sun_longitude, double delta_psi,
                                        double delta_epsilon) {
    return {sin_deg(epsilon), cos_deg(epsilon), tan_deg(epsilon), sin_deg(sun_longitude), cos_deg(sun_longitude),
            delta_psi, delta_epsilon};
}

void apparent_place_correction_for(double& ra_hours, double& declination, const ApparentPlaceTerms& terms) {
    const double sin_a = sin_deg(15.0 * ra_hours);
    const double cos_a = cos_deg(15.0 * ra_hours);
    const double sin_d = sin_deg(declination);
    const double cos_d = cos_deg(declination);
    const double tan_d = tan_deg(declination);
    const double sin_e = terms.sin_epsilon;
    const double cos_e = terms.cos_epsilon;
    const double sin_s = terms.sin_sun;
    const double cos_s = terms.cos_sun;
    const double delta_psi = terms.delta_psi;
    const double delta_epsilon = terms.delta_epsilon;
    const double d_ra = ((cos_e + sin_e * sin_a * tan_d) * delta_psi - cos_a * tan_d * delta_epsilon -
                         20.49 * (cos_a * cos_s * cos_e + sin_a * sin_s) / cos_d) /
                        15.0 / 3600.0;
    const double d_dec = (sin_e * cos_a * delta_psi + sin_a * delta_epsilon -
                          20.49 * (cos_s * cos_e * (terms.tan_epsilon * cos_d - sin_a * sin_d) +
                                   cos_a * sin_d * sin_s)) /
                         3600.0;
    ra_hours += d_ra;
    declination += d_dec;
}

// Given UT hours of a whole-day date; returns Greenwich mean sidereal time in
// hours, [0, 24), from Newcomb's polynomial for 0 h UT in centuries from
// 1900 January 0.5 (Explanatory Supplement to the Astronomical Ephemeris, 1961)
// plus the sidereal rate times UT.
double mean_sidereal_time(double ut, int day, int month, int year) {
    const double t = centuries_1900(julian_day(day, month, year));
    const double revolutions = frac(0.276919398 + 100.0021359 * t + 0.000001075 * t * t);
    const double gmst = revolutions * 24.0 + 1.002737908 * ut;
    return normalize_degrees(gmst * 15.0) / 15.0;
}

// Given a UT instant (hours, day, month, year); returns Greenwich apparent
// sidereal time in hours: the mean sidereal time plus the equation of the
// equinoxes (delta_psi cos epsilon, arcseconds of arc turned into hours).
// The sum is not reduced to 0..24.  Meeus, Astronomical Algorithms, ch. 12.
double apparent_sidereal_time(double ut, int day, int month, int year) {
    double delta_psi = 0.0;
    double delta_epsilon = 0.0;
    nutation(ut, day, month, year, delta_psi, delta_epsilon);
    const double epsilon = obliquity(ut, day, month, year, true);
    return mean_sidereal_time(ut, day, month, year) + delta_psi * cos_deg(epsilon) * 1.8518518518518518e-5;
}

// Given a UT instant, right ascension (hours), declination (degrees) and the
// observer (by value); returns the azimuth (degrees from North through East)
// and altitude (degrees).  A latitude of exactly 90 is taken as 89.999 so that
// the azimuth stays finite.  Duffett-Smith, Practical Astronomy with your
// Calculator, "Equatorial to horizon coordinate conversion".
void equatorial_to_horizontal(double ut, double ra_hours, double declination, int day, int month,
                              int year, double& azimuth, double& altitude, Location location) {
    const double lst = gst_to_lst(ut_to_gst(ut, day, month, year), location);
    if (location.latitude == 90.0) location.latitude = 89.999;
    const double phi = signed_latitude(location);
    const double h = (lst - ra_hours) * 15.0;
    const double sin_phi = sin_deg(phi);
    const double cos_phi = cos_deg(phi);
    altitude = asin_deg(sin_deg(declination) * sin_phi + cos_deg(declination) * cos_phi * cos_deg(h));
    double c = (sin_deg(declination) - sin_deg(altitude) * sin_phi) / (cos_deg(altitude) * cos_phi);
    if (std::fabs(c) > 1.0) c = sign_of(c);
    azimuth = acos_deg(c);
    if (sin_deg(h) >= 0.0) azimuth = 360.0 - azimuth;
}

// ---- Two-body helpers ----

// Given the mean anomaly M (degrees) and the eccentricity e (0 <= e < 1);
// returns the eccentric anomaly E in degrees (not reduced to 0..360), by
// Newton's method on E - e sin E = M until the step is at most 1e-8 degrees.
// Meeus, Astronomical Algorithms, ch. 30 (second method).
double solve_kepler(double mean_anomaly, double e) {
    const double e_degrees = e * DEGREES_PER_RADIAN;
    double ecc = mean_anomaly;
    double d = 0.0;
    do {
        d = (mean_anomaly - ecc + e_degrees * sin_deg(ecc)) / (1.0 - e * cos_deg(ecc));
        ecc += d;
    } while (std::fabs(d) > 1e-8);
    return ecc;
}

// Given the eccentricity and the eccentric anomaly (degrees); returns the true
// anomaly in degrees [0, 360).  Meeus, Astronomical Algorithms, eq. 30.1.
double true_anomaly(double e, double eccentric_anomaly) {
    return normalize_degrees(2.0 * atan_deg(std::sqrt((1.0 + e) / (1.0 - e)) * tan_deg(eccentric_anomaly / 2.0)));
}

// Given the semi-major axis a, the eccentricity and the eccentric anomaly
// (degrees); returns the radius vector a (1 - e cos E) in the unit of a.
double radius_vector(double a, double e, double eccentric_anomaly) {
    return a * (1.0 - e * cos_deg(eccentric_anomaly));
}
