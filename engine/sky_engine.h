#pragma once
// The engine seam: everything the reports, graphs and movies ask of an
// astronomical engine (apparent places of the Sun, the Moon, the planets,
// Jupiter's moons and the stars; rising and setting; the phase table and the
// eclipses; the seasons and the equation of time; conjunctions and
// oppositions; apsides and nodes; magnitudes and diameters; sidereal time and
// the frames of reference), as one plain record of function pointers.  The
// generators reach it through SkyContext::engine and never call an engine's
// functions by name, so the engine behind them can change per call.
//
// CLASSICAL_ENGINE is the engine of engine/classical/: the low-precision theories
// of Meeus, Astronomical Formulae for Calculators (see each function's
// header).  Another engine plugs in by defining its own SkyEngine, in its
// own library, whose members have the same meaning, units and time scales as
// the classical ones documented in engine/classical/*.h (UT arguments split as hours,
// day, month, year; degrees; right ascension in hours; declinations kept in
// [0, 360) where the classical function keeps them so; -1.0 hours for an
// event that does not happen), and by pointing SkyContext::engine at it.  A
// member it has nothing better for may point at the classical function, and
// the searches may be reused as they are (conjunction_table_init and the
// pass and minima helpers take no engine).  No member keeps state between
// calls that a caller could see.
#include <vector>

#include "engine/classical/conjunctions.h"
#include "engine/classical/jupiter_moons.h"
#include "engine/location.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/phase_eclipse_table.h"

struct SkyEngine {
    const char* name;  // "classical", ...
    // True for an engine whose outputs say "Precise calculations" under their
    // titles (and whose Moon Nodes range takes in the whole last day).
    bool precise;

    // ---- Apparent places (engine/classical/sun.h, moon.h, planets.h, star_places.h, jupiter_moons.h) ----
    void (*sun_position)(double hours, int day, int month, int year, int apparent, double& ra, double& dec,
                         double& longitude, double& distance, double& semidiameter, double& mean_anomaly);
    void (*moon_position)(double hours, int day, int month, int year, double& longitude, double& latitude,
                          double& parallax, double& semidiameter, double& illuminated, double& shadow_u,
                          double& ra, double& dec);
    void (*planet_position)(int body, double hours, int day, int month, int year, int want_equatorial,
                            double& ra, double& dec, double& distance, double& illuminated, double& elongation,
                            double& helio_latitude, double& helio_longitude, double& radius);
    void (*star_apparent_place)(int epoch_year, double ra0_hours, double dec0, double jd, double& ra_hours,
                                double& dec);
    void (*topocentric_place)(Location location, int body, double distance, double moon_parallax, double hours,
                              int day, int month, int year, double& ra_hours, double& dec);
    void (*jupiter_satellites)(JulianDay jd, JupiterSatellite records[JUPITER_SATELLITE_COUNT]);
    double (*planet_magnitude)(int body, double hours, int day, int month, int year);
    double (*planet_angular_diameter)(int body, double hours, int day, int month, int year);
    double (*heliocentric_distance)(int body, double hours, int day, int month, int year);
    // False when the engine's place of the body at the UT instant comes from
    // a theory used outside the years it holds for (the precise engine's Pluto
    // before 1885 and after 2099): outputs that show such a place say so.
    bool (*place_holds)(int body, JulianDay jd_ut);

    // ---- Time and frames (engine/calendar.h, angles.h, sun.h) ----
    double (*sidereal_time)(double ut, int day, int month, int year);  // Greenwich, hours
    void (*ecliptic_to_equatorial)(double hours, int day, int month, int year, double longitude, double latitude,
                                   bool with_nutation, double& ra_hours, double& declination);
    void (*equatorial_to_horizontal)(double ut, double ra_hours, double declination, int day, int month, int year,
                                     double& azimuth, double& altitude, Location location);
    double (*equation_of_time)(int day, int month, int year);

    // ---- Events (engine/classical/rising_setting.h, sun.h, phase_eclipse_table.h, conjunctions.h, moon_events.h, planet_apsides.h) ----
    void (*rise_set)(int body, int day, int month, int year, double& rise, double& set, Location location);
    void (*season_instants)(int year, JulianDay jd[4]);
    int (*build_phase_table)(int year, PhaseTable& table, StepHook step, void* context);
    void (*find_year_eclipses)(int year, const PhaseTable& table, const Location& location, EclipseList& list);
    void (*conjunction_table_sample)(int d, ConjunctionTable& table);
    int (*find_conjunctions)(const ConjunctionTable& table, int body, int pass, double time_zone,
                             std::vector<ConjunctionEvent>& events, StepHook step, void* context);
    double (*moon_distance_at)(JulianDay jd_ut);
    // offset_hours: from t_day to the extreme, hours (the classical engine's are whole hours).
    void (*moon_apsis_refine)(JulianDay t_day, MoonApsisKind kind, double& offset_hours, double& distance_km);
    JulianDay (*moon_node_instant)(int k, MoonNode node, int year);
    JulianDay (*planet_apsis_instant)(int body, double k);
    // The local standard hours (UT + time_zone) of the civil date at which the
    // Sun's centre is `depression` degrees below the geometric horizon, rising
    // (morning) and setting (evening); -1.0 when it does not get there.  Null
    // in an engine that leaves twilight to the Twilight report's own rule
    // (sunrise and sunset moved by the time the Sun takes to sink that far).
    void (*twilight)(double depression, int day, int month, int year, const Location& location,
                     double& morning, double& evening);
};

extern const SkyEngine CLASSICAL_ENGINE;
