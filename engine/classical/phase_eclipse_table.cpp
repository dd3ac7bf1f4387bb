// The phase table of a year and the eclipse search among its new and full
// Moons (Meeus, Astronomical Formulae for Calculators, chapter on eclipses).
#include "engine/classical/phase_eclipse_table.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/moon.h"

namespace {

constexpr int DATE_STEPS = 50;      // date steps of 7/300 year over the year's span
constexpr int PHASES = 4;

EclipseElements record_elements(const PhaseRecord& r) {
    return eclipse_elements(r.latitude_argument, r.sun_mean_anomaly, r.moon_mean_anomaly,
                            r.centuries, r.jd_mean);
}

}  // namespace

int build_phase_table(int year, PhaseTable& table, StepHook step, void* context) {
    table.records.clear();
    double previous_lunation = -1e9;
    for (int i = 0; i < DATE_STEPS; ++i) {
        // A year with fraction, from one twelfth of a year before the year to
        // thirteen twelfths after its start.
        const double date = (year - 1.0 / 12.0) + (7.0 / 6.0) * i * 0.02;
        // A date step (about 8.5 days) is shorter than a lunation, so the steps
        // meet each lunation on consecutive steps, and all of them give its four
        // phases bit for bit alike: only the first of them computes them.
        const double lunation = lunation_number(date);
        const bool known = lunation == previous_lunation;
        previous_lunation = lunation;
        for (int q = 0; q < PHASES; ++q) {
            if (step) {
                // The place of step (i, q) in the 200, as a fraction of the whole build.
                const double done = double(i * PHASES + q) / (DATE_STEPS * PHASES - 1);
                if (int stopped = step(done, context)) return stopped;
            }
            if (known) continue;
            PhaseRecord record;
            record.phase = q;
            double jd_mean = 0.0;
            double jd_true = 0.0;
            moon_phase_instant(date, q, record.latitude_argument, record.sun_mean_anomaly,
                               record.moon_mean_anomaly, record.centuries, jd_mean, jd_true);
            // The theory gives ephemeris time; Delta T of the instant's year takes it to UT.
            const double delta_t_days = delta_t_hours(year_of(jd_true)) / 24.0;
            record.jd_true = jd_true - delta_t_days;
            record.jd_mean = jd_mean - delta_t_days;
            table.records.push_back(record);
        }
    }
    return 0;
}

bool eclipse_excluded(double latitude_argument) {
    const double f = normalize_degrees(latitude_argument);
    const double from_node =
        std::fmin(std::fabs(f), std::fmin(std::fabs(f - 180.0), std::fabs(f - 360.0)));
    if (from_node < 13.9) return false;
    if (from_node > 21.0) return true;
    return std::fabs(sin_deg(f)) > 0.36;
}

EclipseElements eclipse_elements(double latitude_argument, double sun_mean_anomaly,
                                 double moon_mean_anomaly, double centuries, double jd) {
    const double f = latitude_argument;
    const double m = sun_mean_anomaly;
    const double mp = moon_mean_anomaly;
    EclipseElements e;
    e.jd_max = jd + (0.1734 - 0.000393 * centuries) * sin_deg(m) + 0.0021 * sin_deg(2 * m) -
               0.4068 * sin_deg(mp) + 0.0161 * sin_deg(2 * mp) - 0.0051 * sin_deg(m + mp) -
               0.0074 * sin_deg(m - mp) - 0.0104 * sin_deg(2 * f);
    e.s = 5.19595 - 0.0048 * cos_deg(m) + 0.0020 * cos_deg(2 * m) - 0.3283 * cos_deg(mp) -
          0.0060 * cos_deg(m + mp) + 0.0041 * cos_deg(m - mp);
    e.c = 0.2070 * sin_deg(m) + 0.0024 * sin_deg(2 * m) - 0.0390 * sin_deg(mp) +
          0.0115 * sin_deg(2 * mp) - 0.0073 * sin_deg(m + mp) - 0.0067 * sin_deg(m - mp) +
          0.0117 * sin_deg(2 * f);
    e.gamma = e.s * sin_deg(f) + e.c * cos_deg(f);
    e.u = 0.0059 + 0.0046 * cos_deg(m) - 0.0182 * cos_deg(mp) + 0.0004 * cos_deg(2 * mp) -
          0.0005 * cos_deg(m + mp);
    return e;
}

bool solar_eclipse(const PhaseRecord& record, EclipseCircumstances& eclipse) {
    const EclipseElements e = record_elements(record);
    const double gamma = std::fabs(e.gamma);
    if (gamma > 1.5432 + e.u) return false;
    eclipse.kind = SOLAR_ECLIPSE;
    eclipse.jd_max = e.jd_max;
    eclipse.gamma = e.gamma;
    if (gamma < 0.9972) {
        // Central: the umbral cone's vertex beyond the Earth's surface (u < 0)
        // makes it total, short of it annular; near zero it depends on where
        // along the central line the surface lies.
        if (e.u < 0.0)
            eclipse.solar_type = SOLAR_TOTAL;
        else if (e.u > 0.0047)
            eclipse.solar_type = SOLAR_ANNULAR;
        else
            eclipse.solar_type = 0.00464 * cos_deg(asin_deg(e.gamma)) > e.u ? SOLAR_ANNULAR_TOTAL
                                                                             : SOLAR_ANNULAR;
    } else {
        eclipse.solar_type = SOLAR_PARTIAL;
        eclipse.magnitude = (1.5432 + e.u - gamma) / (0.546 + 2.0 * e.u);
    }
    return true;
}

bool lunar_eclipse(const PhaseRecord& record, EclipseCircumstances& eclipse) {
    const EclipseElements e = record_elements(record);
    // Umbral magnitude: the depth of the Moon in the umbra over its diameter
    // (0.545 Earth radii in the fundamental plane).
    const double magnitude = (1.0129 - std::fabs(e.gamma) - e.u) * 1.8348623853211008;
    if (!(magnitude > 0.0)) return false;
    // Radii in the fundamental plane, Earth radii: the umbra's plus the
    // Moon's (partial phase) and the umbra's less the Moon's (total phase);
    // n is the Moon's motion across the shadow, Earth radii per hour.
    const double p = 1.0129 - e.u;
    const double t = 0.4679 - e.u;
    const double n = 0.5458 + 0.04 * cos_deg(record.moon_mean_anomaly);
    const double g2 = e.gamma * e.gamma;
    eclipse.kind = LUNAR_ECLIPSE;
    eclipse.jd_max = e.jd_max;
    eclipse.gamma = e.gamma;
    eclipse.magnitude = magnitude;
    eclipse.partial_semiduration_hours = p * p - g2 >= 0.0 ? std::sqrt(p * p - g2) / n : 0.0;
    eclipse.total_semiduration_hours = t * t - g2 >= 0.0 ? std::sqrt(t * t - g2) / n : 0.0;
    return true;
}

bool phase_eclipse(const PhaseRecord& record, EclipseCircumstances& eclipse) {
    if (record.phase != NEW_MOON && record.phase != FULL_MOON) return false;
    if (eclipse_excluded(record.latitude_argument)) return false;
    return record.phase == NEW_MOON ? solar_eclipse(record, eclipse) : lunar_eclipse(record, eclipse);
}
