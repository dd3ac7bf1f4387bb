#include "app/commands.h"

#include "engine/bodies.h"
#include "platform/message_pump.h"
#include "platform/messages.h"
#include "reports/calendar_report.h"
#include "reports/eclipse_reports.h"
#include "reports/meteor_showers.h"
#include "reports/moon_reports.h"
#include "reports/planet_reports.h"
#include "reports/twilight_report.h"
#include "reports/seasons_easter.h"
#include "resources/string_ids.h"

namespace {

using K = OutputKind;
constexpr bool N = false, Y = true;

// Every command with an output or a dialog.  Commands not listed here (print,
// copy, help, movie controls...) go to the window's own handler.
constexpr CommandEntry COMMANDS[] = {
    {CMD_JUPITER_MOONS_GRAPH, K::Graph, DIAL_JM_GRAPH, 2210, N, N, N},
    {CMD_PLANET_ORBIT, K::Graph, DIAL_PLANETS, 90, N, N, N},
    {CMD_PLANET_MAGNITUDE, K::Graph, DIAL_PLANETS, 91, N, N, N},
    {CMD_PLANET_ILLUMINATION, K::Graph, DIAL_PLANETS, 92, N, N, N},
    {CMD_PLANET_DIAMETER, K::Graph, DIAL_PLANETS, 93, N, N, N},
    {CMD_PLANET_DISTANCE, K::Graph, DIAL_PLANETS, 106, Y, Y, N},
    {CMD_PLANET_ANGLE, K::Graph, DIAL_PLANET_ANGLE, 2208, N, N, N},
    {CMD_EQUATION_OF_TIME, K::Graph, DIAL_YEAR, 82, N, N, N},
    {CMD_DAY_LENGTH, K::Graph, DIAL_YEAR, 83, N, N, N},
    {CMD_SUN_ANGLE, K::Graph, DIAL_YEAR, 84, N, N, N},
    {CMD_ANALEMMA, K::Graph, DIAL_YEAR, 85, N, N, N},
    {CMD_SUNRISE, K::Graph, DIAL_YEAR, 86, N, N, N},
    {CMD_MOON_SPEED, K::Graph, DIAL_YEAR, 87, N, N, N},
    {CMD_MOON_ILLUMINATION, K::Graph, DIAL_YEAR_MONTH, 88, N, N, N},
    {CMD_ECLIPSES_GRAPH, K::Graph, DIAL_YEAR_RANGE, 1000, N, N, N},
    {CMD_DAY_NIGHT, K::Movie, DIAL_DN_MOVIE, 186, N, N, N},
    {CMD_ECLIPTIC_TOP, K::Movie, DIAL_EC_MOVIES, 63, N, N, N},
    {CMD_ECLIPTIC_SIDE, K::Movie, DIAL_EC_MOVIES, 64, N, N, N},
    {CMD_PLANETARIUM, K::Movie, DIAL_PL_MOVIE, 2206, N, N, N},
    {CMD_JUPITER_MOONS_SIDE, K::Movie, DIAL_JM_MOVIES, 66, N, N, N},
    {CMD_JUPITER_MOONS_TOP, K::Movie, DIAL_JM_MOVIES, 67, N, N, N},
    {CMD_BINARY_STAR, K::Movie, DIAL_BS_MOVIE, 2207, N, N, N},
    {CMD_INTRODUCTION, K::Report, DIAL_NONE, 0, N, N, N},
    {CMD_CALENDAR, K::Report, DIAL_YEAR_MR, 70, N, N, N},
    {CMD_SEASONS, K::Report, DIAL_YEAR_RANGE, 75, N, N, N},
    {CMD_EASTER, K::Report, DIAL_YEAR_RANGE, 76, N, N, N},
    {CMD_LUNAR_ECLIPSES, K::Report, DIAL_YEAR_RANGE, 78, N, N, N},
    {CMD_SOLAR_ECLIPSES, K::Report, DIAL_YEAR_RANGE, 77, N, N, N},
    {CMD_PLANET_VIEW, K::Report, DIAL_PLANETS, 80, N, N, Y},
    {CMD_PLANET_APSIDES, K::Report, DIAL_PLANET_APSIDES, 2209, N, N, N},
    {CMD_PLANET_CONJ_OPP, K::Report, DIAL_PLANETS, 81, N, N, Y},
    {CMD_PLANET_DATA, K::Report, DIAL_NONE, 0, N, N, N},
    {CMD_MOON_APSIDES, K::Report, DIAL_YEAR_MR, 71, N, N, N},
    {CMD_MOON_NODES, K::Report, DIAL_YEAR_MR, 1102, N, N, N},
    {CMD_METEOR_SHOWERS, K::Report, DIAL_YEAR_MR, 72, N, N, N},
    {CMD_TWILIGHT, K::Report, DIAL_YEAR_MR, 73, N, N, N},
    {CMD_ALMANAC, K::Report, DIAL_YEAR_MR, STR_ALMANAC, N, N, N},
    {CMD_SET_LOCATION, K::Other, DIAL_SET_LOCATION, 0, N, N, N},
    {CMD_ASSIGN_COLORS, K::Other, DIAL_ASSIGN_COLORS, 0, N, N, N},
    {CMD_ABOUT, K::Other, DIAL_ABOUT, 0, N, N, N},
};

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

// The fourteen reports, in the order an Almanac runs them.
const ReportStep REPORTS[] = {
    {CMD_INTRODUCTION, 1, introduction},
    {CMD_CALENDAR, 2, month_range<calendar_report>},
    {CMD_SEASONS, 3, seasons},
    {CMD_EASTER, 4, easter},
    {CMD_LUNAR_ECLIPSES, 5, lunar_eclipses},
    {CMD_SOLAR_ECLIPSES, 6, solar_eclipses},
    {CMD_PLANET_VIEW, 7, planet_view},
    {CMD_PLANET_APSIDES, 8, planet_apsides},
    {CMD_PLANET_CONJ_OPP, 9, planet_conj_opp},
    {CMD_PLANET_DATA, 10, planet_data},
    {CMD_MOON_APSIDES, 11, month_range<moon_apsides_report>},
    {CMD_MOON_NODES, 12, month_range<moon_nodes_report>},
    {CMD_METEOR_SHOWERS, 13, month_range<meteor_report>},
    {CMD_TWILIGHT, 14, month_range<twilight_report>},
};

ShellHooks shell;

template <typename... A>
void call(void (*hook)(A...), A... args) {
    if (hook) hook(args...);
}

// Runs the command's dialog on the application's parameters; true unless cancelled.
bool run_command_dialog(const CommandEntry& c) {
    CommandParams& p = app_state().params;
    p.cancelled = false;
    if (c.dialog == DIAL_NONE) return true;
    p.caption = c.caption;
    p.earth_offered = c.earth_offered;
    p.distance_offered = c.distance_offered;
    p.months_offered = c.months_offered;
    if (shell.run_dialog) shell.run_dialog(c.dialog, p);
    return !p.cancelled;
}

bool latitude_check_applies(int id) {
    return id == CMD_ANALEMMA || id == CMD_SUNRISE || id == CMD_TWILIGHT;
}

// Copies what a movie dialog returned into the sky context.
void take_movie_results(int id, AppState& app) {
    const CommandParams& p = app.params;
    SkyContext& sky = app.sky;
    switch (id) {
    case CMD_DAY_NIGHT: sky.speed_index = p.speed_index; break;
    case CMD_ECLIPTIC_TOP:
    case CMD_ECLIPTIC_SIDE:
    case CMD_BINARY_STAR: sky.time_speed = p.time_speed; sky.view_angle = p.view_angle; break;
    case CMD_PLANETARIUM:
        sky.time_speed = p.time_speed;
        sky.turbo = p.turbo;
        sky.view_angle = p.view_angle;
        call(shell.show_scroll_bars, p.planetarium_not_tracking != 0, 180);
        break;
    case CMD_JUPITER_MOONS_SIDE:
    case CMD_JUPITER_MOONS_TOP: sky.time_speed = p.time_speed; break;
    default: break;
    }
}

void run_graph_or_movie(const CommandEntry& c, AppState& app) {
    call(shell.show_scroll_bars, false, 0);
    app.params.movie_command = c.id;
    app.frame_counter = 0;
    app.current_output = CMD_NONE;
    bool accepted = run_command_dialog(c);
    if (c.kind == OutputKind::Movie) take_movie_results(c.id, app);
    if (accepted) {
        app.current_output = c.id;
        call(shell.restart_frame_timer);
    } else {
        call(shell.set_menu_groups_enabled, OutputKind::Other, true);
    }
    call(shell.discard_screen_bitmaps);
    work_signals().repaint_pending = false;
    call(shell.invalidate);
}

void run_report_step(const ReportStep& step, bool in_almanac, AppState& app) {
    app.current_output = step.command;
    if (step.generator) step.generator(app.report, step.segment, in_almanac, app.params, app.sky);
}

void run_reports(const CommandEntry& c, AppState& app) {
    app.current_output = CMD_NONE;
    call(shell.show_scroll_bars, false, 0);
    app.report_complete = false;
    call(shell.discard_screen_bitmaps);
    call(shell.repaint_now);
    if (c.id == CMD_ALMANAC) {
        if (run_command_dialog(c)) {
            app.params.end_year = app.params.year;
            app.params.planet_set = EVERY_BODY;
            for (const ReportStep& step : REPORTS) {
                if (work_signals().stop_requested) break;
                run_report_step(step, true, app);
            }
        } else {
            work_signals().stop_requested = true;
        }
    } else if (run_command_dialog(c)) {
        run_report_step(*find_report_step(c.id), false, app);
    }
    call(shell.set_menu_groups_enabled, OutputKind::Other, true);
    app.current_output = CMD_NONE;
    app.report_complete = true;
    call(shell.show_scroll_bars, true, 0);
    call(shell.repaint_now);
}

}  // namespace

