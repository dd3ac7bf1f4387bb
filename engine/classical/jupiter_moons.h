#pragma once
// Apparent places of Jupiter's four large satellites relative to the planet as
// seen from the Earth: the low-accuracy theory of Meeus, Astronomical Formulae
// for Calculators (chapter on the satellites of Jupiter), with light time and
// the first-order mutual and solar perturbations.  Self-contained: it does not
// call the Sun or planet routines.
#include "engine/calendar.h"
#include "engine/sky_engine.h"

// Given a moment jd (Julian day, UT; Delta T is added inside); returns Io,
// Europa, Ganymede and Callisto in that order (JupiterSatellite: engine/sky_engine.h).
JupiterSatellites jupiter_satellites(JulianDay jd);
