// Jupiter's Galilean satellites: Meeus, Astronomical Formulae for Calculators,
// chapter on the satellites of Jupiter (low accuracy, about 0.1 Jupiter radius).
#include "engine/classical/jupiter_moons.h"

#include <cmath>

#include "engine/angles.h"

// Given jd (UT); returns Io, Europa, Ganymede and Callisto with the
// apparent offsets x, y, z from Jupiter's centre in Jupiter equatorial radii
// and the visible flag.  Angles in degrees, d and t in days of ephemeris time
// from 1900 January 0.5 (JD 2415020.0).
JupiterSatellites jupiter_satellites(JulianDay jd) {
    JupiterSatellites records;
    double day = 0.0;
    int month = 0;
    int year = 0;
    calendar_date(jd, day, month, year);
    const double d = jd + delta_t_hours(year) / 24.0 - 2415020.0;

    // Earth's and Jupiter's orbits: mean anomalies, equations of centre, distances (AU).
    const double v = 134.63 + 0.00111587 * d;  // long-period term, not normalised
    const double m = normalize_degrees(358.476 + 0.9856003 * d);
    const double n = normalize_degrees(225.328 + 0.0830853 * d + 0.33 * sin_deg(v));
    const double j = normalize_degrees(221.647 + 0.9025179 * d - 0.33 * sin_deg(v));
    const double a = normalize_degrees(1.916 * sin_deg(m) + 0.02 * sin_deg(2.0 * m));
    const double b = normalize_degrees(5.552 * sin_deg(n) + 0.167 * sin_deg(2.0 * n));
    const double k = normalize_degrees(j + a - b);
    const double earth_r = 1.00014 - 0.01672 * cos_deg(m) - 0.00014 * cos_deg(2.0 * m);
    const double jupiter_r = 5.20867 - 0.25192 * cos_deg(n) - 0.0061 * cos_deg(2.0 * n);
    const double delta = std::sqrt(square(jupiter_r) + square(earth_r) -
                                   2.0 * jupiter_r * earth_r * cos_deg(k));
    // Phase angle: the angle Sun-Jupiter-Earth.
    const double psi = normalize_degrees(asin_deg(earth_r * sin_deg(k) / delta));
    // Jupiter's heliocentric longitude, and the Jovicentric declination of the Earth.
    const double lambda = normalize_degrees(238.05 + 0.083091 * d + 0.33 * sin_deg(v) + b);
    const double de = 3.07 * sin_deg(lambda + 44.5) - 2.15 * sin_deg(psi) * cos_deg(lambda + 24.0) -
                      1.31 * ((jupiter_r - delta) / delta) * sin_deg(lambda - 99.4);

    // Satellite longitudes at the moment the light left them (light time
    // delta / 173 days per AU).
    const double t = d - delta * 0.005780346820809248;
    const double mean_u[JUPITER_SATELLITE_COUNT] = {
        normalize_degrees(84.5506 + 203.405863 * t + psi - b),
        normalize_degrees(41.5015 + 101.2916323 * t + psi - b),
        normalize_degrees(109.977 + 50.2345169 * t + psi - b),
        normalize_degrees(176.3586 + 21.4879802 * t + psi - b),
    };
    const double g = normalize_degrees(187.3 + 50.310674 * t);
    const double h = normalize_degrees(311.1 + 21.569229 * t);

    // Mutual (Io-Europa, Europa-Ganymede) and solar perturbations, all from
    // the unperturbed longitudes.
    const double io_europa = 2.0 * (mean_u[0] - mean_u[1]);
    const double europa_ganymede = 2.0 * (mean_u[1] - mean_u[2]);
    const double u[JUPITER_SATELLITE_COUNT] = {
        normalize_degrees(mean_u[0] + 0.472 * sin_deg(io_europa)),
        normalize_degrees(mean_u[1] + 1.073 * sin_deg(europa_ganymede)),
        normalize_degrees(mean_u[2] + 0.174 * sin_deg(g)),
        normalize_degrees(mean_u[3] + 0.845 * sin_deg(h)),
    };
    const double r[JUPITER_SATELLITE_COUNT] = {
        5.9061 - 0.0244 * cos_deg(io_europa),
        9.3972 - 0.0889 * cos_deg(europa_ganymede),
        14.9894 - 0.0277 * cos_deg(g),
        26.3649 - 0.1944 * cos_deg(h),
    };

    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
        JupiterSatellite& s = records[i];
        s.x = -r[i] * sin_deg(u[i]);
        s.y = r[i] * cos_deg(u[i]) * sin_deg(de);
        s.z = std::sqrt(std::fabs(square(r[i]) - square(s.y) - square(s.x)));
        if (u[i] >= 90.0 && u[i] <= 270.0) s.z = -s.z;  // beyond Jupiter
        const bool on_disk = std::sqrt(square(s.x) + square(s.y)) < 1.0;
        s.visible = !(on_disk && u[i] > 90.0 && u[i] < 270.0);
    }
    return records;
}
