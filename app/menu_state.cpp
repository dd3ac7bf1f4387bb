#include "app/menu_state.h"

#include <algorithm>
#include <iterator>

#include "app/commands.h"
#include "engine/precise/precise_engine.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int MAX_TIME_SPEED = 64;
constexpr int FASTEST_SPEED_INDEX = 4;  // "1 Month"
constexpr int PAUSED_SPEED_INDEX = 5;
constexpr double MIN_VIEW_ANGLE = 5.0;   // degrees
constexpr double MAX_VIEW_ANGLE = 90.0;  // degrees

// The movies whose field of view can be zoomed.
bool zoomable(int movie) {
    const CommandEntry* row = find_command(movie);
    return row && row->zoomable;
}

void step_movie_speed(SkyContext& sky, bool faster) {
    sky.time_speed = step_time_speed(sky.time_speed, faster);
    sky.speed_index = step_speed_index(sky.speed_index, faster);
}

void toggle_pause(MenuState& menus, SkyContext& sky) {
    menus.paused = !menus.paused;
    if (menus.paused) {
        sky.saved_time_speed = sky.time_speed;
        sky.saved_speed_index = sky.speed_index;
        sky.time_speed = 0;
        sky.speed_index = PAUSED_SPEED_INDEX;
    } else {
        sky.time_speed = sky.saved_time_speed;
        sky.speed_index = sky.saved_speed_index;
    }
}

}  // namespace

std::vector<Menu> menu_bar() {
    std::vector<Menu> bar;
    for (int position = 0; position < MENU_COUNT; ++position)
        bar.push_back({load_string(STR_MENU_TITLE_FIRST + position), {}});
    for (const CommandEntry& c : command_table()) {
        std::vector<MenuItem>& items = bar[c.menu].items;
        if (c.separated) items.push_back({0, ""});
        items.push_back({c.id, load_string(c.label)});
    }
    return bar;
}

int menu_position_of(int id) {
    const CommandEntry* c = id ? find_command(id) : nullptr;
    return c ? c->menu : -1;
}

bool menu_item_checkable(int id) {
    const CommandEntry* c = find_command(id);
    return c && c->checkable;
}

int accelerator_command(AcceleratorKey key, bool control) {
    for (const CommandEntry& c : command_table())
        for (KeyStroke k : c.keys)
            if (k.key != KEY_NONE && k.key == key && k.control == control) return c.id;
    return 0;
}

void load_engine_setting(SkyContext& sky) {
    sky.engine = read_setting(CLASSICAL_SETTING) == "1" ? &CLASSICAL_ENGINE : &PRECISE_ENGINE;
}

void set_menu_groups_enabled(MenuState& menus, OutputKind kind, bool enable) {
    if (kind == OutputKind::Other && !enable) return;
    for (int position : {MENU_EDIT, MENU_SETTINGS, MENU_REPORTS, MENU_GRAPHS})
        menus.group_enabled[position] = enable;
    // The Movies menu keeps its speed and zoom items while a movie runs.
    if (enable || kind != OutputKind::Movie) menus.group_enabled[MENU_MOVIES] = enable;
    menus.paused = false;
}

std::vector<MenuItemEnable> update_menu_state(const AppState& app, bool snapshot_exists) {
    std::vector<MenuItemEnable> items;
    items.push_back({CMD_COPY, app.report.line_count > 0 || snapshot_exists});

    const int movie = output_kind_of(app.current_output) == OutputKind::Movie ? app.current_output : CMD_NONE;
    const bool day_night = movie == CMD_DAY_NIGHT;
    const SkyContext& sky = app.sky;
    if (movie == CMD_NONE) {
        for (int id : {CMD_SPEED_UP, CMD_SLOW_DOWN, CMD_REVERSE, CMD_PAUSE, CMD_ZOOM_IN, CMD_ZOOM_OUT})
            items.push_back({id, false});
        items.push_back({CMD_JET_TRAILS, true});
    } else {
        bool fastest = day_night ? sky.speed_index == FASTEST_SPEED_INDEX : sky.time_speed == MAX_TIME_SPEED;
        bool slowest = day_night ? sky.speed_index == 0 : sky.time_speed == -MAX_TIME_SPEED;
        items.push_back({CMD_SPEED_UP, !fastest});
        items.push_back({CMD_SLOW_DOWN, !slowest});
        items.push_back({CMD_REVERSE, !day_night});
        items.push_back({CMD_JET_TRAILS, !day_night});
        items.push_back({CMD_PAUSE, true});
        items.push_back({CMD_ZOOM_IN, zoomable(movie) && sky.view_angle > MIN_VIEW_ANGLE});
        items.push_back({CMD_ZOOM_OUT, zoomable(movie) && sky.view_angle < MAX_VIEW_ANGLE});
    }
    // A movie must be stopped before another starts.
    for (const CommandEntry& c : command_table())
        if (c.kind == OutputKind::Movie) items.push_back({c.id, movie == CMD_NONE});

    const bool report_running = output_kind_of(app.current_output) == OutputKind::Report;
    const bool busy = movie != CMD_NONE || report_running || app.graph_drawing;
    items.push_back({CMD_STOP, busy});
    for (int id : {CMD_PRINT, CMD_PRINT_SETUP, CMD_SET_FONT}) items.push_back({id, !busy});
    return items;
}

