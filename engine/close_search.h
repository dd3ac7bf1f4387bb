#pragma once
// The helpers the searches of engine/close_events.h share: apparent ecliptic
// places through the seam, and the root and extremum finders they refine
// their sampled brackets with.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/calendar.h"
#include "engine/sky_engine.h"

// An apparent geocentric ecliptic place of date, degrees.
struct EclipticPlace {
    double longitude = 0.0;  // [0, 360)
    double latitude = 0.0;   // -90..90
};

// The true obliquity of the ecliptic at the instant as the engine has it, degrees.
double true_obliquity(const SkyEngine& engine, JulianDay jd_ut);
// An apparent right ascension and declination of date on the ecliptic of date.
EclipticPlace ecliptic_of(Equatorial place, double obliquity);
// a - b reduced to [-180, 180], degrees.
double signed_gap(double a, double b);

// The instant in [lo, hi] where f changes sign (f(lo) and f(hi) of opposite
// signs), by bisection to tolerance (days).
template <class F>
JulianDay bisect_root(F f, JulianDay lo, JulianDay hi, double tolerance) {
    const bool lo_negative = f(lo) < 0.0;
    while (hi - lo > tolerance) {
        const JulianDay mid = 0.5 * (lo + hi);
        if ((f(mid) < 0.0) == lo_negative)
            lo = mid;
        else
            hi = mid;
    }
    return 0.5 * (lo + hi);
}

// The instant in [lo, hi] where f is largest (one maximum in the bracket),
// by golden-section search to tolerance (days).
template <class F>
JulianDay golden_section_maximum(F f, JulianDay lo, JulianDay hi, double tolerance) {
    const double r = 0.5 * (std::sqrt(5.0) - 1.0);  // 0.618...
    JulianDay a = hi - r * (hi - lo), b = lo + r * (hi - lo);
    double fa = f(a), fb = f(b);
    while (hi - lo > tolerance) {
        if (fa < fb) {
            lo = a;
            a = b;
            fa = fb;
            b = lo + r * (hi - lo);
            fb = f(b);
        } else {
            hi = b;
            b = a;
            fb = fa;
            a = hi - r * (hi - lo);
            fa = f(a);
        }
    }
    return 0.5 * (lo + hi);
}

// Events (each with a jd_ut) in time order.
template <class Event>
void sort_by_instant(std::vector<Event>& events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& x, const Event& y) { return x.jd_ut < y.jd_ut; });
}
