// The Moon: position, illuminated fraction, shadow-cone parameter, distance
// and phase instants.  Position after Meeus, Astronomical Formulae for
// Calculators (position of the Moon; the older trigonometric series of
// Brown's theory with T in Julian centuries from 1900 January 0.5 ET);
// phases after the same book's chapter on the phases of the Moon.  Sums run
// in the order of the published tables.
#include "engine/classical/moon.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/sun.h"

namespace {

// One periodic term: coefficient (degrees) times sin or cos of
// d*D + m*M + mp*M' + f*F.  A term holding M once carries the eccentricity
// factor E, one holding 2M carries E squared.
struct LunarTerm {
    double coefficient;
    int d, m, mp, f;
};

// Longitude, 50 terms (sines).
constexpr LunarTerm longitude_terms[] = {
    {6.28875, 0, 0, 1, 0},      {1.274018, 2, 0, -1, 0},    {0.658309, 2, 0, 0, 0},
    {0.213616, 0, 0, 2, 0},     {-0.185596, 0, 1, 0, 0},    {-0.114336, 0, 0, 0, 2},
    {0.058793, 2, 0, -2, 0},    {0.057212, 2, -1, -1, 0},   {0.05332, 2, 0, 1, 0},
    {0.045874, 2, -1, 0, 0},    {0.041024, 0, -1, 1, 0},    {-0.034718, 1, 0, 0, 0},
    {-0.030465, 0, 1, 1, 0},    {0.015326, 2, 0, 0, -2},    {-0.012528, 0, 0, 1, 2},
    {-0.01098, 0, 0, -1, 2},    {0.010674, 4, 0, -1, 0},    {0.010034, 0, 0, 3, 0},
    {0.008548, 4, 0, -2, 0},    {-0.00791, 2, 1, -1, 0},    {-0.006783, 2, 1, 0, 0},
    {0.005162, -1, 0, 1, 0},    {0.005, 1, 1, 0, 0},        {0.004049, 2, -1, 1, 0},
    {0.003996, 2, 0, 2, 0},     {0.003862, 4, 0, 0, 0},     {0.003665, 2, 0, -3, 0},
    {0.002695, 0, -1, 2, 0},    {0.002602, -2, 0, 1, -2},   {0.002396, 2, -1, -2, 0},
    {-0.002349, 1, 0, 1, 0},    {0.002249, 2, -2, 0, 0},    {-0.002125, 0, 1, 2, 0},
    {-0.002079, 0, 2, 0, 0},    {0.002059, 2, -2, -1, 0},   {-0.001773, 2, 0, 1, -2},
    {-0.001595, 2, 0, 0, 2},    {0.00122, 4, -1, -1, 0},    {-0.00111, 0, 0, 2, 2},
    {0.000892, -3, 0, 1, 0},    {-0.000811, 2, 1, 1, 0},    {0.000761, 4, -1, -2, 0},
    {0.000717, 0, -2, 1, 0},    {0.000704, -2, -2, 1, 0},   {0.000693, 2, 1, -2, 0},
    {0.000598, 2, -1, 0, -2},   {0.00055, 4, 0, 1, 0},      {0.000538, 0, 0, 4, 0},
    {0.000521, 4, -1, 0, 0},    {0.000486, -1, 0, 2, 0},
};

// Latitude, 45 terms (sines).
constexpr LunarTerm latitude_terms[] = {
    {5.128189, 0, 0, 0, 1},     {0.280606, 0, 0, 1, 1},     {0.277693, 0, 0, 1, -1},
    {0.173238, 2, 0, 0, -1},    {0.055413, 2, 0, -1, 1},    {0.046272, 2, 0, -1, -1},
    {0.032573, 2, 0, 0, 1},     {0.017198, 0, 0, 2, 1},     {0.009267, 2, 0, 1, -1},
    {0.008823, 0, 0, 2, -1},    {0.008247, 2, -1, 0, -1},   {0.004323, 2, 0, -2, -1},
    {0.0042, 2, 0, 1, 1},       {0.003372, -2, -1, 0, 1},   {0.002472, 2, -1, -1, 1},
    {0.002222, 2, -1, 0, 1},    {0.002072, 2, -1, -1, -1},  {0.001877, 0, -1, 1, 1},
    {0.001828, 4, 0, -1, -1},   {-0.001803, 0, 1, 0, 1},    {-0.00175, 0, 0, 0, 3},
    {0.00157, 0, -1, 1, -1},    {-0.001487, 1, 0, 0, 1},    {-0.001481, 0, 1, 1, 1},
    {0.001417, 0, -1, -1, 1},   {0.00135, 0, -1, 0, 1},     {0.00133, -1, 0, 0, 1},
    {0.001106, 0, 0, 3, 1},     {0.00102, 4, 0, 0, -1},     {0.000833, 4, 0, -1, 1},
    {0.000781, 0, 0, 1, -3},    {0.00067, 4, 0, -2, 1},     {0.000606, 2, 0, 0, -3},
    {0.000597, 2, 0, 2, -1},    {0.000492, 2, -1, 1, -1},   {0.00045, -2, 0, 2, -1},
    {0.000439, 0, 0, 3, -1},    {0.000423, 2, 0, 2, 1},     {0.000422, 2, 0, -3, -1},
    {-0.000367, 2, 1, -1, 1},   {-0.000353, 2, 1, 0, 1},    {0.000331, 4, 0, 0, 1},
    {0.000317, 2, -1, 1, 1},    {0.000306, 2, -2, 0, -1},   {-0.000283, 0, 0, 1, 3},
};

// Equatorial horizontal parallax, 30 terms (cosines) after the constant.
constexpr LunarTerm parallax_terms[] = {
    {0.051818, 0, 0, 1, 0},     {0.009531, 2, 0, -1, 0},    {0.007843, 2, 0, 0, 0},
    {0.002824, 0, 0, 2, 0},     {0.000857, 2, 0, 1, 0},     {0.000533, 2, -1, 0, 0},
    {0.000401, 2, -1, -1, 0},   {0.00032, 0, -1, 1, 0},     {-0.000271, 1, 0, 0, 0},
    {-0.000264, 0, 1, 1, 0},    {-0.000198, 0, 0, -1, 2},   {0.000173, 0, 0, 3, 0},
    {0.000167, 4, 0, -1, 0},    {-0.000111, 0, 1, 0, 0},    {0.000103, 4, 0, -2, 0},
    {-0.000084, -2, 0, 2, 0},   {-0.000083, 2, 1, 0, 0},    {0.000079, 2, 0, 2, 0},
    {0.000072, 4, 0, 0, 0},     {0.000064, 2, -1, 1, 0},    {-0.000063, 2, 1, -1, 0},
    {0.000041, 1, 1, 0, 0},     {0.000035, 0, -1, 2, 0},    {-0.000033, -2, 0, 3, 0},
    {-0.00003, 1, 0, 1, 0},     {-0.000029, -2, 0, 0, 2},   {-0.000029, 0, 1, 2, 0},
    {0.000026, 2, -2, 0, 0},    {-0.000023, -2, 0, 1, 2},   {0.000019, 4, -1, -1, 0},
};

// The fundamental arguments (degrees) after the additive terms, the
// eccentricity factor and T of one instant.
struct LunarArguments {
    double t;                  // Julian centuries of ephemeris time since 1900 January 0.5
    double l, m, mp, d, f;     // L', M, M', D, F
    double omega;              // longitude of the ascending node
    double e;                  // eccentricity factor of the Earth's orbit
};

// Given the UT instant; returns the arguments at that instant plus Delta T.
LunarArguments lunar_arguments(double hours, int day, int month, int year) {
    const double jde = julian_day(day + hours / 24.0, month, year) + delta_t_hours(year) / 24.0;
    const double t = centuries_1900(jde);
    const double t2 = t * t;
    const double t3 = t2 * t;
    LunarArguments a{};
    a.t = t;
    a.l = normalize_degrees(270.434164 + 481267.8831 * t - 0.001133 * t2 + 0.0000019 * t3);
    a.m = normalize_degrees(358.475833 + 35999.0498 * t - 0.00015 * t2 - 0.0000033 * t3);
    a.mp = normalize_degrees(296.104608 + 477198.8491 * t + 0.009192 * t2 + 0.0000144 * t3);
    a.d = normalize_degrees(350.737486 + 445267.1142 * t - 0.001436 * t2 + 0.0000019 * t3);
    a.f = normalize_degrees(11.250889 + 483202.0251 * t - 0.003211 * t2 - 0.0000003 * t3);
    a.omega = 259.183275 - 1934.142 * t + 0.002078 * t2 + 0.0000022 * t3;

    // Secular additive terms: the great Venus term (a), the Venus-Earth term
    // of Brown's theory (b) and the node (c).
    const double va = sin_deg(51.2 + 20.2 * t);
    const double vb = 0.003964 * sin_deg(346.56 + 132.87 * t - 0.0091731 * t2);
    const double vc = sin_deg(a.omega);
    a.l += 0.000233 * va + vb + 0.001964 * vc;
    a.m -= 0.001778 * va;
    a.mp += 0.000817 * va + vb + 0.002541 * vc;
    a.d += 0.002011 * va + vb + 0.001964 * vc;
    a.f += vb - 0.024691 * vc - 0.004328 * sin_deg(a.omega + 275.05 - 2.3 * t);
    a.e = 1.0 - 0.002495 * t - 0.00000752 * t2;
    return a;
}

// Given a term and the arguments; returns the term's argument in degrees and
// its eccentricity factor (1, E or E squared by the multiple of M).
double term_argument(const LunarTerm& term, const LunarArguments& a) {
    return term.d * a.d + term.m * a.m + term.mp * a.mp + term.f * a.f;
}
double term_factor(const LunarTerm& term, const LunarArguments& a) {
    const int multiple = std::abs(term.m);
    return multiple == 2 ? a.e * a.e : multiple == 1 ? a.e : 1.0;
}

// Sum over a table in its order, each term coefficient * factor * sin or cos.
template <std::size_t N>
double sine_series(const LunarTerm (&terms)[N], const LunarArguments& a) {
    double sum = 0.0;
    for (const LunarTerm& term : terms) {
        sum += term.coefficient * term_factor(term, a) * sin_deg(term_argument(term, a));
    }
    return sum;
}
template <std::size_t N>
double cosine_series(const LunarTerm (&terms)[N], const LunarArguments& a) {
    double sum = 0.0;
    for (const LunarTerm& term : terms) {
        sum += term.coefficient * term_factor(term, a) * cos_deg(term_argument(term, a));
    }
    return sum;
}

// Given the arguments; returns the equatorial horizontal parallax, degrees.
double lunar_parallax(const LunarArguments& a) {
    return 0.950724 + cosine_series(parallax_terms, a);
}

}  // namespace

