// Greatest elongations and conjunctions in ecliptic longitude, through the
// engine seam's apparent places (engine/close_events.h).
#include "engine/close_events.h"

#include <cmath>
#include <utility>

#include "engine/angles.h"
#include "engine/close_search.h"

namespace {

// Sampling step of the searches, days: shorter than any event's bracket (the
// Moon gains at most about 16 degrees a day on a planet; an elongation's
// maximum is weeks from its neighbours).
constexpr double SAMPLE_STEP_DAYS = 1.0;
// Instants are refined to this, days (about a second).
constexpr double INSTANT_TOLERANCE_DAYS = 1.0e-5;
// A sign change of a longitude difference with a jump larger than this,
// degrees, is the difference passing 180 degrees (an opposition), not 0.
constexpr double LARGEST_DAILY_GAIN = 90.0;

// One body's apparent ecliptic place of date, and its elongation.
struct BodyPlace {
    EclipticPlace ecliptic;
    double elongation = 0.0;  // degrees from the Sun
};

BodyPlace body_place(const SkyEngine& engine, int body, JulianDay jd_ut, double obliquity) {
    if (body == id_of(Body::Moon)) {
        const MoonPlace m = engine.moon_place(jd_ut);
        const EclipticPlace e = ecliptic_of({m.ra_hours, m.dec}, obliquity);
        const SunPlace s = engine.sun_place(jd_ut, APPARENT_PLACE);
        const double elongation = acos_deg(cos_deg(e.latitude) * cos_deg(e.longitude - s.longitude));
        return {e, elongation};
    }
    const PlanetPlace p = engine.planet_place(body, jd_ut, PLANET_WITH_EQUATORIAL);
    return {ecliptic_of({p.ra_hours, p.dec}, obliquity), p.elongation};
}

// The first body's longitude less the second's, degrees (-180, 180].
double longitude_gap(const SkyEngine& engine, int first, int second, JulianDay jd_ut) {
    const double obliquity = true_obliquity(engine, jd_ut);
    return signed_gap(body_place(engine, first, jd_ut, obliquity).ecliptic.longitude,
                      body_place(engine, second, jd_ut, obliquity).ecliptic.longitude);
}

CloseApproach approach_at(const SkyEngine& engine, int first, int second, JulianDay jd_ut) {
    const double obliquity = true_obliquity(engine, jd_ut);
    const BodyPlace a = body_place(engine, first, jd_ut, obliquity);
    const BodyPlace b = body_place(engine, second, jd_ut, obliquity);
    CloseApproach c;
    c.jd_ut = jd_ut;
    c.first = first;
    c.second = second;
    c.separation = std::fabs(a.ecliptic.latitude - b.ecliptic.latitude);
    c.first_north = a.ecliptic.latitude > b.ecliptic.latitude;
    c.elongation = b.elongation;
    return c;
}

// The bodies a search follows, each with its longitudes at the sample instants.
struct Track {
    int body = 0;
    std::vector<double> longitude;
};

std::vector<std::pair<int, int>> body_pairs(BodySet bodies, bool with_moon) {
    std::vector<int> planets;
    for (int body = id_of(Body::Mercury); body <= id_of(Body::Neptune); ++body)
        if (bodies.contains(body)) planets.push_back(body);
    std::vector<std::pair<int, int>> pairs;
    if (with_moon)
        for (int planet : planets) pairs.push_back({id_of(Body::Moon), planet});
    for (std::size_t i = 0; i < planets.size(); ++i)
        for (std::size_t j = i + 1; j < planets.size(); ++j) pairs.push_back({planets[i], planets[j]});
    return pairs;
}

}  // namespace

double true_obliquity(const SkyEngine& engine, JulianDay jd_ut) {
    // The ecliptic's point at longitude 90 degrees lies at declination epsilon.
    return engine.ecliptic_to_equatorial(jd_ut, 90.0, 0.0, true).dec;
}

EclipticPlace ecliptic_of(Equatorial place, double obliquity) {
    // Meeus, Astronomical Algorithms (1998), equations 13.1 and 13.2.
    const double ra = place.ra_hours * 15.0;
    const double longitude =
        atan2_deg(cos_deg(ra), sin_deg(ra) * cos_deg(obliquity) + tan_deg(place.dec) * sin_deg(obliquity));
    const double latitude =
        asin_deg(sin_deg(place.dec) * cos_deg(obliquity) - cos_deg(place.dec) * sin_deg(obliquity) * sin_deg(ra));
    return {normalize_degrees(longitude), latitude};
}

