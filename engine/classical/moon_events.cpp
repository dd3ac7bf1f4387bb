// The Moon's apogees, perigees and node passages.
#include "engine/classical/moon_events.h"

#include <cmath>

#include "engine/angles.h"
#include "engine/classical/moon.h"

namespace {

constexpr double HOURS_PER_DAY = 24.0;
constexpr double SECONDS_PER_DAY = 86400.0;
constexpr double LUNATIONS_PER_YEAR = 13.4223;   // draconic months per year
constexpr double NODE_EPOCH_YEAR = 2000.05;      // k = 0, 2000 January 20
constexpr int NODE_MARGIN_YEARS = 2;

// Delta T (seconds) of the year, the parabola 0.00325 (Y - 1810)^2 - 15.
double delta_t_parabola_seconds(int year) { return 0.00325 * square(year - 1810.0) - 15.0; }

}  // namespace

double moon_distance_at(JulianDay jd_ut) {
    double day = 0.0;
    int month = 0;
    int year = 0;
    calendar_date(jd_ut, day, month, year);
    const double whole_day = std::trunc(day);
    return moon_distance_km((day - whole_day) * HOURS_PER_DAY, static_cast<int>(whole_day), month,
                            year);
}

MoonApsisKind moon_apsis_kind(double before_km, double middle_km, double after_km) {
    if (before_km <= 0.0 || middle_km <= 0.0 || after_km <= 0.0) return MOON_APSIS_NONE;
    if (before_km < middle_km && middle_km > after_km) return MOON_APOGEE;
    if (before_km > middle_km && middle_km < after_km) return MOON_PERIGEE;
    return MOON_APSIS_NONE;
}

int moon_apsis_extreme_hour(const double distances_km[MOON_APSIS_SAMPLES], MoonApsisKind kind) {
    int best = 0;
    for (int i = 1; i < MOON_APSIS_SAMPLES; ++i) {
        const bool better = kind == MOON_APOGEE ? distances_km[i] > distances_km[best]
                                                : distances_km[i] < distances_km[best];
        if (better) best = i;
    }
    return best - MOON_APSIS_REFINE_HOURS;
}

MoonApsis moon_apsis_refine(JulianDay t_day, MoonApsisKind kind) {
    double distances[MOON_APSIS_SAMPLES];
    for (int i = 0; i < MOON_APSIS_SAMPLES; ++i)
        distances[i] = moon_distance_at(t_day + (i - MOON_APSIS_REFINE_HOURS) / HOURS_PER_DAY);
    const int offset_hours = moon_apsis_extreme_hour(distances, kind);
    return {t_day + offset_hours / HOURS_PER_DAY, kind, distances[offset_hours + MOON_APSIS_REFINE_HOURS]};
}

// Meeus, Astronomical Algorithms, 2nd ed., chapter 51: the mean passage and
// its periodic terms in the Moon's elongation D, the Sun's and the Moon's
// mean anomalies M and M', the longitude of the node Omega, and the arguments
// V and P; E is the eccentricity factor of the terms in M.
JulianDay moon_node_jde(int k, MoonNode node) {
    const double K = k + 0.5 * static_cast<int>(node);
    const double T = K / 1342.23;
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;
    const double D = normalize_degrees(183.638 + 331.73735691 * K + 0.0015057 * T2 +
                                       0.00000209 * T3 - 0.00000001 * T4);
    const double M = normalize_degrees(17.4006 + 26.8203725 * K + 0.0000999 * T2 + 0.00000006 * T3);
    const double Mp = normalize_degrees(38.3776 + 355.52747322 * K + 0.0123577 * T2 +
                                        0.000014628 * T3 - 0.000000069 * T4);
    const double Omega = normalize_degrees(123.9767 - 1.44098949 * K + 0.0020625 * T2 +
                                           0.00000214 * T3 - 0.000000016 * T4);
    const double V = normalize_degrees(299.75 + 132.85 * T - 0.009173 * T2);
    const double P = normalize_degrees(Omega + 272.75 - 2.3 * T);
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;

    const double mean = 2451565.1619 + 27.212220817 * K + 0.0002572 * T2 + 0.000000021 * T3 -
                        0.000000000088 * T4;
    const double periodic =
        -0.4721 * sin_deg(Mp) - 0.1649 * sin_deg(2 * D) - 0.0868 * sin_deg(2 * D - Mp) +
        0.0084 * sin_deg(2 * D + Mp) + 0.0034 * sin_deg(2 * Mp) - 0.0031 * sin_deg(2 * D - 2 * Mp) +
        0.0025 * sin_deg(4 * D) + 0.0024 * sin_deg(D) + 0.0017 * sin_deg(Omega) +
        0.0014 * sin_deg(4 * D - Mp) + 0.0003 * sin_deg(V) + 0.0003 * sin_deg(P);
    const double solar =
        -0.0083 * sin_deg(2 * D - M) - 0.0039 * sin_deg(2 * D - M - Mp) +
        0.0030 * sin_deg(2 * D + M) + 0.0028 * sin_deg(M - Mp) + 0.0026 * sin_deg(M) +
        0.0022 * sin_deg(M + Mp) + 0.0005 * sin_deg(2 * D + M - Mp) +
        0.0004 * sin_deg(2 * D - M + Mp) - 0.0003 * sin_deg(2 * D - 2 * M) +
        0.0003 * sin_deg(4 * D - M);
    return mean + periodic + E * solar;
}

JulianDay moon_node_instant(int k, MoonNode node, int year) {
    return moon_node_jde(k, node) - delta_t_parabola_seconds(year) / SECONDS_PER_DAY;
}

void moon_node_k_range(int year, int& k_first, int& k_last) {
    k_first = static_cast<int>((year - NODE_MARGIN_YEARS - NODE_EPOCH_YEAR) * LUNATIONS_PER_YEAR);
    k_last = static_cast<int>((year + NODE_MARGIN_YEARS - NODE_EPOCH_YEAR) * LUNATIONS_PER_YEAR);
}
