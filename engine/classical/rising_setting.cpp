// Rising and setting by the three-position method: Meeus, Astronomical
// Algorithms, 2nd ed., chapter 15 (interpolation as in chapter 3).
#include "engine/classical/rising_setting.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/clock.h"
#include "engine/classical/moon.h"
#include "engine/classical/planets.h"
#include "engine/classical/sun.h"

namespace {

constexpr double CONVERGED_DAY_FRACTION = 0.0001;  // |delta m|, days (about 9 s)
constexpr int MAX_PASSES = 100;

// Given a body (0 Sun, 1 Moon, 3-10 planets) and an instant jd; returns its
// apparent right ascension in degrees [0, 360), its signed declination
// (degrees) and, for the Moon, its horizontal parallax (degrees; left
// untouched for the other bodies).
void body_place(int body, JulianDay jd, double& ra_degrees, double& declination,
                double& parallax) {
    double hours = 0.0;
    int day = 0;
    int month = 0;
    int year = 0;
    split_instant(jd, hours, day, month, year);
    double ra = 0.0;
    double dec = 0.0;
    double unused[6] = {};  // the outputs rising and setting do not need
    if (body == id_of(Body::Sun)) {
        sun_position(hours, day, month, year, 1, ra, dec, unused[0], unused[1], unused[2],
                     unused[3]);
    } else if (body == id_of(Body::Moon)) {
        moon_position(hours, day, month, year, unused[0], unused[1], parallax, unused[2],
                      unused[3], unused[4], ra, dec);
    } else {
        planet_position(body, hours, day, month, year, 1, ra, dec, unused[0], unused[1],
                        unused[2], unused[3], unused[4], unused[5]);
    }
    ra_degrees = normalize_degrees(15.0 * ra);
    declination = fold_latitude(dec);
}

}  // namespace

// Given a body (0 Sun, 1 Moon, 3-10 planets), a local civil date and the
// location; returns the local clock times (hours from the date's 0 h) of
// rising and setting on that date, or NO_EVENT_HOURS.  Meeus, Astronomical Algorithms, ch. 15: the
// body's place is taken one day apart around local midnight, its transit and
// the hour angle at the standard altitude give first times, which Newton
// steps on the altitude refine.  Longitude is west-positive here, as in Meeus.
void rise_set(int body, int day, int month, int year, double& rise, double& set,
              Location location) {
    rise = NO_EVENT_HOURS;
    set = NO_EVENT_HOURS;
    const double delta_t_seconds = delta_t_hours(year) * 3600.0;
    if (location.latitude == 90.0) location.latitude = 89.999;
    const double phi = location.latitude_hemisphere == COMPASS_NORTH ? location.latitude
                                                                     : -location.latitude;
    const double west_longitude = location.longitude_hemisphere == COMPASS_WEST
                                      ? location.longitude
                                      : -location.longitude;
    const JulianDay civil_day = julian_day(day, month, year);
    const ClockDay clock = clock_day(location, day, month, year);
    const double zone_hours = clock.start_offset_hours;

    // Places on the day before, the day itself and the day after; right
    // ascensions made continuous across 0 h.
    double alpha[3] = {0.0, 0.0, 0.0};
    double delta[3] = {0.0, 0.0, 0.0};
    double parallax = 0.0;
    for (int k = 0; k < 3; ++k) {
        const JulianDay jd =
            civil_day + delta_t_hours(year) / 24.0 - zone_hours / 24.0 + (k - 1);
        body_place(body, jd, alpha[k], delta[k], parallax);
        if (k > 0 && std::fabs(alpha[k] - alpha[k - 1]) >= 180.0) {
            if (alpha[k - 1] <= alpha[k]) {
                alpha[k - 1] += 360.0;
            } else {
                alpha[k] += 360.0;
            }
        }
    }
    // The Moon's standard altitude allows for its parallax and semidiameter
    // (from the day after's place).
    const double h0 = body == id_of(Body::Sun)    ? SUN_STANDARD_ALTITUDE
                      : body == id_of(Body::Moon) ? 0.7275 * parallax - 0.5667
                                     : PLANET_STANDARD_ALTITUDE;

    // Apparent sidereal time at Greenwich at local 0 h, degrees.
    double ut = 0.0;
    int ut_day = 0;
    int ut_month = 0;
    int ut_year = 0;
    split_instant(civil_day - zone_hours / 24.0, ut, ut_day, ut_month, ut_year);
    const double theta0 =
        normalize_degrees(15.0 * apparent_sidereal_time(ut, ut_day, ut_month, ut_year));

    const double c = (sin_deg(h0) - sin_deg(phi) * sin_deg(delta[1])) /
                     (cos_deg(phi) * cos_deg(delta[1]));
    if (std::fabs(c) >= 1.0) return;  // circumpolar, or never rises
    double h0_hour_angle = normalize_degrees(acos_deg(c));
    if (h0_hour_angle > 180.0) h0_hour_angle -= 180.0;

    // Day fractions from local midnight: transit, rising, setting.
    const double transit = (alpha[1] + west_longitude - theta0) / 360.0;
    double m[2] = {transit - h0_hour_angle / 360.0, transit + h0_hour_angle / 360.0};
    for (double& mi : m) {
        while (mi > 1.0) mi -= 1.0;
        while (mi < 0.0) mi += 1.0;
    }

    double last_step[2] = {0.0, 0.0};
    for (int pass = 0; pass < MAX_PASSES; ++pass) {
        for (int i = 0; i < 2; ++i) {  // 0 rising, 1 setting
            const double theta = normalize_degrees(theta0 + 360.985647 * m[i]);
            const double n = m[i] + delta_t_seconds * 1.1574074074074073e-05;
            const double a = interpolate3(alpha[0], alpha[1], alpha[2], n);
            const double d = interpolate3(delta[0], delta[1], delta[2], n);
            double hour_angle = normalize_degrees(theta - a - west_longitude);
            if (hour_angle > 180.0) hour_angle -= 180.0;
            if (i == 0) hour_angle -= 180.0;
            const double altitude = asin_deg(sin_deg(phi) * sin_deg(d) +
                                             cos_deg(phi) * cos_deg(d) * cos_deg(hour_angle));
            last_step[i] =
                (altitude - h0) / (360.0 * cos_deg(d) * cos_deg(phi) * sin_deg(hour_angle));
            m[i] += last_step[i];
        }
        if (std::fabs(last_step[0]) <= CONVERGED_DAY_FRACTION &&
            std::fabs(last_step[1]) <= CONVERGED_DAY_FRACTION) {
            break;
        }
    }

    double* const result[2] = {&rise, &set};
    for (int i = 0; i < 2; ++i) {
        const double hours = 24.0 * m[i];
        const bool on_date = hours >= 0.0 && hours <= clock.length_hours;
        if (on_date && std::fabs(last_step[i]) <= CONVERGED_DAY_FRACTION)
            *result[i] = clock_hour_of_day(location, clock, hours);
    }
}
