#pragma once
// Numeric helpers of the precise engine: angle reduction, polynomials, and
// root and extremum finding in time for its event searches.  Functions of a
// Julian day (days) return an angle or a distance; roots are refined with
// Brent's method, extrema with golden-section search.
#include <functional>
#include <vector>

namespace precise {

using TimeFunction = std::function<double(double)>;

// An angle reduced to (-180, 180], degrees.
double wrap180(double degrees);

// An angle reduced to [0, 360), degrees.
double wrap360(double degrees);

// The polynomial c[0] + c[1] x + ... + c[n-1] x^(n-1) (Horner's scheme).
double polynomial(const double* c, int n, double x);

// Given f's values fa and fb of opposite signs (or one zero) at a and b;
// returns the root in [a, b] to `tolerance` days.
double refine_root(const TimeFunction& f, double a, double fa, double b, double fb,
                   double tolerance);

// The root of a smooth f near `guess` by the secant method: the first step
// takes `days_per_unit` (the inverse of f's rate, roughly) from the guess;
// stops when a step is under `tolerance` days.  For a guess already within
// minutes of the root: three or four values of f reach a millisecond.
double refine_root_from(const TimeFunction& f, double guess, double days_per_unit, double tolerance);

struct Crossing {
    double instant = 0;  // Julian day
    bool rising = true;  // f goes from negative to positive
};

// Every zero crossing of f in [first, last]: f is sampled every `step` days
// and each sign change between samples whose values are both smaller than
// `jump_limit` in size (so an angle wrapping at +-180 is no crossing) is
// refined to `tolerance` days.  The step must be shorter than the least
// interval between two crossings.
std::vector<Crossing> find_crossings(const TimeFunction& f, double first, double last,
                                     double step, double tolerance, double jump_limit);

// Every zero crossing of a smooth f in [first, last], short excursions
// included: f is sampled every `step` days (and once beyond each end), every
// extremum the samples bracket is refined to `tolerance` days, and the
// crossings are sought between consecutive samples and extrema, where f is
// monotonic.  So a pair of crossings closer together than the step (a body
// that just clears the horizon) is found.  The step must be shorter than
// half the least interval between two extrema.
std::vector<Crossing> find_smooth_crossings(const TimeFunction& f, double first, double last,
                                            double step, double tolerance);

// Given a bracket [a, b] holding one extremum; returns its instant to
// `tolerance` days: the maximum when `maximum`, else the minimum.
double refine_extremum(const TimeFunction& f, double a, double b, bool maximum,
                       double tolerance);

// A smooth extremum near t refined by parabolas: the vertex of the parabola
// through f at t - h, t, t + h, then again around it with h / 12, `passes`
// times in all (three passes take a day-wide guess to a second).
double refine_by_vertex(const TimeFunction& f, double t, double h, int passes);

// The local extrema of f in [first, last], sampled every `step` days and
// refined; each with `maximum` telling which kind it is.
struct Extremum {
    double instant = 0;
    bool maximum = false;
};
std::vector<Extremum> find_extrema(const TimeFunction& f, double first, double last,
                                   double step, double tolerance);

}  // namespace precise
