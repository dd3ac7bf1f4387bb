#pragma once
// Pluto's heliocentric place for the precise engine: the periodic series of
// Meeus, Astronomical Algorithms (2nd ed.), chapter 37, good to about an
// arcsecond from 1885 to 2099; outside those years the classical engine's
// series, precessed from the ecliptic of date to J2000.

namespace precise {

// Given a TT Julian day; returns Pluto's heliocentric position in the
// equatorial frame of J2000 (ICRS within the series' accuracy), AU.
void pluto_position(double jd_tt, double position[3]);

// True when the chapter 37 series covers the TT Julian day (1885-2099).
bool pluto_series_covers(double jd_tt);

}  // namespace precise
