#include "engine/precise/eclipses.h"

#include <cmath>
#include <erfam.h>

#include "engine/angles.h"
#include "engine/precise/events.h"
#include "engine/precise/delta_t.h"
#include "engine/precise/places.h"
#include "engine/precise/search.h"

namespace precise {
namespace {

constexpr double SECOND_DAYS = 1.0 / 86400.0;
constexpr double SEARCH_HALF_WIDTH_DAYS = 0.25;  // greatest eclipse lies within hours of syzygy

struct Vectors {
    double sun[3];   // km, geocentric, true equator of date
    double moon[3];
};

Vectors vectors_at(double jd_ut) {
    Place s = geocentric_place(SUN, jd_ut), m = geocentric_place(MOON, jd_ut);
    Vectors v;
    for (int i = 0; i < 3; ++i) {
        v.sun[i] = s.direction[i] * s.distance_au * AU_KM;
        v.moon[i] = m.direction[i] * m.distance_au * AU_KM;
    }
    return v;
}

struct ShadowAxis {
    double gamma = 0;        // Earth radii, signed by the foot's side of the equator
    double umbra_radius = 0; // on the fundamental plane, Earth radii; negative when the umbra reaches it
    double penumbra_radius = 0;
};

ShadowAxis shadow_axis(double jd_ut) {
    Vectors v = vectors_at(jd_ut);
    double u[3], sm[3];
    for (int i = 0; i < 3; ++i) sm[i] = v.moon[i] - v.sun[i];
    double sun_moon = vector_norm(sm);
    for (int i = 0; i < 3; ++i) u[i] = sm[i] / sun_moon;
    double along = dot3(v.moon, u);  // negative: the plane lies beyond the Moon
    double foot[3];
    for (int i = 0; i < 3; ++i) foot[i] = v.moon[i] - along * u[i];
    ShadowAxis a;
    double gamma = vector_norm(foot) / EARTH_RADIUS_KM;
    a.gamma = foot[2] >= 0 ? gamma : -gamma;
    double z = -along;  // Moon to the plane, km
    double tan_f1 = std::tan(std::asin((body_radius_km(SUN) + MOON_RADIUS_KM) / sun_moon));
    double tan_f2 = std::tan(std::asin((body_radius_km(SUN) - MOON_RADIUS_KM) / sun_moon));
    a.umbra_radius = (z * tan_f2 - MOON_RADIUS_KM) / EARTH_RADIUS_KM;
    a.penumbra_radius = (z * tan_f1 + MOON_RADIUS_KM) / EARTH_RADIUS_KM;
    return a;
}

// The foot of the shadow axis: the point of the axis nearest the Earth's
// centre, km (its length over the Earth's radius is |gamma|).
void axis_foot(double jd_ut, double foot[3]) {
    Vectors v = vectors_at(jd_ut);
    double u[3];
    for (int i = 0; i < 3; ++i) u[i] = v.moon[i] - v.sun[i];
    double n = vector_norm(u);
    for (int i = 0; i < 3; ++i) u[i] /= n;
    double along = dot3(v.moon, u);
    for (int i = 0; i < 3; ++i) foot[i] = v.moon[i] - along * u[i];
}

// The instant near `guess` (hours off at most) when offset(t), a vector that
// moves almost uniformly then, is shortest: the closest approach of the
// uniform motion through its values half a minute before t and after,
// repeated from there until the step is under a millisecond (three or four
// times).
template <class Offset>
double closest_approach(Offset offset, double guess) {
    const double h = 60.0 * SECOND_DAYS, tolerance = 0.001 * SECOND_DAYS;
    double t = guess;
    for (int iteration = 0; iteration < 20; ++iteration) {
        double before[3], after[3], a[3], v[3];
        offset(t - 0.5 * h, before);
        offset(t + 0.5 * h, after);
        for (int i = 0; i < 3; ++i) {
            a[i] = 0.5 * (before[i] + after[i]);
            v[i] = (after[i] - before[i]) / h;
        }
        double speed2 = dot3(v, v);
        if (speed2 == 0.0) break;
        double step = -dot3(a, v) / speed2;
        step = std::fmax(-SEARCH_HALF_WIDTH_DAYS, std::fmin(SEARCH_HALF_WIDTH_DAYS, step));
        t += step;
        if (std::fabs(step) < tolerance) break;
    }
    return t;
}

bool solar_eclipse(double new_moon, Eclipse& e) {
    double t = closest_approach(axis_foot, new_moon);
    ShadowAxis a = shadow_axis(t);
    double g = std::fabs(a.gamma), u = a.umbra_radius;
    if (g > 1.0 + a.penumbra_radius) return false;
    e.maximum = t;
    e.gamma = a.gamma;
    if (g < 0.9972 || g < 0.9972 + std::fabs(u)) {
        if (u < 0.0) e.kind = SOLAR_TOTAL_ECLIPSE;
        else if (u > 0.0047 || u >= 0.00464 * std::sqrt(std::fmax(0.0, 1.0 - g * g))) e.kind = SOLAR_ANNULAR_ECLIPSE;
        else e.kind = SOLAR_HYBRID_ECLIPSE;
        e.magnitude = 0.0;
    } else {
        e.kind = SOLAR_PARTIAL_ECLIPSE;
        e.magnitude = (1.0 + a.penumbra_radius - g) / (a.penumbra_radius + u);
    }
    return true;
}

struct EarthShadow {
    double separation = 0;  // Moon's centre from the shadow's centre, degrees
    double umbra = 0;       // umbral radius, degrees
    double penumbra = 0;
    double moon_radius = 0; // degrees
};

EarthShadow earth_shadow(double jd_ut) {
    Place s = geocentric_place(SUN, jd_ut), m = geocentric_place(MOON, jd_ut);
    double anti_sun[3] = {-s.direction[0], -s.direction[1], -s.direction[2]};
    EarthShadow sh;
    sh.separation = angle_between_vectors(anti_sun, m.direction);
    double moon_parallax = std::asin(EARTH_RADIUS_KM / (m.distance_au * AU_KM)) * ERFA_DR2D;
    double sun_parallax = std::asin(EARTH_RADIUS_KM / (s.distance_au * AU_KM)) * ERFA_DR2D;
    sh.umbra = 1.01 * moon_parallax + sun_parallax - s.semidiameter;
    sh.penumbra = 1.01 * moon_parallax + sun_parallax + s.semidiameter;
    sh.moon_radius = m.semidiameter;
    return sh;
}

// The Moon's direction plus the Sun's: its length is 2 sin(separation / 2),
// the separation being the Moon's from the centre of the Earth's shadow.
void shadow_offset(double jd_ut, double offset[3]) {
    Place s = geocentric_place(SUN, jd_ut), m = geocentric_place(MOON, jd_ut);
    for (int i = 0; i < 3; ++i) offset[i] = m.direction[i] + s.direction[i];
}

// Half the time between the two instants when the separation equals `radius`
// (degrees), hours; 0 when it stays larger.  Each contact is sought from where
// the Moon, moving uniformly past the shadow's centre at `speed` degrees a day,
// would be at that distance: the secant method from there, else (a grazing
// contact, where the separation turns too slowly) Brent's method within the
// hours around the maximum.
double semiduration(double maximum, double least, double speed, double radius) {
    if (least >= radius) return 0.0;
    auto f = [radius](double t) { return earth_shadow(t).separation - radius; };
    double half_chord = std::sqrt(radius * radius - least * least);
    double days_per_degree = radius / (speed * half_chord);  // at the contact, the inverse of d(separation)/dt
    double contact[2];
    for (int side = 0; side < 2; ++side) {
        double sign = side == 0 ? -1.0 : 1.0;
        double t = refine_root_from(f, maximum + sign * half_chord / speed, sign * days_per_degree, 0.001 * SECOND_DAYS);
        bool found = (t - maximum) * sign > 0 && (t - maximum) * sign < SEARCH_HALF_WIDTH_DAYS &&
                     std::fabs(f(t)) < 1e-7;
        if (!found) {
            double edge = maximum + sign * SEARCH_HALF_WIDTH_DAYS;
            t = sign < 0 ? refine_root(f, edge, f(edge), maximum, f(maximum), SECOND_DAYS)
                         : refine_root(f, maximum, f(maximum), edge, f(edge), SECOND_DAYS);
        }
        contact[side] = t;
    }
    return (contact[1] - contact[0]) * 12.0;
}

bool lunar_eclipse(double full_moon, Eclipse& e) {
    double t = closest_approach(shadow_offset, full_moon);
    EarthShadow sh = earth_shadow(t);
    if (sh.separation > sh.penumbra + sh.moon_radius) return false;
    e.maximum = t;
    e.magnitude = (sh.umbra + sh.moon_radius - sh.separation) / (2.0 * sh.moon_radius);
    double lunar_radius_au = std::tan(sh.separation * ERFA_DD2R);  // sign carried below
    Place m = geocentric_place(MOON, t);
    e.gamma = (m.latitude >= 0 ? 1.0 : -1.0) * lunar_radius_au * m.distance_au * AU_KM / EARTH_RADIUS_KM;
    if (e.magnitude >= 1.0) e.kind = LUNAR_TOTAL_ECLIPSE;
    else if (e.magnitude > 0.0) e.kind = LUNAR_PARTIAL_ECLIPSE;
    else e.kind = LUNAR_PENUMBRAL_ECLIPSE;
    // The Moon's speed across the shadow, degrees a day.
    double a[3], b[3], v[3];
    const double h = 60.0 * SECOND_DAYS;
    shadow_offset(t - h, a);
    shadow_offset(t + h, b);
    for (int i = 0; i < 3; ++i) v[i] = (b[i] - a[i]) / (2.0 * h);
    double speed = vector_norm(v) * ERFA_DR2D;
    e.partial_semiduration_hours = semiduration(t, sh.separation, speed, sh.umbra + sh.moon_radius);
    e.total_semiduration_hours = semiduration(t, sh.separation, speed, sh.umbra - sh.moon_radius);
    return true;
}

}  // namespace

bool is_solar(EclipseKind kind) { return kind <= SOLAR_HYBRID_ECLIPSE; }

double umbral_cone_radius(JulianDay jd_ut) { return shadow_axis(jd_ut).umbra_radius; }

std::vector<Eclipse> find_eclipses(JulianDay first, JulianDay last) {
    return find_eclipses(first, last, moon_phases(first - 1.0, last + 1.0));
}

std::vector<Eclipse> find_eclipses(JulianDay first, JulianDay last, const std::vector<PhaseInstant>& phases) {
    std::vector<Eclipse> found;
    for (const PhaseInstant& p : phases) {
        if (p.phase != 0 && p.phase != 2) continue;
        // Only near a node: the Moon's latitude within 1.6 degrees.  Its mean
        // argument of latitude F (Meeus, Astronomical Algorithms, 47.5) first:
        // the latitude is 5.128 sin F to within a degree (the sum of the
        // other terms' amplitudes).
        double t = (terrestrial_time(p.instant) - ERFA_DJ00) / ERFA_DJC;
        double f = (93.2720950 + 483202.0175233 * t) * ERFA_DD2R;
        if (5.128 * std::fabs(std::sin(f)) > 1.6 + 1.0) continue;
        if (std::fabs(geocentric_place(MOON, p.instant).latitude) > 1.6) continue;
        Eclipse e;
        bool found_one = p.phase == 0 ? solar_eclipse(p.instant, e) : lunar_eclipse(p.instant, e);
        if (found_one && e.maximum >= first && e.maximum < last) found.push_back(e);
    }
    return found;
}

}  // namespace precise
