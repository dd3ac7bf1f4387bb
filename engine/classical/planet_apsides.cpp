// Perihelia and aphelia of the planets from the mean-orbit polynomials.
#include "engine/classical/planet_apsides.h"

#include <cmath>

#include "engine/classical/planets.h"
#include "engine/classical/sun.h"

namespace {

// One row per body 2..7: orbits per year, then JD = c + b k + a k^2.
struct ApsisRow {
    double orbits_per_year;
    double c, b, a;
};

constexpr ApsisRow APSIS_TABLE[APSIS_LAST_BODY - APSIS_FIRST_BODY + 1] = {
    {0.99997, 2415021.546, 365.2596413, 0.0000000152},   // Earth
    {4.15201, 2414995.007, 87.96934997, 0.0},            // Mercury
    {1.62549, 2415112.001, 224.7008454, -0.0000000304},  // Venus
    {0.53166, 2415097.251, 686.9958091, -0.0000001221},  // Mars
    {0.0843, 2416640.884, 4332.894375, 0.0001222},       // Jupiter
    {0.03393, 2409773.47, 10764.1801, 0.0013033},        // Saturn
};

constexpr int APSIS_MARGIN_ORBITS = 10;

const ApsisRow& apsis_row(int body) { return APSIS_TABLE[body - APSIS_FIRST_BODY]; }

}  // namespace

JulianDay planet_apsis_instant(int body, double k) {
    const ApsisRow& row = apsis_row(body);
    return row.c + row.b * k + row.a * k * k;
}

void planet_apsis_k_range(int body, ApsisKind kind, int first_year, int last_year,
                          double& k_first, double& k_last) {
    const double rate = apsis_row(body).orbits_per_year;
    const double offset = kind == APSIS_APHELION ? 0.5 : 0.0;
    k_first = std::trunc(rate * (first_year - 1900)) + offset - APSIS_MARGIN_ORBITS;
    k_last = std::trunc(rate * (last_year - 1900)) + offset + APSIS_MARGIN_ORBITS;
}

double heliocentric_distance(int body, double hours, int day, int month, int year) {
    if (body == 2) {
        double ra, dec, longitude, distance, semidiameter, mean_anomaly;
        sun_position(hours, day, month, year, 0, ra, dec, longitude, distance, semidiameter,
                     mean_anomaly);
        return distance;
    }
    double ra, dec, distance, illuminated, elongation, helio_latitude, helio_longitude, radius;
    planet_position(body, hours, day, month, year, 0, ra, dec, distance, illuminated, elongation,
                    helio_latitude, helio_longitude, radius);
    return radius;
}
