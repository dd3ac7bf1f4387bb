#pragma once
// Delta T = TT - UT for the precise engine: the yearly values observed by the
// IERS (as tabulated by the US Naval Observatory) from 1973 to 2025, and
// elsewhere the polynomials of Espenak & Meeus (2006), "Five Millennium
// Canon of Solar Eclipses", NASA/TP-2006-214141, section 2.6.  After the
// last observed year the 2005-2050 polynomial is joined to it by an offset
// that fades out linearly by 2050.
#include "engine/calendar.h"

namespace precise {

// Given a decimal year (2026.5 is the middle of 2026); returns Delta T in seconds.
double delta_t_seconds(double decimal_year);

// Given a UT Julian day; returns the Terrestrial Time Julian day.
JulianDay terrestrial_time(JulianDay jd_ut);

// Given a TT Julian day; returns the UT Julian day (the inverse of terrestrial_time).
JulianDay universal_time(JulianDay jd_tt);

}  // namespace precise
