#include "cli/ephemeris.h"

#include <cmath>
#include <cstdio>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/local_sky.h"
#include "format/format.h"
#include "platform/text_encoding.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr double KM_PER_AU = 149597870.7;
constexpr double ARCSEC_PER_DEGREE = 3600.0;
const double NONE = std::nan("");

// The UT instant of a local clock time.
JulianDay to_ut(int day, int month, int year, double local_hours, const Location& location) {
    return clock_to_ut(location, julian_day(day + local_hours / 24.0, month, year));
}

std::string number(double value, const char* format) {
    if (std::isnan(value)) return "-";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Local clock time as HH:MM:SS, "-" when the event does not happen.
std::string clock_time(double hours) {
    if (hours < 0.0) return "-";
    long seconds = std::lround(hours * 3600.0);
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace

std::vector<EphemerisRow> ephemeris_rows(BodySet body_set, int day, int month, int year,
                                         double local_hours, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const JulianDay jd_ut = to_ut(day, month, year, local_hours, location);
    const SunPlace sun = engine.sun_place(jd_ut, APPARENT_PLACE);
    std::vector<EphemerisRow> rows;
    for (int body = 0; body <= 10; ++body) {
        if (body == id_of(Body::Earth) || !body_set.contains(body)) continue;
        EphemerisRow row;
        row.body = body;
        row.distance_km = row.magnitude = NONE;
        if (body == 0) {
            row.ra_hours = sun.ra_hours;
            row.declination = sun.dec;
            row.distance_au = sun.distance_au;
            row.illuminated = row.elongation = NONE;
            row.diameter_arcsec = 2.0 * sun.semidiameter * ARCSEC_PER_DEGREE;
        } else if (body == 1) {
            const MoonPlace moon = engine.moon_place(jd_ut);
            row.ra_hours = moon.ra_hours;
            row.declination = moon.dec;
            row.distance_km = engine.moon_distance_km(jd_ut);
            row.distance_au = row.distance_km / KM_PER_AU;
            row.illuminated = moon.illuminated;
            row.elongation = angular_separation(sun.ra_hours, sun.dec, row.ra_hours, row.declination);
            row.diameter_arcsec = 2.0 * moon.semidiameter * ARCSEC_PER_DEGREE;
        } else {
            const PlanetPlace planet = engine.planet_place(body, jd_ut, PLANET_WITH_EQUATORIAL);
            row.ra_hours = planet.ra_hours;
            row.declination = planet.dec;
            row.distance_au = planet.distance_au;
            row.illuminated = planet.illuminated;
            row.elongation = planet.elongation;
            row.magnitude = engine.planet_magnitude(body, jd_ut);
            row.diameter_arcsec = engine.planet_angular_diameter(body, jd_ut);
        }
        row.holds = engine.place_holds(body, jd_ut);
        const RiseSet times = engine.rise_set(body, julian_day(day, month, year), location);
        row.rise = times.rise;
        row.set = times.set;
        const JulianDay transit = meridian_transit_ut(engine, body, day, month, year, location);
        if (transit != NO_EVENT) row.transit = (ut_to_clock(location, transit) - julian_day(day, month, year)) * 24.0;
        const SkyPosition seen = sky_position(engine, body, jd_ut, location);
        row.altitude = seen.altitude;
        row.azimuth = seen.azimuth;
        rows.push_back(row);
    }
    return rows;
}

std::string ephemeris_table(const std::vector<EphemerisRow>& rows, int day, int month, int year,
                            double local_hours, const SkyContext& sky) {
    const Location& location = sky.location;
    char line[256];
    std::string out;
    const std::string clock_name = location.zone.empty() ? std::string("local standard time") : location.zone + " time";
    std::snprintf(line, sizeof line, "%s  %04d-%02d-%02d %s %s (UT %+.2f h)\n", location.name.c_str(), year, month,
                  day, clock_time(local_hours).substr(0, 5).c_str(), clock_name.c_str(),
                  utc_offset_hours(location, to_ut(day, month, year, local_hours, location)));
    out += line;
    if (sky.engine->precise) out += std::string(load_string(STR_PRECISE_CALCULATIONS)) + "\n";
    out += "Body     RA (h m s)  Dec (d ' \")    Dist (AU)  Dist (km)  Illum  Elong    Mag  Diam \"  Rise   Set\n";
    bool approximate = false;
    for (const EphemerisRow& r : rows) {
        approximate = approximate || !r.holds;
        std::snprintf(line, sizeof line, "%-8s %-11s %-12s %11.6f %10s %6s %6s %6s %7s  %-6s %s\n",
                      (body_name(r.body) + (r.holds ? "" : "*")).c_str(), format_angle(r.ra_hours, false).c_str(),
                      format_angle(r.declination, true).c_str(), r.distance_au,
                      number(r.distance_km, "%.0f").c_str(), number(r.illuminated, "%.3f").c_str(),
                      number(r.elongation, "%.1f").c_str(), number(r.magnitude, "%.1f").c_str(),
                      number(r.diameter_arcsec, "%.1f").c_str(), clock_time(r.rise).substr(0, 5).c_str(),
                      clock_time(r.set).substr(0, 5).c_str());
        out += line;
    }
    if (approximate) out += "* " + std::string(load_string(STR_PLACES_APPROXIMATE)) + "\n";
    out += "\nBody     Transit  Altitude  Azimuth\n";
    for (const EphemerisRow& r : rows) {
        std::snprintf(line, sizeof line, "%-8s %-7s %8.1f\xB0 %7.1f\xB0\n",
                      (body_name(r.body) + (r.holds ? "" : "*")).c_str(), clock_time(r.transit).substr(0, 5).c_str(),
                      r.altitude, r.azimuth);
        out += line;
    }
    return latin1_to_terminal(out);
}

std::string ephemeris_csv(const std::vector<EphemerisRow>& rows, const SkyEngine& engine) {
    std::string out =
        "body,ra_hours,dec_degrees,distance_au,distance_km,illuminated,elongation_degrees,"
        "magnitude,diameter_arcsec,rise,set,engine,transit,altitude_degrees,azimuth_degrees\n";
    char line[512];
    for (const EphemerisRow& r : rows) {
        std::snprintf(line, sizeof line, "%s,%.6f,%.5f,%.8f,%s,%s,%s,%s,%s,%s,%s,%s%s,%s,%.3f,%.3f\n",
                      body_name(r.body).c_str(), r.ra_hours, r.declination, r.distance_au,
                      number(r.distance_km, "%.1f").c_str(), number(r.illuminated, "%.4f").c_str(),
                      number(r.elongation, "%.3f").c_str(), number(r.magnitude, "%.2f").c_str(),
                      number(r.diameter_arcsec, "%.2f").c_str(), clock_time(r.rise).c_str(),
                      clock_time(r.set).c_str(), engine.name.value, r.holds ? "" : " (approximate)",
                      clock_time(r.transit).c_str(), r.altitude, r.azimuth);
        out += line;
    }
    return out;
}

std::string jupiter_moons_text(int day, int month, int year, double local_hours, const SkyContext& sky,
                               bool csv) {
    static const char* const NAMES[JUPITER_SATELLITE_COUNT] = {"Io", "Europa", "Ganymede", "Callisto"};
    const JulianDay jd_ut = to_ut(day, month, year, local_hours, sky.location);
    const JupiterSatellites moons = sky.engine->jupiter_satellites(jd_ut);
    std::string out = csv ? "moon,x,y,z,hidden\n" : "Moon         x (Rj)   y (Rj)   z (Rj)  Hidden\n";
    char line[128];
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
        const char* format = csv ? "%s,%.3f,%.3f,%.3f,%d\n" : "%-10s %8.2f %8.2f %8.2f  %s\n";
        if (csv)
            std::snprintf(line, sizeof line, format, NAMES[i], moons[i].x, moons[i].y, moons[i].z,
                          moons[i].visible ? 0 : 1);
        else
            std::snprintf(line, sizeof line, format, NAMES[i], moons[i].x, moons[i].y, moons[i].z,
                          moons[i].visible ? "no" : "yes");
        out += line;
    }
    return out;
}
