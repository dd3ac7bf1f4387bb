#pragma once
// The planets Mercury to Pluto: heliocentric ecliptic place, distance from the
// Earth, illuminated fraction, elongation and (on request) the apparent right
// ascension and declination for a moment of Universal Time.
//
// Mercury to Neptune: mean orbital elements as cubic polynomials in Julian
// centuries T from 1900 January 0.5, with the classical periodic perturbations
// of the mean longitude, mean anomaly, eccentricity, semi-major axis,
// heliocentric longitude, latitude and radius vector (Meeus, Astronomical
// Formulae for Calculators, chapter "Planets"; the elements are those of the
// Explanatory Supplement to the Astronomical Ephemeris, 1961).  Pluto: a
// trigonometric series in the mean longitudes of Jupiter, Saturn and Pluto,
// referred to the mean equinox of 1950.0 and precessed to the equinox of date.
// No light-time correction.
//
// Body ids: 3 Mercury, 4 Venus, 5 Mars, 6 Jupiter, 7 Saturn, 8 Uranus,
// 9 Neptune, 10 Pluto (0 Sun, 1 Moon and 2 Earth belong to other routines).
// Angles are degrees, right ascension hours.  No state.

#include "engine/angles.h"
#include "engine/classical/sun.h"

// The separate mean anomalies of the planets' perturbation terms, degrees [0, 360).
struct MeanAnomalies {
    double mercury, venus, mars, jupiter, saturn, uranus, neptune;
};

// What the places of all planets at one UT instant share: the ephemeris
// instant, the mean anomalies, the Sun's geometric place and, for apparent
// places, the nutation and the obliquity of the date.
struct PlanetInstant {
    double jde = 0.0;            // ephemeris Julian day
    double hours_e = 0.0;        // the same instant as an ephemeris date
    int day_e = 0, month_e = 0, year_e = 0;
    double centuries = 0.0;      // T of jde, Julian centuries from 1900
    double date_centuries = 0.0; // T of the ephemeris date (the elements, nutation and obliquity)
    MeanAnomalies mean_anomalies{};
    SunEcliptic sun;
    int want_equatorial = 0;     // whether the next three are set
    ApparentPlaceTerms apparent; // mean obliquity, the Sun's longitude, nutation
    double sin_true_obliquity = 0.0;  // of the obliquity with the nutation term
    double cos_true_obliquity = 0.0;
};

// Given a UT instant (hours of the day 0-24, day, month, astronomical year;
// Delta T is added here) and want_equatorial as for planet_position.
PlanetInstant planet_instant(double hours, int day, int month, int year, int want_equatorial);

// planet_position for an instant made by planet_instant (with want_equatorial
// set when it is asked for here); the same results bit for bit.
void planet_place(int body, const PlanetInstant& instant, int want_equatorial, double& ra, double& dec,
                  double& distance, double& illuminated, double& elongation, double& helio_latitude,
                  double& helio_longitude, double& radius);

// Given a planet (3-10) and a UT instant (hours of the day 0-24, day, month,
// astronomical year; Delta T is added here) and want_equatorial (1: also the
// apparent place; 0: skip the costly equatorial steps).  Returns:
//   ra, dec          apparent geocentric right ascension (hours) and
//                    declination (degrees kept in [0, 360); fold with
//                    fold_latitude), with nutation and aberration; both 0
//                    when want_equatorial is 0
//   distance         Earth-planet distance, AU
//   illuminated      fraction of the disk lit, 0-1
//   elongation       Sun-Earth-planet angle, degrees 0-180
//   helio_latitude   heliocentric ecliptic latitude, degrees
//   helio_longitude  heliocentric ecliptic longitude, degrees, equinox of
//                    date; normalised before the last perturbation is added,
//                    so it may stray below 0 or above 360 by that amount
//   radius           Sun-planet distance, AU
void planet_position(int body, double hours, int day, int month, int year, int want_equatorial,
                     double& ra, double& dec, double& distance, double& illuminated,
                     double& elongation, double& helio_latitude, double& helio_longitude,
                     double& radius);

// Given a planet (3-9) and an instant (hours, day, month, year) taken as it
// stands: no Delta T is added, the caller passes an ephemeris date.  Returns
// the mean elements at T = centuries_1900(julian_day(day + hours/24, ...)):
//   mean_longitude L, inclination i, node_longitude (ascending node) and
//   perihelion_argument (argument of perihelion) in degrees [0, 360);
//   eccentricity e; semi_major_axis a, AU;
//   mean_anomaly M = L - node - perihelion, degrees, not normalised.
void planet_elements(int body, double hours, int day, int month, int year,
                     double& mean_longitude, double& semi_major_axis, double& eccentricity,
                     double& inclination, double& perihelion_argument, double& node_longitude,
                     double& mean_anomaly);

// Given an ephemeris Julian day; returns Pluto's heliocentric ecliptic
// latitude and longitude (degrees, mean equinox and ecliptic of date) and
// its radius vector (AU).
void pluto_heliocentric(double jde, double& helio_latitude, double& helio_longitude,
                        double& radius);

// Given a Julian day and an ecliptic longitude and latitude (degrees) referred
// to the mean equinox and ecliptic of 1950.0; converts them in place to the
// equinox and ecliptic of the date (longitude [0, 360), latitude -90..90).
void precess_ecliptic_1950(double jd, double& longitude, double& latitude);

// True for the planets that planet_position accepts: 3 <= id < 11.
bool is_planet(int id);
