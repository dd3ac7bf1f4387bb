#include "engine/local_sky.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/clock.h"

namespace {

constexpr double RISE_SET_REFRACTION_DEGREES = 34.0 / 60.0;
// The Earth's turn against the stars and against the mean Moon, degrees per
// UT day: the rates at which a star's and the Moon's hour angles grow.
constexpr double SIDEREAL_DEGREES_PER_DAY = 360.98564736629;
constexpr double MOON_HOUR_ANGLE_DEGREES_PER_DAY = SIDEREAL_DEGREES_PER_DAY - 13.176358;
constexpr double TENTH_SECOND_DAYS = 0.1 / 86400.0;

double wrap360(double degrees) { return degrees - 360.0 * std::floor(degrees / 360.0); }
double wrap180(double degrees) { return std::remainder(degrees, 360.0); }

// The body's geocentric apparent place, its distance (AU) and, for the Moon,
// its horizontal parallax (degrees): what the seam's topocentric place takes.
Equatorial topocentric(const SkyEngine& engine, int body, JulianDay jd_ut, const Location& location) {
    Equatorial geocentric;
    double distance_au = 1.0, parallax = 0.0;
    if (body == 0) {
        const SunPlace sun = engine.sun_place(jd_ut, APPARENT_PLACE);
        geocentric = {sun.ra_hours, sun.dec};
        distance_au = sun.distance_au;
    } else if (body == 1) {
        const MoonPlace moon = engine.moon_place(jd_ut);
        geocentric = {moon.ra_hours, moon.dec};
        parallax = moon.parallax;  // the seam's topocentric place takes the Moon's distance from it
    } else {
        const PlanetPlace planet = engine.planet_place(body, jd_ut, PLANET_WITH_EQUATORIAL);
        geocentric = {planet.ra_hours, planet.dec};
        distance_au = planet.distance_au;
    }
    return engine.topocentric_place(location, body, geocentric, distance_au, parallax, jd_ut);
}

// The body's local hour angle at an instant, degrees -180..180 (negative east of the meridian).
double hour_angle(const SkyEngine& engine, int body, JulianDay jd_ut, const Location& location) {
    const Equatorial place = topocentric(engine, body, jd_ut, location);
    return wrap180(15.0 * (engine.sidereal_time(jd_ut) - place.ra_hours) + signed_longitude(location));
}

}  // namespace

double refraction_degrees(double true_altitude) {
    const double h = true_altitude < -1.0 ? -1.0 : true_altitude;
    const double arcminutes = 1.02 / tan_deg(h + 10.3 / (h + 5.11));
    const double taper = true_altitude < -1.0 ? (true_altitude + 90.0) / 89.0 : 1.0;
    // Near the zenith the formula dips below 0 (-0.08' at 90 degrees).
    return std::fmax(0.0, arcminutes / 60.0 * taper);
}

double topocentric_moon_semidiameter(const MoonPlace& moon, double topocentric_altitude) {
    // The observer is nearer the Moon than the Earth's centre is by about an
    // Earth radius times the sine of its geocentric altitude (the topocentric
    // one plus the parallax in altitude): the disk looks that much larger.
    const double geocentric_altitude = topocentric_altitude + moon.parallax * cos_deg(topocentric_altitude);
    return moon.semidiameter / (1.0 - sin_deg(moon.parallax) * sin_deg(geocentric_altitude));
}

SkyPosition sky_position(const SkyEngine& engine, int body, JulianDay jd_ut, const Location& location) {
    const Equatorial place = topocentric(engine, body, jd_ut, location);
    const Horizontal h = engine.equatorial_to_horizontal(jd_ut, place, location);
    SkyPosition p;
    p.azimuth = wrap360(h.azimuth);
    p.true_altitude = wrap180(h.altitude);  // an engine may give [0, 360)
    p.altitude = p.true_altitude + refraction_degrees(p.true_altitude);
    p.ra_hours = wrap360(place.ra_hours * 15.0) / 15.0;
    p.dec = wrap180(place.dec);
    return p;
}

JulianDay meridian_transit_ut(const SkyEngine& engine, int body, int day, int month, int year,
                              const Location& location) {
    const ClockDay clock = clock_day(location, day, month, year);
    const JulianDay end = clock.start_ut + clock.length_hours / 24.0;
    const double rate = body == 1 ? MOON_HOUR_ANGLE_DEGREES_PER_DAY : SIDEREAL_DEGREES_PER_DAY;
    // The first transit after the day's start: the hour angle still to run, then
    // Newton's steps on it (each cuts the Moon's error about thirty times).
    JulianDay t = clock.start_ut + wrap360(-hour_angle(engine, body, clock.start_ut, location)) / rate;
    for (int i = 0; i < 8; ++i) {
        const double step = -hour_angle(engine, body, t, location) / rate;
        t += step;
        if (std::fabs(step) < TENTH_SECOND_DAYS) break;
    }
    return t >= clock.start_ut && t < end ? t : NO_EVENT;
}

SunCulminations sun_culminations(const SkyEngine& engine, int day, int month, int year, const Location& location) {
    JulianDay noon = meridian_transit_ut(engine, 0, day, month, year, location);
    if (noon == NO_EVENT) noon = clock_day_start(location, day, month, year) + 0.5;
    SunCulminations c;
    c.noon_altitude = sky_position(engine, 0, noon, location).true_altitude;
    c.midnight_altitude = std::fmin(sky_position(engine, 0, noon - 0.5, location).true_altitude,
                                    sky_position(engine, 0, noon + 0.5, location).true_altitude);
    return c;
}

SunDay sun_day(const SunCulminations& sun, double altitude) {
    if (sun.noon_altitude < altitude) return SunDay::BELOW_ALL_DAY;
    return sun.midnight_altitude > altitude ? SunDay::ABOVE_ALL_DAY : SunDay::CROSSES;
}

double sun_rise_set_altitude(const SkyEngine& engine, JulianDay jd_ut) {
    return -(RISE_SET_REFRACTION_DEGREES + engine.sun_place(jd_ut, APPARENT_PLACE).semidiameter);
}