// Given a UT instant (hours, day, month, year); returns the Moon's geocentric
// ecliptic longitude (not normalised, no nutation) and latitude, equatorial
// horizontal parallax and semi-diameter (degrees), the illuminated fraction
// (0-1), the eclipse shadow-cone parameter u (Earth radii), right ascension
// (hours) and declination (degrees in [0, 360)).  Meeus, Astronomical
// Formulae for Calculators, position of the Moon; the phase angle from the
// elongation with the same book's approximate correction for the Moon's and
// the Earth's distances; u from its chapter on eclipses.
void moon_position(double hours, int day, int month, int year, double& longitude,
                   double& latitude, double& parallax, double& semidiameter,
                   double& illuminated, double& shadow_u, double& ra, double& dec) {
    const LunarArguments a = lunar_arguments(hours, day, month, year);

    longitude = a.l + sine_series(longitude_terms, a);

    const double b = sine_series(latitude_terms, a);
    const double omega1 = 0.0004664 * cos_deg(a.omega);
    const double omega2 = 0.0000754 * cos_deg(a.omega + 275.05 - 2.3 * a.t);
    latitude = b * (1.0 - omega1 - omega2);

    parallax = lunar_parallax(a);
    semidiameter = 0.272476 * parallax;

    double sun_ra = 0.0, sun_dec = 0.0, sun_longitude = 0.0;
    double sun_distance = 0.0, sun_semidiameter = 0.0, sun_mean_anomaly = 0.0;
    sun_position(hours, day, month, year, 1, sun_ra, sun_dec, sun_longitude, sun_distance,
                 sun_semidiameter, sun_mean_anomaly);

    const double elongation = acos_deg(cos_deg(longitude - sun_longitude) * cos_deg(latitude));
    const double k = (1.0 - 0.0549 * sin_deg(a.mp)) / (1.0 - 0.0167 * sin_deg(a.m));
    const double phase_angle = 180.0 - elongation - 0.1468 * k * sin_deg(elongation);
    illuminated = (1.0 + cos_deg(phase_angle)) / 2.0;

    shadow_u = 0.0059 + 0.0046 * cos_deg(a.m) - 0.0182 * cos_deg(a.mp) +
               0.0004 * cos_deg(2.0 * a.mp) - 0.0005 * cos_deg(a.m + a.mp);

    ecliptic_to_equatorial(hours, day, month, year, longitude, latitude, true, ra, dec);
}