AppState& app_state() {
    static AppState app;
    return app;
}

const CommandEntry* find_command(int id) {
    for (const CommandEntry& c : COMMANDS)
        if (c.id == id) return &c;
    return nullptr;
}

OutputKind output_kind_of(int id) {
    if (id >= 11 && id <= 25) return OutputKind::Graph;
    if (id >= 61 && id <= 67) return OutputKind::Movie;
    if ((id >= 80 && id <= 93) || id == CMD_MOON_NODES) return OutputKind::Report;
    return OutputKind::Other;
}

MovieKind movie_kind_of(int command) {
    switch (command) {
    case CMD_ECLIPTIC_TOP: return MOVIE_ECLIPTIC_TOP;
    case CMD_ECLIPTIC_SIDE: return MOVIE_ECLIPTIC_SIDE;
    case CMD_JUPITER_MOONS_SIDE: return MOVIE_JUPITER_SIDE;
    case CMD_JUPITER_MOONS_TOP: return MOVIE_JUPITER_TOP;
    case CMD_DAY_NIGHT: return MOVIE_DAY_NIGHT;
    case CMD_BINARY_STAR: return MOVIE_BINARY_STAR;
    default: return MOVIE_PLANETARIUM;
    }
}

MovieParams movie_params_of(const CommandParams& p) {
    MovieParams m;
    m.year = p.year, m.month = p.month, m.day = p.day, m.hour = p.hour, m.minute = p.minute;
    m.planet_set = p.planet_set;
    m.moon_set = p.moon_set;
    m.label_planets = p.label_planets;
    m.planetarium_body = p.planetarium_body;
    m.planetarium_not_tracking = p.planetarium_not_tracking;
    m.planetarium_view_set = p.planetarium_view_set;
    m.planetarium_star = p.planetarium_star;
    m.binary_star = p.binary_star;
    m.binary_star_year = p.binary_star_year;
    return m;
}

