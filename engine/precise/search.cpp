#include "engine/precise/search.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace precise {

double wrap180(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

double wrap360(double degrees) {
    double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

double polynomial(const double* c, int n, double x) {
    double s = 0.0;
    for (int i = n - 1; i >= 0; --i) s = s * x + c[i];
    return s;
}

double refine_root(const TimeFunction& f, double a, double fa, double b, double fb,
                   double tolerance) {
    if (fa == 0.0) return a;
    if (fb == 0.0) return b;
    // Brent (1973): inverse quadratic interpolation, secant and bisection.
    double c = a, fc = fa, d = b - a, e = d;
    for (int iteration = 0; iteration < 100; ++iteration) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b; b = c; c = a;
            fa = fb; fb = fc; fc = fa;
        }
        double tol = 0.5 * tolerance;
        double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol || fb == 0.0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            double s = fb / fa, p, q;
            if (a == c) {
                p = 2.0 * m * s;
                q = 1.0 - s;
            } else {
                double r = fb / fc;
                q = fa / fc;
                p = s * (2.0 * m * q * (q - r) - (b - a) * (r - 1.0));
                q = (q - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0) q = -q; else p = -p;
            if (2.0 * p < std::fmin(3.0 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = m;
            }
        } else {
            d = m;
            e = m;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
    }
    return b;
}

double refine_root_from(const TimeFunction& f, double guess, double days_per_unit, double tolerance) {
    double a = guess, fa = f(a);
    double b = a - fa * days_per_unit;
    for (int iteration = 0; iteration < 20 && b != a; ++iteration) {
        double fb = f(b);
        if (fb == 0.0 || fb == fa) return b;
        double step = -fb * (b - a) / (fb - fa);
        a = b;
        fa = fb;
        b += step;
        if (std::fabs(step) < tolerance) break;
    }
    return b;
}

std::vector<Crossing> find_crossings(const TimeFunction& f, double first, double last,
                                     double step, double tolerance, double jump_limit) {
    std::vector<Crossing> found;
    double a = first, fa = f(a);
    while (a < last) {
        double b = std::fmin(a + step, last);
        double fb = f(b);
        bool change = (fa < 0.0) != (fb < 0.0);
        if (change && std::fabs(fa) < jump_limit && std::fabs(fb) < jump_limit) {
            double t = refine_root(f, a, fa, b, fb, tolerance);
            // A root exactly on a sample belongs to the interval it ends.
            if (t > first || fa != 0.0) found.push_back({t, fa < 0.0});
        }
        a = b;
        fa = fb;
    }
    return found;
}

std::vector<Crossing> find_smooth_crossings(const TimeFunction& f, double first, double last,
                                            double step, double tolerance) {
    struct Knot { double t, value; };
    const int n = static_cast<int>(std::ceil((last - first) / step));
    std::vector<Knot> samples;
    for (int i = -1; i <= n + 1; ++i) {
        double t = i < 0 ? first - step : i > n ? last + step : std::fmin(first + i * step, last);
        samples.push_back({t, f(t)});
    }
    // The samples within [first, last] and the extrema between them, in time order.
    std::vector<Knot> knots;
    for (size_t i = 1; i + 1 < samples.size(); ++i) {
        const Knot &a = samples[i - 1], &b = samples[i], &c = samples[i + 1];
        knots.push_back(b);
        bool maximum = b.value > a.value && b.value >= c.value;
        bool minimum = b.value < a.value && b.value <= c.value;
        if (!maximum && !minimum) continue;
        double t = refine_extremum(f, a.t, c.t, maximum, tolerance);
        if (t > first && t < last) knots.push_back({t, f(t)});
    }
    std::sort(knots.begin(), knots.end(), [](const Knot& x, const Knot& y) { return x.t < y.t; });
    std::vector<Crossing> found;
    for (size_t i = 0; i + 1 < knots.size(); ++i) {
        const Knot &a = knots[i], &b = knots[i + 1];
        if (b.t <= a.t || (a.value < 0.0) == (b.value < 0.0)) continue;
        double t = refine_root(f, a.t, a.value, b.t, b.value, tolerance);
        // A root exactly on a knot belongs to the interval it ends.
        if (t > first || a.value != 0.0) found.push_back({t, a.value < 0.0});
    }
    return found;
}

double refine_extremum(const TimeFunction& f, double a, double b, bool maximum,
                       double tolerance) {
    const double g = 0.6180339887498949;
    double sign = maximum ? -1.0 : 1.0;
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    double f1 = sign * f(x1), f2 = sign * f(x2);
    while (b - a > tolerance) {
        if (f1 < f2) {
            b = x2; x2 = x1; f2 = f1;
            x1 = b - g * (b - a);
            f1 = sign * f(x1);
        } else {
            a = x1; x1 = x2; f1 = f2;
            x2 = a + g * (b - a);
            f2 = sign * f(x2);
        }
    }
    return 0.5 * (a + b);
}

double refine_by_vertex(const TimeFunction& f, double t, double h, int passes) {
    for (int pass = 0; pass < passes; ++pass, h /= 12.0) {
        double a = f(t - h), b = f(t), c = f(t + h);
        double curvature = a - 2.0 * b + c;
        if (curvature == 0.0) break;
        double step = 0.5 * h * (a - c) / curvature;
        t += std::fmax(-h, std::fmin(h, step));  // stay within the bracket
    }
    return t;
}

std::vector<Extremum> find_extrema(const TimeFunction& f, double first, double last,
                                   double step, double tolerance) {
    std::vector<Extremum> found;
    double t0 = first, f0 = f(t0);
    double t1 = first + step, f1 = f(t1);
    while (t1 < last) {
        double t2 = t1 + step, f2 = f(t2);
        bool maximum = f1 > f0 && f1 >= f2;
        bool minimum = f1 < f0 && f1 <= f2;
        if (maximum || minimum) {
            double t = refine_extremum(f, t0, t2, maximum, tolerance);
            if (t >= first && t < last) found.push_back({t, maximum});
        }
        t0 = t1; f0 = f1;
        t1 = t2; f1 = f2;
    }
    return found;
}

}  // namespace precise
