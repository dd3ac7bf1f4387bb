#pragma once
// The precise engine's reference tables (tests/data/precise, made by
// tools/make_reference_tables.py from PyEphem, and published.csv typed in from
// USNO and NASA), read as rows of text fields.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/precise/delta_t.h"

using ReferenceRow = std::vector<std::string>;

// The rows of one table, without its comment lines and its header.
inline std::vector<ReferenceRow> read_reference_table(const std::string& name) {
    std::ifstream in(std::string(SKYLOOM_TEST_DATA_DIR) + "/precise/" + name);
    std::vector<ReferenceRow> rows;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (header) { header = false; continue; }
        ReferenceRow row;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) row.push_back(field);
        if (!line.empty() && line.back() == ',') row.push_back("");
        rows.push_back(row);
    }
    return rows;
}

// "2026-1-8" (and an optional "HH:MM[:SS]") as a Julian day.
inline JulianDay reference_date(const std::string& date, const std::string& time = "") {
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d);
    if (!time.empty()) std::sscanf(time.c_str(), "%d:%d:%d", &hh, &mm, &ss);
    return julian_day(d + (hh + mm / 60.0 + ss / 3600.0) / 24.0, m, y);
}

// Reference instants that do not depend on Delta T are stored as TT; the
// observed Delta T (IERS) takes them to UT.
inline JulianDay ut_of_tt(const std::string& field) { return precise::universal_time(std::stod(field)); }

// The places of the rising, setting and twilight tables (as the script has them).
inline Location reference_place(const std::string& name) {
    struct Known { const char* name; double latitude, longitude, time_zone; };
    static const Known known[] = {{"Washington", 38.8895, -77.0353, -5}, {"London", 51.4769, -0.0005, 0},
                                  {"Sydney", -33.8688, 151.2093, 10}, {"Tromso", 69.6492, 18.9553, 1},
                                  {"Quito", -0.2299, -78.5250, -5}, {"North55", 55.0, 48.0, 3}};
    Location l;
    for (const Known& k : known) {
        if (name != k.name) continue;
        l.name = k.name;
        l.latitude = k.latitude < 0 ? -k.latitude : k.latitude;
        l.latitude_hemisphere = k.latitude < 0 ? COMPASS_SOUTH : COMPASS_NORTH;
        l.longitude = k.longitude < 0 ? -k.longitude : k.longitude;
        l.longitude_hemisphere = k.longitude < 0 ? COMPASS_WEST : COMPASS_EAST;
        l.time_zone = k.time_zone;
    }
    return l;
}

// Arcseconds between two places given as right ascension (hours) and declination (degrees).
inline double arcseconds_apart(double ra1, double dec1, double ra2, double dec2) {
    const double r = M_PI / 180.0;
    double c = std::sin(dec1 * r) * std::sin(dec2 * r) +
               std::cos(dec1 * r) * std::cos(dec2 * r) * std::cos((ra1 - ra2) * 15.0 * r);
    return std::acos(std::fmin(1.0, c)) / r * 3600.0;
}
