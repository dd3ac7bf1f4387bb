#pragma once
// The events the engine seam's searches return.  Every search takes a window
// of UT instants [from_ut, to_ut) and gives the events whose instant lies in
// it, in time order, each as its instant (jd_ut) and what it is.
#include <vector>

#include "engine/calendar.h"

// The equinoxes and solstices, in the order of the year.
enum SeasonKind { MARCH_EQUINOX = 0, JUNE_SOLSTICE = 1, SEPTEMBER_EQUINOX = 2, DECEMBER_SOLSTICE = 3 };

struct SeasonEvent {
    JulianDay jd_ut = 0.0;
    SeasonKind season = MARCH_EQUINOX;
};

// The four principal phases of the Moon.
constexpr int NEW_MOON = 0;
constexpr int FIRST_QUARTER = 1;
constexpr int FULL_MOON = 2;
constexpr int LAST_QUARTER = 3;

struct PhaseEvent {
    JulianDay jd_ut = 0.0;
    int phase = NEW_MOON;  // NEW_MOON .. LAST_QUARTER
};
struct PhaseSearch {
    std::vector<PhaseEvent> events;
    int stopped = 0;  // the step hook's answer when it stopped the search (the events so far stay)
};

// Eclipse kinds.
constexpr int SOLAR_ECLIPSE = 0;
constexpr int LUNAR_ECLIPSE = 1;

// The central types of a solar eclipse; a non-central one is partial.
enum SolarEclipseType { SOLAR_TOTAL, SOLAR_ANNULAR, SOLAR_ANNULAR_TOTAL, SOLAR_PARTIAL };

// A solar eclipse or an umbral lunar eclipse (penumbral-only ones are not
// events of the seam), with what the reports print about it.
struct EclipseCircumstances {
    int kind = SOLAR_ECLIPSE;           // SOLAR_ECLIPSE or LUNAR_ECLIPSE
    double jd_max = 0.0;                // maximum eclipse, UT Julian day
    double gamma = 0.0;                 // Earth radii; solar: >= 0 northern hemisphere
    SolarEclipseType solar_type = SOLAR_PARTIAL;  // solar only
    double magnitude = 0.0;             // solar partial: maximum magnitude; lunar: umbral magnitude
    double partial_semiduration_hours = 0.0;  // lunar only
    double total_semiduration_hours = 0.0;    // lunar only; 0 when there is no total phase
};
// The eclipses whose new or full Moon lies in the window.
struct EclipseSearch {
    std::vector<EclipseCircumstances> events;
    int stopped = 0;
};

// Whether a planet's place at its conjunction lies on the Sun's disk (by
// declination alone): in front of it (lit fraction below one half) or behind it.
enum DiskContact { DISK_NONE = 0, DISK_TRANSIT = 1, DISK_OCCULTATION = 2 };

// The planets `conjunctions` searches: Mercury .. Pluto.
constexpr int CONJUNCTION_FIRST_PLANET = 3;
constexpr int CONJUNCTION_LAST_PLANET = 10;

// A planet's conjunction with the Sun (least separation in apparent ecliptic
// longitude) or opposition.
struct Conjunction {
    JulianDay jd_ut = 0.0;
    bool opposition = false;
    bool superior = false;         // Mercury and Venus: beyond the Sun (else between the Earth and the Sun)
    double separation = 0.0;       // least separation found, degrees
    DiskContact disk = DISK_NONE;  // a conjunction's planet on the Sun's disk
};
struct ConjunctionSearch {
    std::vector<Conjunction> events;
    int stopped = 0;
};

enum MoonApsisKind { MOON_APSIS_NONE = -1, MOON_APOGEE = 0, MOON_PERIGEE = 1 };

struct MoonApsis {
    JulianDay jd_ut = 0.0;
    MoonApsisKind kind = MOON_APOGEE;
    double distance_km = 0.0;  // centre to centre
};
struct MoonApsisSearch {
    std::vector<MoonApsis> events;
    int stopped = 0;
};

enum MoonNode { ASCENDING_NODE = 0, DESCENDING_NODE = 1 };

struct NodePassage {
    JulianDay jd_ut = 0.0;
    MoonNode node = ASCENDING_NODE;
};

// The planets `planet_apsides` searches: Earth .. Saturn.
constexpr int APSIS_FIRST_BODY = 2;
constexpr int APSIS_LAST_BODY = 7;

enum ApsisKind { APSIS_PERIHELION = 0, APSIS_APHELION = 1 };

struct PlanetApsis {
    JulianDay jd_ut = 0.0;
    ApsisKind kind = APSIS_PERIHELION;
};

// The equinoxes and solstices of [from_ut, to_ut) from a function giving the
// four instants of a year (March equinox first).
std::vector<SeasonEvent> seasons_from_years(JulianDay from_ut, JulianDay to_ut, void (*year_seasons)(int year,
                                                                                                      JulianDay jd[4]));
