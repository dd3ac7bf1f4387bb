#pragma once
// Perihelia and aphelia of the planets Earth to Saturn from the mean orbit:
// JD = C + B k + A k^2 in the orbit number k (an integer for a perihelion,
// k + 0.5 for an aphelion), after Meeus, Astronomical Formulae for
// Calculators, chapter "Planets: perihelion and aphelion".  The instants are
// those of the unperturbed mean orbit, good to a day or two for the Earth and
// Mars and to weeks for Jupiter and Saturn.
#include "engine/calendar.h"
#include "engine/sky_events.h"

// Given a body (2 Earth ... 7 Saturn) and an orbit number k; returns the UT
// Julian day of that perihelion (integer k) or aphelion (k + 0.5).
JulianDay planet_apsis_instant(int body, double k);

// Given a body (2-7), a kind and a year range; returns the first and last
// orbit numbers to try, ten orbits of margin on each side:
// trunc(rate (year - 1900)) + off -/+ 10, off 0 for perihelia and 0.5 for
// aphelia, rate the orbits per year.
void planet_apsis_k_range(int body, ApsisKind kind, int first_year, int last_year,
                          double& k_first, double& k_last);

// Given a body (2 Earth, 3-10 Mercury..Pluto) and a UT instant (hours 0-24,
// day, month, year); returns its distance from the Sun in AU.
double heliocentric_distance(int body, double hours, int day, int month, int year);
