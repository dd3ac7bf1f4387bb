// The Sun: geocentric place, equinoxes and solstices, equation of time.  The
// solar theory is the classical low-precision one (Newcomb's mean elements in
// Julian centuries from 1900 with the principal perturbations by Venus,
// Jupiter and the Moon), as in Meeus, Astronomical Formulae for Calculators,
// ch. 18, and Duffett-Smith, Practical Astronomy with your Calculator.  It is
// good to about 0.01 degree in longitude.
#include "engine/classical/sun.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/classical/caches.h"

SunEcliptic sun_ecliptic(double hours, int day, int month, int year) {
    SunEcliptic sun;
    // Ephemeris time, and the same instant as an ephemeris calendar date for
    // the obliquity.
    const JulianDay jde = julian_day(day + hours / 24.0, month, year) + delta_t_hours(year) / 24.0;
    const double t = centuries_1900(jde);
    split_instant(jde, sun.hours_e, sun.day_e, sun.month_e, sun.year_e);
    sun.centuries = t;

    const double t2 = t * t;
    const double l = normalize_degrees(279.69668 + 36000.76892 * t + 0.0003025 * t2);
    const double m = normalize_degrees(358.47583 + 35999.04975 * t - 0.00015 * t2 - 0.0000033 * t2 * t);
    const double e = 0.01675104 - 0.0000418 * t - 0.000000126 * t2;
    const double ecc = normalize_degrees(solve_kepler(m, e));
    const double nu = true_anomaly(e, ecc);
    const double r = 1.0000002 * (1.0 - e * cos_deg(ecc));

    // Perturbations (degrees, not reduced): Venus (A, B), Jupiter (C, and H = 2C
    // for the radius only), the Moon (D) and the long-period inequality (E').
    const double a = 153.23 + 22518.7541 * t;
    const double b = 216.57 + 45037.5082 * t;
    const double c = 312.69 + 32964.3577 * t;
    const double d = 350.74 + 445267.1142 * t - 0.00144 * t2;
    const double e_long = 231.19 + 20.2 * t;
    const double h = 353.4 + 65928.7155 * t;
    sun.longitude = normalize_degrees(l + nu - m + 0.00134 * cos_deg(a) + 0.00154 * cos_deg(b) +
                                      0.002 * cos_deg(c) + 0.00179 * sin_deg(d) + 0.00178 * sin_deg(e_long));
    sun.distance = r + 0.00000543 * sin_deg(a) + 0.00001575 * sin_deg(b) + 0.00001627 * sin_deg(c) +
                   0.00003076 * cos_deg(d) + 0.00000927 * sin_deg(h);
    sun.mean_anomaly = m;
    return sun;
}

void sun_equatorial(const SunEcliptic& sun, int apparent, double& ra, double& dec, double& longitude) {
    longitude = sun.longitude;
    // Nutation in longitude (lunar node term) and aberration (-20.5"); not renormalised.
    if (apparent) longitude = longitude - 0.00479 * sin_deg(259.18 - 1934.142 * sun.centuries) - 0.00569;
    ecliptic_to_equatorial(sun.hours_e, sun.day_e, sun.month_e, sun.year_e, longitude, 0.0, apparent != 0, ra,
                           dec);
}

double sun_semidiameter(double distance) { return 0.2665638888888889 / distance; }  // 959.63" at 1 AU

void sun_position(double hours, int day, int month, int year, int apparent, double& ra,
                  double& dec, double& longitude, double& distance, double& semidiameter,
                  double& mean_anomaly) {
    const SunValues& v = classical_caches().sun.get({hours, day, month, year, apparent}, 0, [&] {
        SunValues computed;
        const SunEcliptic sun = sun_ecliptic(hours, day, month, year);
        sun_equatorial(sun, apparent, computed.ra, computed.dec, computed.longitude);
        computed.distance = sun.distance;
        computed.semidiameter = sun_semidiameter(sun.distance);
        computed.mean_anomaly = sun.mean_anomaly;
        return computed;
    });
    ra = v.ra;
    dec = v.dec;
    longitude = v.longitude;
    distance = v.distance;
    semidiameter = v.semidiameter;
    mean_anomaly = v.mean_anomaly;
}

// Starts at the mean instant of each season (tropical year 365.2422 days) and
// corrects it by 58 sin(90 k - apparent longitude) days until the step is at
// most 0.001 day (1.4 minutes).  Meeus, Astronomical Formulae for Calculators,
// ch. 26.
void season_instants(int year, JulianDay jd[4]) {
    for (int k = 0; k < 4; ++k) {
        JulianDay estimate = (year + 0.25 * k) * 365.2422 + 1721141.3;
        double step = 0.0;
        do {
            double day = 0.0;
            int month = 0;
            int y = 0;
            calendar_date(estimate, day, month, y);
            const double whole_day = std::trunc(day);
            double ra = 0.0, dec = 0.0, longitude = 0.0, distance = 0.0, semidiameter = 0.0,
                   mean_anomaly = 0.0;
            sun_position((day - whole_day) * 24.0, static_cast<int>(whole_day), month, y, 1, ra, dec,
                         longitude, distance, semidiameter, mean_anomaly);
            step = 58.0 * sin_deg(90.0 * k - longitude);
            estimate += step;
        } while (std::fabs(step) > 0.001);
        jd[k] = estimate;
    }
}

// The Sun's apparent right ascension at 12 h UT, turned into the UT at which
// Greenwich sidereal time equals it (the Sun's transit at Greenwich); the
// equation of time is the transit's lead on 12 h.
double equation_of_time(int day, int month, int year) {
    double ra = 0.0, dec = 0.0, longitude = 0.0, distance = 0.0, semidiameter = 0.0, mean_anomaly = 0.0;
    sun_position(12.0, day, month, year, 1, ra, dec, longitude, distance, semidiameter, mean_anomaly);
    const double transit_ut = gst_to_ut(normalize_degrees(15.0 * ra) / 15.0, day, month, year);
    return 12.0 - transit_ut;
}
