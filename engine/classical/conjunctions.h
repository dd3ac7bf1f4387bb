#pragma once
// Conjunctions of the planets with the Sun and their oppositions, to the hour,
// over a window of UT instants.
//
// The search samples every day once at 0 h UT (from two days before the
// window to two days after it), takes each day on which a planet's separation
// in ecliptic longitude from the Sun (conjunction) or from the point opposite
// the Sun (opposition) is a local minimum, and refines it hourly over the 48
// hours that follow the sample.  An event is kept when the least separation
// is at most 1 degree and its instant falls in the window.  The daily table
// is built once and shared by all planets and both kinds of event.
//
// Refinement only looks forward from the sample, so an event whose true
// instant lies before the nearest sample is given at that sample (up to 12
// hours late).  Angles are degrees.
#include <vector>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/sky_events.h"
#include "engine/step_hook.h"

constexpr double CONJUNCTION_LIMIT_DEGREES = 1.0;
constexpr int REFINEMENT_HOURS = 48;            // 49 hourly instants from the sample on

// Passes of the search.
constexpr int PASS_CONJUNCTION = 0;
constexpr int PASS_OPPOSITION = 1;

// Given a UT Julian day and a body (0 Sun, 3-10 Mercury..Pluto); returns the
// apparent ecliptic longitude (-180..180, converted from the apparent right
// ascension and declination with the true obliquity of the date), the
// declination as the engine gives it (kept in [0, 360)), and `disk_or_phase`:
// the Sun's semi-diameter (degrees) or the planet's illuminated fraction.
void ecliptic_place(JulianDay t, int body, double& longitude, double& declination,
                    double& disk_or_phase);

// The smaller of |a - b| and |360 - |a - b||, degrees.
double angular_separation(double a, double b);

// One sample per day at 0 h UT.  Day d (1-based) is the instant start + d - 1.
struct ConjunctionTable {
    BodySet planet_set;    // only Mercury to Pluto are sampled
    JulianDay start = 0;   // 0 h UT two days before the window's first day
    int day_count = 0;     // N
    std::vector<double> sun_longitude;  // [d - 1]
    // [body - 3][d - 1]; empty for planets not in the set.
    std::vector<double> planet_longitude[CONJUNCTION_LAST_PLANET - CONJUNCTION_FIRST_PLANET + 1];
};

// Sizes the table for a window of UT instants [from_ut, to_ut): N days from
// two days before the day of from_ut to two days after the day of to_ut.
void conjunction_window_init(JulianDay from_ut, JulianDay to_ut, BodySet planet_set, ConjunctionTable& table);
// Computes sample day d (1..N): the Sun and every selected planet.
void conjunction_table_sample(int d, ConjunctionTable& table);

// 1 for Mercury and Venus (conjunctions only), 2 for the outer planets.
int conjunction_pass_count(int body);

// The planet's daily separations (index d - 1) from the Sun's longitude
// (PASS_CONJUNCTION) or from the Sun's longitude + 180 (PASS_OPPOSITION).
std::vector<double> daily_separations(const ConjunctionTable& table, int body, int pass);

// The days d (1-based, in increasing order) whose separation is a local
// minimum: separation[d - 2] >= separation[d - 1] <= separation[d].  Only days
// 2 .. N - 1 are examined: a minimum on the first or last sample day is not
// one (the two-day margins of the table exist for this).
std::vector<int> separation_minima(const std::vector<double>& separation);

struct ConjunctionEvent {
    int pass = PASS_CONJUNCTION;
    JulianDay instant = 0;        // UT of the best hourly instant
    double separation = 1000.0;   // least separation found, degrees
    DiskContact disk = DISK_NONE; // at the best instant; always DISK_NONE for an opposition
    double last_illuminated = 0;  // planet's lit fraction at the last refinement instant
};

// All events of one planet and pass, in date order, appended to `events`:
// each minimum of the daily separations refined over the 49 hourly instants
// from its sample on (step, when not null, before each instant with the part
// of that refinement done), kept when the least separation is at most 1
// degree and the best instant lies in [from_ut, to_ut).  Returns the step's
// non-zero answer when it stops the search (the events found until then
// stay), else 0.
int find_conjunctions_in(const ConjunctionTable& table, int body, int pass, JulianDay from_ut, JulianDay to_ut,
                         std::vector<ConjunctionEvent>& events, StepHook step = nullptr, void* context = nullptr);
