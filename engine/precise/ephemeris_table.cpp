#include "engine/precise/ephemeris_table.h"

#include <cmath>

// The table as the build links it in (ephemeris_table.S).
extern "C" const precise::EphemerisGranule skyloom_ephemeris_table[];

namespace precise {
namespace {

// The granule holding a TT Julian day and the day's place in it, x in
// [-1, 1]; null outside the table.
const EphemerisGranule* granule_at(double jd_tt, double& x) {
    if (!(jd_tt >= TABLE_FIRST_TT && jd_tt < TABLE_LAST_TT)) return nullptr;
    double offset = (jd_tt - TABLE_FIRST_TT) / GRANULE_DAYS;
    int i = static_cast<int>(offset);
    if (i >= GRANULE_COUNT) i = GRANULE_COUNT - 1;
    x = 2.0 * (offset - i) - 1.0;
    return &skyloom_ephemeris_table[i];
}

// The sum of c[j] T_j(x), j < n.
template <class Coefficient>
double chebyshev(const Coefficient* c, int n, double x) {
    double b1 = 0.0, b2 = 0.0;  // Clenshaw's recurrence
    for (int j = n - 1; j >= 1; --j) {
        double b = 2.0 * x * b1 - b2 + c[j];
        b2 = b1;
        b1 = b;
    }
    return x * b1 - b2 + c[0];
}

// The sum of c[j] T_j(x) and its derivative in x.
void chebyshev_with_slope(const double* c, int n, double x, double& value, double& slope) {
    double t0 = 1.0, t1 = x, d0 = 0.0, d1 = 1.0;
    value = c[0] + c[1] * x;
    slope = c[1];
    for (int j = 2; j < n; ++j) {
        double t2 = 2.0 * x * t1 - t0, d2 = 2.0 * t1 + 2.0 * x * d1 - d0;
        value += c[j] * t2;
        slope += c[j] * d2;
        t0 = t1; t1 = t2;
        d0 = d1; d1 = d2;
    }
}

}  // namespace

bool table_earth(double jd_tt, double position[3], double velocity[3], double bary_velocity[3]) {
    double x;
    const EphemerisGranule* g = granule_at(jd_tt, x);
    if (!g) return false;
    const double per_day = 2.0 / GRANULE_DAYS;
    for (int i = 0; i < 3; ++i) {
        double slope;
        chebyshev_with_slope(g->earth[i], EARTH_TERMS, x, position[i], slope);
        velocity[i] = slope * per_day;
        bary_velocity[i] = velocity[i] + chebyshev(g->sun_velocity[i], SUN_VELOCITY_TERMS, x);
    }
    return true;
}

bool table_nutation(double jd_tt, double& delta_psi, double& delta_epsilon) {
    double x;
    const EphemerisGranule* g = granule_at(jd_tt, x);
    if (!g) return false;
    delta_psi = chebyshev(g->nutation[0], NUTATION_TERMS, x);
    delta_epsilon = chebyshev(g->nutation[1], NUTATION_TERMS, x);
    return true;
}

}  // namespace precise
