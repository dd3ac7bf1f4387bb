#pragma once
// `skyloom ephemeris`: the engine's numbers for one local instant, as a table
// or as CSV, for people who want numbers rather than a report.
#include <string>
#include <vector>

#include "engine/bodies.h"
#include "engine/location.h"
#include "engine/sky_context.h"

// One body's place at the instant.  Values the engine does not define for the
// body are NaN (shown as "-").
struct EphemerisRow {
    int body = 0;               // 0 Sun, 1 Moon, 3..10 Mercury..Pluto
    double ra_hours = 0.0;      // apparent right ascension, hours
    double declination = 0.0;   // apparent declination, degrees -90..90
    double distance_au = 0.0;   // from the Earth, AU
    double distance_km = 0.0;   // from the Earth, km (the Moon only)
    double illuminated = 0.0;   // fraction of the disk lit, 0..1
    double elongation = 0.0;    // angle from the Sun, degrees
    double magnitude = 0.0;     // visual magnitude
    double diameter_arcsec = 0.0;  // apparent diameter, arcseconds
    double rise = -1.0, set = -1.0;  // local clock hours on the local date; -1: none
    double transit = -1.0;      // upper meridian transit, local clock hours on the local date; -1: none
    double altitude = 0.0;      // apparent altitude of the centre (refracted; topocentric), degrees
    double azimuth = 0.0;       // from north through east, degrees [0, 360)
    bool holds = true;          // false: the engine's theory for the body does not hold then
};

// The bodies of body_set (Earth is skipped) at the local instant (calendar
// date and hours of local standard time at the sky's location), computed by
// the sky's engine.
std::vector<EphemerisRow> ephemeris_rows(BodySet body_set, int day, int month, int year,
                                         double local_hours, const SkyContext& sky);

// Text for standard output (UTF-8): a fixed-width table with a heading, or CSV
// with a header row and plain decimal numbers (times as HH:MM:SS, "-" for none).
// The table shows the places first and then, in a second block of its own,
// each body's transit, altitude and azimuth: what the observer sees.
// The precise engine's numbers say so: the line "Precise calculations" under
// the table's heading; the last CSV column "engine" names the engine
// ("precise", "classical").  A body whose theory does not hold at the instant
// (the precise engine's Pluto outside 1885-2099) is marked: "*" after its
// name and a note under the table, "precise (approximate)" in the CSV.
std::string ephemeris_table(const std::vector<EphemerisRow>& rows, int day, int month, int year,
                            double local_hours, const SkyContext& sky);
std::string ephemeris_csv(const std::vector<EphemerisRow>& rows, const SkyEngine& engine);

// Jupiter's four large satellites at the local instant from the context's
// engine: x, y, z offsets in Jupiter radii and whether the planet hides each one.
std::string jupiter_moons_text(int day, int month, int year, double local_hours, const SkyContext& sky,
                               bool csv);
