#pragma once
// Places of the Sun, the Moon and the planets for the precise engine, on the
// IAU SOFA routines as ERFA packages them:
//   Earth       eraEpv00 through the build's Chebyshev table (within
//               0.2 km, ephemeris_table.h); outside its years eraEpv00
//               every four days, interpolated (cubic Hermite on position
//               and velocity, within 10 km);
//   Mercury..Neptune eraPlan94 (heliocentric), with light-time;
//   Pluto       Meeus' chapter 37 series (pluto.h), with light-time;
//   Moon        eraMoon98 (Meeus' truncated ELP);
// then annual aberration (eraAb, from the Earth's barycentric velocity; not
// for the Moon, whose geocentric light-time place is already apparent) and
// precession-nutation IAU 2000B (eraPn00 with the nutation of the table or
// eraNut00b) to the true equator and equinox
// of date; sidereal time is eraGmst06 plus the equation of the equinoxes.
//
// Times are UT Julian days (TT follows from delta_t.h); angles are degrees,
// right ascension and sidereal time hours.  Body ids as everywhere: 0 Sun,
// 1 Moon, 2 Earth, 3 Mercury ... 10 Pluto.
#include "engine/calendar.h"
#include "engine/location.h"

namespace precise {

constexpr int SUN = 0, MOON = 1, EARTH = 2, MERCURY = 3, VENUS = 4, MARS = 5, JUPITER = 6,
              SATURN = 7, URANUS = 8, NEPTUNE = 9, PLUTO = 10;

constexpr double AU_KM = 149597870.7;
constexpr double EARTH_RADIUS_KM = 6378.137;  // equatorial (WGS84)
constexpr double MOON_RADIUS_KM = 1737.4;

// Equatorial radius of a body (0 Sun, 1 Moon, 3-10 planets), km.
double body_radius_km(int body);

// An apparent place and what goes with it.
struct Place {
    double ra_hours = 0;        // true equator and equinox of date, [0, 24)
    double dec = 0;             // -90..90
    double longitude = 0;       // ecliptic of date (true obliquity), [0, 360)
    double latitude = 0;        // -90..90
    double distance_au = 0;     // from the observer (light-time distance)
    double sun_distance_au = 0; // body-Sun distance; the Sun's own: 0
    double phase_angle = 0;     // Sun-body-observer angle, degrees
    double illuminated = 1;     // lit fraction of the disk, 0-1
    double elongation = 0;      // Sun-observer-body angle, degrees
    double semidiameter = 0;    // apparent angular radius, degrees
    double direction[3] = {0, 0, 1};  // unit vector, true equator of date
    // False when the body's theory does not hold at the instant: Pluto's
    // series outside 1885-2099, or eraPlan94 reporting that Kepler's equation
    // did not converge.  The place may then be degrees off.
    bool holds = true;
};

// Apparent geocentric place of a body at a UT instant.
Place geocentric_place(int body, JulianDay jd_ut);

// Apparent topocentric place for an observer at the location (WGS84
// geodetic latitude, longitude and elevation), with the body's parallax.
Place topocentric_place(int body, JulianDay jd_ut, const Location& location);

// Apparent place of a catalogue star: position (ra0 hours, dec0 degrees) for
// the mean equator and equinox of 0 h January 1 of epoch_year, no proper
// motion; returns the place of date at a UT instant (ra hours [0, 24), dec).
void star_place(int epoch_year, double ra0_hours, double dec0, JulianDay jd_ut, double& ra_hours,
                double& dec);

// The observer's geocentric position, AU, in the true equator and equinox of date.
void observer_position(const Location& location, JulianDay jd_ut, double position[3]);

// Nutation in longitude and obliquity (IAU 2000B) and the mean obliquity
// (IAU 2006) at a UT instant, degrees.
void nutation_and_obliquity(JulianDay jd_ut, double& delta_psi, double& delta_epsilon,
                            double& mean_obliquity);

// Greenwich apparent sidereal time, hours [0, 24).
double apparent_sidereal_time(JulianDay jd_ut);

// Given a place, the instant it is for and the location; returns the
// azimuth (from North through East, [0, 360)) and the altitude of the
// centre without refraction, degrees.
void horizontal_place(const Place& place, JulianDay jd_ut, const Location& location,
                      double& azimuth, double& altitude);

// Heliocentric ecliptic place of a planet (2 Earth, 3-10), mean ecliptic and
// equinox of date, geometric: longitude [0, 360), latitude, radius (AU).
void heliocentric_place(int body, JulianDay jd_ut, double& longitude, double& latitude,
                        double& radius_au);

// Heliocentric position of a planet (2 Earth, 3-10) at a TT Julian day,
// equatorial frame of J2000, AU.  The Earth is the Earth's centre.  Returns
// false where the body's theory does not hold (see Place::holds).
bool heliocentric_position(int body, double jd_tt, double position[3]);

// eraPlan94's heliocentric state of a planet (3 Mercury ... 9 Neptune; 2 the
// Earth-Moon barycentre) at a TT Julian day, equatorial frame of J2000: AU
// and AU/day.  Its status is checked: 2 (Kepler's equation did not converge)
// makes `holds` false; 1 (a date outside 1000-3000) only warns that the
// accuracy degrades slowly, to 1.5 times the published errors at the
// dialogs' limits (SOFA), and is accepted.
struct PlanetState {
    double position[3] = {0, 0, 0};
    double velocity[3] = {0, 0, 0};
    bool holds = true;
};
PlanetState plan94_state(int body, double jd_tt);

// True when Pluto's theory holds at a UT instant; every other body's holds
// over the dialogs' years (1000-3000).
bool place_holds(int body, JulianDay jd_ut);

// The observer's geocentric position, km, in the frame turning with the
// Earth (x towards Greenwich, z north): WGS84 through eraGd2gc.
struct Site {
    double xyz_km[3] = {0, 0, 0};
};
Site geocentric_site(const Location& location);

// The Moon's geocentric position at a TT Julian day, equatorial frame of
// J2000, AU (eraMoon98).
void moon_position(double jd_tt, double position[3], double velocity[3]);

// Length of a vector.
double vector_norm(const double v[3]);

// Angle between two unit vectors, degrees (robust near 0 and 180).
double angle_between_vectors(const double a[3], const double b[3]);

}  // namespace precise
