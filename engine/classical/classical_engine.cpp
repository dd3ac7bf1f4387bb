// The classical engine behind the seam: the functions of this folder.
#include "engine/sky_engine.h"

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/moon.h"
#include "engine/classical/moon_events.h"
#include "engine/classical/planet_apsides.h"
#include "engine/classical/planets.h"
#include "engine/classical/rising_setting.h"
#include "engine/classical/star_places.h"
#include "engine/classical/sun.h"

namespace {

// The seam's offset in hours of any fraction, from the classical whole hours.
void moon_apsis_whole_hours(JulianDay t_day, MoonApsisKind kind, double& offset_hours, double& distance_km) {
    int hours = 0;
    moon_apsis_refine(t_day, kind, hours, distance_km);
    offset_hours = hours;
}

// The classical theories are the 1995 program's over all its years.
bool always_holds(int, JulianDay) { return true; }

}  // namespace

const SkyEngine CLASSICAL_ENGINE = {
    .name = "classical",
    .precise = false,
    .sun_position = sun_position,
    .moon_position = moon_position,
    .planet_position = planet_position,
    .star_apparent_place = star_apparent_place,
    .topocentric_place = topocentric_place,
    .jupiter_satellites = jupiter_satellites,
    .planet_magnitude = planet_magnitude,
    .planet_angular_diameter = planet_angular_diameter,
    .heliocentric_distance = heliocentric_distance,
    .place_holds = always_holds,
    .sidereal_time = ut_to_gst,
    .ecliptic_to_equatorial = ecliptic_to_equatorial,
    .equatorial_to_horizontal = equatorial_to_horizontal,
    .equation_of_time = equation_of_time,
    .rise_set = rise_set,
    .season_instants = season_instants,
    .build_phase_table = build_phase_table,
    .find_year_eclipses = find_year_eclipses,
    .conjunction_table_sample = conjunction_table_sample,
    .find_conjunctions = find_conjunctions,
    .moon_distance_at = moon_distance_at,
    .moon_apsis_refine = moon_apsis_whole_hours,
    .moon_node_instant = moon_node_instant,
    .planet_apsis_instant = planet_apsis_instant,
    .twilight = nullptr,  // the Twilight report's rule
};
