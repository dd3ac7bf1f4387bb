// Menu state and movie controls without a window: the menu bar's items and
// keys, the greying rules, the speed, speed-index and zoom steps, and the
// commands that steer a movie or pick the graph options.
#include "app/menu_state.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/commands.h"

namespace {

TEST(MenuBar, TitlesEveryCommandOnceAndTheirMenus) {
    std::vector<std::string> titles;
    std::map<int, std::string> texts;
    for (const Menu& menu : menu_bar()) {
        titles.emplace_back(menu.title);
        for (const MenuItem& item : menu.items) {
            if (item.id != 0) { EXPECT_TRUE(texts.emplace(item.id, item.text).second) << "item " << item.id; }
        }
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Settings", "&Reports", "&Graphs", "&Movies",
                                                "S&top", "&Help"}));
    EXPECT_EQ(texts.size(), 67u);
    EXPECT_EQ(texts[CMD_CLASSICAL_CALCULATIONS], "&Classical Calculations (1995)");
    EXPECT_EQ(menu_position_of(CMD_CLASSICAL_CALCULATIONS), MENU_SETTINGS);  // greyed while output runs
    EXPECT_EQ(texts[CMD_CONSTELLATIONS], "&Constellations\tF9");
    EXPECT_EQ(menu_position_of(CMD_STAR_NAMES), MENU_MOVIES);
    EXPECT_EQ(texts[110], "&Copy\tCtrl+C");  // the key is shown after a tab
    EXPECT_EQ(texts[141], "M&oon Nodes...");
    EXPECT_EQ(texts[CMD_ELONGATIONS], "&Greatest Elongations...");
    EXPECT_EQ(texts[CMD_CLOSE_APPROACHES], "Close App&roaches...");
    EXPECT_EQ(texts[CMD_EXPORT_EVENTS], "Export &Events...");
    // The menus that greying acts on hold the commands it is meant to cover.
    for (auto [id, position] : {std::pair{CMD_COPY, MENU_EDIT}, {CMD_MOON_NODES, MENU_REPORTS}, {CMD_CLOSE_APPROACHES, MENU_REPORTS}, {CMD_SPEED_UP, MENU_MOVIES},
                                {CMD_STOP, MENU_STOP}})
        EXPECT_EQ(menu_position_of(id), position) << "item " << id;
}

TEST(MenuBar, AcceleratorKeys) {
    const struct { AcceleratorKey key; bool control; int command; } cases[] = {
        {KEY_F2, false, 69}, {KEY_ESCAPE, false, 100}, {KEY_INSERT, true, 110}, {KEY_C, true, 110}, {KEY_C, false, 0},
        {KEY_F9, false, CMD_CONSTELLATIONS}, {KEY_F10, false, CMD_STAR_NAMES},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accelerator_command(c.key, c.control), c.command) << "key " << c.key << " control " << c.control;
}

std::string groups(const MenuState& m) {
    std::string s;
    for (bool enabled : m.group_enabled) s += enabled ? 'E' : '-';
    return s;  // File Edit Settings Reports Graphs Movies Stop Help
}

// Greying by output kind; every call but disabling for Other removes the Pause check.
TEST(MenuGroups, GreyingByKindAndThePauseCheck) {
    const struct { OutputKind kind; bool enable; const char* expected; bool still_paused; } cases[] = {
        {OutputKind::Report, false, "E-----EE", false},
        {OutputKind::Movie, false, "E----EEE", false},  // speed and zoom stay reachable
        {OutputKind::Other, false, "EEEEEEEE", true},   // does nothing
    };
    for (const auto& c : cases) {
        MenuState m;
        m.paused = true;
        set_menu_groups_enabled(m, c.kind, c.enable);
        EXPECT_EQ(groups(m), c.expected) << "kind " << int(c.kind) << " enable " << c.enable;
        EXPECT_EQ(m.paused, c.still_paused) << "kind " << int(c.kind) << " enable " << c.enable;
    }
    MenuState m;
    set_menu_groups_enabled(m, OutputKind::Report, false);
    set_menu_groups_enabled(m, OutputKind::Other, true);
    EXPECT_EQ(groups(m), "EEEEEEEE");
}

// The enabled state of the given items, as 'E' or '-' ('?': not decided).
std::string item_states(const AppState& app, bool snapshot, const std::vector<int>& ids) {
    std::map<int, bool> states;
    for (const MenuItemEnable& item : update_menu_state(app, snapshot)) {
        EXPECT_EQ(states.count(item.id), 0u) << "item " << item.id << " decided twice";
        states[item.id] = item.enabled;
    }
    std::string s;
    for (int id : ids) s += states.count(id) == 0 ? '?' : states.at(id) ? 'E' : '-';
    return s;
}

// Copy Print PrintSetup SetFont Stop
const std::vector<int> GENERAL = {110, 52, 53, 94, 100};
// SpeedUp SlowDown Reverse Pause ZoomIn ZoomOut JetTrails
const std::vector<int> CONTROLS = {69, 68, 73, 74, 70, 71, 72};
const std::vector<int> MOVIES = {61, 62, 63, 64, 65, 66, 67};

TEST(MenuItems, WithoutAMovie) {
    AppState app;
    EXPECT_EQ(item_states(app, false, GENERAL), "-EEE-");
    EXPECT_EQ(item_states(app, false, CONTROLS), "------E");
    EXPECT_EQ(item_states(app, true, GENERAL), "EEEE-");  // a kept snapshot can be copied
    report_add_line("a line", app.report);
    app.current_output = CMD_CALENDAR;
    EXPECT_EQ(item_states(app, false, GENERAL), "E---E") << "report being generated";
    AppState drawing;
    drawing.graph_drawing = true;
    EXPECT_EQ(item_states(drawing, false, GENERAL), "----E") << "graph being drawn";
}