// Given a UT instant; returns the Earth-Moon distance in km from the
// parallax of the same series as moon_position (6378.14 km / sin parallax).
double moon_distance_km(double hours, int day, int month, int year) {
    return 6378.14 / sin_deg(lunar_parallax(lunar_arguments(hours, day, month, year)));
}

// Given a date as a year with fraction; returns its lunation number, 12.3685
// lunations a year from the new Moon of 1900 January 0.
double lunation_number(double date) { return std::trunc((date - 1900.0) * 12.3685); }

// Given a date as a year with fraction and a phase 0-3 (new, first quarter,
// full, last quarter); returns the arguments F, M, M' (degrees) and T
// (centuries) of lunation k, with the mean and the corrected Julian days of
// the phase in ephemeris time.  Meeus, Astronomical Formulae for Calculators,
// phases of the Moon (k = 0 is the new Moon of 1900 January 0).
void moon_phase_instant(double date, int phase, double& latitude_argument,
                        double& sun_mean_anomaly, double& moon_mean_anomaly, double& centuries,
                        double& jd_mean, double& jd_true) {
    static constexpr double phase_fraction[] = {0.0, 0.25, 0.5, 0.75};
    const double k = lunation_number(date) + phase_fraction[phase];
    const double t = k * 0.0008085054776246109;  // k / 1236.85
    const double t2 = t * t;
    const double t3 = t2 * t;
    jd_mean = 2415020.75933 + 29.53058868 * k + 0.0001178 * t2 - 0.000000155 * t3 +
              0.00033 * sin_deg(166.56 + 132.87 * t - 0.009173 * t2);

    const double m = normalize_degrees(359.2242 + 29.10535608 * k - 0.0000333 * t2 - 0.00000347 * t3);
    const double mp =
        normalize_degrees(306.0253 + 385.81691806 * k + 0.0107306 * t2 + 0.00001236 * t3);
    const double f = normalize_degrees(21.2964 + 390.67050646 * k - 0.0016528 * t2 - 0.00000239 * t3);

    if (phase == NEW_MOON || phase == FULL_MOON) {
        jd_true = jd_mean + (0.1734 - 0.000393 * t) * sin_deg(m) + 0.0021 * sin_deg(2.0 * m) -
                  0.4068 * sin_deg(mp) + 0.0161 * sin_deg(2.0 * mp) - 0.0004 * sin_deg(3.0 * mp) +
                  0.0104 * sin_deg(2.0 * f) - 0.0051 * sin_deg(m + mp) - 0.0074 * sin_deg(m - mp) +
                  0.0004 * sin_deg(2.0 * f + m) - 0.0004 * sin_deg(2.0 * f - m) -
                  0.0006 * sin_deg(2.0 * f + mp) + 0.001 * sin_deg(2.0 * f - mp) +
                  0.0005 * sin_deg(m + 2.0 * mp);
    } else {
        jd_true = jd_mean + (0.1721 - 0.0004 * t) * sin_deg(m) + 0.0021 * sin_deg(2.0 * m) -
                  0.628 * sin_deg(mp) + 0.0089 * sin_deg(2.0 * mp) - 0.0004 * sin_deg(3.0 * mp) +
                  0.0079 * sin_deg(2.0 * f) - 0.0119 * sin_deg(m + mp) - 0.0047 * sin_deg(m - mp) +
                  0.0003 * sin_deg(2.0 * f + m) - 0.0004 * sin_deg(2.0 * f - m) -
                  0.0006 * sin_deg(2.0 * f + mp) + 0.0021 * sin_deg(2.0 * f - mp) +
                  0.0003 * sin_deg(m + 2.0 * mp) + 0.0004 * sin_deg(m - 2.0 * mp) -
                  0.0003 * sin_deg(2.0 * m + mp);
        const double quarter = 0.0028 - 0.0004 * cos_deg(m) + 0.0003 * cos_deg(mp);
        jd_true += phase == FIRST_QUARTER ? quarter : -quarter;
    }

    latitude_argument = f;
    sun_mean_anomaly = m;
    moon_mean_anomaly = mp;
    centuries = t;
}
