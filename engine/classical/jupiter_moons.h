#pragma once
// Apparent places of Jupiter's four large satellites relative to the planet as
// seen from the Earth: the low-accuracy theory of Meeus, Astronomical Formulae
// for Calculators (chapter on the satellites of Jupiter), with light time and
// the first-order mutual and solar perturbations.  Self-contained: it does not
// call the Sun or planet routines.
#include "engine/calendar.h"

// Number of satellites computed, in the order Io, Europa, Ganymede, Callisto.
constexpr int JUPITER_SATELLITE_COUNT = 4;

// One satellite's apparent place, in Jupiter equatorial radii.
struct JupiterSatellite {
    double x = 0.0;   // along Jupiter's equator; negative when sin u > 0 (x = -r sin u)
    double y = 0.0;   // perpendicular to the equator
    double z = 0.0;   // along the line of sight; negative when farther from the Earth than Jupiter
    int visible = 1;  // 0 when behind Jupiter's disk, else 1
};

// Given a moment jd (Julian day, UT; Delta T is added inside); fills
// records[0..3] with Io, Europa, Ganymede and Callisto in that order.
void jupiter_satellites(JulianDay jd, JupiterSatellite records[JUPITER_SATELLITE_COUNT]);
