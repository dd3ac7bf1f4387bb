#pragma once
// The Moon's apogees and perigees and its passages through the nodes.
//
// Apsides: the Moon's distance is sampled once a day at 0 h UT; a day whose
// distance is larger (smaller) than both neighbours' is an apogee (perigee)
// candidate, refined by sampling the 47 whole hours from 23 hours before to
// 23 hours after that 0 h.  The distances come from the engine's lunar theory
// (moon_distance_km), so instants are good to the hour and distances to some
// tens of kilometres.
//
// Nodes: the series of Meeus, Astronomical Algorithms (2nd ed.), chapter 51
// "Passages of the Moon through the nodes", evaluated for an integer lunation
// number k (k = 0 is the ascending node of 2000 January).  The series gives
// ephemeris time; the UT conversion uses the parabola
// Delta T = 0.00325 (Y - 1810)^2 - 15 seconds for the year Y asked about.
#include "engine/calendar.h"
#include "engine/sky_events.h"


// Hours searched on each side of a candidate's 0 h sample.
constexpr int MOON_APSIS_REFINE_HOURS = 23;
constexpr int MOON_APSIS_SAMPLES = 2 * MOON_APSIS_REFINE_HOURS + 1;

// Given a UT instant as a Julian day; returns the Earth-Moon distance, km.
double moon_distance_at(JulianDay jd_ut);

// Given the distances (km) of three consecutive daily samples; returns
// MOON_APOGEE when the middle one is strictly the largest, MOON_PERIGEE when
// it is strictly the smallest, else MOON_APSIS_NONE.  A zero distance (a
// sample never taken) never makes a candidate.
MoonApsisKind moon_apsis_kind(double before_km, double middle_km, double after_km);

// Given the MOON_APSIS_SAMPLES hourly distances (km) from -23 h to +23 h and
// the kind sought; returns the hour offset (-23..23) of the largest (apogee)
// or smallest (perigee) distance; on a tie the earliest hour wins.
int moon_apsis_extreme_hour(const double distances_km[MOON_APSIS_SAMPLES], MoonApsisKind kind);

// Given the 0 h UT Julian day of a candidate day and its kind; returns the
// extreme at the whole hour (-23..23 h from t_day) of the largest (apogee) or
// smallest (perigee) distance, with that distance.
MoonApsis moon_apsis_refine(JulianDay t_day, MoonApsisKind kind);

// Given a lunation number k (integer; k = 0 near 2000 January 20) and a node;
// returns the Julian Ephemeris Day of that passage (the series evaluated at
// K = k, or k + 0.5 for the descending node).
JulianDay moon_node_jde(int k, MoonNode node);

// moon_node_jde converted to UT with the Delta T parabola of `year` (the year
// of the report asking, not necessarily the year of the passage).
JulianDay moon_node_instant(int k, MoonNode node, int year);

// Given a year Y; returns the lunation numbers to evaluate so that every node
// passage of Y is found: trunc((Y - 2 - 2000.05) * 13.4223) to
// trunc((Y + 2 - 2000.05) * 13.4223).
void moon_node_k_range(int year, int& k_first, int& k_last);
