#pragma once
// Eclipses as seen from one place, from any engine's apparent places of the
// Sun and the Moon through the seam.
//   Solar: the topocentric disks of the Sun and the Moon (the Moon's
//   semi-diameter enlarged for its nearness to the observer, Meeus,
//   Astronomical Algorithms, chapter 40); the contacts are the instants at
//   which the separation of the centres equals the sum (partial) or the
//   difference (total, annular) of the semi-diameters, found by a direct
//   search around the eclipse's greatest eclipse and refined to a second.
//   The magnitude is the fraction of the Sun's diameter covered, the
//   obscuration the fraction of its disk's area covered.
//   Horizon: the Sun or the Moon is up while its upper limb stands above the
//   horizon with 34' of refraction, as for rising and setting.
// Instants are UT Julian days; altitudes are of the body's centre, seen from
// the place (parallax included), without refraction, degrees.
#include <vector>

#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/sky_engine.h"

// What a place sees of a solar eclipse.
enum LocalSolarView {
    SOLAR_NOT_HERE,   // the Moon's penumbra misses the place
    SOLAR_SUN_DOWN,   // the place is in the penumbra only while the Sun is below its horizon
    SOLAR_SEEN,       // some of the eclipse happens with the Sun up
};

// A contact or the maximum: its instant and the Sun's altitude then.
struct SolarMoment {
    JulianDay jd_ut = 0.0;
    double sun_altitude = 0.0;  // degrees
    bool sun_up = false;        // upper limb above the refracted horizon
};

struct LocalSolarEclipse {
    LocalSolarView view = SOLAR_NOT_HERE;
    SolarMoment begins;   // first contact (whether the Sun is up or not)
    SolarMoment maximum;  // least separation of the centres
    SolarMoment ends;     // last contact
    // The central phase, when the place lies in the umbra (total) or the
    // antumbra (annular): second and third contacts.
    bool central = false;
    bool total = false;  // central and the Moon's disk the larger
    SolarMoment central_begins;
    SolarMoment central_ends;
    // The Sun's risings and settings between the first and the last contact;
    // 0 when there is none.
    JulianDay sunrise = 0.0;
    JulianDay sunset = 0.0;
    // The greatest eclipse with the Sun up: the maximum, or the instant of
    // sunrise or sunset nearest to it when the Sun is down then.
    SolarMoment seen_maximum;
    bool seen_at_horizon = false;  // seen_maximum is a sunrise or sunset
    double magnitude = 0.0;        // at seen_maximum: fraction of the Sun's diameter covered
    double obscuration = 0.0;      // at seen_maximum: fraction of the Sun's disk covered, 0-1
};

// The solar eclipse whose greatest eclipse (anywhere on the Earth) is at
// jd_max, as seen from the location.
LocalSolarEclipse local_solar_eclipse(const SkyEngine& engine, const Location& location, JulianDay jd_max);

// The Moon as seen from the location at an instant.
struct MoonSight {
    double altitude = 0.0;  // degrees
    bool up = false;        // upper limb above the refracted horizon
};
MoonSight moon_sight(const SkyEngine& engine, const Location& location, JulianDay jd_ut);

// The Moon's risings and settings in [from_ut, to_ut], in time order (the
// search steps by 10 minutes: a rising and a setting closer together than
// that, which only the polar latitudes see, may be missed).
struct HorizonCrossing {
    JulianDay jd_ut = 0.0;
    bool rising = false;
};
std::vector<HorizonCrossing> moon_horizon_crossings(const SkyEngine& engine, const Location& location,
                                                    JulianDay from_ut, JulianDay to_ut);

// The fraction of the Sun's disk covered by the Moon's, from their
// semi-diameters and the separation of their centres (any one angle unit).
double eclipse_obscuration(double sun_radius, double moon_radius, double separation);
