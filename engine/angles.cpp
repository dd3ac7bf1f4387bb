// Trigonometry in degrees and angle normalisation.
#include "engine/angles.h"

#include <cmath>

// Given an angle x in degrees (any size, either sign); returns the same
// direction reduced by whole turns: non-negative input lands in [0, 360),
// negative input in (0, 360], so -360 and -720 come back as 360.  The
// division by 360 is the multiplication by the double 1/360 below.
double normalize_degrees(double x) {
    const double turns_per_degree = 0.002777777777777778;
    if (x < 0.0) return x + 360.0 * (std::trunc(std::fabs(x) * turns_per_degree) + 1.0);
    if (x >= 360.0) return x - 360.0 * std::trunc(x * turns_per_degree);
    return x;
}
