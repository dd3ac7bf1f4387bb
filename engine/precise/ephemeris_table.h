#pragma once
// A compact ephemeris made once at build time from ERFA, the way JPL makes
// its ephemerides: Chebyshev series over granules of 32 TT days for
//   the Earth's heliocentric position (eraEpv00's, AU, BCRS axes), 18 terms
//   a coordinate, within 0.2 km of eraEpv00;
//   the Sun's barycentric velocity (eraEpv00's barycentric less its
//   heliocentric Earth velocity, AU/day), 4 terms;
//   the nutation in longitude and in obliquity (eraNut00b's IAU 2000B,
//   radians), 22 terms each in single precision, within 0.1 mas.
// The Earth's heliocentric velocity is the derivative of its series.  The
// table spans the TT Julian days [TABLE_FIRST_TT, TABLE_LAST_TT), the years
// 999 to 3002 (the year range of the long reports, with a margin); outside
// it the callers compute ERFA's series themselves.  The generator is
// table/make_ephemeris_table.cpp; its output is linked into the program.

namespace precise {

constexpr double GRANULE_DAYS = 32.0;
constexpr int GRANULE_COUNT = 22863;
constexpr double TABLE_FIRST_TT = 2086000.5;
constexpr double TABLE_LAST_TT = TABLE_FIRST_TT + GRANULE_COUNT * GRANULE_DAYS;
constexpr int EARTH_TERMS = 18, SUN_VELOCITY_TERMS = 4, NUTATION_TERMS = 22;

struct EphemerisGranule {
    double earth[3][EARTH_TERMS];                // AU
    double sun_velocity[3][SUN_VELOCITY_TERMS];  // AU/day
    float nutation[2][NUTATION_TERMS];           // delta psi, delta epsilon, radians
};

// The Earth's heliocentric position (AU) and velocity (AU/day) and its
// barycentric velocity (AU/day) at a TT Julian day; false outside the table.
bool table_earth(double jd_tt, double position[3], double velocity[3], double bary_velocity[3]);

// The nutation in longitude and in obliquity (IAU 2000B) at a TT Julian day,
// radians; false outside the table.
bool table_nutation(double jd_tt, double& delta_psi, double& delta_epsilon);

}  // namespace precise
