// Eclipses as seen from one place: a direct search on the topocentric places
// of the Sun and the Moon that an engine gives through the seam.
#include "engine/local_eclipses.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/close_search.h"
#include "engine/local_sky.h"

namespace {

constexpr double REFRACTION_DEGREES = 34.0 / 60.0;  // at the horizon, as for rising and setting
constexpr double MINUTE_DAYS = 1.0 / 1440.0;
constexpr double SECOND_DAYS = 1.0 / 86400.0;

// The coarse samples of a solar eclipse: every 30 minutes over 4 hours either
// side of the greatest eclipse, which holds the first and last contacts seen
// from anywhere on the Earth (at most about 3 h 20 min from the greatest).
constexpr double SAMPLE_STEP_DAYS = 30.0 * MINUTE_DAYS;
constexpr int SAMPLES_EACH_SIDE = 8;
// The Moon's disk moves against the Sun's by at most about 0.8 degrees an
// hour seen from the ground (0.51 on its orbit, 0.27 more from the observer
// carried by the Earth's turning), so between samples 30 minutes apart the
// separation falls at most 0.2 degree below the smaller of the two: samples
// all further than this from contact mean no eclipse here.
constexpr double NO_CONTACT_MARGIN_DEGREES = 0.22;
// A central phase lasts at most about 12.5 minutes: it is bracketed in steps
// of 2 minutes from the maximum.
constexpr double CENTRAL_STEP_DAYS = 2.0 * MINUTE_DAYS;
constexpr int CENTRAL_STEPS = 10;
// The Moon's horizon search steps.
constexpr double MOON_STEP_DAYS = 10.0 * MINUTE_DAYS;

// A body's centre seen from the place.
struct TopocentricBody {
    Equatorial place;                       // equator of date
    double semidiameter = 0.0;              // degrees
    double altitude = 0.0;                  // degrees, no refraction
};

// Positive while the body's upper limb is above the refracted horizon.
double limb_height(const TopocentricBody& body) { return body.altitude + REFRACTION_DEGREES + body.semidiameter; }

TopocentricBody topocentric_sun(const SkyEngine& engine, const Location& location, JulianDay t) {
    const SunPlace sun = engine.sun_place(t, APPARENT_PLACE);
    const Equatorial place =
        engine.topocentric_place(location, id_of(Body::Sun), {sun.ra_hours, sun.dec}, sun.distance_au, 0.0, t);
    TopocentricBody body;
    body.place = place;
    body.semidiameter = sun.semidiameter;
    body.altitude = engine.equatorial_to_horizontal(t, place, location).altitude;
    return body;
}

TopocentricBody topocentric_moon(const SkyEngine& engine, const Location& location, JulianDay t) {
    const MoonPlace moon = engine.moon_place(t);
    const Equatorial place =
        engine.topocentric_place(location, id_of(Body::Moon), {moon.ra_hours, moon.dec}, 0.0, moon.parallax, t);
    TopocentricBody body;
    body.place = place;
    body.altitude = engine.equatorial_to_horizontal(t, place, location).altitude;
    body.semidiameter = topocentric_moon_semidiameter(moon, body.altitude);
    return body;
}

// The two disks at an instant.
struct Disks {
    JulianDay jd_ut = 0.0;
    TopocentricBody sun;
    double moon_radius = 0.0;  // degrees
    double separation = 0.0;   // of the centres, degrees
};

Disks disks_at(const SkyEngine& engine, const Location& location, JulianDay t) {
    Disks d;
    d.jd_ut = t;
    d.sun = topocentric_sun(engine, location, t);
    const TopocentricBody moon = topocentric_moon(engine, location, t);
    d.moon_radius = moon.semidiameter;
    d.separation = angular_separation(d.sun.place.ra_hours, d.sun.place.dec, moon.place.ra_hours, moon.place.dec);
    return d;
}

// Negative while the disks overlap.
double partial_gap(const Disks& d) { return d.separation - (d.sun.semidiameter + d.moon_radius); }
// Negative while one disk lies wholly within the other.
double central_gap(const Disks& d) { return d.separation - std::fabs(d.moon_radius - d.sun.semidiameter); }
double sun_limb_height(const Disks& d) { return limb_height(d.sun); }

SolarMoment moment_of(const Disks& d) { return {d.jd_ut, d.sun.altitude, sun_limb_height(d) > 0.0}; }

// The contact between the sample instant `outside` (disks apart) and the
// instant `inside` (disks overlapping), in either order.
JulianDay contact_between(const SkyEngine& engine, const Location& location, JulianDay outside, JulianDay inside,
                          double (*gap)(const Disks&)) {
    auto f = [&](JulianDay t) { return gap(disks_at(engine, location, t)); };
    return bracketed_root(f, std::fmin(outside, inside), std::fmax(outside, inside), SECOND_DAYS);
}

// The second and third contacts, stepping out from the maximum until the
// smaller disk leaves the larger.
void central_contacts(const SkyEngine& engine, const Location& location, const Disks& maximum,
                      LocalSolarEclipse& eclipse) {
    eclipse.central = true;
    eclipse.total = maximum.moon_radius > maximum.sun.semidiameter;
    for (int direction : {-1, 1}) {
        JulianDay out = maximum.jd_ut;
        for (int step = 1; step <= CENTRAL_STEPS; ++step) {
            out = maximum.jd_ut + direction * step * CENTRAL_STEP_DAYS;
            if (central_gap(disks_at(engine, location, out)) >= 0.0) break;
        }
        const JulianDay t = contact_between(engine, location, out, maximum.jd_ut, central_gap);
        (direction < 0 ? eclipse.central_begins : eclipse.central_ends) = moment_of(disks_at(engine, location, t));
    }
}

// The Sun's risings and settings between the contacts, from the samples
// between them; and whether the Sun is up at any part of the eclipse.
void sun_on_horizon(const SkyEngine& engine, const Location& location, const std::vector<Disks>& samples,
                    LocalSolarEclipse& eclipse) {
    std::vector<Disks> points;
    points.push_back(disks_at(engine, location, eclipse.begins.jd_ut));
    for (const Disks& s : samples)
        if (s.jd_ut > eclipse.begins.jd_ut && s.jd_ut < eclipse.ends.jd_ut) points.push_back(s);
    points.push_back(disks_at(engine, location, eclipse.ends.jd_ut));
    auto height = [&](JulianDay t) { return sun_limb_height(disks_at(engine, location, t)); };
    bool up = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double h = sun_limb_height(points[i]);
        up = up || h > 0.0;
        if (i == 0) continue;
        const double before = sun_limb_height(points[i - 1]);
        if ((before > 0.0) == (h > 0.0)) continue;
        const JulianDay t = bracketed_root(height, points[i - 1].jd_ut, points[i].jd_ut, SECOND_DAYS);
        JulianDay& slot = h > 0.0 ? eclipse.sunrise : eclipse.sunset;
        if (slot == 0.0) slot = t;
    }
    eclipse.view = up ? SOLAR_SEEN : SOLAR_SUN_DOWN;
}

