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
constexpr bool N = false, Y = true;

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
    {CMD_JUPITER_MOONS_GRAPH, K::Graph, DIAL_JM_GRAPH, 2210, N, N, N, "jupiter-moons", nullptr, 0, jupiter_moons},
    {CMD_PLANET_ORBIT, K::Graph, DIAL_PLANETS, 90, N, N, N, "planet-orbit",
     nullptr, 0, year_and_planets<planet_orbit_graph>},
    {CMD_PLANET_MAGNITUDE, K::Graph, DIAL_PLANETS, 91, N, N, N, "planet-magnitude",
     nullptr, 0, year_and_planets<planet_magnitude_graph>},
    {CMD_PLANET_ILLUMINATION, K::Graph, DIAL_PLANETS, 92, N, N, N, "planet-illumination",
     nullptr, 0, year_and_planets<planet_illumination_graph>},
    {CMD_PLANET_DIAMETER, K::Graph, DIAL_PLANETS, 93, N, N, N, "planet-diameter",
     nullptr, 0, year_and_planets<planet_diameter_graph>},
    {CMD_PLANET_DISTANCE, K::Graph, DIAL_PLANETS, 106, Y, Y, N, "planet-distance", nullptr, 0, planet_distance},
    {CMD_PLANET_ANGLE, K::Graph, DIAL_PLANET_ANGLE, 2208, N, N, N, "planet-angle", nullptr, 0, planet_angle},
    {CMD_EQUATION_OF_TIME, K::Graph, DIAL_YEAR, 82, N, N, N, "equation-of-time",
     nullptr, 0, year_and_place<equation_of_time_graph>},
    {CMD_DAY_LENGTH, K::Graph, DIAL_YEAR, 83, N, N, N, "day-length", nullptr, 0, year_and_place<day_length_graph>},
    {CMD_SUN_ANGLE, K::Graph, DIAL_YEAR, 84, N, N, N, "sun-angle", nullptr, 0, year_and_place<sun_angle_graph>},
    {CMD_ANALEMMA, K::Graph, DIAL_YEAR, 85, N, N, N, "analemma", nullptr, 0, year_and_place<analemma_graph>},
    {CMD_SUNRISE, K::Graph, DIAL_YEAR, 86, N, N, N, "sunrise", nullptr, 0, year_and_place<sunrise_graph>},
    {CMD_MOON_SPEED, K::Graph, DIAL_YEAR, 87, N, N, N, "moon-speed",
     nullptr, 0, year_and_place<moon_angular_speed_graph>},
    {CMD_MOON_ILLUMINATION, K::Graph, DIAL_YEAR_MONTH, 88, N, N, N, "moon-illumination",
     nullptr, 0, moon_illumination},
    {CMD_ECLIPSES_GRAPH, K::Graph, DIAL_YEAR_RANGE, 1000, N, N, N, "eclipses", nullptr, 0, eclipses},
    {CMD_PLANETARIUM, K::Movie, DIAL_PL_MOVIE, 2206, N, N, N, "planetarium", nullptr, 0, nullptr, MOVIE_PLANETARIUM},
    {CMD_ECLIPTIC_TOP, K::Movie, DIAL_EC_MOVIES, 63, N, N, N, "ecliptic-top",
     nullptr, 0, nullptr, MOVIE_ECLIPTIC_TOP},
    {CMD_ECLIPTIC_SIDE, K::Movie, DIAL_EC_MOVIES, 64, N, N, N, "ecliptic-side",
     nullptr, 0, nullptr, MOVIE_ECLIPTIC_SIDE},
    {CMD_JUPITER_MOONS_SIDE, K::Movie, DIAL_JM_MOVIES, 66, N, N, N, "jupiter-moons-side",
     nullptr, 0, nullptr, MOVIE_JUPITER_SIDE},
    {CMD_JUPITER_MOONS_TOP, K::Movie, DIAL_JM_MOVIES, 67, N, N, N, "jupiter-moons-top",
     nullptr, 0, nullptr, MOVIE_JUPITER_TOP},
    {CMD_DAY_NIGHT, K::Movie, DIAL_DN_MOVIE, 186, N, N, N, "day-night", nullptr, 0, nullptr, MOVIE_DAY_NIGHT},
    {CMD_BINARY_STAR, K::Movie, DIAL_BS_MOVIE, 2207, N, N, N, "binary-star", nullptr, 0, nullptr, MOVIE_BINARY_STAR},
    {CMD_INTRODUCTION, K::Report, DIAL_NONE, 0, N, N, N, "introduction", introduction, 1},
    {CMD_CALENDAR, K::Report, DIAL_YEAR_MR, 70, N, N, N, "calendar", month_range<calendar_report>, 2},
    {CMD_SEASONS, K::Report, DIAL_YEAR_RANGE, 75, N, N, N, "seasons", seasons, 3},
    {CMD_EASTER, K::Report, DIAL_YEAR_RANGE, 76, N, N, N, "easter", easter, 4},
    {CMD_LUNAR_ECLIPSES, K::Report, DIAL_YEAR_RANGE, 78, N, N, N, "lunar-eclipses", lunar_eclipses, 5},
    {CMD_SOLAR_ECLIPSES, K::Report, DIAL_YEAR_RANGE, 77, N, N, N, "solar-eclipses", solar_eclipses, 6},
    {CMD_PLANET_VIEW, K::Report, DIAL_PLANETS, 80, N, N, Y, "planet-view", planet_view, 7},
    {CMD_PLANET_APSIDES, K::Report, DIAL_PLANET_APSIDES, 2209, N, N, N, "planet-apsides", planet_apsides, 8},
    {CMD_PLANET_CONJ_OPP, K::Report, DIAL_PLANETS, 81, N, N, Y, "planet-conj-opp", planet_conj_opp, 9},
    {CMD_PLANET_DATA, K::Report, DIAL_NONE, 0, N, N, N, "planet-data", planet_data, 10},
    {CMD_MOON_APSIDES, K::Report, DIAL_YEAR_MR, 71, N, N, N, "moon-apsides", month_range<moon_apsides_report>, 11},
    {CMD_MOON_NODES, K::Report, DIAL_YEAR_MR, 1102, N, N, N, "moon-nodes", month_range<moon_nodes_report>, 12},
    {CMD_METEOR_SHOWERS, K::Report, DIAL_YEAR_MR, 72, N, N, N, "meteor-showers", month_range<meteor_report>, 13},
    {CMD_TWILIGHT, K::Report, DIAL_YEAR_MR, 73, N, N, N, "twilight", month_range<twilight_report>, 14},
    {CMD_ALMANAC, K::Report, DIAL_YEAR_MR, STR_ALMANAC, N, N, N, "almanac"},
    {CMD_SET_LOCATION, K::Other, DIAL_SET_LOCATION, 0, N, N, N},
    {CMD_ASSIGN_COLORS, K::Other, DIAL_ASSIGN_COLORS, 0, N, N, N},
    {CMD_ABOUT, K::Other, DIAL_ABOUT, 0, N, N, N},
};

}  // namespace

std::span<const CommandEntry> command_table() { return COMMANDS; }
