#pragma once
// The engine seam: everything the reports, graphs and movies ask of an
// astronomical engine (apparent places of the Sun, the Moon, the planets,
// Jupiter's moons and the stars; rising, setting and twilight; the phases and
// the eclipses; the seasons and the equation of time; conjunctions and
// oppositions; apsides and nodes; magnitudes and diameters; sidereal time and
// the frames of reference), as one plain record of functions.  The generators
// reach it through SkyContext::engine and never call an engine's functions by
// name, so the engine behind them can change per call.
//
// One vocabulary for every engine:
//   instants  UT Julian days, named jd_ut; a civil date is the Julian day of
//             its 0 h, julian_day(day, month, year), named `date`;
//   places    small result structs: angles in degrees, right ascension and
//             sidereal time in hours [0, 24), declinations and latitudes in
//             [-90, 90];
//   times     of rising, setting and twilight: local standard hours (UT +
//             the location's time zone) of the civil date, NO_EVENT when the
//             event does not happen on it.
// Every member must be given: each is an EngineCall (or a Required value),
// which has no default, so a SkyEngine that leaves one out does not compile,
// and none can be null.  No member keeps state between calls that a caller
// could see.
//
// Two engines fill it: CLASSICAL_ENGINE (engine/classical/: the low-precision
// theories of Meeus, Astronomical Formulae for Calculators, as the 1995
// program computed them) and PRECISE_ENGINE (engine/precise/, on ERFA).
#include <array>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/sky_events.h"
#include "engine/step_hook.h"

// A value of the seam that must be given: no default.
template <class T>
struct Required {
    constexpr Required(T v) : value(v) {}
    constexpr operator T() const { return value; }
    T value;
};

// A function of the seam that must be given: no default and never null.
template <class Signature>
struct EngineCall;
template <class Result, class... Args>
struct EngineCall<Result(Args...)> {
    using Function = Result (*)(Args...);
    constexpr EngineCall(Function f) : function(f) {}
    // A lambda without captures (a test's double).
    template <class F>
        requires(std::is_convertible_v<F, Function> && !std::is_same_v<F, std::nullptr_t>)
    constexpr EngineCall(F f) : function(f) {}
    EngineCall(std::nullptr_t) = delete;
    Result operator()(Args... args) const { return function(args...); }
    Function function;
};

constexpr double NO_EVENT = -1.0;  // hours: the event does not happen on the date

// Apparent (with nutation and aberration) or geometric ecliptic places.
enum PlaceKind { APPARENT_PLACE, GEOMETRIC_PLACE };

struct Equatorial {
    double ra_hours = 0.0;
    double dec = 0.0;
};

struct Horizontal {
    double azimuth = 0.0;   // from north through east, degrees
    double altitude = 0.0;  // of the centre, no refraction, degrees
};

struct SunPlace {
    double ra_hours = 0.0;      // equator and equinox of date
    double dec = 0.0;
    double longitude = 0.0;     // ecliptic, of date (the apparent one may lie just below 0)
    double distance_au = 0.0;   // Earth-Sun
    double semidiameter = 0.0;  // degrees
    double mean_anomaly = 0.0;  // degrees [0, 360)
};

struct MoonPlace {
    double longitude = 0.0;     // geocentric ecliptic, without nutation (may stray a few degrees outside [0, 360))
    double latitude = 0.0;      // geocentric ecliptic
    double parallax = 0.0;      // equatorial horizontal parallax, degrees
    double semidiameter = 0.0;  // degrees
    double illuminated = 0.0;   // lit fraction of the disk, 0-1
    double shadow_u = 0.0;      // radius of the umbral cone at the Earth, Earth radii (the eclipse theory's u)
    double ra_hours = 0.0;
    double dec = 0.0;
};

// Which parts of a planet's place to compute: the equatorial place costs most.
enum PlanetParts { PLANET_WITHOUT_EQUATORIAL, PLANET_WITH_EQUATORIAL };

struct PlanetPlace {
    double ra_hours = 0.0;         // apparent, geocentric; 0 without PLANET_WITH_EQUATORIAL
    double dec = 0.0;              // likewise
    double distance_au = 0.0;      // Earth-planet
    double illuminated = 0.0;      // lit fraction of the disk, 0-1
    double elongation = 0.0;       // Sun-Earth-planet, degrees 0-180
    double helio_latitude = 0.0;   // heliocentric ecliptic, equinox of date
    double helio_longitude = 0.0;  // likewise (may stray just outside [0, 360))
    double radius_au = 0.0;        // Sun-planet
};

struct RiseSet {
    double rise = NO_EVENT;
    double set = NO_EVENT;
};

struct Twilight {
    double morning = NO_EVENT;  // the Sun's centre reaching the depression, rising
    double evening = NO_EVENT;  // and setting
};

