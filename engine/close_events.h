#pragma once
// Searches built on the engine seam's places, for any engine: the greatest
// elongations of Mercury and Venus, the conjunctions in geocentric apparent
// ecliptic longitude of two planets or of the Moon and a planet, and the
// occultations of a planet by the Moon as seen from a place.  Each search
// takes a window of UT instants [from_ut, to_ut) and gives the events whose
// instant lies in it, in time order, as small structs (angles in degrees).
//
// Method: the bodies' apparent ecliptic places of date come from the seam's
// apparent right ascension and declination, turned about the true obliquity
// of date (the seam's own: the declination of the ecliptic point at longitude
// 90 degrees); a day's sampling brackets each event, and the event is then
// found by false position (conjunctions, occultation contacts) or golden-section
// search (a greatest elongation, a least separation) to about a second.
#include <vector>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/sky_engine.h"

// A greatest elongation of Mercury or Venus: the planet's largest angle from
// the Sun (Sun-Earth-planet, geocentric) between two conjunctions.
struct GreatestElongation {
    JulianDay jd_ut = 0.0;
    int body = 3;                   // 3 Mercury or 4 Venus
    double elongation = 0.0;        // degrees
    bool evening = false;           // east of the Sun (an evening sky); else west, a morning sky
};
std::vector<GreatestElongation> greatest_elongations(const SkyEngine& engine, JulianDay from_ut, JulianDay to_ut);

// The planets close_approaches takes by default, and those it can take.
constexpr BodySet CLOSE_APPROACH_PLANETS = body_range(Body::Mercury, Body::Saturn);
constexpr BodySet CLOSE_APPROACH_ALL_PLANETS = body_range(Body::Mercury, Body::Neptune);

// A conjunction in geocentric apparent ecliptic longitude of two bodies: the
// Moon (always first) and a planet, or two planets (the one with the lower id
// first).  Two places of one longitude lie on one circle through the ecliptic's
// poles, so their separation then is the difference of their latitudes.
struct CloseApproach {
    JulianDay jd_ut = 0.0;
    int first = 1;                  // body id: 1 the Moon, or a planet 3..9
    int second = 3;                 // a planet 3..9
    double separation = 0.0;        // degrees, >= 0
    bool first_north = false;       // the first body north of the second (ecliptic latitude)
    double elongation = 0.0;        // of the pair from the Sun (the second body's), degrees 0..180
};
// The conjunctions of each two planets of `bodies` (Mercury .. Neptune; other
// bits are ignored) and, with with_moon, of the Moon with each of them.
std::vector<CloseApproach> close_approaches(const SkyEngine& engine, BodySet bodies, bool with_moon,
                                            JulianDay from_ut, JulianDay to_ut);

// The Moon can hide a planet only near a conjunction closer than this,
// degrees: its largest parallax (1.02) and semidiameter (0.28), with a margin.
constexpr double LARGEST_OCCULTATION_SEPARATION = 1.4;

// An occultation of a planet by the Moon as seen from a place (topocentric
// places, the planet's centre against the Moon's limb; no refraction).
struct LunarOccultation {
    bool occulted = false;            // false: the planet passes clear of the Moon's disk
    int body = 3;                     // the planet, 3..9
    JulianDay disappearance_ut = 0.0; // the planet's centre reaching the Moon's limb
    JulianDay reappearance_ut = 0.0;  // and leaving it
    double least_separation = 0.0;    // of the centres, degrees, also when not occulted (beyond
                                      // 0.45 degrees, that of the nearest 10-minute sample)
    JulianDay least_ut = 0.0;         // its instant
    double moon_altitude_disappearance = 0.0;  // the Moon's centre, degrees, no refraction
    double moon_altitude_reappearance = 0.0;
    double sun_altitude_disappearance = 0.0;   // the Sun's centre then, degrees (daylight above -6)
    double sun_altitude_reappearance = 0.0;
};
// The occultation of `body` near a Moon-planet conjunction at jd_near (the
// search looks 6 hours either side, where the Moon's parallax can move it).
LunarOccultation lunar_occultation(const SkyEngine& engine, const Location& location, int body, JulianDay jd_near);
// The occultations of the planets of `bodies` seen from the place whose
// disappearance lies in [from_ut, to_ut), whether or not the Moon is up.
std::vector<LunarOccultation> lunar_occultations(const SkyEngine& engine, const Location& location, BodySet bodies,
                                                 JulianDay from_ut, JulianDay to_ut);
// True when the Moon is above the horizon at the disappearance or the reappearance.
bool occultation_seen(const LunarOccultation& occultation);
