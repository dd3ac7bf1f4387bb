#include "app/commands.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/bodies.h"
#include "platform/message_pump.h"
#include "platform/messages.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The application, one record: the state every command reads and writes,
// the window's side of the commands, and the menus' state.
struct Application {
    AppState state;
    ShellHooks shell;
    MenuState menus;
};

Application& application() {
    static Application app;
    return app;
}

ShellHooks& shell() { return application().shell; }

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
    if (shell().run_dialog) shell().run_dialog(c.dialog, p);
    return !p.cancelled;
}

// Copies what a movie dialog returned into the sky context.
void take_movie_results(DialogId dialog, AppState& app) {
    const CommandParams& p = app.params;
    SkyContext& sky = app.sky;
    switch (dialog) {
    case DIAL_DN_MOVIE: sky.speed_index = p.speed_index; break;
    case DIAL_EC_MOVIES:
    case DIAL_BS_MOVIE: sky.time_speed = p.time_speed; sky.view_angle = p.view_angle; break;
    case DIAL_PL_MOVIE:
        sky.time_speed = p.time_speed;
        sky.turbo = p.turbo;
        sky.view_angle = p.view_angle;
        sky.horizon_view = p.horizon_view != 0;
        sky.view_azimuth = p.facing_azimuth;
        sky.view_altitude = p.view_altitude;
        app.constellations = p.constellations != 0;
        app.star_names = p.star_names != 0;
        call(shell().show_scroll_bars, p.planetarium_not_tracking != 0, 180);
        break;
    case DIAL_JM_MOVIES: sky.time_speed = p.time_speed; break;
    default: break;
    }
}

// The dialog of a report, graph or movie: true when the user accepted it.
// Nothing current changes while it is open or when it is cancelled: the
// report, graph or movie on the screen stays until the new one starts.
bool ask_for_output(const CommandEntry& c, AppState& app) {
    if (c.kind != OutputKind::Report) app.params.movie_command = c.id;
    if (!run_command_dialog(c)) return false;
    const CommandParams& p = app.params;
    if (c.dialog == DIAL_PL_MOVIE && (p.atlas_stars || p.constellations || p.star_names) && app.sky_atlas == nullptr) {
        show_error(MSG_NO_STAR_DATABASE);  // the deeper catalogue they need is missing
        return false;
    }
    return true;
}

void start_graph_or_movie(const CommandEntry& c, AppState& app) {
    call(shell().show_scroll_bars, false, 0);
    app.frame_counter = 0;
    if (c.kind == OutputKind::Movie) take_movie_results(c.dialog, app);
    call(shell().restart_frame_timer);
    call(shell().discard_screen_bitmaps);
    work_signals().repaint_pending = false;
    call(shell().invalidate);
}

void run_report_step(const CommandEntry& step, bool in_almanac, AppState& app) {
    app.current_output = step.id;
    if (step.report) step.report(app.report, step.segment, in_almanac, app.params, app.sky);
}

// The last line of a report the user stopped: which report it was in and
// how far it had come, centred in the 80 columns.
void add_stopped_line(const CommandEntry& step, bool in_almanac, ReportDocument& document) {
    const int percent = static_cast<int>(report_progress_fraction() * 100.0);
    std::string where = step.caption ? std::string(load_string(step.caption)) : std::string();
    if (in_almanac) where = std::string(load_string(find_command(CMD_ALMANAC)->caption)) + (where.empty() ? "" : ", " + where);
    std::string format(load_string(where.empty() ? STR_STOPPED_AT : STR_STOPPED_IN));
    char text[REPORT_WIDTH + 1];
    std::snprintf(text, sizeof text, format.c_str(), percent, where.c_str());
    report_add_line("", document);
    report_add_line(center_line(text), document);
}

