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
// signs), to tolerance (days): false position with the Illinois step (the
// kept end's value halved when the same end is kept twice), which gains
// several digits a step on a smooth function and never leaves the bracket;
// bisection bounds it on a rough one.
template <class F>
JulianDay bracketed_root(F f, JulianDay lo, JulianDay hi, double tolerance) {
    double f_lo = f(lo), f_hi = f(hi);
    int kept = 0;  // -1: lo kept last time, 1: hi kept
    for (int step = 0; step < 100 && hi - lo > tolerance; ++step) {
        JulianDay t = f_hi != f_lo ? hi - f_hi * (hi - lo) / (f_hi - f_lo) : 0.5 * (lo + hi);
        // A step stuck at an end moves to within the tolerance of it, inside.
        t = std::clamp(t, lo + 0.5 * tolerance, hi - 0.5 * tolerance);
        const double f_t = f(t);
        if (f_t == 0.0) return t;
        if ((f_t < 0.0) == (f_lo < 0.0)) {
            lo = t, f_lo = f_t;
            if (kept == 1) f_hi *= 0.5;
            kept = 1;
        } else {
            hi = t, f_hi = f_t;
            if (kept == -1) f_lo *= 0.5;
            kept = -1;
        }
        if (step % 4 == 3) {  // every fourth step a bisection, so the bracket shrinks whatever f does
            const JulianDay mid = 0.5 * (lo + hi);
            const double f_mid = f(mid);
            if ((f_mid < 0.0) == (f_lo < 0.0))
                lo = mid, f_lo = f_mid;
            else
                hi = mid, f_hi = f_mid;
            kept = 0;
        }
    }
    return f_hi != f_lo ? hi - f_hi * (hi - lo) / (f_hi - f_lo) : 0.5 * (lo + hi);
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
