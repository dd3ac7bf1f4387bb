#include "engine/precise/delta_t.h"

#include <cmath>
#include <iterator>

#include "engine/precise/search.h"

namespace precise {
namespace {

// Delta T on January 1 of 1973, 1974, ... 2025, seconds (IERS Earth
// orientation data; USNO "deltat.data").
constexpr int OBSERVED_FIRST_YEAR = 1973;
constexpr double OBSERVED[] = {
    43.4724, 44.4841, 45.4761, 46.4567, 47.5214, 48.5344, 49.5861, 50.5387, 51.3808, 52.1668,
    52.9565, 53.7882, 54.3427, 54.8712, 55.3222, 55.8197, 56.3000, 56.8553, 57.5653, 58.3092,
    59.1218, 59.9845, 60.7853, 61.6287, 62.2950, 62.9659, 63.4673, 63.8285, 64.0908, 64.2998,
    64.4734, 64.5736, 64.6876, 64.8452, 65.1464, 65.4574, 65.7768, 66.0699, 66.3246, 66.6030,
    66.9069, 67.2810, 67.6439, 68.1024, 68.5927, 68.9676, 69.2202, 69.3612, 69.3593, 69.2945,
    69.2039, 69.1752, 69.1400};
constexpr int OBSERVED_LAST_YEAR = OBSERVED_FIRST_YEAR + int(std::size(OBSERVED)) - 1;
constexpr double FADE_END_YEAR = 2050.0;

// Espenak & Meeus (2006), Delta T in seconds for a decimal year y.
double espenak_meeus(double y) {
    auto far = [](double year) { double u = (year - 1820.0) / 100.0; return -20.0 + 32.0 * u * u; };
    if (y < -500.0) return far(y);
    if (y < 500.0) {
        static const double c[] = {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521};
        return polynomial(c, 7, y / 100.0);
    }
    if (y < 1600.0) {
        static const double c[] = {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073};
        return polynomial(c, 7, (y - 1000.0) / 100.0);
    }
    if (y < 1700.0) {
        static const double c[] = {120.0, -0.9808, -0.01532, 1.0 / 7129.0};
        return polynomial(c, 4, y - 1600.0);
    }
    if (y < 1800.0) {
        static const double c[] = {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0};
        return polynomial(c, 5, y - 1700.0);
    }
    if (y < 1860.0) {
        static const double c[] = {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699, 0.000000000875};
        return polynomial(c, 8, y - 1800.0);
    }
    if (y < 1900.0) {
        static const double c[] = {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0};
        return polynomial(c, 6, y - 1860.0);
    }
    if (y < 1920.0) {
        static const double c[] = {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197};
        return polynomial(c, 5, y - 1900.0);
    }
    if (y < 1941.0) {
        static const double c[] = {21.20, 0.84493, -0.076100, 0.0020936};
        return polynomial(c, 4, y - 1920.0);
    }
    if (y < 1961.0) {
        static const double c[] = {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0};
        return polynomial(c, 4, y - 1950.0);
    }
    if (y < 1986.0) {
        static const double c[] = {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0};
        return polynomial(c, 4, y - 1975.0);
    }
    if (y < 2005.0) {
        static const double c[] = {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599};
        return polynomial(c, 6, y - 2000.0);
    }
    if (y < 2050.0) {
        static const double c[] = {62.92, 0.32217, 0.005589};
        return polynomial(c, 3, y - 2000.0);
    }
    if (y < 2150.0) return far(y) - 0.5628 * (2150.0 - y);
    return far(y);
}

}  // namespace

double delta_t_seconds(double y) {
    double last = OBSERVED_LAST_YEAR;
    if (y >= OBSERVED_FIRST_YEAR && y < last) {
        int i = int(y) - OBSERVED_FIRST_YEAR;
        double f = y - std::floor(y);
        return OBSERVED[i] + f * (OBSERVED[i + 1] - OBSERVED[i]);
    }
    if (y >= last && y < FADE_END_YEAR) {
        double offset = OBSERVED[std::size(OBSERVED) - 1] - espenak_meeus(last);
        return espenak_meeus(y) + offset * (FADE_END_YEAR - y) / (FADE_END_YEAR - last);
    }
    return espenak_meeus(y);
}

JulianDay terrestrial_time(JulianDay jd_ut) {
    double year = 2000.0 + (jd_ut - 2451544.5) / 365.2425;
    return jd_ut + delta_t_seconds(year) / 86400.0;
}

JulianDay universal_time(JulianDay jd_tt) {
    JulianDay ut = jd_tt;
    for (int i = 0; i < 3; ++i) ut = jd_tt - (terrestrial_time(ut) - ut);
    return ut;
}

}  // namespace precise
