#pragma once
// Angles and coordinate transforms: trigonometry in degrees, normalisation,
// obliquity, nutation, the apparent-place correction, apparent sidereal time,
// ecliptic -> equatorial -> horizontal, Kepler's equation, three-point
// interpolation and the small vector helpers of the planetarium.
//
// Angles are degrees unless named otherwise; right ascension and hour angles
// are hours.  Declinations come back in [0, 360) like a longitude; consumers
// that show or sign one pass it through fold_latitude.  Functions taking a
// date take it as (hours, day, month, year) and do not add Delta T: callers
// pass the time scale they need (ephemeris time for the Sun and planets, UT
// for the Moon and the observer).
#include <cmath>

#include "engine/location.h"

constexpr double DEGREES_PER_RADIAN = 57.29577951308232;
constexpr double RADIANS_PER_DEGREE = 0.017453292519943295;

// ---- Trigonometry and numeric helpers ----
double rad_to_deg(double x);
// Inline, so that a sine and a cosine of one angle in one function become a
// single sincos call (the same values, computed once).
inline double sin_deg(double x) { return std::sin(x * RADIANS_PER_DEGREE); }
inline double cos_deg(double x) { return std::cos(x * RADIANS_PER_DEGREE); }
inline double tan_deg(double x) { return std::tan(x * RADIANS_PER_DEGREE); }
double asin_deg(double x);          // no clamping of x
double acos_deg(double x);          // no clamping of x
double atan_deg(double x);          // -90..90
double atan2_deg(double x, double y);  // angle of the point (x, y), -180..180; x first
// Reduces x to [0, 360) for x >= 0 and to (0, 360] for x < 0 (so -360 gives 360).
double normalize_degrees(double x);
// A declination or latitude kept in [0, 360) back to -90..90.
double fold_latitude(double x);
void polar_to_rect(double r, double theta, double& x, double& y);
double planar_distance(double x1, double y1, double x2, double y2);
double max_of(double a, double b);  // on equality the first argument
double min_of(double a, double b);  // on equality the first argument
int sign_of(double x);              // 1 when x >= 0, else -1
// Three-point interpolation around y2; n in -1..1 (n = -1 gives y1, 1 gives y3).
double interpolate3(double y1, double y2, double y3, double n);
double dot3(const double u[3], const double v[3]);
double angle_between(const double u[3], const double v[3]);  // unit vectors, degrees
// The angle between two places on the sky (right ascensions in hours),
// degrees: the haversine form, exact at small angles too.
double angular_separation(double ra1_hours, double dec1, double ra2_hours, double dec2);
// Unit vector of a sky direction: (sin 15a cos d, -sin d, cos 15a cos d).
void sky_unit_vector(double ra_hours, double declination, double v[3]);
// Rotates v in place: about y by (s2, c2), then about x by (s1, c1).
void rotate_vector(double s1, double c1, double s2, double c2, double v[3]);

// ---- Astronomical transforms ----
// Julian centuries from 1900 of a date (hours, day, month, year), in the
// time scale the caller passes: what obliquity and nutation start from.
double centuries_of_date(double hours, int day, int month, int year);
double obliquity(double hours, int day, int month, int year, bool with_nutation);
double obliquity_for(double centuries, bool with_nutation);
// Nutation in longitude and in obliquity, arcseconds.
void nutation(double hours, int day, int month, int year, double& delta_psi, double& delta_epsilon);
void nutation_for(double centuries, double& delta_psi, double& delta_epsilon);
void ecliptic_to_equatorial(double hours, int day, int month, int year, double longitude,
                            double latitude, bool with_nutation, double& ra_hours,
                            double& declination);
// The same for an obliquity given by its sine and cosine: what the places
// of one instant share.
void ecliptic_to_equatorial_for(double sin_epsilon, double cos_epsilon, double longitude, double latitude,
                                double& ra_hours, double& declination);
// Adds nutation and annual aberration to a geocentric place.
void apparent_place_correction(double& ra_hours, double& declination, double epsilon,
                               double sun_longitude, double delta_psi, double delta_epsilon);
// What the correction needs besides the place: the same for every body at
// one instant, so the places of one instant compute it once.
struct ApparentPlaceTerms {
    double sin_epsilon = 0.0, cos_epsilon = 0.0, tan_epsilon = 0.0;  // of the obliquity
    double sin_sun = 0.0, cos_sun = 0.0;                             // of the Sun's true longitude
    double delta_psi = 0.0, delta_epsilon = 0.0;                     // nutation, arcseconds
};
ApparentPlaceTerms apparent_place_terms(double epsilon, double sun_longitude, double delta_psi,
                                        double delta_epsilon);
void apparent_place_correction_for(double& ra_hours, double& declination, const ApparentPlaceTerms& terms);
double mean_sidereal_time(double ut, int day, int month, int year);      // polynomial GMST, hours [0, 24)
double apparent_sidereal_time(double ut, int day, int month, int year);  // hours, not normalised
void equatorial_to_horizontal(double ut, double ra_hours, double declination, int day, int month,
                              int year, double& azimuth, double& altitude, Location location);

// ---- Two-body helpers ----
double solve_kepler(double mean_anomaly, double e);  // eccentric anomaly, degrees
double true_anomaly(double e, double eccentric_anomaly);
double radius_vector(double a, double e, double eccentric_anomaly);  // a (1 - e cos E)
