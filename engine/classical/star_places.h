#pragma once
// Star places, topocentric places, planetary magnitude and diameter: the small
// services of the planetarium and the planet graphs.  Precession and parallax
// follow Meeus, Astronomical Formulae for Calculators (chapters "Precession"
// and "Correction for parallax").  Angles are degrees, right ascension hours.
// No state.
#include "engine/location.h"

// Given two Julian days, the starting epoch jd0 and the target jd; returns the
// equatorial precession angles zeta, z and theta in degrees (Newcomb's
// expressions in tropical centuries, as in Meeus).
void precession_angles(double jd0, double jd, double& zeta, double& z, double& theta);

// Given a catalogue position (epoch_year, e.g. 2000: the place is referred to
// 0 h of January 1 of that year; ra0 hours, dec0 degrees) and a UT Julian
// day; returns the apparent place of date: rigorous precession, then
// nutation and annual aberration.  ra in hours (not normalised), dec in
// degrees (-90..90).
void star_apparent_place(int epoch_year, double ra0_hours, double dec0, double jd,
                         double& ra_hours, double& dec);

// Given the observer's elevation (metres above sea level) and geographic
// latitude (degrees, north positive); returns rho sin phi' and rho cos phi',
// the observer's geocentric coordinates in Earth equatorial radii
// (6378140 m, flattening 1/298.257).
void observer_geocentric(double elevation_m, double latitude, double& rho_sin_phi,
                         double& rho_cos_phi);

// Corrects a geocentric apparent place for the observer's parallax.  Given
// the location (by value: a latitude of exactly 90 is taken as 89.999 on the
// copy), the body (1 Moon: its equatorial horizontal parallax moon_parallax,
// degrees, is used; any other body: the parallax follows from distance, AU,
// 8.794" at 1 AU), a UT instant (hours, day, month, year), and the place
// (ra hours, dec degrees); replaces the place with the topocentric one
// (dec as atan2 gives it, -180..180).
void topocentric_place(Location location, int body, double distance, double moon_parallax,
                       double hours, int day, int month, int year, double& ra_hours,
                       double& dec);

// Given a planet (3-10) and a UT instant; returns its visual magnitude,
// V0 + 5 log10(r Delta / sqrt(k)); 21.0 when the lit fraction k is below
// 0.00001 (too faint to matter).
double planet_magnitude(int body, double hours, int day, int month, int year);

// Given a planet (3-10) and a UT instant; returns its apparent diameter in
// arcseconds (the diameter at 1 AU divided by the Earth distance in AU).
double planet_angular_diameter(int body, double hours, int day, int month, int year);