TEST(MenuItems, RunningMovies) {
    const struct { int movie, time_speed, speed_index; double view_angle; const char* controls; } cases[] = {
        {CMD_ECLIPTIC_TOP, 64, 4, 90.0, "-EEEE-E"},
        {CMD_ECLIPTIC_TOP, -64, 0, 5.0, "E-EE-EE"},
        {CMD_ECLIPTIC_SIDE, 1, 0, 45.0, "EEEE--E"},  // no zoom from the side
        {CMD_DAY_NIGHT, 64, 4, 45.0, "-E-E---"},  // the speed index decides; no reverse, no trails
        {CMD_DAY_NIGHT, 0, 5, 45.0, "EE-E---"},  // paused
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "movie " << c.movie << " speed " << c.time_speed);
        AppState app;
        app.current_output = c.movie;
        app.sky.time_speed = c.time_speed;
        app.sky.speed_index = c.speed_index;
        app.sky.view_angle = c.view_angle;
        EXPECT_EQ(item_states(app, false, CONTROLS), c.controls);
        EXPECT_EQ(item_states(app, false, MOVIES), "-------");
        EXPECT_EQ(item_states(app, false, GENERAL), "----E");
    }
}

TEST(MenuItems, CheckMarks) {
    MenuState m;
    AppState app;
    auto marks = [&] {
        std::string s;
        for (int id : {CMD_TICK_MARKS, CMD_GRID_LINES, CMD_PAUSE, CMD_JET_TRAILS, CMD_COPY})
            s += menu_item_checked(id, m, app) ? 'X' : '-';
        return s;
    };
    EXPECT_EQ(marks(), "X----");  // Tick Marks checked at start
    app.jet_trails = true;
    EXPECT_EQ(marks(), "X--X-");
}

// Powers of two from -64 through 0 to 64; other speeds double or halve, limited to +-64.
TEST(MovieSteps, TimeSpeed) {
    const struct { int speed; bool faster; int expected; } cases[] = {
        {64, true, 64}, {-64, false, -64}, {1, false, 0}, {0, false, -1}, {-1, true, 0},
        {10, true, 20}, {20, true, 40}, {40, true, 64}, {-3, true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(step_time_speed(c.speed, c.faster), c.expected) << c.speed << (c.faster ? " faster" : " slower");
}

TEST(MovieSteps, SpeedIndexAndZoom) {
    const struct { int index; bool faster; int expected; } indexes[] = {
        {3, true, 4}, {4, true, 4}, {5, true, 5}, {0, false, 0}, {5, false, 4},  // 5 is paused
    };
    for (const auto& c : indexes)
        EXPECT_EQ(step_speed_index(c.index, c.faster), c.expected) << c.index << (c.faster ? " faster" : " slower");
    const struct { double angle; bool in; double expected; } zooms[] = {
        {6.0, true, 5.0}, {5.0, true, 5.0}, {90.0, true, 60.0}, {80.0, false, 90.0}, {5.0, false, 7.5},
    };
    for (const auto& c : zooms)
        EXPECT_NEAR(zoom_view_angle(c.angle, c.in), c.expected, 1e-12) << c.angle << (c.in ? " in" : " out");
}

// Speed and speed index move together; Pause parks the speed; zoom redraws only with trails.
TEST(MenuCommands, SteerAMovie) {
    using R = MenuCommandResult;
    MenuState menus;
    AppState app;
    app.sky.time_speed = 8, app.sky.speed_index = 2, app.sky.view_angle = 6.0;
    const struct { int id; R result; int speed, index; double angle; bool paused, jet_trails; } steps[] = {
        {CMD_SPEED_UP, R::Done, 16, 3, 6.0, false, false},
        {CMD_REVERSE, R::Done, -16, 3, 6.0, false, false},
        {CMD_PAUSE, R::Done, 0, 5, 6.0, true, false},
        {CMD_SPEED_UP, R::Done, 1, 5, 6.0, true, false},    // still checked
        {CMD_PAUSE, R::Done, -16, 3, 6.0, false, false},    // the parked speed, not the stepped one
        {CMD_ZOOM_IN, R::Done, -16, 3, 5.0, false, false},
        {CMD_JET_TRAILS, R::DiscardBitmaps, -16, 3, 5.0, false, true},
        {CMD_ZOOM_OUT, R::DiscardBitmaps, -16, 3, 7.5, false, true},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(run_menu_command(s.id, menus, app), s.result) << "command " << s.id;
        EXPECT_EQ(std::tuple(app.sky.time_speed, app.sky.speed_index, app.sky.view_angle, menus.paused, app.jet_trails),
                  std::tuple(s.speed, s.index, s.angle, s.paused, s.jet_trails)) << "command " << s.id;
    }
}

TEST(MenuCommands, TickMarksAndGridLinesAreExclusiveOtherIdsAreNoMenuCommands) {
    MenuState menus;
    AppState app;
    for (int id : {CMD_GRID_LINES, CMD_TICK_MARKS, CMD_GRID_LINES}) {
        EXPECT_EQ(run_menu_command(id, menus, app), MenuCommandResult::Done);  // the graph is not redrawn
        EXPECT_EQ(menus.tick_marks, id == CMD_TICK_MARKS) << id;
        EXPECT_EQ(menus.grid_lines, id == CMD_GRID_LINES) << id;
    }
    for (int id : {int{CMD_COPY}, int{CMD_STOP}, 0})
        EXPECT_EQ(run_menu_command(id, menus, app), MenuCommandResult::NotMenuCommand) << id;
}

}  // namespace
