#include "engine/precise/eclipses.h"

#include <cmath>
#include <erfam.h>

#include "engine/angles.h"
#include "engine/precise/events.h"
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

bool solar_eclipse(double new_moon, Eclipse& e) {
    auto distance = [](double t) { return std::fabs(shadow_axis(t).gamma); };
    double t = refine_extremum(distance, new_moon - SEARCH_HALF_WIDTH_DAYS,
                               new_moon + SEARCH_HALF_WIDTH_DAYS, false, SECOND_DAYS);
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

// Half the time between the two instants when the separation equals `radius`, hours.
double semiduration(double maximum, double radius) {
    auto f = [radius](double t) { return earth_shadow(t).separation - radius; };
    if (f(maximum) >= 0.0) return 0.0;
    double before = maximum - SEARCH_HALF_WIDTH_DAYS, after = maximum + SEARCH_HALF_WIDTH_DAYS;
    double t1 = refine_root(f, before, f(before), maximum, f(maximum), SECOND_DAYS);
    double t2 = refine_root(f, maximum, f(maximum), after, f(after), SECOND_DAYS);
    return (t2 - t1) * 12.0;
}

bool lunar_eclipse(double full_moon, Eclipse& e) {
    auto separation = [](double t) { return earth_shadow(t).separation; };
    double t = refine_extremum(separation, full_moon - SEARCH_HALF_WIDTH_DAYS,
                               full_moon + SEARCH_HALF_WIDTH_DAYS, false, SECOND_DAYS);
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
    e.partial_semiduration_hours = semiduration(t, sh.umbra + sh.moon_radius);
    e.total_semiduration_hours = semiduration(t, sh.umbra - sh.moon_radius);
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
        // Only near a node: the Moon's latitude within 1.6 degrees.
        if (std::fabs(geocentric_place(MOON, p.instant).latitude) > 1.6) continue;
        Eclipse e;
        bool found_one = p.phase == 0 ? solar_eclipse(p.instant, e) : lunar_eclipse(p.instant, e);
        if (found_one && e.maximum >= first && e.maximum < last) found.push_back(e);
    }
    return found;
}

}  // namespace precise
