#include "engine/precise/rise_set.h"

#include <cmath>
#include <erfa.h>
#include <erfam.h>

#include "engine/calendar.h"
#include "engine/clock.h"
#include "engine/precise/caches.h"
#include "engine/precise/places.h"
#include "engine/precise/search.h"

namespace precise {
namespace {

constexpr double TENTH_SECOND_DAYS = 0.1 / 86400.0;
constexpr double HOUR_DAYS = 1.0 / 24.0;

// The sampling step: two hours, or one hour beyond 55 degrees of latitude,
// where the Moon (declination up to 28.5 degrees) can stay up for less than
// two hours and a rise and a set could fall between two samples.
double sampling_step(const Location& location) {
    return location.latitude > 55.0 ? HOUR_DAYS : 2.0 * HOUR_DAYS;
}

// A body's geocentric place over one local day, and the observer.
struct DayTrack {
    double start = 0;             // UT Julian day of local midnight
    double end = 0;               // UT Julian day of the next local midnight
    ClockDay clock;               // the local day, for its clock readings
    double ra[3], dec[3], distance[3];  // radians, radians, km at start, +12 h, +24 h
    double gast[2];               // radians at start and start + 1 (unwrapped)
    double site[3];               // observer, km, terrestrial frame
    double vertical[3];           // geodetic zenith, terrestrial frame
    double radius_km = 0;
};

double quadratic(const double f[3], double s) {  // s in -1..1 over the three nodes
    return f[1] + 0.5 * s * (f[2] - f[0]) + 0.5 * s * s * (f[0] - 2.0 * f[1] + f[2]);
}

// The geocentric place, kept: a run of days shares the place at each
// midnight and noon between two of them.
const Place& place_at(int body, double jd_ut) {
    const long long half_days = static_cast<long long>(std::floor(jd_ut * 2.0));
    return precise_caches().rise_places.get({body, jd_ut}, half_days + 3 * body,
                                            [&] { return geocentric_place(body, jd_ut); });
}

DayTrack make_track(int body, int day, int month, int year, const Location& location) {
    DayTrack track;
    track.clock = clock_day(location, day, month, year);
    track.start = track.clock.start_ut;
    track.end = track.start + track.clock.length_hours / 24.0;
    for (int i = 0; i < 3; ++i) {
        const Place& p = place_at(body, track.start + 0.5 * i);
        track.ra[i] = p.ra_hours * 15.0 * ERFA_DD2R;
        track.dec[i] = p.dec * ERFA_DD2R;
        track.distance[i] = p.distance_au * AU_KM;
    }
    for (int i = 1; i < 3; ++i) {  // unwrap through 0 h
        while (track.ra[i] - track.ra[i - 1] > ERFA_DPI) track.ra[i] -= ERFA_D2PI;
        while (track.ra[i] - track.ra[i - 1] < -ERFA_DPI) track.ra[i] += ERFA_D2PI;
    }
    // Sidereal time runs 1.00273781191 turns a UT day (IERS Conventions); the
    // equation of the equinoxes changes by milliseconds of time a day.
    track.gast[0] = apparent_sidereal_time(track.start) * 15.0 * ERFA_DD2R;
    track.gast[1] = track.gast[0] + ERFA_D2PI * 1.00273781191135448;
    double lon = signed_longitude(location) * ERFA_DD2R, lat = signed_latitude(location) * ERFA_DD2R;
    Site site = geocentric_site(location);
    for (int i = 0; i < 3; ++i) track.site[i] = site.xyz_km[i];
    track.vertical[0] = std::cos(lat) * std::cos(lon);
    track.vertical[1] = std::cos(lat) * std::sin(lon);
    track.vertical[2] = std::sin(lat);
    track.radius_km = body_radius_km(body);
    return track;
}

// The topocentric altitude of the centre, its angular radius and the local
// hour angle, degrees, at a UT Julian day within the track's day.
struct Sight {
    double altitude = 0;
    double semidiameter = 0;
    double hour_angle = 0;
};

Sight sight(const DayTrack& track, double t) {
    double s = (t - track.start) / 0.5 - 1.0;
    double ra = quadratic(track.ra, s), dec = quadratic(track.dec, s), d = quadratic(track.distance, s);
    double theta = track.gast[0] + (t - track.start) * (track.gast[1] - track.gast[0]);
    // Body and observer in a frame turning with the Earth (x towards Greenwich).
    double h = ra - theta;
    double body[3] = {d * std::cos(dec) * std::cos(h), d * std::cos(dec) * std::sin(h), d * std::sin(dec)};
    double topo[3];
    for (int i = 0; i < 3; ++i) topo[i] = body[i] - track.site[i];
    double r = vector_norm(topo);
    Sight out;
    out.altitude = std::asin((topo[0] * track.vertical[0] + topo[1] * track.vertical[1] +
                              topo[2] * track.vertical[2]) / r) * ERFA_DR2D;
    out.semidiameter = std::asin(track.radius_km / r) * ERFA_DR2D;
    // Local hour angle: the observer's meridian minus the body's topocentric direction.
    double lon = std::atan2(track.vertical[1], track.vertical[0]);
    out.hour_angle = wrap180((lon - std::atan2(topo[1], topo[0])) * ERFA_DR2D);
    return out;
}

// The clock reading of an instant of the track's day, hours from its 0 h.
double local_hours(double jd_ut, const DayTrack& track, const Location& location) {
    return clock_hour_of_day(location, track.clock, (jd_ut - track.start) * 24.0);
}

// The day's first upward and first downward zero crossing of f, local hours;
// each left as it is when f does not cross that way.
void first_crossings(const TimeFunction& f, const DayTrack& track, const Location& location,
                     double& up, double& down) {
    for (const Crossing& c : find_smooth_crossings(f, track.start, track.end, sampling_step(location),
                                                   TENTH_SECOND_DAYS)) {
        double& slot = c.rising ? up : down;
        if (slot == NO_EVENT) slot = local_hours(c.instant, track, location);
    }
}

}  // namespace

DayEvents rise_set_transit(int body, int day, int month, int year, const Location& location) {
    return day_events(body, day, month, year, location, true);
}

DayEvents day_events(int body, int day, int month, int year, const Location& location,
                     bool with_transit) {
    DayEvents events;
    DayTrack track = make_track(body, day, month, year, location);
    auto above_horizon = [&](double t) {
        Sight s = sight(track, t);
        double standard = -REFRACTION_DEGREES;
        if (body == SUN || body == MOON) standard -= s.semidiameter;
        return s.altitude - standard;
    };
    first_crossings(above_horizon, track, location, events.rise, events.set);
    if (!with_transit) return events;
    // Upper culmination: the hour angle passes 0 going from negative to positive.
    auto hour_angle = [&](double t) { return sight(track, t).hour_angle; };
    for (const Crossing& c : find_crossings(hour_angle, track.start, track.end, HOUR_DAYS,
                                            TENTH_SECOND_DAYS, 90.0)) {
        if (c.rising && events.transit == NO_EVENT) events.transit = local_hours(c.instant, track, location);
    }
    return events;
}

void twilight(double depression, int day, int month, int year, const Location& location,
              double& morning, double& evening) {
    morning = evening = NO_EVENT;
    DayTrack track = make_track(SUN, day, month, year, location);
    auto above = [&](double t) { return sight(track, t).altitude + depression; };
    first_crossings(above, track, location, morning, evening);
}

}  // namespace precise
