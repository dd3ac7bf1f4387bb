#pragma once
// The application's state: the one record every command reads and writes, the
// sky context handed to every generator, and the parameters the dialogs keep.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/bodies.h"
#include "engine/sky_context.h"
#include "movies/sky_atlas.h"
#include "movies/star_catalogue.h"
#include "reports/report_document.h"

// Menu command ids.
enum CommandId : int {
    CMD_NONE = 0,
    CMD_JUPITER_MOONS_GRAPH = 11, CMD_PLANET_ORBIT = 12, CMD_PLANET_MAGNITUDE = 13,
    CMD_PLANET_ILLUMINATION = 14, CMD_PLANET_DIAMETER = 15, CMD_PLANET_DISTANCE = 16,
    CMD_PLANET_ANGLE = 17, CMD_EQUATION_OF_TIME = 18, CMD_DAY_LENGTH = 19, CMD_SUN_ANGLE = 20,
    CMD_ANALEMMA = 21, CMD_SUNRISE = 22, CMD_MOON_SPEED = 23, CMD_MOON_ILLUMINATION = 24,
    CMD_ECLIPSES_GRAPH = 25,
    CMD_HELP_INDEX = 31, CMD_HELP_KEYBOARD = 32, CMD_HELP_COMMANDS = 33, CMD_HELP_USING = 35,
    CMD_ABOUT = 36, CMD_USERS_GUIDE = 38,
    CMD_EXIT = 51, CMD_PRINT = 52, CMD_PRINT_SETUP = 53,
    CMD_DAY_NIGHT = 61, CMD_ECLIPTIC_TOP = 62, CMD_ECLIPTIC_SIDE = 63, CMD_PLANETARIUM = 64,
    CMD_JUPITER_MOONS_SIDE = 65, CMD_JUPITER_MOONS_TOP = 66, CMD_BINARY_STAR = 67,
    CMD_SLOW_DOWN = 68, CMD_SPEED_UP = 69, CMD_ZOOM_IN = 70, CMD_ZOOM_OUT = 71,
    CMD_JET_TRAILS = 72, CMD_REVERSE = 73, CMD_PAUSE = 74, CMD_CONSTELLATIONS = 75, CMD_STAR_NAMES = 76,
    CMD_INTRODUCTION = 80, CMD_CALENDAR = 81, CMD_SEASONS = 82, CMD_EASTER = 83,
    CMD_LUNAR_ECLIPSES = 84, CMD_SOLAR_ECLIPSES = 85, CMD_PLANET_VIEW = 86,
    CMD_PLANET_APSIDES = 87, CMD_PLANET_CONJ_OPP = 88, CMD_PLANET_DATA = 89,
    CMD_MOON_APSIDES = 90, CMD_METEOR_SHOWERS = 91, CMD_TWILIGHT = 92, CMD_ALMANAC = 93,
    CMD_SET_FONT = 94, CMD_STOP = 100, CMD_COPY = 110, CMD_ASSIGN_COLORS = 120,
    CMD_TICK_MARKS = 121, CMD_GRID_LINES = 122, CMD_CLASSICAL_CALCULATIONS = 123, CMD_SET_LOCATION = 130, CMD_HELP_SEARCH = 140,
    CMD_MOON_NODES = 141, CMD_ELONGATIONS = 142, CMD_CLOSE_APPROACHES = 143,
    CMD_EXPORT_EVENTS = 144,
};

enum class OutputKind { Other, Report, Graph, Movie };

// Jupiter's moons, every bit set: bit 0 Io, 1 Europa, 2 Ganymede, 3 Callisto.
constexpr int EVERY_MOON = 0xFFFF;

// What the parameter dialogs show and return; each dialog opens with the
// values last entered anywhere.
struct CommandParams {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;  // local date and time; range starts
    int end_year = 2000;
    int end_month = 12;
    int time_speed = 64;
    int view_angle = 90;           // whole degrees
    int caption = 0;               // string id of the dialog's title
    BodySet planet_set = EARTH_AND_PLANETS;
    int distance_from_sun = 0;     // Planet Distance: 0 from Earth, 1 from the Sun
    int main_planet = id_of(Body::Mercury);
    int moon_set = EVERY_MOON;     // Jupiter's moons: bit 0 Io, 1 Europa, 2 Ganymede, 3 Callisto
    int number_moons = 1;
    int label_planets = 1;
    int planetarium_body = id_of(Body::Sun);  // 0 Sun, 1 Moon, 3..10 planets, 11 a star
    int planetarium_not_tracking = 1;
    BodySet planetarium_view_set = PLANETARIUM_VIEW;
    int planetarium_star = -1;
    int turbo = 0;
    int horizon_view = 0;          // planetarium: 1 the horizon view
    double facing_azimuth = 180.0; // its azimuth, degrees from north through east
    double view_altitude = 30.0;   // its centre's altitude, degrees
    int atlas_stars = 0;           // 1: the stars to magnitude_limit from the deeper catalogue
    double magnitude_limit = 6.0;
    int constellations = 0;        // stick figures and names
    int star_names = 0;            // the brightest stars' names
    int speed_index = 4;           // "1 Month"
    int binary_star = 0;
    int binary_star_year = 2000;
    int movie_command = CMD_NONE;
    bool earth_offered = false, distance_offered = false, months_offered = false;
    bool cancelled = false;
};


struct AppState {
    ReportDocument report;
    bool report_complete = false;
    int current_output = CMD_NONE;
    int saved_output = CMD_NONE;
    bool graph_drawing = false;
    int initial_width = 0, initial_height = 0;
    int drawing_width = 0, drawing_height = 0;
    SkyContext sky;
    SkyContext location_work_copy;
    std::uint32_t frame_counter = 0;
    bool jet_trails = false;
    bool constellations = false;  // the planetarium's Constellations item (F9)
    bool star_names = false;      // the planetarium's Star Names item (F10)
    std::unique_ptr<StarCatalogue> star_catalogue;  // null: the star database is not loaded
    std::unique_ptr<SkyAtlas> sky_atlas;            // the deeper stars and the constellations; null: not loaded
    CommandParams params;
};
// The stop and repaint-pending flags are the message pump's work_signals().

AppState& app_state();

// The start-up values of the parameters: the date and time from the local clock
// (year, month, day, hour, minute; end year and binary-star year the same year).
CommandParams default_command_params(double local_julian_day);
