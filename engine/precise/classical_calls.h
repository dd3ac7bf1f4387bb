#pragma once
// The precise engine with the classical engine's calls: the same arguments,
// units, time scales and conventions as the functions of engine/classical/*.h (UT
// instants split as hours, day, month, year; degrees; right ascension in
// hours; declinations kept in [0, 360) where the classical function keeps
// them so; -1.0 hours for an event that does not happen), so that reports,
// graphs and movies can be given either engine.
#include <vector>

#include "engine/classical/conjunctions.h"
#include "engine/location.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/phase_eclipse_table.h"

namespace precise {

void sun_position(double hours, int day, int month, int year, int apparent, double& ra, double& dec,
                  double& longitude, double& distance, double& semidiameter, double& mean_anomaly);
void moon_position(double hours, int day, int month, int year, double& longitude, double& latitude,
                   double& parallax, double& semidiameter, double& illuminated, double& shadow_u,
                   double& ra, double& dec);
void planet_position(int body, double hours, int day, int month, int year, int want_equatorial,
                     double& ra, double& dec, double& distance, double& illuminated, double& elongation,
                     double& helio_latitude, double& helio_longitude, double& radius);
void star_apparent_place(int epoch_year, double ra0_hours, double dec0, double jd, double& ra_hours,
                         double& dec);
void topocentric_place(Location location, int body, double distance, double moon_parallax, double hours,
                       int day, int month, int year, double& ra_hours, double& dec);
double planet_magnitude(int body, double hours, int day, int month, int year);
double planet_angular_diameter(int body, double hours, int day, int month, int year);
double heliocentric_distance(int body, double hours, int day, int month, int year);

double sidereal_time(double ut, int day, int month, int year);  // Greenwich apparent, hours
void ecliptic_to_equatorial(double hours, int day, int month, int year, double longitude, double latitude,
                            bool with_nutation, double& ra_hours, double& declination);
void equatorial_to_horizontal(double ut, double ra_hours, double declination, int day, int month, int year,
                              double& azimuth, double& altitude, Location location);
double equation_of_time(int day, int month, int year);

void rise_set(int body, int day, int month, int year, double& rise, double& set, Location location);
// season_instants: events.h.
int build_phase_table(int year, PhaseTable& table, StepHook step, void* context);
void find_year_eclipses(int year, const PhaseTable& table, const Location& location, EclipseList& list);
// Nothing to sample: the search runs event to event in find_conjunctions.
void conjunction_table_sample(int d, ConjunctionTable& table);
int find_conjunctions(const ConjunctionTable& table, int body, int pass, double time_zone,
                      std::vector<ConjunctionEvent>& events, StepHook step = nullptr, void* context = nullptr);
double moon_distance_at(JulianDay jd_ut);
void moon_apsis_refine(JulianDay t_day, MoonApsisKind kind, double& offset_hours, double& distance_km);
JulianDay moon_node_instant(int k, MoonNode node, int year);
JulianDay planet_apsis_instant(int body, double k);

}  // namespace precise