bool menu_item_checked(int id, const MenuState& menus, const AppState& app) {
    switch (id) {
    case CMD_TICK_MARKS: return menus.tick_marks;
    case CMD_GRID_LINES: return menus.grid_lines;
    case CMD_PAUSE: return menus.paused;
    case CMD_JET_TRAILS: return app.jet_trails;
    case CMD_CLASSICAL_CALCULATIONS: return !app.sky.engine->precise;
    case CMD_CONSTELLATIONS: return app.constellations;
    case CMD_STAR_NAMES: return app.star_names;
    default: return false;
    }
}

int step_time_speed(int speed, bool faster) {
    if (speed == 0) return faster ? 1 : -1;
    bool towards_zero = faster ? speed < 0 : speed > 0;
    int next = towards_zero ? speed / 2 : speed * 2;  // integer division truncates towards zero
    return std::clamp(next, -MAX_TIME_SPEED, MAX_TIME_SPEED);
}

int step_speed_index(int index, bool faster) {
    if (faster) return index < FASTEST_SPEED_INDEX ? index + 1 : index;
    return index > 0 ? index - 1 : index;
}

double zoom_view_angle(double angle_degrees, bool zoom_in) {
    if (zoom_in) return std::max(MIN_VIEW_ANGLE, angle_degrees * 2.0 / 3.0);
    return std::min(MAX_VIEW_ANGLE, angle_degrees * 1.5);
}

MenuCommandResult run_menu_command(int id, MenuState& menus, AppState& app) {
    SkyContext& sky = app.sky;
    switch (id) {
    case CMD_SPEED_UP: step_movie_speed(sky, true); break;
    case CMD_SLOW_DOWN: step_movie_speed(sky, false); break;
    case CMD_REVERSE: sky.time_speed = -sky.time_speed; break;
    case CMD_PAUSE: toggle_pause(menus, sky); break;
    case CMD_ZOOM_IN:
    case CMD_ZOOM_OUT:
        sky.view_angle = zoom_view_angle(sky.view_angle, id == CMD_ZOOM_IN);
        // Jet trails drawn at the old scale would no longer match.
        return app.jet_trails ? MenuCommandResult::DiscardBitmaps : MenuCommandResult::Done;
    case CMD_JET_TRAILS:
        app.jet_trails = !app.jet_trails;
        return MenuCommandResult::DiscardBitmaps;
    // The planetarium's next frame draws them or leaves them out.
    case CMD_CONSTELLATIONS: app.constellations = !app.constellations; break;
    case CMD_STAR_NAMES: app.star_names = !app.star_names; break;
    case CMD_TICK_MARKS:
    case CMD_GRID_LINES:
        // Only the check marks change; the current graph is not drawn again.
        menus.tick_marks = id == CMD_TICK_MARKS;
        menus.grid_lines = id == CMD_GRID_LINES;
        break;
    case CMD_CLASSICAL_CALCULATIONS:
        // The next output is computed by the other engine; the choice is kept.
        sky.engine = sky.engine->precise ? &CLASSICAL_ENGINE : &PRECISE_ENGINE;
        write_setting(CLASSICAL_SETTING, sky.engine->precise ? "0" : "1");
        break;
    default: return MenuCommandResult::NotMenuCommand;
    }
    return MenuCommandResult::Done;
}
