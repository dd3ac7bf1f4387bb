#pragma once
// The Moon's phases of one year and the year's solar and lunar eclipses.
//
// The phase table collects every new Moon, quarter and full Moon of about
// fifteen lunations around a year (moon_phase_instant stepped through the
// year).  The eclipses are found among its new and full Moons with the
// classical test on the Moon's argument of latitude F and the eclipse elements
// gamma (least distance of the shadow axis from the Earth's centre, Earth
// radii) and u (radius of the umbral cone in the fundamental plane, Earth
// radii): Meeus, Astronomical Formulae for Calculators, chapter on eclipses.
//
// All Julian days here are Universal Time: the phase instants of the lunar
// theory (ephemeris time) have Delta T taken off when they are stored.
#include <cstdint>
#include <vector>

#include "engine/sky_events.h"
#include "engine/step_hook.h"

// One phase instant.
struct PhaseRecord {
    std::int32_t phase = 0;          // NEW_MOON .. LAST_QUARTER (engine/sky_events.h)
    double latitude_argument = 0.0;  // F, the Moon's argument of latitude, degrees 0-360
    double sun_mean_anomaly = 0.0;   // M, degrees 0-360
    double moon_mean_anomaly = 0.0;  // M', degrees 0-360
    double centuries = 0.0;          // T, Julian centuries as moon_phase_instant gives it
    double jd_true = 0.0;            // corrected instant, UT Julian day; the record's key
    double jd_mean = 0.0;            // mean instant, UT Julian day
};

// The phases of a year in the order found, which is chronological: lunation
// after lunation, each one's new Moon, first quarter, full Moon, last quarter.
struct PhaseTable {
    std::vector<PhaseRecord> records;
};

// The eclipse elements of one new or full Moon (angles in degrees).
struct EclipseElements {
    double jd_max = 0.0;  // instant of maximum eclipse, in the time scale of jd
    double s = 0.0;       // S and C: the auxiliary quantities of gamma
    double c = 0.0;
    double gamma = 0.0;   // Earth radii
    double u = 0.0;       // Earth radii
};

// Given a year; fills the table with the phases found by 50 date steps of
// 7/300 year from year - 1/12, four phases each (200 steps), each distinct
// instant once: a lunation met by several date steps is computed at the
// first (about 60 calls of moon_phase_instant).  step (may be null) is called
// before each of the 200 steps; returns its non-zero answer (the table partly
// filled) when it stops the build, else 0.
int build_phase_table(int year, PhaseTable& table, StepHook step = nullptr,
                      void* context = nullptr);

// Given F in degrees (any value; reduced to 0-360); true when the Moon is too
// far from its node for an eclipse: more than 21 degrees from 0, 180 and 360,
// or between 13.9 and 21 degrees with |sin F| > 0.36.
bool eclipse_excluded(double latitude_argument);

// Given F, M, M' (degrees), T (centuries) and jd, the mean instant of the new
// or full Moon; returns the instant of maximum eclipse and S, C, gamma and u.
EclipseElements eclipse_elements(double latitude_argument, double sun_mean_anomaly,
                                 double moon_mean_anomaly, double centuries, double jd);

// Given a new Moon record (not excluded by its F); true when it is a solar
// eclipse, with its type, magnitude (partial ones) and gamma.
bool solar_eclipse(const PhaseRecord& record, EclipseCircumstances& eclipse);
// Given a full Moon record (not excluded by its F); true when it is an umbral
// lunar eclipse (penumbral-only eclipses are not reported), with its umbral
// magnitude and the semi-durations of the partial and total phases.
bool lunar_eclipse(const PhaseRecord& record, EclipseCircumstances& eclipse);

// Given a phase record; true when its new Moon is a solar eclipse or its
// full Moon an umbral lunar eclipse (not excluded by its F), with what the
// reports print about it.
bool phase_eclipse(const PhaseRecord& record, EclipseCircumstances& eclipse);
