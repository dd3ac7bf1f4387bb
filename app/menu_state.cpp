#include "app/menu_state.h"

#include <algorithm>
#include <iterator>

#include "app/commands.h"
#include "engine/precise/precise_engine.h"
#include "platform/settings_store.h"

namespace {

constexpr MenuItem FILE_ITEMS[] = {
    {CMD_PRINT, "&Print..."}, {CMD_PRINT_SETUP, "P&rint Setup..."}, {CMD_SET_FONT, "Set &Font..."},
    {0, ""}, {CMD_EXIT, "E&xit"},
};
constexpr MenuItem EDIT_ITEMS[] = {{CMD_COPY, "&Copy\tCtrl+C"}};
constexpr MenuItem SETTINGS_ITEMS[] = {
    {CMD_SET_LOCATION, "&Set Location..."}, {CMD_ASSIGN_COLORS, "&Assign Colors..."}, {0, ""},
    {CMD_TICK_MARKS, "&Tick Marks"}, {CMD_GRID_LINES, "Gr&id Lines"}, {0, ""},
    {CMD_CLASSICAL_CALCULATIONS, "&Classical Calculations (1995)"},
};
constexpr MenuItem REPORT_ITEMS[] = {
    {CMD_INTRODUCTION, "&Introduction"},
    {CMD_CALENDAR, "&Calendar..."},
    {CMD_SEASONS, "Seaso&ns..."},
    {CMD_EASTER, "Dates of &Easter..."},
    {CMD_LUNAR_ECLIPSES, "L&unar Eclipses..."},
    {CMD_SOLAR_ECLIPSES, "&Solar Eclipses..."},
    {CMD_PLANET_VIEW, "Planet &View Info..."},
    {CMD_PLANET_APSIDES, "Planet &Apsides..."},
    {CMD_PLANET_CONJ_OPP, "&Planet Conj/Opp..."},
    {CMD_PLANET_DATA, "Planet &Data"},
    {CMD_MOON_APSIDES, "&Moon Apsides..."},
    {CMD_MOON_NODES, "M&oon Nodes..."},
    {CMD_METEOR_SHOWERS, "Meteor S&howers..."},
    {CMD_TWILIGHT, "&Twilight..."},
    {0, ""},
    {CMD_ALMANAC, "A&lmanac..."},
};
constexpr MenuItem GRAPH_ITEMS[] = {
    {CMD_PLANET_ORBIT, "Planet &Orbit..."},
    {CMD_PLANET_MAGNITUDE, "Planet &Magnitude..."},
    {CMD_PLANET_ILLUMINATION, "Planet Illum. &Frac..."},
    {CMD_PLANET_DIAMETER, "Planet &Diameter..."},
    {CMD_PLANET_DISTANCE, "Planet Di&stance..."},
    {CMD_PLANET_ANGLE, "Planet &Angle..."},
    {0, ""},
    {CMD_EQUATION_OF_TIME, "E&quation of Time..."},
    {CMD_DAY_LENGTH, "Day &Length..."},
    {CMD_SUN_ANGLE, "Sun A&ngle..."},
    {CMD_ANALEMMA, "Anal&emma..."},
    {CMD_SUNRISE, "Sun&rise..."},
    {0, ""},
    {CMD_MOON_SPEED, "Moon An&gular Speed..."},
    {CMD_MOON_ILLUMINATION, "Moon Ill&um. Frac..."},
    {0, ""},
    {CMD_JUPITER_MOONS_GRAPH, "&Jupiter Moons Orbit..."},
    {CMD_ECLIPSES_GRAPH, "E&clipses..."},
};
constexpr MenuItem MOVIE_ITEMS[] = {
    {CMD_DAY_NIGHT, "Da&y/Night..."},
    {CMD_ECLIPTIC_TOP, "Ec&liptic Top..."},
    {CMD_ECLIPTIC_SIDE, "&Ecliptic Side..."},
    {CMD_PLANETARIUM, "&Planetarium..."},
    {CMD_JUPITER_MOONS_SIDE, "&Jupiter Moons Side..."},
    {CMD_JUPITER_MOONS_TOP, "Jupiter &Moons Top..."},
    {CMD_BINARY_STAR, "&Binary Star..."},
    {0, ""},
    {CMD_SPEED_UP, "Speed &Up\tF2"},
    {CMD_SLOW_DOWN, "Slow &Down\tF3"},
    {CMD_REVERSE, "&Reverse Time Speed\tF4"},
    {CMD_PAUSE, "P&ause\tF5"},
    {CMD_ZOOM_IN, "Zoom &In\tF6"},
    {CMD_ZOOM_OUT, "Zoom &Out\tF7"},
    {CMD_JET_TRAILS, "Jet &Trails\tF8"},
    {CMD_CONSTELLATIONS, "&Constellations\tF9"},
    {CMD_STAR_NAMES, "Star &Names\tF10"},
};
constexpr MenuItem STOP_ITEMS[] = {{CMD_STOP, "&Stop Command\tEsc"}};
constexpr MenuItem HELP_ITEMS[] = {
    {CMD_HELP_INDEX, "&Index"},
    {CMD_HELP_KEYBOARD, "&Keyboard"},
    {CMD_HELP_COMMANDS, "&Commands"},
    {CMD_HELP_SEARCH, "&Search for Help on..."},
    {CMD_HELP_USING, "&Using Help"},
    {CMD_USERS_GUIDE, "User's &Guide"},
    {0, ""},
    {CMD_ABOUT, "&About Skyloom 2..."},
};

constexpr Menu MENU_BAR[MENU_COUNT] = {
    {"&File", FILE_ITEMS},     {"&Edit", EDIT_ITEMS},     {"&Settings", SETTINGS_ITEMS},
    {"&Reports", REPORT_ITEMS}, {"&Graphs", GRAPH_ITEMS}, {"&Movies", MOVIE_ITEMS},
    {"S&top", STOP_ITEMS},     {"&Help", HELP_ITEMS},
};

struct Accelerator {
    AcceleratorKey key;
    bool control;
    int command;
};
constexpr Accelerator ACCELERATORS[] = {
    {KEY_F2, false, CMD_SPEED_UP},  {KEY_F3, false, CMD_SLOW_DOWN}, {KEY_F4, false, CMD_REVERSE},
    {KEY_F5, false, CMD_PAUSE},     {KEY_F6, false, CMD_ZOOM_IN},   {KEY_F7, false, CMD_ZOOM_OUT},
    {KEY_F8, false, CMD_JET_TRAILS}, {KEY_F9, false, CMD_CONSTELLATIONS}, {KEY_F10, false, CMD_STAR_NAMES},
    {KEY_ESCAPE, false, CMD_STOP}, {KEY_INSERT, true, CMD_COPY},
    {KEY_C, true, CMD_COPY},
};

constexpr int MAX_TIME_SPEED = 64;
constexpr int FASTEST_SPEED_INDEX = 4;  // "1 Month"
constexpr int PAUSED_SPEED_INDEX = 5;
constexpr double MIN_VIEW_ANGLE = 5.0;   // degrees
constexpr double MAX_VIEW_ANGLE = 90.0;  // degrees

// The movies whose field of view can be zoomed.
bool zoomable(int movie) {
    return movie == CMD_ECLIPTIC_TOP || movie == CMD_PLANETARIUM || movie == CMD_BINARY_STAR;
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

std::span<const Menu> menu_bar() { return MENU_BAR; }

int menu_position_of(int id) {
    for (int position = 0; position < MENU_COUNT; ++position)
        for (const MenuItem& item : MENU_BAR[position].items)
            if (item.id == id && id != 0) return position;
    return -1;
}

bool menu_item_checkable(int id) {
    return id == CMD_TICK_MARKS || id == CMD_GRID_LINES || id == CMD_PAUSE || id == CMD_JET_TRAILS ||
           id == CMD_CLASSICAL_CALCULATIONS || id == CMD_CONSTELLATIONS || id == CMD_STAR_NAMES;
}

int accelerator_command(AcceleratorKey key, bool control) {
    for (const Accelerator& a : ACCELERATORS)
        if (a.key == key && a.control == control) return a.command;
    return 0;
}

void load_engine_setting(SkyContext& sky) {
    sky.engine = read_setting(CLASSICAL_SETTING) == "1" ? &CLASSICAL_ENGINE : &PRECISE_ENGINE;
}

MenuState& menu_state() {
    static MenuState menus;
    return menus;
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
    for (int id = CMD_DAY_NIGHT; id <= CMD_BINARY_STAR; ++id) items.push_back({id, movie == CMD_NONE});

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