double signed_gap(double a, double b) { return std::remainder(a - b, 360.0); }

std::vector<GreatestElongation> greatest_elongations(const SkyEngine& engine, JulianDay from_ut, JulianDay to_ut) {
    std::vector<GreatestElongation> events;
    for (int body : {id_of(Body::Mercury), id_of(Body::Venus)}) {
        auto elongation = [&engine, body](JulianDay t) {
            return engine.planet_place(body, t, PLANET_WITHOUT_EQUATORIAL).elongation;
        };
        // Samples a step beyond each end, so that a maximum at an end is bracketed.
        double before = elongation(from_ut - SAMPLE_STEP_DAYS);
        double now = elongation(from_ut);
        for (JulianDay t = from_ut; t < to_ut + SAMPLE_STEP_DAYS; t += SAMPLE_STEP_DAYS) {
            const double after = elongation(t + SAMPLE_STEP_DAYS);
            if (now >= before && now > after) {
                const JulianDay jd = golden_section_maximum(elongation, t - SAMPLE_STEP_DAYS, t + SAMPLE_STEP_DAYS,
                                                            INSTANT_TOLERANCE_DAYS);
                if (jd >= from_ut && jd < to_ut) {
                    const double obliquity = true_obliquity(engine, jd);
                    const PlanetPlace p = engine.planet_place(body, jd, PLANET_WITH_EQUATORIAL);
                    const double longitude = ecliptic_of({p.ra_hours, p.dec}, obliquity).longitude;
                    const double sun = engine.sun_place(jd, APPARENT_PLACE).longitude;
                    events.push_back({jd, body, p.elongation, signed_gap(longitude, sun) > 0.0});
                }
            }
            before = now;
            now = after;
        }
    }
    sort_by_instant(events);
    return events;
}

std::vector<CloseApproach> close_approaches(const SkyEngine& engine, BodySet bodies, bool with_moon,
                                            JulianDay from_ut, JulianDay to_ut) {
    const std::vector<std::pair<int, int>> pairs = body_pairs(bodies, with_moon);
    std::vector<CloseApproach> events;
    if (pairs.empty() || !(to_ut > from_ut)) return events;
    // Every body's longitude at each sample instant, from_ut to a step past to_ut.
    const int samples = static_cast<int>(std::ceil((to_ut - from_ut) / SAMPLE_STEP_DAYS)) + 1;
    std::vector<Track> tracks;
    for (int body = id_of(Body::Moon); body <= id_of(Body::Neptune); ++body)
        if ((body == id_of(Body::Moon) && with_moon) || (body >= id_of(Body::Mercury) && bodies.contains(body)))
            tracks.push_back({body, std::vector<double>(samples)});
    for (int i = 0; i < samples; ++i) {
        const JulianDay t = from_ut + i * SAMPLE_STEP_DAYS;
        const double obliquity = true_obliquity(engine, t);
        for (Track& track : tracks)
            track.longitude[i] = body_place(engine, track.body, t, obliquity).ecliptic.longitude;
    }
    auto track_of = [&tracks](int body) -> const Track& {
        for (const Track& track : tracks)
            if (track.body == body) return track;
        return tracks.front();
    };
    for (const auto& pair : pairs) {
        // Named copies: a lambda cannot capture a structured binding before clang 16.
        const int first = pair.first;
        const int second = pair.second;
        const Track& a = track_of(first);
        const Track& b = track_of(second);
        for (int i = 0; i + 1 < samples; ++i) {
            const double g0 = signed_gap(a.longitude[i], b.longitude[i]);
            const double g1 = signed_gap(a.longitude[i + 1], b.longitude[i + 1]);
            if (std::fabs(g1 - g0) > LARGEST_DAILY_GAIN || (g0 < 0.0) == (g1 < 0.0)) continue;
            const JulianDay t0 = from_ut + i * SAMPLE_STEP_DAYS;
            const JulianDay jd = bracketed_root([&](JulianDay t) { return longitude_gap(engine, first, second, t); }, t0,
                                             t0 + SAMPLE_STEP_DAYS, INSTANT_TOLERANCE_DAYS);
            if (jd >= from_ut && jd < to_ut) events.push_back(approach_at(engine, first, second, jd));
        }
    }
    sort_by_instant(events);
    return events;
}
