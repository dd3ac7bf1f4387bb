// The command table: what the program knows about each command, one row
// each, and the adapters from the dialogs' parameters to the generators.
#include <string_view>

#include "app/commands.h"
#include "graphs/eclipses_graph.h"
#include "graphs/moon_graphs.h"
#include "graphs/planet_graphs.h"
#include "graphs/sun_graphs.h"
#include "reports/calendar_report.h"
#include "reports/close_event_reports.h"
#include "reports/eclipse_reports.h"
#include "reports/meteor_showers.h"
#include "reports/moon_reports.h"
#include "reports/planet_reports.h"
#include "reports/report_document.h"
#include "reports/seasons_easter.h"
#include "reports/twilight_report.h"
#include "resources/string_ids.h"

namespace {

using K = OutputKind;

// ---- Reports ----

int introduction(ReportDocument& d, int segment, bool almanac, const CommandParams&, const SkyContext&) {
    return static_text_report(d, 700, 777, segment, almanac);
}
int seasons(ReportDocument& d, int segment, bool almanac, const CommandParams& p, const SkyContext& sky) {
    return seasons_report(d, segment, almanac, p.year, p.end_year, sky);
}
int easter(ReportDocument& d, int segment, bool almanac, const CommandParams& p, const SkyContext&) {
    return easter_report(d, segment, almanac, p.year, p.end_year);
}
int lunar_eclipses(ReportDocument& d, int segment, bool almanac, const CommandParams& p,
                   const SkyContext& sky) {
    return eclipse_report(d, segment, almanac, LUNAR_ECLIPSE, p.year, p.end_year, sky);
}
int solar_eclipses(ReportDocument& d, int segment, bool almanac, const CommandParams& p,
                   const SkyContext& sky) {
    return eclipse_report(d, segment, almanac, SOLAR_ECLIPSE, p.year, p.end_year, sky);
}
// The month-range reports of the Moon and the sky share one parameter list.
using MonthRangeReport = int (*)(ReportDocument&, int, bool, int, int, int, const SkyContext&);
template <MonthRangeReport report>
int month_range(ReportDocument& d, int segment, bool almanac, const CommandParams& p, const SkyContext& sky) {
    return report(d, segment, almanac, p.year, p.month, p.end_month, sky);
}
int planet_view(ReportDocument& d, int segment, bool almanac, const CommandParams& p, const SkyContext& sky) {
    return view_info_report(d, segment, almanac, p.year, p.month, p.end_month, p.planet_set, sky);
}
int planet_apsides(ReportDocument& d, int segment, bool almanac, const CommandParams& p,
                   const SkyContext& sky) {
    return apsides_report(d, segment, almanac, p.year, p.end_year, p.planet_set, sky);
}
int planet_conj_opp(ReportDocument& d, int segment, bool almanac, const CommandParams& p,
                    const SkyContext& sky) {
    return conjunction_report(d, segment, almanac, p.year, p.month, p.end_month, p.planet_set,
                              sky);
}
int elongations(ReportDocument& d, int segment, bool almanac, const CommandParams& p, const SkyContext& sky) {
    return elongations_report(d, segment, almanac, p.year, p.end_year, sky);
}
int close_approaches(ReportDocument& d, int segment, bool almanac, const CommandParams& p, const SkyContext& sky) {
    return close_approaches_report(d, segment, almanac, p.year, p.month, p.end_month, p.planet_set, sky);
}
int planet_data(ReportDocument& d, int segment, bool almanac, const CommandParams&, const SkyContext&) {
    return static_text_report(d, 600, 640, segment, almanac);
}

// ---- Graphs ----

using P = const CommandParams&;
using C = const SkyContext&;

// Adapters from a command's parameters to its generator's, as the command
// table lists them.
template <int (*graph)(Surface&, const GraphStyle&, int, const SkyContext&)>
int year_and_place(Surface& s, const GraphStyle& g, P p, C sky) {
    return graph(s, g, p.year, sky);
}
// The planet graphs of a year take the planets without the Moon and the Earth.
template <int (*graph)(Surface&, const GraphStyle&, int, BodySet, const SkyContext&)>
int year_and_planets(Surface& s, const GraphStyle& g, P p, C sky) {
    return graph(s, g, p.year, p.planet_set & PLANETS, sky);
}
int jupiter_moons(Surface& s, const GraphStyle& g, P p, C sky) {
    return jupiter_moons_graph(s, g, p.year, p.month, p.moon_set, p.number_moons != 0, sky);
}
int planet_distance(Surface& s, const GraphStyle& g, P p, C sky) {
    return planet_distance_graph(s, g, p.year, p.planet_set, p.distance_from_sun, sky);
}
int planet_angle(Surface& s, const GraphStyle& g, P p, C sky) {
    return planet_angle_graph(s, g, p.year, p.month, sky, p.main_planet, p.planet_set);
}
int moon_illumination(Surface& s, const GraphStyle& g, P p, C sky) {
    return moon_illumination_graph(s, g, p.year, p.month, sky);
}
int eclipses(Surface& s, const GraphStyle& g, P p, C sky) {
    return eclipses_graph(s, g, p.year, p.end_year, sky);
}

// The command line's options for the fields of each kind of dialog.
constexpr const char* YEAR = "year";
constexpr const char* YEAR_MONTH = "year from-month";
constexpr const char* YEAR_MONTHS = "year from-month to-month";
constexpr const char* YEARS = "year end-year";
constexpr const char* YEAR_PLANETS = "year planets";
constexpr const char* YEAR_MONTHS_PLANETS = "year planets from-month to-month";
constexpr const char* ECLIPTIC_MOVIE = "date time speed view-angle planets labels";
constexpr const char* JUPITER_MOVIE = "date time speed moons labels";

// Every menu command, one row each, in the order of the menu bar.  A report
// row carries its generator and its place in an Almanac; a graph row its
// generator; a movie row its kind; the others what the core or the window
// does for them.
constexpr CommandEntry COMMANDS[] = {
    // ---- File ----
    {.id = CMD_EXPORT_EVENTS, .menu = MENU_FILE, .label = 3244, .help_context = 104,
     .window_action = WindowAction::ExportEvents},
    {.id = CMD_PRINT, .menu = MENU_FILE, .label = 3152, .help_context = 100, .window_action = WindowAction::Print},
    {.id = CMD_PRINT_SETUP, .menu = MENU_FILE, .label = 3153, .help_context = 101,
     .window_action = WindowAction::PrintSetup},
    {.id = CMD_SET_FONT, .menu = MENU_FILE, .label = 3194, .help_context = 102,
     .window_action = WindowAction::SetFont},
    {.id = CMD_EXIT, .menu = MENU_FILE, .label = 3151, .separated = true, .help_context = 103,
     .window_action = WindowAction::Exit},
    // ---- Edit ----
    {.id = CMD_COPY, .menu = MENU_EDIT, .label = 3210, .keys = {{KEY_C, true}, {KEY_INSERT, true}},
     .help_context = 200, .window_action = WindowAction::Copy},
    // ---- Settings ----
    {.id = CMD_SET_LOCATION, .menu = MENU_SETTINGS, .label = 3230, .dialog = DIAL_SET_LOCATION, .help_context = 300},
    {.id = CMD_ASSIGN_COLORS, .menu = MENU_SETTINGS, .label = 3220, .dialog = DIAL_ASSIGN_COLORS, .help_context = 301},
    {.id = CMD_TICK_MARKS, .menu = MENU_SETTINGS, .label = 3221, .separated = true, .checkable = true,
     .help_context = 515},
    {.id = CMD_GRID_LINES, .menu = MENU_SETTINGS, .label = 3222, .checkable = true, .help_context = 516},
    {.id = CMD_CLASSICAL_CALCULATIONS, .menu = MENU_SETTINGS, .label = 3223, .separated = true, .checkable = true,
     .help_context = 517},
    // ---- Reports, in Almanac order ----
    {.id = CMD_INTRODUCTION, .menu = MENU_REPORTS, .label = 3180, .kind = K::Report, .help_context = 400,
     .cli_name = "introduction", .report = introduction, .segment = 1},
    {.id = CMD_CALENDAR, .menu = MENU_REPORTS, .label = 3181, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 70,
     .help_context = 401, .cli_name = "calendar", .cli_options = YEAR_MONTHS, .report = month_range<calendar_report>,
     .segment = 2},
    {.id = CMD_SEASONS, .menu = MENU_REPORTS, .label = 3182, .kind = K::Report, .dialog = DIAL_YEAR_RANGE, .caption = 75,
     .help_context = 402, .cli_name = "seasons", .cli_options = YEARS, .report = seasons, .segment = 3},
    {.id = CMD_EASTER, .menu = MENU_REPORTS, .label = 3183, .kind = K::Report, .dialog = DIAL_YEAR_RANGE, .caption = 76,
     .help_context = 403, .cli_name = "easter", .cli_options = YEARS, .report = easter, .segment = 4},
    {.id = CMD_LUNAR_ECLIPSES, .menu = MENU_REPORTS, .label = 3184, .kind = K::Report, .dialog = DIAL_YEAR_RANGE,
     .caption = 78, .help_context = 404, .cli_name = "lunar-eclipses", .cli_options = YEARS, .report = lunar_eclipses,
     .segment = 5},
    {.id = CMD_SOLAR_ECLIPSES, .menu = MENU_REPORTS, .label = 3185, .kind = K::Report, .dialog = DIAL_YEAR_RANGE,
     .caption = 77, .help_context = 405, .cli_name = "solar-eclipses", .cli_options = YEARS, .report = solar_eclipses,
     .segment = 6},
    {.id = CMD_PLANET_VIEW, .menu = MENU_REPORTS, .label = 3186, .kind = K::Report, .dialog = DIAL_PLANETS, .caption = 80,
     .help_context = 406, .months_offered = true, .cli_name = "planet-view", .cli_options = YEAR_MONTHS_PLANETS,
     .report = planet_view, .segment = 7},
    {.id = CMD_PLANET_APSIDES, .menu = MENU_REPORTS, .label = 3187, .kind = K::Report, .dialog = DIAL_PLANET_APSIDES,
     .caption = 2209, .help_context = 407, .cli_name = "planet-apsides", .cli_options = "year end-year planets",
     .report = planet_apsides, .segment = 8},
    {.id = CMD_PLANET_CONJ_OPP, .menu = MENU_REPORTS, .label = 3188, .kind = K::Report, .dialog = DIAL_PLANETS,
     .caption = 81, .help_context = 408, .months_offered = true, .cli_name = "planet-conj-opp",
     .cli_options = YEAR_MONTHS_PLANETS, .report = planet_conj_opp, .segment = 9},
    {.id = CMD_PLANET_DATA, .menu = MENU_REPORTS, .label = 3189, .kind = K::Report, .help_context = 409,
     .cli_name = "planet-data", .report = planet_data, .segment = 10},
    {.id = CMD_MOON_APSIDES, .menu = MENU_REPORTS, .label = 3190, .kind = K::Report, .dialog = DIAL_YEAR_MR,
     .caption = 71, .help_context = 410, .cli_name = "moon-apsides", .cli_options = YEAR_MONTHS,
     .report = month_range<moon_apsides_report>, .segment = 11},
    {.id = CMD_MOON_NODES, .menu = MENU_REPORTS, .label = 3241, .kind = K::Report, .dialog = DIAL_YEAR_MR,
     .caption = 1102, .help_context = 411, .cli_name = "moon-nodes", .cli_options = YEAR_MONTHS,
     .report = month_range<moon_nodes_report>, .segment = 12},
    {.id = CMD_METEOR_SHOWERS, .menu = MENU_REPORTS, .label = 3191, .kind = K::Report, .dialog = DIAL_YEAR_MR,
     .caption = 72, .help_context = 412, .cli_name = "meteor-showers", .cli_options = YEAR_MONTHS,
     .report = month_range<meteor_report>, .segment = 13},
    {.id = CMD_TWILIGHT, .menu = MENU_REPORTS, .label = 3192, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 73,
     .help_context = 413, .cli_name = "twilight", .cli_options = YEAR_MONTHS, .report = month_range<twilight_report>,
     .segment = 14, .max_latitude = MAX_LATITUDE_FOR_SUN_PATHS},
    // Reports beyond the Almanac's fourteen (segment 0: not one of its steps).
    {.id = CMD_ELONGATIONS, .menu = MENU_REPORTS, .label = 3242, .separated = true, .kind = K::Report,
     .dialog = DIAL_YEAR_RANGE, .caption = STR_ELONGATIONS, .help_context = 415, .cli_name = "elongations",
     .cli_options = YEARS, .report = elongations},
    {.id = CMD_CLOSE_APPROACHES, .menu = MENU_REPORTS, .label = 3243, .kind = K::Report, .dialog = DIAL_PLANETS,
     .caption = STR_CLOSE_APPROACHES, .help_context = 416, .months_offered = true, .cli_name = "close-approaches",
     .cli_options = YEAR_MONTHS_PLANETS, .report = close_approaches},
    {.id = CMD_ALMANAC, .menu = MENU_REPORTS, .label = 3193, .separated = true, .kind = K::Report,
     .dialog = DIAL_YEAR_MR, .caption = STR_ALMANAC, .help_context = 414, .cli_name = "almanac",
     .cli_options = YEAR_MONTHS},
    // ---- Graphs ----
    {.id = CMD_PLANET_ORBIT, .menu = MENU_GRAPHS, .label = 3112, .kind = K::Graph, .dialog = DIAL_PLANETS, .caption = 90,
     .help_context = 501, .cli_name = "planet-orbit", .cli_options = YEAR_PLANETS, .usage_place = 2,
     .graph = year_and_planets<planet_orbit_graph>},
    {.id = CMD_PLANET_MAGNITUDE, .menu = MENU_GRAPHS, .label = 3113, .kind = K::Graph, .dialog = DIAL_PLANETS,
     .caption = 91, .help_context = 502, .cli_name = "planet-magnitude", .cli_options = YEAR_PLANETS, .usage_place = 3,
     .graph = year_and_planets<planet_magnitude_graph>},
    {.id = CMD_PLANET_ILLUMINATION, .menu = MENU_GRAPHS, .label = 3114, .kind = K::Graph, .dialog = DIAL_PLANETS,
     .caption = 92, .help_context = 503, .cli_name = "planet-illumination", .cli_options = YEAR_PLANETS,
     .usage_place = 4, .graph = year_and_planets<planet_illumination_graph>},
    {.id = CMD_PLANET_DIAMETER, .menu = MENU_GRAPHS, .label = 3115, .kind = K::Graph, .dialog = DIAL_PLANETS,
     .caption = 93, .help_context = 504, .cli_name = "planet-diameter", .cli_options = YEAR_PLANETS, .usage_place = 5,
     .graph = year_and_planets<planet_diameter_graph>},
    {.id = CMD_PLANET_DISTANCE, .menu = MENU_GRAPHS, .label = 3116, .kind = K::Graph, .dialog = DIAL_PLANETS,
     .caption = 106, .help_context = 505, .earth_offered = true, .distance_offered = true,
     .cli_name = "planet-distance", .cli_options = "year planets from-sun", .usage_place = 6, .graph = planet_distance},
    {.id = CMD_PLANET_ANGLE, .menu = MENU_GRAPHS, .label = 3117, .kind = K::Graph, .dialog = DIAL_PLANET_ANGLE,
     .caption = 2208, .help_context = 506, .cli_name = "planet-angle",
     .cli_options = "year from-month planets main-planet", .usage_place = 7, .graph = planet_angle},
    {.id = CMD_EQUATION_OF_TIME, .menu = MENU_GRAPHS, .label = 3118, .separated = true, .kind = K::Graph,
     .dialog = DIAL_YEAR, .caption = 82, .help_context = 507, .cli_name = "equation-of-time", .cli_options = YEAR,
     .usage_place = 8, .graph = year_and_place<equation_of_time_graph>},
    {.id = CMD_DAY_LENGTH, .menu = MENU_GRAPHS, .label = 3119, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 83,
     .help_context = 508, .cli_name = "day-length", .cli_options = YEAR, .usage_place = 9,
     .graph = year_and_place<day_length_graph>},
    {.id = CMD_SUN_ANGLE, .menu = MENU_GRAPHS, .label = 3120, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 84,
     .help_context = 509, .cli_name = "sun-angle", .cli_options = YEAR, .usage_place = 10,
     .graph = year_and_place<sun_angle_graph>},
    {.id = CMD_ANALEMMA, .menu = MENU_GRAPHS, .label = 3121, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 85,
     .help_context = 510, .cli_name = "analemma", .cli_options = YEAR, .usage_place = 11,
     .graph = year_and_place<analemma_graph>, .max_latitude = MAX_LATITUDE_FOR_SUN_PATHS},
    {.id = CMD_SUNRISE, .menu = MENU_GRAPHS, .label = 3122, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 86,
     .help_context = 511, .cli_name = "sunrise", .cli_options = YEAR, .usage_place = 12,
     .graph = year_and_place<sunrise_graph>, .max_latitude = MAX_LATITUDE_FOR_SUN_PATHS},
    {.id = CMD_MOON_SPEED, .menu = MENU_GRAPHS, .label = 3123, .separated = true, .kind = K::Graph, .dialog = DIAL_YEAR,
     .caption = 87, .help_context = 512, .cli_name = "moon-speed", .cli_options = YEAR, .usage_place = 13,
     .graph = year_and_place<moon_angular_speed_graph>},
    {.id = CMD_MOON_ILLUMINATION, .menu = MENU_GRAPHS, .label = 3124, .kind = K::Graph, .dialog = DIAL_YEAR_MONTH,
     .caption = 88, .help_context = 513, .cli_name = "moon-illumination", .cli_options = YEAR_MONTH, .usage_place = 14,
     .graph = moon_illumination},
    {.id = CMD_JUPITER_MOONS_GRAPH, .menu = MENU_GRAPHS, .label = 3111, .separated = true, .kind = K::Graph,
     .dialog = DIAL_JM_GRAPH, .caption = 2210, .help_context = 500, .cli_name = "jupiter-moons",
     .cli_options = "year from-month moons", .usage_place = 1, .graph = jupiter_moons},
    {.id = CMD_ECLIPSES_GRAPH, .menu = MENU_GRAPHS, .label = 3125, .kind = K::Graph, .dialog = DIAL_YEAR_RANGE,
     .caption = 1000, .help_context = 514, .cli_name = "eclipses", .cli_options = YEARS, .usage_place = 15,
     .graph = eclipses},
    // ---- Movies ----
    {.id = CMD_DAY_NIGHT, .menu = MENU_MOVIES, .label = 3161, .kind = K::Movie, .dialog = DIAL_DN_MOVIE, .caption = 186,
     .help_context = 603, .cli_name = "day-night", .cli_options = "date time step", .usage_place = 6,
     .movie = MOVIE_DAY_NIGHT},
    {.id = CMD_ECLIPTIC_TOP, .menu = MENU_MOVIES, .label = 3162, .kind = K::Movie, .dialog = DIAL_EC_MOVIES,
     .caption = 63, .help_context = 602, .cli_name = "ecliptic-top", .cli_options = ECLIPTIC_MOVIE, .usage_place = 2,
     .movie = MOVIE_ECLIPTIC_TOP, .zoomable = true},
    {.id = CMD_ECLIPTIC_SIDE, .menu = MENU_MOVIES, .label = 3163, .kind = K::Movie, .dialog = DIAL_EC_MOVIES,
     .caption = 64, .help_context = 602, .cli_name = "ecliptic-side", .cli_options = ECLIPTIC_MOVIE, .usage_place = 3,
     .movie = MOVIE_ECLIPTIC_SIDE},
    {.id = CMD_PLANETARIUM, .menu = MENU_MOVIES, .label = 3164, .kind = K::Movie, .dialog = DIAL_PL_MOVIE,
     .caption = 2206, .help_context = 600, .cli_name = "planetarium",
     .cli_options = "date time speed view-angle track star bodies turbo labels facing altitude magnitude-limit "
                    "constellations star-names",
     .usage_place = 1, .movie = MOVIE_PLANETARIUM, .zoomable = true, .needs_star_catalogue = true},
    {.id = CMD_JUPITER_MOONS_SIDE, .menu = MENU_MOVIES, .label = 3165, .kind = K::Movie, .dialog = DIAL_JM_MOVIES,
     .caption = 66, .help_context = 601, .cli_name = "jupiter-moons-side", .cli_options = JUPITER_MOVIE,
     .usage_place = 4, .movie = MOVIE_JUPITER_SIDE},
    {.id = CMD_JUPITER_MOONS_TOP, .menu = MENU_MOVIES, .label = 3166, .kind = K::Movie, .dialog = DIAL_JM_MOVIES,
     .caption = 67, .help_context = 601, .cli_name = "jupiter-moons-top", .cli_options = JUPITER_MOVIE,
     .usage_place = 5, .movie = MOVIE_JUPITER_TOP},
    {.id = CMD_BINARY_STAR, .menu = MENU_MOVIES, .label = 3167, .kind = K::Movie, .dialog = DIAL_BS_MOVIE,
     .caption = 2207, .help_context = 604, .cli_name = "binary-star", .cli_options = "year speed view-angle star",
     .usage_place = 7, .movie = MOVIE_BINARY_STAR, .zoomable = true},
    // The controls of a running movie (run_menu_command).
    {.id = CMD_SPEED_UP, .menu = MENU_MOVIES, .label = 3169, .separated = true, .keys = {{KEY_F2}}, .help_context = 605},
    {.id = CMD_SLOW_DOWN, .menu = MENU_MOVIES, .label = 3168, .keys = {{KEY_F3}}, .help_context = 606},
    {.id = CMD_REVERSE, .menu = MENU_MOVIES, .label = 3173, .keys = {{KEY_F4}}, .help_context = 607},
    {.id = CMD_PAUSE, .menu = MENU_MOVIES, .label = 3174, .checkable = true, .keys = {{KEY_F5}}, .help_context = 611},
    {.id = CMD_ZOOM_IN, .menu = MENU_MOVIES, .label = 3170, .keys = {{KEY_F6}}, .help_context = 608},
    {.id = CMD_ZOOM_OUT, .menu = MENU_MOVIES, .label = 3171, .keys = {{KEY_F7}}, .help_context = 609},
    {.id = CMD_JET_TRAILS, .menu = MENU_MOVIES, .label = 3172, .checkable = true, .keys = {{KEY_F8}},
     .help_context = 610},
    {.id = CMD_CONSTELLATIONS, .menu = MENU_MOVIES, .label = 3175, .checkable = true, .keys = {{KEY_F9}},
     .help_context = 600},
    {.id = CMD_STAR_NAMES, .menu = MENU_MOVIES, .label = 3176, .checkable = true, .keys = {{KEY_F10}},
     .help_context = 600},
    // ---- Stop ----
    {.id = CMD_STOP, .menu = MENU_STOP, .label = 3200, .keys = {{KEY_ESCAPE}}, .help_context = 800,
     .run = stop_current_output},
    // ---- Help ----
    {.id = CMD_HELP_INDEX, .menu = MENU_HELP, .label = 3131, .help_context = 900,
     .window_action = WindowAction::HelpContents},
    {.id = CMD_HELP_KEYBOARD, .menu = MENU_HELP, .label = 3132, .help_context = 901,
     .window_action = WindowAction::HelpKeyword, .help_keyword = "keys"},
    {.id = CMD_HELP_COMMANDS, .menu = MENU_HELP, .label = 3133, .help_context = 902,
     .window_action = WindowAction::HelpKeyword, .help_keyword = "commands"},
    {.id = CMD_HELP_SEARCH, .menu = MENU_HELP, .label = 3240, .help_context = 903,
     .window_action = WindowAction::HelpSearch},
    {.id = CMD_HELP_USING, .menu = MENU_HELP, .label = 3135, .help_context = 904,
     .window_action = WindowAction::HelpTopic},
    {.id = CMD_USERS_GUIDE, .menu = MENU_HELP, .label = 3138, .help_context = 905,
     .window_action = WindowAction::HelpKeyword, .help_keyword = "User's Guide"},
    {.id = CMD_ABOUT, .menu = MENU_HELP, .label = 3136, .separated = true, .dialog = DIAL_ABOUT, .help_context = 907},
};

}  // namespace

std::span<const CommandEntry> command_table() { return COMMANDS; }
