#include "engine/classical/twilight.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/classical/rising_setting.h"
#include "engine/classical/sun.h"

namespace {

// Sidereal hours (of hour angle) to solar hours.
constexpr double SOLAR_PER_SIDEREAL = 0.9973;

// A twilight limit inside the civil date, else -1.0.
double on_the_date(double hours) { return hours >= 0.0 && hours < 24.0 ? hours : NO_EVENT_HOURS; }

}  // namespace

double twilight_offset(double latitude, double declination, double zenith_distance) {
    const double horizon_hour_angle = acos_deg(-tan_deg(latitude) * tan_deg(declination));
    const double c = (cos_deg(zenith_distance) - sin_deg(declination) * sin_deg(latitude)) /
                     (cos_deg(declination) * cos_deg(latitude));
    if (std::fabs(c) > 1.0) return TWILIGHT_NEVER_HOURS;
    return (acos_deg(c) - horizon_hour_angle) / 15.0 * SOLAR_PER_SIDEREAL;
}

void classical_twilight(double depression, int day, int month, int year, const Location& location,
                        double& morning, double& evening) {
    double rise = NO_EVENT_HOURS, set = NO_EVENT_HOURS;
    rise_set(0, day, month, year, rise, set, location);
    double ra, declination, longitude, distance, semidiameter, mean_anomaly;
    sun_position(12.0, day, month, year, 0, ra, declination, longitude, distance, semidiameter, mean_anomaly);
    const double d = twilight_offset(signed_latitude(location), declination, 90.0 + depression);
    morning = on_the_date(rise - d);
    evening = on_the_date(set + d);
}
