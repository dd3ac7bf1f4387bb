// The command table: what the program knows about each command, one row
// each, and the adapters from the dialogs' parameters to the generators.
#include <string_view>

#include "app/commands.h"
#include "graphs/eclipses_graph.h"
#include "graphs/moon_graphs.h"
#include "graphs/planet_graphs.h"
#include "graphs/sun_graphs.h"
#include "reports/calendar_report.h"
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

// Every command with an output or a dialog, one row each: id, kind, dialog
// (caption; the planet dialog's modes: Earth, distance, months offered),
// command-line name, and its generator: a report's with its place in an
// Almanac, a graph's, or a movie's kind.  The reports stand in Almanac order.
// Commands not listed (print, copy, help, movie controls...) go to the
// window's own handler.
constexpr CommandEntry COMMANDS[] = {
    {.id = CMD_JUPITER_MOONS_GRAPH, .kind = K::Graph, .dialog = DIAL_JM_GRAPH, .caption = 2210, .help_context = 500,
     .cli_name = "jupiter-moons", .graph = jupiter_moons},
    {.id = CMD_PLANET_ORBIT, .kind = K::Graph, .dialog = DIAL_PLANETS, .caption = 90, .help_context = 501,
     .cli_name = "planet-orbit", .graph = year_and_planets<planet_orbit_graph>},
    {.id = CMD_PLANET_MAGNITUDE, .kind = K::Graph, .dialog = DIAL_PLANETS, .caption = 91, .help_context = 502,
     .cli_name = "planet-magnitude", .graph = year_and_planets<planet_magnitude_graph>},
    {.id = CMD_PLANET_ILLUMINATION, .kind = K::Graph, .dialog = DIAL_PLANETS, .caption = 92, .help_context = 503,
     .cli_name = "planet-illumination", .graph = year_and_planets<planet_illumination_graph>},
    {.id = CMD_PLANET_DIAMETER, .kind = K::Graph, .dialog = DIAL_PLANETS, .caption = 93, .help_context = 504,
     .cli_name = "planet-diameter", .graph = year_and_planets<planet_diameter_graph>},
    {.id = CMD_PLANET_DISTANCE, .kind = K::Graph, .dialog = DIAL_PLANETS, .caption = 106, .help_context = 505,
     .earth_offered = true, .distance_offered = true, .cli_name = "planet-distance", .graph = planet_distance},
    {.id = CMD_PLANET_ANGLE, .kind = K::Graph, .dialog = DIAL_PLANET_ANGLE, .caption = 2208, .help_context = 506,
     .cli_name = "planet-angle", .graph = planet_angle},
    {.id = CMD_EQUATION_OF_TIME, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 82, .help_context = 507,
     .cli_name = "equation-of-time", .graph = year_and_place<equation_of_time_graph>},
    {.id = CMD_DAY_LENGTH, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 83, .help_context = 508,
     .cli_name = "day-length", .graph = year_and_place<day_length_graph>},
    {.id = CMD_SUN_ANGLE, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 84, .help_context = 509,
     .cli_name = "sun-angle", .graph = year_and_place<sun_angle_graph>},
    {.id = CMD_ANALEMMA, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 85, .help_context = 510,
     .cli_name = "analemma", .graph = year_and_place<analemma_graph>, .sun_path = true},
    {.id = CMD_SUNRISE, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 86, .help_context = 511,
     .cli_name = "sunrise", .graph = year_and_place<sunrise_graph>, .sun_path = true},
    {.id = CMD_MOON_SPEED, .kind = K::Graph, .dialog = DIAL_YEAR, .caption = 87, .help_context = 512,
     .cli_name = "moon-speed", .graph = year_and_place<moon_angular_speed_graph>},
    {.id = CMD_MOON_ILLUMINATION, .kind = K::Graph, .dialog = DIAL_YEAR_MONTH, .caption = 88, .help_context = 513,
     .cli_name = "moon-illumination", .graph = moon_illumination},
    {.id = CMD_ECLIPSES_GRAPH, .kind = K::Graph, .dialog = DIAL_YEAR_RANGE, .caption = 1000, .help_context = 514,
     .cli_name = "eclipses", .graph = eclipses},
    {.id = CMD_PLANETARIUM, .kind = K::Movie, .dialog = DIAL_PL_MOVIE, .caption = 2206, .help_context = 600,
     .cli_name = "planetarium", .movie = MOVIE_PLANETARIUM},
    {.id = CMD_ECLIPTIC_TOP, .kind = K::Movie, .dialog = DIAL_EC_MOVIES, .caption = 63, .help_context = 602,
     .cli_name = "ecliptic-top", .movie = MOVIE_ECLIPTIC_TOP},
    {.id = CMD_ECLIPTIC_SIDE, .kind = K::Movie, .dialog = DIAL_EC_MOVIES, .caption = 64, .help_context = 602,
     .cli_name = "ecliptic-side", .movie = MOVIE_ECLIPTIC_SIDE},
    {.id = CMD_JUPITER_MOONS_SIDE, .kind = K::Movie, .dialog = DIAL_JM_MOVIES, .caption = 66, .help_context = 601,
     .cli_name = "jupiter-moons-side", .movie = MOVIE_JUPITER_SIDE},
    {.id = CMD_JUPITER_MOONS_TOP, .kind = K::Movie, .dialog = DIAL_JM_MOVIES, .caption = 67, .help_context = 601,
     .cli_name = "jupiter-moons-top", .movie = MOVIE_JUPITER_TOP},
    {.id = CMD_DAY_NIGHT, .kind = K::Movie, .dialog = DIAL_DN_MOVIE, .caption = 186, .help_context = 603,
     .cli_name = "day-night", .movie = MOVIE_DAY_NIGHT},
    {.id = CMD_BINARY_STAR, .kind = K::Movie, .dialog = DIAL_BS_MOVIE, .caption = 2207, .help_context = 604,
     .cli_name = "binary-star", .movie = MOVIE_BINARY_STAR},
    {.id = CMD_INTRODUCTION, .kind = K::Report, .help_context = 400, .cli_name = "introduction",
     .report = introduction, .segment = 1},
    {.id = CMD_CALENDAR, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 70, .help_context = 401,
     .cli_name = "calendar", .report = month_range<calendar_report>, .segment = 2},
    {.id = CMD_SEASONS, .kind = K::Report, .dialog = DIAL_YEAR_RANGE, .caption = 75, .help_context = 402,
     .cli_name = "seasons", .report = seasons, .segment = 3},
    {.id = CMD_EASTER, .kind = K::Report, .dialog = DIAL_YEAR_RANGE, .caption = 76, .help_context = 403,
     .cli_name = "easter", .report = easter, .segment = 4},
    {.id = CMD_LUNAR_ECLIPSES, .kind = K::Report, .dialog = DIAL_YEAR_RANGE, .caption = 78, .help_context = 404,
     .cli_name = "lunar-eclipses", .report = lunar_eclipses, .segment = 5},
    {.id = CMD_SOLAR_ECLIPSES, .kind = K::Report, .dialog = DIAL_YEAR_RANGE, .caption = 77, .help_context = 405,
     .cli_name = "solar-eclipses", .report = solar_eclipses, .segment = 6},
    {.id = CMD_PLANET_VIEW, .kind = K::Report, .dialog = DIAL_PLANETS, .caption = 80, .help_context = 406,
     .months_offered = true, .cli_name = "planet-view", .report = planet_view, .segment = 7},
    {.id = CMD_PLANET_APSIDES, .kind = K::Report, .dialog = DIAL_PLANET_APSIDES, .caption = 2209, .help_context = 407,
     .cli_name = "planet-apsides", .report = planet_apsides, .segment = 8},
    {.id = CMD_PLANET_CONJ_OPP, .kind = K::Report, .dialog = DIAL_PLANETS, .caption = 81, .help_context = 408,
     .months_offered = true, .cli_name = "planet-conj-opp", .report = planet_conj_opp, .segment = 9},
    {.id = CMD_PLANET_DATA, .kind = K::Report, .help_context = 409, .cli_name = "planet-data", .report = planet_data,
     .segment = 10},
    {.id = CMD_MOON_APSIDES, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 71, .help_context = 410,
     .cli_name = "moon-apsides", .report = month_range<moon_apsides_report>, .segment = 11},
    {.id = CMD_MOON_NODES, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 1102, .help_context = 411,
     .cli_name = "moon-nodes", .report = month_range<moon_nodes_report>, .segment = 12},
    {.id = CMD_METEOR_SHOWERS, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 72, .help_context = 412,
     .cli_name = "meteor-showers", .report = month_range<meteor_report>, .segment = 13},
    {.id = CMD_TWILIGHT, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = 73, .help_context = 413,
     .cli_name = "twilight", .report = month_range<twilight_report>, .segment = 14, .sun_path = true},
    {.id = CMD_ALMANAC, .kind = K::Report, .dialog = DIAL_YEAR_MR, .caption = STR_ALMANAC, .help_context = 414,
     .cli_name = "almanac"},
    {.id = CMD_SET_LOCATION, .kind = K::Other, .dialog = DIAL_SET_LOCATION, .help_context = 300},
    {.id = CMD_ASSIGN_COLORS, .kind = K::Other, .dialog = DIAL_ASSIGN_COLORS, .help_context = 301},
    {.id = CMD_ABOUT, .kind = K::Other, .dialog = DIAL_ABOUT, .help_context = 907},
};

}  // namespace

std::span<const CommandEntry> command_table() { return COMMANDS; }
