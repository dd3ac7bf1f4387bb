#pragma once
// The Moon: geocentric position, illuminated fraction, the eclipse
// shadow-cone parameter, distance, and the instants of the phases.
//
// Position: the trigonometric lunar theory of Meeus, Astronomical Formulae for
// Calculators (position of the Moon): five fundamental arguments with secular
// additive terms, 50 periodic terms in longitude, 45 in latitude and 30 plus a
// constant in the equatorial horizontal parallax.  Phases: the same book's
// chapter on the phases of the Moon.
//
// Angles are degrees, right ascension hours.  No state.

// The four principal phases, as passed to moon_phase_instant: NEW_MOON ..
// LAST_QUARTER of engine/sky_events.h.
#include "engine/sky_events.h"

// Given a UT instant (hours 0-24 of the day, day, month, astronomical year;
// Delta T is added inside).  Returns:
//   longitude     geocentric ecliptic longitude, degrees, without nutation;
//                 not normalised: the mean longitude is reduced to [0, 360)
//                 before the periodic sum is added, so the value can lie a few
//                 degrees below 0 or above 360;
//   latitude      geocentric ecliptic latitude, degrees, signed;
//   parallax      equatorial horizontal parallax, degrees;
//   semidiameter  angular radius, degrees (0.272476 * parallax);
//   illuminated   fraction of the disk lit, 0-1;
//   shadow_u      the shadow-cone parameter u of the eclipse theory, Earth radii;
//   ra            right ascension, hours [0, 24);
//   dec           declination, degrees kept in [0, 360) (fold with fold_latitude).
void moon_position(double hours, int day, int month, int year, double& longitude,
                   double& latitude, double& parallax, double& semidiameter,
                   double& illuminated, double& shadow_u, double& ra, double& dec);

// Given a UT instant as above; returns the Earth-Moon distance in kilometres,
// 6378.14 / sin(parallax) (6378.14 km: the Earth's equatorial radius).
double moon_distance_km(double hours, int day, int month, int year);

// Given a date as a year with fraction (e.g. 1995.5); returns the number of
// its lunation, k0 = trunc((date - 1900) * 12.3685), counted from the first
// new Moon of 1900.  Every date of one lunation gives the same phase instants.
double lunation_number(double date);

// Given a date as a year with fraction (e.g. 1995.5) and a phase (NEW_MOON,
// FIRST_QUARTER, FULL_MOON, LAST_QUARTER): the phase of lunation
// k0 = trunc((date - 1900) * 12.3685), counted from the first new Moon of 1900.
// Returns the arguments used, in degrees: latitude_argument F (the Moon's
// argument of latitude), sun_mean_anomaly M, moon_mean_anomaly M'; centuries T
// (k / 1236.85); jd_mean, the Julian day of the mean phase; jd_true, the
// corrected instant.  Both Julian days are ephemeris time (the time scale of
// the theory); converting to UT is the caller's business.
void moon_phase_instant(double date, int phase, double& latitude_argument,
                        double& sun_mean_anomaly, double& moon_mean_anomaly, double& centuries,
                        double& jd_mean, double& jd_true);
