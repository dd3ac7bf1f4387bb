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

// ---- the menu bar ----

// Every menu command with its text, as the command table gives them.
const std::map<int, std::string> COMMAND_TEXTS = {
    {11, "&Jupiter Moons Orbit..."}, {12, "Planet &Orbit..."}, {13, "Planet &Magnitude..."},
    {14, "Planet Illum. &Frac..."}, {15, "Planet &Diameter..."}, {16, "Planet Di&stance..."},
    {17, "Planet &Angle..."}, {18, "E&quation of Time..."}, {19, "Day &Length..."}, {20, "Sun A&ngle..."},
    {21, "Anal&emma..."}, {22, "Sun&rise..."}, {23, "Moon An&gular Speed..."}, {24, "Moon Ill&um. Frac..."},
    {25, "E&clipses..."}, {61, "Da&y/Night..."}, {62, "Ec&liptic Top..."}, {63, "&Ecliptic Side..."},
    {64, "&Planetarium..."}, {65, "&Jupiter Moons Side..."}, {66, "Jupiter &Moons Top..."},
    {67, "&Binary Star..."}, {80, "&Introduction"}, {81, "&Calendar..."}, {82, "Seaso&ns..."},
    {83, "Dates of &Easter..."}, {84, "L&unar Eclipses..."}, {85, "&Solar Eclipses..."},
    {86, "Planet &View Info..."}, {87, "Planet &Apsides..."}, {88, "&Planet Conj/Opp..."},
    {89, "Planet &Data"}, {90, "&Moon Apsides..."}, {141, "M&oon Nodes..."}, {91, "Meteor S&howers..."},
    {92, "&Twilight..."}, {93, "A&lmanac..."}, {52, "&Print..."}, {53, "P&rint Setup..."},
    {94, "Set &Font..."}, {51, "E&xit"}, {110, "&Copy\tCtrl+C"}, {130, "&Set Location..."},
    {120, "&Assign Colors..."}, {121, "&Tick Marks"}, {122, "Gr&id Lines"}, {68, "Slow &Down\tF3"},
    {69, "Speed &Up\tF2"}, {70, "Zoom &In\tF6"}, {71, "Zoom &Out\tF7"}, {72, "Jet &Trails\tF8"},
    {73, "&Reverse Time Speed\tF4"}, {74, "P&ause\tF5"}, {100, "&Stop Command\tEsc"}, {31, "&Index"},
    {32, "&Keyboard"}, {33, "&Commands"}, {140, "&Search for Help on..."}, {35, "&Using Help"},
    {38, "User's &Guide"}, {36, "&About Skyloom 2..."},
};

TEST(MenuBar, TitlesAndEveryCommandOnceWithItsText) {
    std::vector<std::string> titles;
    for (const Menu& menu : menu_bar()) titles.push_back(menu.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Settings", "&Reports", "&Graphs", "&Movies",
                                                "S&top", "&Help"}));
    std::map<int, int> seen;
    for (const Menu& menu : menu_bar())
        for (const MenuItem& item : menu.items) {
            if (item.id == 0) continue;
            ++seen[item.id];
            auto expected = COMMAND_TEXTS.find(item.id);
            ASSERT_NE(expected, COMMAND_TEXTS.end()) << "unknown item " << item.id;
            EXPECT_EQ(item.text, expected->second) << "item " << item.id;
        }
    for (const auto& [id, text] : COMMAND_TEXTS) EXPECT_EQ(seen[id], 1) << id << " " << text;
}

// The menus that greying acts on hold the commands it is meant to cover.
TEST(MenuBar, CommandsSitInTheirMenus) {
    const std::pair<int, int> where[] = {
        {CMD_PRINT, MENU_FILE},        {CMD_EXIT, MENU_FILE},        {CMD_COPY, MENU_EDIT},
        {CMD_SET_LOCATION, MENU_SETTINGS}, {CMD_TICK_MARKS, MENU_SETTINGS}, {CMD_INTRODUCTION, MENU_REPORTS},
        {CMD_ALMANAC, MENU_REPORTS},   {CMD_MOON_NODES, MENU_REPORTS}, {CMD_JUPITER_MOONS_GRAPH, MENU_GRAPHS},
        {CMD_ECLIPSES_GRAPH, MENU_GRAPHS}, {CMD_DAY_NIGHT, MENU_MOVIES}, {CMD_SPEED_UP, MENU_MOVIES},
        {CMD_JET_TRAILS, MENU_MOVIES}, {CMD_STOP, MENU_STOP},        {CMD_ABOUT, MENU_HELP},
    };
    for (auto [id, position] : where) EXPECT_EQ(menu_position_of(id), position) << "item " << id;
    EXPECT_EQ(menu_position_of(0), -1);
    EXPECT_EQ(menu_position_of(999), -1);
}