void run_reports(const CommandEntry& c, AppState& app) {
    app.current_output = CMD_NONE;
    call(shell().show_scroll_bars, false, 0);
    app.report_complete = false;
    call(shell().discard_screen_bitmaps);
    call(shell().repaint_now);
    const CommandEntry* last = &c;  // the report run last
    if (c.id == CMD_ALMANAC) {
        app.params.end_year = app.params.year;
        app.params.planet_set = EVERY_BODY;
        for (const CommandEntry* step : report_steps()) {
            if (work_signals().stop_requested) break;
            run_report_step(*step, true, app);
            last = step;
        }
    } else {
        run_report_step(c, false, app);
    }
    if (work_signals().stop_requested && app.report.line_count > 0)
        add_stopped_line(*last, c.id == CMD_ALMANAC, app.report);
    call(shell().set_menu_groups_enabled, OutputKind::Other, true);
    app.current_output = CMD_NONE;
    app.report_complete = true;
    call(shell().show_scroll_bars, true, 0);
    call(shell().repaint_now);
}

}  // namespace

AppState& app_state() { return application().state; }

MenuState& menu_state() { return application().menus; }

const CommandEntry* find_command(int id) {
    for (const CommandEntry& c : command_table())
        if (c.id == id) return &c;
    return nullptr;
}

const CommandEntry* find_command_named(OutputKind kind, std::string_view cli_name) {
    for (const CommandEntry& c : command_table())
        if (c.kind == kind && c.cli_name && c.cli_name == cli_name) return &c;
    return nullptr;
}

std::vector<std::string_view> command_names(OutputKind kind) {
    std::vector<const CommandEntry*> rows;
    for (const CommandEntry& c : command_table())
        if (c.kind == kind && c.cli_name) rows.push_back(&c);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CommandEntry* a, const CommandEntry* b) { return a->usage_place < b->usage_place; });
    std::vector<std::string_view> names;
    for (const CommandEntry* c : rows) names.push_back(c->cli_name);
    return names;
}

OutputKind output_kind_of(int id) {
    const CommandEntry* c = find_command(id);
    return c ? c->kind : OutputKind::Other;
}

std::vector<const CommandEntry*> report_steps() {
    std::vector<const CommandEntry*> steps;
    for (const CommandEntry& c : command_table())
        if (c.segment > 0) steps.push_back(&c);
    return steps;
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
    m.atlas_stars = p.atlas_stars != 0;
    m.magnitude_limit = p.magnitude_limit;
    m.binary_star = p.binary_star;
    m.binary_star_year = p.binary_star_year;
    return m;
}

void set_shell_hooks(const ShellHooks& hooks) { shell() = hooks; }

void dispatch_command(int id) {
    AppState& app = app_state();
    work_signals().stop_requested = false;
    const CommandEntry* c = find_command(id);
    if (!c) return;
    if (c->needs_star_catalogue && app.star_catalogue == nullptr) {
        show_error(MSG_NO_STAR_DATABASE);
        return;
    }
    if (!app.sky.engine->precise && app.sky.location.latitude > c->max_latitude) {
        show_error(MSG_LATITUDE_OVER_60);
        return;
    }
    if (c->kind != OutputKind::Other) {
        if (!ask_for_output(*c, app)) return;
        app.current_output = id;
        report_clear(app.report);
        call(shell().set_menu_groups_enabled, c->kind, false);
    }
    if (c->kind == OutputKind::Report) {
        run_reports(*c, app);
    } else if (c->kind == OutputKind::Graph || c->kind == OutputKind::Movie) {
        start_graph_or_movie(*c, app);
    } else if (c->run) {
        c->run();
    } else if (c->dialog == DIAL_SET_LOCATION) {
        // The dialog edits a work copy, taken back whether or not it was cancelled.
        app.location_work_copy = app.sky;
        const bool chosen = run_command_dialog(*c);
        app.sky = app.location_work_copy;
        // The next run starts at the place chosen; the city list itself saves through its own prompt.
        if (chosen) write_setting(PLACE_SETTING, app.sky.location.name);
    } else if (c->dialog != DIAL_NONE) {
        if (c->dialog == DIAL_ASSIGN_COLORS) call(shell().repaint_now);  // the colours are seen behind it
        run_command_dialog(*c);
    } else {
        call(shell().run_other_command, id);
    }
}

void stop_current_output() {
    AppState& app = app_state();
    work_signals().stop_requested = true;
    call(shell().stop_frame_timer);
    call(shell().discard_screen_bitmaps);
    call(shell().capture_snapshot);
    app.current_output = CMD_NONE;
    call(shell().set_menu_groups_enabled, OutputKind::Other, true);
}