// One of Jupiter's four large moons as seen from the Earth, Jupiter equatorial radii.
struct JupiterSatellite {
    double x = 0.0;   // along Jupiter's equator; negative when sin u > 0 (x = -r sin u)
    double y = 0.0;   // perpendicular to the equator
    double z = 0.0;   // along the line of sight; negative when farther from the Earth than Jupiter
    bool visible = true;  // false when behind Jupiter's disk
};
constexpr int JUPITER_SATELLITE_COUNT = 4;
using JupiterSatellites = std::array<JupiterSatellite, JUPITER_SATELLITE_COUNT>;  // Io, Europa, Ganymede, Callisto

struct SkyEngine {
    Required<const char*> name;  // "classical", "precise"
    // True for an engine whose outputs say "Precise calculations" under their
    // titles (and whose Moon Nodes range takes in the whole last day).
    Required<bool> precise;

    // ---- Apparent places (body ids: 0 Sun, 1 Moon, 2 Earth, 3-10 Mercury..Pluto) ----
    EngineCall<SunPlace(JulianDay jd_ut, PlaceKind kind)> sun_place;
    EngineCall<MoonPlace(JulianDay jd_ut)> moon_place;
    EngineCall<PlanetPlace(int body, JulianDay jd_ut, PlanetParts parts)> planet_place;
    // A catalogue star's place for the mean equator and equinox of 0 h January 1
    // of epoch_year (no proper motion), as the apparent place of date.
    EngineCall<Equatorial(int epoch_year, Equatorial catalogue, JulianDay jd_ut)> star_place;
    // The geocentric place of a body (distance_au; the Moon's from its
    // parallax, degrees) as seen from the location.
    EngineCall<Equatorial(const Location& location, int body, Equatorial geocentric, double distance_au,
                          double moon_parallax, JulianDay jd_ut)>
        topocentric_place;
    EngineCall<JupiterSatellites(JulianDay jd_ut)> jupiter_satellites;
    EngineCall<double(int body, JulianDay jd_ut)> planet_magnitude;
    EngineCall<double(int body, JulianDay jd_ut)> planet_angular_diameter;  // arcseconds
    EngineCall<double(int body, JulianDay jd_ut)> heliocentric_distance;    // AU; the Earth's too
    EngineCall<double(JulianDay jd_ut)> moon_distance_km;                    // centre to centre
    // False when the engine's place of the body at the instant comes from a
    // theory used outside the years it holds for (the precise engine's Pluto
    // before 1885 and after 2099): outputs that show such a place say so.
    EngineCall<bool(int body, JulianDay jd_ut)> place_holds;

    // ---- Time and frames ----
    EngineCall<double(JulianDay jd_ut)> sidereal_time;  // Greenwich, hours
    EngineCall<Equatorial(JulianDay jd_ut, double longitude, double latitude, bool with_nutation)>
        ecliptic_to_equatorial;
    EngineCall<Horizontal(JulianDay jd_ut, Equatorial place, const Location& location)> equatorial_to_horizontal;
    // Apparent minus mean solar time at 12 h UT of the date, hours.
    EngineCall<double(JulianDay date)> equation_of_time;

    // ---- Events ----
    EngineCall<RiseSet(int body, JulianDay date, const Location& location)> rise_set;
    // The Sun's centre `depression` degrees below the geometric horizon.
    EngineCall<Twilight(double depression, JulianDay date, const Location& location)> twilight;

    // ---- Searches: the events of the window [from_ut, to_ut) in time order
    // (engine/sky_events.h); a step hook, where there is one, sees the part of
    // the search done and may stop it ----
    EngineCall<std::vector<SeasonEvent>(JulianDay from_ut, JulianDay to_ut)> seasons;
    EngineCall<PhaseSearch(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context)> moon_phases;
    // Solar and umbral lunar eclipses in the window by their greatest eclipse
    // (the classical engine: by their new or full Moon, within hours of it).
    EngineCall<EclipseSearch(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context)> eclipses;
    // A planet's (3-10) conjunctions with the Sun and its oppositions.
    EngineCall<ConjunctionSearch(int body, JulianDay from_ut, JulianDay to_ut, StepHook step, void* context)>
        conjunctions;
    EngineCall<MoonApsisSearch(JulianDay from_ut, JulianDay to_ut, StepHook step, void* context)> moon_apsides;
    EngineCall<std::vector<NodePassage>(JulianDay from_ut, JulianDay to_ut)> moon_nodes;
    // Perihelia and aphelia of a planet (2 Earth .. 7 Saturn).
    EngineCall<std::vector<PlanetApsis>(int body, JulianDay from_ut, JulianDay to_ut)> planet_apsides;
};

extern const SkyEngine CLASSICAL_ENGINE;