const ReportStep* report_steps(int& count) {
    count = static_cast<int>(std::size(REPORTS));
    return REPORTS;
}

const ReportStep* find_report_step(int command) {
    for (const ReportStep& s : REPORTS)
        if (s.command == command) return &s;
    return nullptr;
}

void set_shell_hooks(const ShellHooks& hooks) { shell = hooks; }

void dispatch_command(int id) {
    AppState& app = app_state();
    work_signals().stop_requested = false;
    if (id == CMD_PLANETARIUM && app.star_catalogue == nullptr) {
        show_error(MSG_NO_STAR_DATABASE);
        return;
    }
    if (latitude_check_applies(id) && app.sky.location.latitude > MAX_LATITUDE_FOR_SUN_PATHS) {
        show_error(MSG_LATITUDE_OVER_60);
        return;
    }
    OutputKind kind = output_kind_of(id);
    if (kind != OutputKind::Other) {
        app.current_output = id;
        report_clear(app.report);
        call(shell.set_menu_groups_enabled, kind, false);
    }
    const CommandEntry* c = find_command(id);
    if (kind == OutputKind::Report) {
        run_reports(*c, app);
    } else if (kind == OutputKind::Graph || kind == OutputKind::Movie) {
        run_graph_or_movie(*c, app);
    } else if (id == CMD_STOP) {
        stop_current_output();
    } else if (id == CMD_SET_LOCATION) {
        app.location_work_copy = app.sky;
        run_command_dialog(*c);
        app.sky = app.location_work_copy;
    } else if (c) {
        if (id == CMD_ASSIGN_COLORS) call(shell.repaint_now);
        run_command_dialog(*c);
    } else {
        call(shell.run_other_command, id);
    }
}

void stop_current_output() {
    AppState& app = app_state();
    work_signals().stop_requested = true;
    call(shell.stop_frame_timer);
    call(shell.discard_screen_bitmaps);
    call(shell.capture_snapshot);
    app.current_output = CMD_NONE;
    call(shell.set_menu_groups_enabled, OutputKind::Other, true);
}
