#pragma once
// The Sun: its geocentric place for a moment of Universal Time (the classical
// low-precision solar theory: mean elements as polynomials in Julian centuries
// from 1900, Kepler's equation and five perturbation terms in longitude and in
// the radius vector), the instants of the equinoxes and solstices, and the
// equation of time.
#include "engine/calendar.h"

// Given a UT instant (hours of the day 0..24, day, month, year) and apparent
// (1: nutation and aberration in the longitude, nutation in the obliquity;
// 0: geometric); Delta T is added here.  Returns:
//   ra            right ascension, hours [0, 24)
//   dec           declination, degrees kept in [0, 360) (fold_latitude before showing)
//   longitude     ecliptic longitude, degrees (the apparent one may lie just below 0)
//   distance      Earth-Sun distance, astronomical units
//   semidiameter  apparent angular radius, degrees
//   mean_anomaly  the Sun's mean anomaly, degrees [0, 360)
// Keeps the last result: a call whose five inputs all equal the previous
// call's returns the stored outputs without computing.
void sun_position(double hours, int day, int month, int year, int apparent, double& ra,
                  double& dec, double& longitude, double& distance, double& semidiameter,
                  double& mean_anomaly);

// The Sun's geometric ecliptic place at a UT instant, the part of
// sun_position that its apparent and equatorial steps start from; the places
// of the planets at one instant share it.
struct SunEcliptic {
    double longitude = 0.0;     // geometric ecliptic longitude, degrees [0, 360)
    double distance = 0.0;      // Earth-Sun distance, astronomical units
    double mean_anomaly = 0.0;  // degrees [0, 360)
    double centuries = 0.0;     // the ephemeris instant, Julian centuries from 1900
    double hours_e = 0.0;       // the ephemeris instant as a date (for the obliquity)
    int day_e = 0, month_e = 0, year_e = 0;
};
// Given a UT instant (hours 0..24, day, month, year); Delta T is added here.
SunEcliptic sun_ecliptic(double hours, int day, int month, int year);
// Given the geometric place and apparent (as for sun_position); returns the
// right ascension (hours), declination (degrees kept in [0, 360)) and the
// ecliptic longitude (degrees) that sun_position gives for it.
void sun_equatorial(const SunEcliptic& sun, int apparent, double& ra, double& dec, double& longitude);
// Given the Earth-Sun distance (AU); returns the Sun's apparent angular radius, degrees.
double sun_semidiameter(double distance);

// Given a year; fills jd[0..3] with the UT Julian days at which the Sun's
// apparent longitude is 0, 90, 180 and 270 degrees in that year (March
// equinox, June solstice, September equinox, December solstice).
void season_instants(int year, JulianDay jd[4]);

// Given a UT date; returns apparent minus mean solar time in hours, positive
// when the Sun crosses the meridian before 12 h mean time.
double equation_of_time(int day, int month, int year);
