#include "engine/precise/precise_engine.h"

#include "engine/classical/jupiter_moons.h"
#include "engine/precise/classical_calls.h"
#include "engine/precise/events.h"
#include "engine/precise/places.h"
#include "engine/precise/rise_set.h"

const SkyEngine PRECISE_ENGINE = {
    .name = "precise",
    .precise = true,
    .sun_position = precise::sun_position,
    .moon_position = precise::moon_position,
    .planet_position = precise::planet_position,
    .star_apparent_place = precise::star_apparent_place,
    .topocentric_place = precise::topocentric_place,
    .jupiter_satellites = jupiter_satellites,  // the classical theory
    .planet_magnitude = precise::planet_magnitude,
    .planet_angular_diameter = precise::planet_angular_diameter,
    .heliocentric_distance = precise::heliocentric_distance,
    .place_holds = precise::place_holds,
    .sidereal_time = precise::sidereal_time,
    .ecliptic_to_equatorial = precise::ecliptic_to_equatorial,
    .equatorial_to_horizontal = precise::equatorial_to_horizontal,
    .equation_of_time = precise::equation_of_time,
    .rise_set = precise::rise_set,
    .season_instants = precise::season_instants,
    .build_phase_table = precise::build_phase_table,
    .find_year_eclipses = precise::find_year_eclipses,
    .conjunction_table_sample = precise::conjunction_table_sample,
    .find_conjunctions = precise::find_conjunctions,
    .moon_distance_at = precise::moon_distance_at,
    .moon_apsis_refine = precise::moon_apsis_refine,
    .moon_node_instant = precise::moon_node_instant,
    .planet_apsis_instant = precise::planet_apsis_instant,
    .twilight = precise::twilight,
};