void set_seen_maximum(const Disks& d, bool at_horizon, LocalSolarEclipse& eclipse) {
    eclipse.seen_maximum = moment_of(d);
    eclipse.seen_at_horizon = at_horizon;
    eclipse.magnitude = (d.sun.semidiameter + d.moon_radius - d.separation) / (2.0 * d.sun.semidiameter);
    eclipse.obscuration = eclipse_obscuration(d.sun.semidiameter, d.moon_radius, d.separation);
}

}  // namespace

double eclipse_obscuration(double sun_radius, double moon_radius, double separation) {
    const double R = sun_radius, r = moon_radius, d = separation;
    if (d >= R + r) return 0.0;
    if (d <= std::fabs(R - r)) return r >= R ? 1.0 : (r * r) / (R * R);
    // The lens where two circles overlap (the area of two circular segments).
    const double lens = r * r * std::acos((d * d + r * r - R * R) / (2.0 * d * r)) +
                        R * R * std::acos((d * d + R * R - r * r) / (2.0 * d * R)) -
                        0.5 * std::sqrt((-d + r + R) * (d + r - R) * (d - r + R) * (d + r + R));
    return lens / (std::numbers::pi * R * R);
}

LocalSolarEclipse local_solar_eclipse(const SkyEngine& engine, const Location& location, JulianDay jd_max) {
    LocalSolarEclipse eclipse;
    std::vector<Disks> samples;
    std::size_t closest = 0;
    for (int k = -SAMPLES_EACH_SIDE; k <= SAMPLES_EACH_SIDE; ++k) {
        samples.push_back(disks_at(engine, location, jd_max + k * SAMPLE_STEP_DAYS));
        if (partial_gap(samples.back()) < partial_gap(samples[closest])) closest = samples.size() - 1;
    }
    if (partial_gap(samples[closest]) > NO_CONTACT_MARGIN_DEGREES) return eclipse;

    const JulianDay low = samples[closest > 0 ? closest - 1 : 0].jd_ut;
    const JulianDay high = samples[std::min(closest + 1, samples.size() - 1)].jd_ut;
    const JulianDay t_max = golden_section_maximum(
        [&](JulianDay t) { return -disks_at(engine, location, t).separation; }, low, high, SECOND_DAYS);
    const Disks maximum = disks_at(engine, location, t_max);
    if (partial_gap(maximum) >= 0.0) return eclipse;
    eclipse.maximum = moment_of(maximum);

    // The last sample before the maximum and the first after it with the
    // disks apart bracket the first and the last contact.
    JulianDay before = samples.front().jd_ut, after = samples.back().jd_ut;
    for (const Disks& s : samples) {
        if (partial_gap(s) < 0.0) continue;
        if (s.jd_ut < t_max) before = s.jd_ut;
        if (s.jd_ut > t_max && after == samples.back().jd_ut) after = s.jd_ut;
    }
    eclipse.begins = moment_of(disks_at(engine, location, contact_between(engine, location, before, t_max, partial_gap)));
    eclipse.ends = moment_of(disks_at(engine, location, contact_between(engine, location, after, t_max, partial_gap)));
    if (central_gap(maximum) < 0.0) central_contacts(engine, location, maximum, eclipse);

    sun_on_horizon(engine, location, samples, eclipse);
    if (eclipse.view != SOLAR_SEEN) return eclipse;
    if (eclipse.maximum.sun_up) {
        set_seen_maximum(maximum, false, eclipse);
        return eclipse;
    }
    // The Sun is down at the maximum: the nearest instant with it up is a
    // sunrise or sunset within the eclipse, the one with the disks closer.
    Disks best;
    bool found = false;
    for (JulianDay t : {eclipse.sunrise, eclipse.sunset}) {
        if (t == 0.0) continue;
        const Disks d = disks_at(engine, location, t);
        if (!found || d.separation < best.separation) best = d;
        found = true;
    }
    set_seen_maximum(best, true, eclipse);
    return eclipse;
}

MoonSight moon_sight(const SkyEngine& engine, const Location& location, JulianDay jd_ut) {
    const TopocentricBody moon = topocentric_moon(engine, location, jd_ut);
    return {moon.altitude, limb_height(moon) > 0.0};
}

std::vector<HorizonCrossing> moon_horizon_crossings(const SkyEngine& engine, const Location& location,
                                                    JulianDay from_ut, JulianDay to_ut) {
    auto height = [&](JulianDay t) { return limb_height(topocentric_moon(engine, location, t)); };
    std::vector<HorizonCrossing> crossings;
    JulianDay a = from_ut;
    double fa = height(a);
    while (a < to_ut) {
        const JulianDay b = std::fmin(a + MOON_STEP_DAYS, to_ut);
        const double fb = height(b);
        if ((fa > 0.0) != (fb > 0.0)) crossings.push_back({bracketed_root(height, a, b, SECOND_DAYS), fb > 0.0});
        a = b;
        fa = fb;
    }
    return crossings;
}
