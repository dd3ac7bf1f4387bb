#include "engine/precise/events.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/precise/caches.h"
#include "engine/precise/delta_t.h"
#include "engine/precise/places.h"
#include "engine/precise/search.h"
#include "engine/classical/moon.h"

namespace precise {
namespace {

constexpr double SECOND_DAYS = 1.0 / 86400.0;
constexpr double MINUTE_DAYS = 60.0 / 86400.0;
constexpr double SUN_DEGREES_PER_DAY = 360.0 / 365.2422;  // the mean rate of the Sun's longitude
constexpr double EARTH_MOON_MASS_RATIO = 81.30057;
constexpr double LIGHT_DAYS_PER_AU = ERFA_AULT / ERFA_DAYSEC;

double longitude_of(const double v[3]) { return std::atan2(v[1], v[0]) * ERFA_DR2D; }

// ---- Conjunctions: a lean apparent place for searches over centuries ----
//
// The Earth is Plan94's Earth-Moon barycentre less the Moon's share (the Moon
// from its five largest terms: the share is 4700 km, so a place good to half a
// degree leaves 0.1"), the planet has light-time (from Plan94's velocity) and
// both bodies first-order annual aberration; both are referred to the mean
// ecliptic of date (eraEcm06).  Nutation in longitude shifts both longitudes
// alike, and the ecliptic's own turning over a hundred days moves their
// difference by under 0.2", so one ecliptic serves a hundred days.
struct LeanPair {
    double sun[3];     // unit vectors, ecliptic of date
    double planet[3];
    double sun_distance_au = 0;
    double planet_distance_au = 0;
};

void add_aberration(double u[3], const double v_c[3]) {
    double uv = u[0] * v_c[0] + u[1] * v_c[1] + u[2] * v_c[2];
    for (int i = 0; i < 3; ++i) u[i] += v_c[i] - uv * u[i];
    double n = vector_norm(u);
    for (int i = 0; i < 3; ++i) u[i] /= n;
}

// The Moon's geocentric position (AU, equator of J2000) to about half a
// degree: Meeus, Astronomical Algorithms, chapter 47, largest terms only.
void rough_moon(double tt, double p[3]) {
    double d = tt - ERFA_DJ00;
    double l = (218.316 + 13.176396 * d) * ERFA_DD2R;
    double m = (134.963 + 13.064993 * d) * ERFA_DD2R;
    double f = (93.272 + 13.229350 * d) * ERFA_DD2R;
    double lon = l + 6.289 * ERFA_DD2R * std::sin(m);
    double lat = 5.128 * ERFA_DD2R * std::sin(f);
    double r = (385001.0 - 20905.0 * std::cos(m)) / AU_KM;
    double x = r * std::cos(lat) * std::cos(lon), y = r * std::cos(lat) * std::sin(lon), z = r * std::sin(lat);
    const double ce = 0.9174821430670688, se = 0.3977769691083922;  // obliquity of J2000
    p[0] = x;
    p[1] = ce * y - se * z;
    p[2] = se * y + ce * z;
}

const double (*ecliptic_of_date(double tt))[3] {
    const double k = std::floor(tt / 100.0);
    return precise_caches().ecliptic.get(k, 0, [k] {
        Rotation rm;
        eraEcm06(k * 100.0 + 50.0, 0.0, rm.r);
        return rm;
    }).r;
}

LeanPair lean_pair(int body, double tt) {
    double moon[3];
    PlanetState emb = plan94_state(EARTH, tt);
    rough_moon(tt, moon);
    double earth[3], v_c[3];
    for (int i = 0; i < 3; ++i) {
        earth[i] = emb.position[i] - moon[i] / (1.0 + EARTH_MOON_MASS_RATIO);
        v_c[i] = emb.velocity[i] * LIGHT_DAYS_PER_AU;
    }
    double sun[3] = {-earth[0], -earth[1], -earth[2]};
    double planet[3];
    double pv[2][3];
    if (body == PLUTO) {
        heliocentric_position(body, tt, pv[0]);
        double later[3];
        heliocentric_position(body, tt + 1.0, later);
        for (int i = 0; i < 3; ++i) pv[1][i] = later[i] - pv[0][i];
    } else {
        PlanetState state = plan94_state(body, tt);
        for (int i = 0; i < 3; ++i) {
            pv[0][i] = state.position[i];
            pv[1][i] = state.velocity[i];
        }
    }
    for (int i = 0; i < 3; ++i) planet[i] = pv[0][i] - earth[i];
    double tau = vector_norm(planet) * LIGHT_DAYS_PER_AU;
    for (int i = 0; i < 3; ++i) planet[i] -= pv[1][i] * tau;
    LeanPair pair;
    pair.sun_distance_au = vector_norm(sun);
    pair.planet_distance_au = vector_norm(planet);
    for (int i = 0; i < 3; ++i) {
        sun[i] /= pair.sun_distance_au;
        planet[i] /= pair.planet_distance_au;
    }
    add_aberration(sun, v_c);
    add_aberration(planet, v_c);
    auto rm = const_cast<double(*)[3]>(ecliptic_of_date(tt));
    eraRxp(rm, sun, pair.sun);
    eraRxp(rm, planet, pair.planet);
    return pair;
}

// Search step per planet, days: shorter than the least interval between two
// of its events (Mercury's inferior and superior conjunctions are 40 days
// apart at the least, an outer planet's conjunction and opposition 180).
double conjunction_step(int body) {
    if (body == MERCURY) return 10.0;
    if (body == VENUS) return 20.0;
    return 30.0;
}

// The least separation of a planet's centre from the Sun's near a
// conjunction, and whether the two disks overlap then.  The planet's motion
// in latitude puts the least separation hours away from the equal
// longitudes, and a grazing transit (Mercury, 1937 May 11) is decided by a
// fraction of an arcsecond, so the full apparent places serve here.
struct Approach {
    double separation = 0;  // degrees
    bool overlap = false;
};

Approach closest_approach(int body, JulianDay conjunction_ut) {
    auto separation = [body](double t) {
        Place sun = geocentric_place(SUN, t), planet = geocentric_place(body, t);
        return angle_between_vectors(sun.direction, planet.direction);
    };
    double t = refine_extremum(separation, conjunction_ut - 0.5, conjunction_ut + 0.5, false, SECOND_DAYS);
    Place sun = geocentric_place(SUN, t), planet = geocentric_place(body, t);
    Approach a;
    a.separation = angle_between_vectors(sun.direction, planet.direction);
    a.overlap = a.separation < sun.semidiameter + planet.semidiameter;
    return a;
}

}  // namespace

// ---- Seasons ----

namespace {

// The instant of equinox or solstice k (0 March ... 3 December) of a year,
// UT, to about a minute from 1000 to 3000 (the years of the reports; beyond
// them it still serves as a first guess): Meeus, Astronomical Algorithms
// (2nd ed., 1998), chapter 27: the mean instant's polynomial of Table 27.B
// corrected by the 24 periodic terms of Table 27.C.
JulianDay meeus_season_instant(int year, int k) {
    static constexpr double MEAN[4][5] = {
        {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
        {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
        {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
        {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
    };
    // Amplitude (1e-5 day), phase (degrees), rate (degrees a Julian century).
    static constexpr double PERIODIC[24][3] = {
        {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},    {182, 27.85, 445267.112},
        {156, 73.14, 45036.886},  {136, 171.52, 22518.443}, {77, 222.54, 65928.934},  {74, 296.72, 3034.906},
        {70, 243.58, 9037.513},   {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.226},
        {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},    {18, 155.12, 67555.328},
        {17, 288.79, 4562.452},   {16, 198.04, 62894.029},  {14, 199.76, 31436.921},  {12, 95.39, 14577.848},
        {12, 287.11, 31931.756},  {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
    };
    const double* mean = MEAN[k];
    const double y = (year - 2000) / 1000.0;
    const double jde0 = mean[0] + y * (mean[1] + y * (mean[2] + y * (mean[3] + y * mean[4])));
    const double t = (jde0 - ERFA_DJ00) / ERFA_DJC;
    const double w = (35999.373 * t - 2.47) * ERFA_DD2R;
    const double delta_lambda = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);
    double s = 0.0;
    for (const auto& term : PERIODIC) s += term[0] * std::cos((term[1] + term[2] * t) * ERFA_DD2R);
    return universal_time(jde0 + 0.00001 * s / delta_lambda);
}

}  // namespace

void season_instants(int year, JulianDay jd[4]) {
    // Kept by year: the Seasons report asks for each year twice (its own and
    // the year before's next).
    const std::array<JulianDay, 4>& kept = precise_caches().seasons.get(year, year, [year] {
        std::array<JulianDay, 4> instants;
        for (int k = 0; k < 4; ++k) {
            auto f = [k](double t) { return wrap180(geocentric_place(SUN, t).longitude - 90.0 * k); };
            instants[k] = refine_root_from(f, meeus_season_instant(year, k), 1.0 / SUN_DEGREES_PER_DAY,
                                           0.001 * SECOND_DAYS);
        }
        return instants;
    });
    std::copy(kept.begin(), kept.end(), jd);
}

// ---- Phases ----

namespace {

constexpr double SYNODIC_MONTH_DAYS = 29.530588861;
constexpr double ELONGATION_DEGREES_PER_DAY = 360.0 / SYNODIC_MONTH_DAYS;  // the mean rate

// Phase q (0-3) of lunation k (counted as the classical engine counts them,
// from the new Moon of 1900 January 0): the classical instant, minutes off,
// refined on the precise places.  Kept by lunation, since a report run year
// by year asks for the lunations around each year twice.
JulianDay phase_instant(long long k, int q) {
    const long long key = 4 * (k + (1LL << 40)) + q;
    return precise_caches().phases.get(key, key, [k, q] {
        // A year with fraction that the classical engine turns back into lunation k.
        double date = 1900.0 + (static_cast<double>(k) + (k < 0 ? -0.5 : 0.5)) / 12.3685;
        double f, m, mp, t, jd_mean, jd_true;
        ::moon_phase_instant(date, q, f, m, mp, t, jd_mean, jd_true);
        auto elongation = [q](double ut) {
            double e = geocentric_place(MOON, ut).longitude - geocentric_place(SUN, ut).longitude;
            return wrap180(e - 90.0 * q);
        };
        return refine_root_from(elongation, universal_time(jd_true), 1.0 / ELONGATION_DEGREES_PER_DAY,
                                0.001 * SECOND_DAYS);
    });
}

}  // namespace

std::vector<PhaseInstant> moon_phases(JulianDay first, JulianDay last) {
    // The classical lunation numbers around the span, a lunation to spare on each side.
    const double epoch = 2415020.75933;  // the mean new Moon of lunation 0, TT
    long long k0 = static_cast<long long>(std::floor((first - epoch) / SYNODIC_MONTH_DAYS)) - 1;
    long long k1 = static_cast<long long>(std::ceil((last - epoch) / SYNODIC_MONTH_DAYS)) + 1;
    std::vector<PhaseInstant> phases;
    for (long long k = k0; k <= k1; ++k) {
        for (int q = 0; q < 4; ++q) {
            JulianDay t = phase_instant(k, q);
            if (t >= first && t < last) phases.push_back({t, q});
        }
    }
    return phases;
}

// ---- Conjunctions and oppositions ----

std::vector<ConjunctionInstant> planet_conjunctions(int body, JulianDay first, JulianDay last) {
    std::vector<ConjunctionInstant> events;
    double tt_first = terrestrial_time(first), tt_last = terrestrial_time(last);
    auto difference = [body](double tt) {
        LeanPair p = lean_pair(body, tt);
        return wrap180(longitude_of(p.planet) - longitude_of(p.sun));
    };
    // One sweep finds both: a conjunction where the difference crosses 0, an
    // opposition where it crosses 180 (the difference shifted by 180 crosses 0).
    double step = conjunction_step(body);
    double a = tt_first, da = difference(a);
    while (a < tt_last) {
        double b = std::fmin(a + step, tt_last), db = difference(b);
        for (int kind = CONJUNCTION; kind <= (body <= VENUS ? CONJUNCTION : OPPOSITION); ++kind) {
            double shift = kind == OPPOSITION ? 180.0 : 0.0;
            double fa = wrap180(da - shift), fb = wrap180(db - shift);
            if ((fa < 0.0) == (fb < 0.0) || std::fabs(fa) > 90.0 || std::fabs(fb) > 90.0) continue;
            auto f = [&](double tt) { return wrap180(difference(tt) - shift); };
            double t = refine_root(f, a, fa, b, fb, SECOND_DAYS);
            if (t >= tt_last || (t == tt_first && fa != 0.0)) continue;
            LeanPair p = lean_pair(body, t);
            ConjunctionInstant e;
            e.instant = universal_time(t);
            e.kind = static_cast<ConjunctionKind>(kind);
            e.inferior = p.planet_distance_au < p.sun_distance_au;
            e.separation = angle_between_vectors(p.sun, p.planet);
            if (kind == CONJUNCTION) {
                Approach a = closest_approach(body, e.instant);
                e.separation = a.separation;
                if (a.overlap) e.overlap = e.inferior ? TRANSIT : OCCULTATION;
            }
            events.push_back(e);
        }
        a = b;
        da = db;
    }
    return events;
}

// ---- Apsides ----

std::vector<ApsisInstant> planet_apsides(int body, JulianDay first, JulianDay last) {
    static const double PERIOD_DAYS[] = {365.256, 87.969, 224.701, 686.98, 4332.59, 10759.2, 30688.5, 60182.0, 90560.0};
    double step = PERIOD_DAYS[body - EARTH] / 24.0;
    // The Earth's own distance wobbles monthly with the Moon; its extrema are
    // sought within four days of those of the Earth-Moon barycentre.
    auto smooth = [body](double tt) {
        double p[3];
        if (body == EARTH) return vector_norm(plan94_state(EARTH, tt).position);
        heliocentric_position(body, tt, p);
        return vector_norm(p);
    };
    auto distance = [body](double tt) {
        double p[3];
        heliocentric_position(body, tt, p);
        return vector_norm(p);
    };
    // The extremum is flat: it is sought on the Earth-Moon barycentre less the
    // Moon's share (Plan94 and Moon98), then one Newton step on the Earth's
    // radial velocity from eraEpv00 itself, with that distance's curvature.
    auto earth_distance = [](double tt) {
        double moon[3], v[3];
        PlanetState emb = plan94_state(EARTH, tt);
        moon_position(tt, moon, v);
        double earth[3];
        for (int i = 0; i < 3; ++i) earth[i] = emb.position[i] - moon[i] / (1.0 + EARTH_MOON_MASS_RATIO);
        return vector_norm(earth);
    };
    auto exact_earth_extremum = [&earth_distance](double t0, double& distance_au) {
        const double k = 1.0 / 24.0;
        double curvature = (earth_distance(t0 - k) - 2.0 * earth_distance(t0) + earth_distance(t0 + k)) / (k * k);
        double pvh[2][3], pvb[2][3];
        eraEpv00(t0, 0.0, pvh, pvb);  // status 1, outside 1900-2100: errors grow slowly, accepted
        distance_au = vector_norm(pvh[0]);
        double radial_velocity = (pvh[0][0] * pvh[1][0] + pvh[0][1] * pvh[1][1] + pvh[0][2] * pvh[1][2]) / distance_au;
        return curvature != 0.0 ? t0 - radial_velocity / curvature : t0;
    };
    std::vector<ApsisInstant> found;
    double tt_first = terrestrial_time(first), tt_last = terrestrial_time(last);
    for (const Extremum& x : find_extrema(smooth, tt_first - step, tt_last + step, step, MINUTE_DAYS)) {
        double t = x.instant, r = 0.0;
        if (body == EARTH) {
            const double h = 0.5;
            double best = t, best_r = earth_distance(t);
            // The Moon moves the Earth's extremum by up to a day and a half.
            for (double dt = -2.0; dt <= 2.0; dt += h) {
                double r = earth_distance(x.instant + dt);
                if (x.maximum ? r > best_r : r < best_r) { best = x.instant + dt; best_r = r; }
            }
            t = exact_earth_extremum(refine_by_vertex(earth_distance, best, h, 2), r);
        } else {
            r = distance(t);
        }
        if (t < tt_first || t >= tt_last) continue;
        found.push_back({universal_time(t), x.maximum, r});
    }
    return found;
}

std::vector<ApsisInstant> moon_apsides(JulianDay first, JulianDay last) {
    auto distance_km = [](double tt) {
        double p[3], v[3];
        moon_position(tt, p, v);
        return vector_norm(p) * AU_KM;
    };
    // Sampled twice a day; each extremum refined by parabolas (nine distances).
    const double step = 0.5;
    std::vector<ApsisInstant> found;
    double tt_first = terrestrial_time(first), tt_last = terrestrial_time(last);
    double t0 = tt_first - step, d0 = distance_km(t0), d1 = distance_km(tt_first);
    for (double t1 = tt_first; t1 < tt_last + step; t1 += step) {
        double d2 = distance_km(t1 + step);
        bool far = d1 > d0 && d1 >= d2, near = d1 < d0 && d1 <= d2;
        if (far || near) {
            double t = refine_by_vertex(distance_km, t1, step, 3);
            if (t >= tt_first && t < tt_last) found.push_back({universal_time(t), far, distance_km(t)});
        }
        d0 = d1;
        d1 = d2;
    }
    return found;
}

// ---- Nodes ----

std::vector<NodeInstant> moon_nodes(JulianDay first, JulianDay last) {
    auto latitude = [](double tt) {
        double p[3], v[3], e[3], rm[3][3];
        moon_position(tt, p, v);
        eraEcm06(tt, 0.0, rm);
        eraRxp(rm, p, e);
        return std::asin(e[2] / vector_norm(e)) * ERFA_DR2D;
    };
    std::vector<NodeInstant> found;
    double tt_first = terrestrial_time(first), tt_last = terrestrial_time(last);
    for (const Crossing& c : find_crossings(latitude, tt_first, tt_last, 1.0, SECOND_DAYS, 1e9)) {
        if (c.instant < tt_last) found.push_back({universal_time(c.instant), c.rising});
    }
    return found;
}

}  // namespace precise
