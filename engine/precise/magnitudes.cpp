#include "engine/precise/magnitudes.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/precise/search.h"

namespace precise {
namespace {

// The sine of the latitude of the sub-Earth point on a body whose north pole
// points to (ra, dec) in degrees, J2000.
double sub_earth_sine(const Place& place, double pole_ra, double pole_dec) {
    double pole[3];
    eraS2c(pole_ra * ERFA_DD2R, pole_dec * ERFA_DD2R, pole);
    double to_earth[3] = {-place.direction[0], -place.direction[1], -place.direction[2]};
    return pole[0] * to_earth[0] + pole[1] * to_earth[1] + pole[2] * to_earth[2];
}

double unit_magnitude(int body, const Place& place) {
    double a = place.phase_angle;
    switch (body) {
    case MERCURY: {
        static const double c[] = {-0.613, 6.3280e-02, -1.6336e-03, 3.3644e-05, -3.4265e-07, 1.6893e-09, -3.0334e-12};
        return polynomial(c, 7, a);
    }
    case VENUS: {
        if (a < 163.7) {
            static const double c[] = {-4.384, -1.044e-03, 3.687e-04, -2.814e-06, 8.938e-09};
            return polynomial(c, 5, a);
        }
        static const double c[] = {236.05828, -2.81914, 8.39034e-03};
        return polynomial(c, 3, a);
    }
    case MARS: {
        if (a <= 50.0) {
            static const double c[] = {-1.601, 2.267e-02, -1.302e-04};
            return polynomial(c, 3, a);
        }
        static const double c[] = {-0.367, -0.02573, 3.445e-04};
        return polynomial(c, 3, a);
    }
    case JUPITER: {
        if (a <= 12.0) {
            static const double c[] = {-9.395, -3.7e-04, 6.16e-04};
            return polynomial(c, 3, a);
        }
        static const double c[] = {1.0, -1.507, -0.363, -0.062, 2.809, -1.876};
        return -9.428 - 2.5 * std::log10(polynomial(c, 6, a / 180.0));
    }
    case SATURN: {
        // Ring pole RA 40.589, Dec 83.537 (IAU WGCCRE).
        double sin_b = std::fabs(sub_earth_sine(place, 40.589, 83.537));
        if (a <= 6.5 && sin_b <= std::sin(27.0 * ERFA_DD2R))
            return -8.914 - 1.825 * sin_b + 0.026 * a - 0.378 * sin_b * std::exp(-2.25 * a);
        static const double c[] = {-8.94, 2.446e-04, 2.672e-04, -1.505e-06, 4.767e-09};
        return polynomial(c, 5, a);
    }
    case URANUS: {
        // Pole RA 257.311, Dec -15.175; the term in the planetographic sub-Earth latitude.
        double latitude = std::fabs(std::asin(sub_earth_sine(place, 257.311, -15.175))) * ERFA_DR2D;
        return -7.110 - 8.4e-04 * latitude + 6.587e-03 * a + 1.045e-04 * a * a;
    }
    case NEPTUNE:
        return -7.00 + 7.944e-03 * a + 9.617e-05 * a * a;
    default:
        return -1.01;
    }
}

}  // namespace

double planet_magnitude(int body, const Place& place) {
    return unit_magnitude(body, place) + 5.0 * std::log10(place.sun_distance_au * place.distance_au);
}

double planet_magnitude_at(int body, JulianDay jd_ut) {
    return planet_magnitude(body, geocentric_place(body, jd_ut));
}

}  // namespace precise