TEST(MenuBar, AcceleratorKeys) {
    const struct { AcceleratorKey key; bool control; int command; } cases[] = {
        {KEY_F2, false, 69}, {KEY_F3, false, 68}, {KEY_F4, false, 73},    {KEY_F5, false, 74},
        {KEY_F6, false, 70}, {KEY_F7, false, 71}, {KEY_F8, false, 72},    {KEY_ESCAPE, false, 100},
        {KEY_INSERT, true, 110}, {KEY_C, true, 110}, {KEY_C, false, 0}, {KEY_INSERT, false, 0},
        {KEY_F2, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accelerator_command(c.key, c.control), c.command) << "key " << c.key << " control " << c.control;
}

// ---- menu groups ----

std::string groups(const MenuState& m) {
    std::string s;
    for (bool enabled : m.group_enabled) s += enabled ? 'E' : '-';
    return s;  // File Edit Settings Reports Graphs Movies Stop Help
}

// Greying by output kind; every call but disabling for Other removes the Pause check.
TEST(MenuGroups, GreyingByKindAndThePauseCheck) {
    const struct { OutputKind kind; bool enable; const char* expected; bool still_paused; } cases[] = {
        {OutputKind::Report, false, "E-----EE", false},
        {OutputKind::Graph, false, "E-----EE", false},
        {OutputKind::Movie, false, "E----EEE", false},  // speed and zoom stay reachable
        {OutputKind::Other, false, "EEEEEEEE", true},   // does nothing
        {OutputKind::Other, true, "EEEEEEEE", false},
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

// ---- item state ----

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
    EXPECT_EQ(item_states(app, false, MOVIES), "EEEEEEE");
    EXPECT_EQ(item_states(app, true, GENERAL), "EEEE-");  // a kept snapshot can be copied
    report_add_line("a line", app.report);
    app.current_output = CMD_CALENDAR;
    EXPECT_EQ(item_states(app, false, GENERAL), "E---E") << "report being generated";
    app.current_output = CMD_NONE;
    EXPECT_EQ(item_states(app, false, GENERAL), "EEEE-") << "report complete";
    AppState drawing;
    drawing.graph_drawing = true;
    EXPECT_EQ(item_states(drawing, false, GENERAL), "----E") << "graph being drawn";
}

TEST(MenuItems, RunningMovies) {
    const struct { int movie, time_speed, speed_index; double view_angle; const char* controls; } cases[] = {
        {CMD_ECLIPTIC_TOP, 64, 4, 90.0, "-EEEE-E"},
        {CMD_ECLIPTIC_TOP, -64, 0, 5.0, "E-EE-EE"},
        {CMD_PLANETARIUM, 10, 0, 45.0, "EEEEEEE"},
        {CMD_BINARY_STAR, 1, 0, 5.0001, "EEEEEEE"},
        {CMD_ECLIPTIC_SIDE, 1, 0, 45.0, "EEEE--E"},  // no zoom from the side
        {CMD_JUPITER_MOONS_TOP, 1, 0, 45.0, "EEEE--E"},
        {CMD_DAY_NIGHT, 64, 4, 45.0, "-E-E---"},  // the speed index decides; no reverse, no trails
        {CMD_DAY_NIGHT, -64, 0, 45.0, "E--E---"},
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

// ---- steps ----

// Time speed steps through every power of two from -64 to 64 and back; other
// speeds step by doubling or halving, limited to +-64.
TEST(MovieSteps, TimeSpeed) {
    const int ladder[] = {-64, -32, -16, -8, -4, -2, -1, 0, 1, 2, 4, 8, 16, 32, 64};
    for (size_t i = 0; i + 1 < std::size(ladder); ++i) {
        EXPECT_EQ(step_time_speed(ladder[i], true), ladder[i + 1]) << ladder[i] << " faster";
        EXPECT_EQ(step_time_speed(ladder[i + 1], false), ladder[i]) << ladder[i + 1] << " slower";
    }
    const struct { int speed; bool faster; int expected; } cases[] = {
        {64, true, 64},   {-64, false, -64}, {10, true, 20},     {40, true, 64}, {-3, true, -1},
        {3, false, 1},    {-10, false, -20}, {-40, false, -64},  {63, true, 64},
    };
    for (const auto& c : cases)
        EXPECT_EQ(step_time_speed(c.speed, c.faster), c.expected) << c.speed << (c.faster ? " faster" : " slower");
}

TEST(MovieSteps, SpeedIndexAndZoom) {
    const struct { int index; bool faster; int expected; } indexes[] = {
        {0, true, 1}, {3, true, 4}, {4, true, 4}, {5, true, 5},  // paused stays paused
        {4, false, 3}, {1, false, 0}, {0, false, 0}, {5, false, 4},
    };
    for (const auto& c : indexes)
        EXPECT_EQ(step_speed_index(c.index, c.faster), c.expected) << c.index << (c.faster ? " faster" : " slower");
    const struct { double angle; bool in; double expected; } zooms[] = {
        {6.0, true, 5.0}, {5.0, true, 5.0}, {90.0, true, 60.0}, {9.0, true, 6.0},
        {80.0, false, 90.0}, {60.0, false, 90.0}, {40.0, false, 60.0}, {5.0, false, 7.5},
    };
    for (const auto& c : zooms)
        EXPECT_NEAR(zoom_view_angle(c.angle, c.in), c.expected, 1e-12) << c.angle << (c.in ? " in" : " out");
}

// ---- commands ----

// One movie steered command by command: speed and speed index move together,
// Pause parks the speed and gives it back, zooming redraws the trails only
// when there are trails.
TEST(MenuCommands, SteerAMovie) {
    using R = MenuCommandResult;
    MenuState menus;
    AppState app;
    app.sky.time_speed = 8, app.sky.speed_index = 2, app.sky.view_angle = 6.0;
    const struct { int id; R result; int speed, index; double angle; bool paused, jet_trails; } steps[] = {
        {CMD_SPEED_UP, R::Done, 16, 3, 6.0, false, false},
        {CMD_SLOW_DOWN, R::Done, 8, 2, 6.0, false, false},
        {CMD_SLOW_DOWN, R::Done, 4, 1, 6.0, false, false},
        {CMD_REVERSE, R::Done, -4, 1, 6.0, false, false},
        {CMD_REVERSE, R::Done, 4, 1, 6.0, false, false},
        {CMD_PAUSE, R::Done, 0, 5, 6.0, true, false},
        {CMD_SPEED_UP, R::Done, 1, 5, 6.0, true, false},  // still checked
        {CMD_PAUSE, R::Done, 4, 1, 6.0, false, false},    // the parked speed, not the stepped one
        {CMD_ZOOM_IN, R::Done, 4, 1, 5.0, false, false},
        {CMD_ZOOM_IN, R::Done, 4, 1, 5.0, false, false},
        {CMD_JET_TRAILS, R::DiscardBitmaps, 4, 1, 5.0, false, true},
        {CMD_ZOOM_OUT, R::DiscardBitmaps, 4, 1, 7.5, false, true},
        {CMD_JET_TRAILS, R::DiscardBitmaps, 4, 1, 7.5, false, false},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(run_menu_command(s.id, menus, app), s.result) << "command " << s.id;
        EXPECT_EQ(std::tuple(app.sky.time_speed, app.sky.speed_index, menus.paused, app.jet_trails),
                  std::tuple(s.speed, s.index, s.paused, s.jet_trails))
            << "command " << s.id;
        EXPECT_NEAR(app.sky.view_angle, s.angle, 1e-12) << "command " << s.id;
    }
}

TEST(MenuCommands, TickMarksAndGridLinesAreExclusiveOtherIdsAreNoMenuCommands) {
    MenuState menus;
    AppState app;
    for (int id : {CMD_GRID_LINES, CMD_GRID_LINES, CMD_TICK_MARKS, CMD_TICK_MARKS, CMD_GRID_LINES}) {
        EXPECT_EQ(run_menu_command(id, menus, app), MenuCommandResult::Done);  // the graph is not redrawn
        EXPECT_EQ(menus.tick_marks, id == CMD_TICK_MARKS) << id;
        EXPECT_EQ(menus.grid_lines, id == CMD_GRID_LINES) << id;
    }
    for (int id : {int{CMD_COPY}, int{CMD_PRINT}, int{CMD_EXIT}, int{CMD_STOP}, int{CMD_INTRODUCTION}, 0})
        EXPECT_EQ(run_menu_command(id, menus, app), MenuCommandResult::NotMenuCommand) << id;
}

}  // namespace
