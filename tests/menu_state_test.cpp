// Menu state and movie controls without a window: the menu bar's items and
// keys, the greying rules, the speed, speed-index and zoom steps, and the
// commands that steer a movie or pick the graph options.
#include "app/menu_state.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/commands.h"

namespace {

// ---- the menu bar ----

TEST(MenuBar, TopLevelMenusByPosition) {
    std::span<const Menu> bar = menu_bar();
    ASSERT_EQ(bar.size(), 8u);
    const char* titles[] = {"&File", "&Edit", "&Settings", "&Reports", "&Graphs", "&Movies", "S&top", "&Help"};
    for (size_t i = 0; i < bar.size(); ++i) EXPECT_STREQ(bar[i].title, titles[i]) << "position " << i;
}

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

TEST(MenuBar, EveryCommandOnceWithItsText) {
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

// Alt plus a letter must reach exactly one item of an open menu, and one menu of the bar.
TEST(MenuBar, MnemonicsAreUniqueWithinEachMenu) {
    auto mnemonic = [](const std::string& text) {
        size_t amp = text.find('&');
        return amp == std::string::npos ? '\0' : static_cast<char>(std::tolower(text[amp + 1]));
    };
    std::set<char> titles;
    for (const Menu& menu : menu_bar()) {
        EXPECT_TRUE(titles.insert(mnemonic(menu.title)).second) << menu.title;
        std::set<char> letters;
        for (const MenuItem& item : menu.items) {
            if (item.id == 0) continue;
            EXPECT_TRUE(letters.insert(mnemonic(item.text)).second) << item.text;
        }
    }
}

TEST(MenuBar, AcceleratorKeys) {
    const struct {
        AcceleratorKey key;
        bool control;
        int command;
    } cases[] = {
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

TEST(MenuGroups, GreyingByKind) {
    const struct {
        OutputKind kind;
        bool enable;
        const char* expected;
    } cases[] = {
        {OutputKind::Report, false, "E-----EE"},
        {OutputKind::Graph, false, "E-----EE"},
        {OutputKind::Movie, false, "E----EEE"},  // speed and zoom stay reachable
        {OutputKind::Other, false, "EEEEEEEE"},  // does nothing
        {OutputKind::Other, true, "EEEEEEEE"},
    };
    for (const auto& c : cases) {
        MenuState m;
        set_menu_groups_enabled(m, c.kind, c.enable);
        EXPECT_EQ(groups(m), c.expected) << "kind " << int(c.kind) << " enable " << c.enable;
    }
    MenuState m;
    set_menu_groups_enabled(m, OutputKind::Report, false);
    set_menu_groups_enabled(m, OutputKind::Other, true);
    EXPECT_EQ(groups(m), "EEEEEEEE");
}

TEST(MenuGroups, EveryCallButDisablingOtherRemovesThePauseCheck) {
    MenuState m;
    m.paused = true;
    set_menu_groups_enabled(m, OutputKind::Other, false);
    EXPECT_TRUE(m.paused);
    set_menu_groups_enabled(m, OutputKind::Report, false);
    EXPECT_FALSE(m.paused);
    m.paused = true;
    set_menu_groups_enabled(m, OutputKind::Other, true);
    EXPECT_FALSE(m.paused);
}

// ---- item state ----

// The enabled state of each item the rules decide, as 'E' or '-'.
std::map<int, bool> item_states(const AppState& app, bool snapshot) {
    std::map<int, bool> states;
    for (const MenuItemEnable& item : update_menu_state(app, snapshot)) {
        EXPECT_EQ(states.count(item.id), 0u) << "item " << item.id << " decided twice";
        states[item.id] = item.enabled;
    }
    return states;
}

std::string pick(const std::map<int, bool>& states, const std::vector<int>& ids) {
    std::string s;
    for (int id : ids) s += states.count(id) == 0 ? '?' : states.at(id) ? 'E' : '-';
    return s;
}

// Copy Print PrintSetup SetFont Stop
const std::vector<int> GENERAL = {110, 52, 53, 94, 100};
// SpeedUp SlowDown Reverse Pause ZoomIn ZoomOut JetTrails
const std::vector<int> CONTROLS = {69, 68, 73, 74, 70, 71, 72};
const std::vector<int> MOVIES = {61, 62, 63, 64, 65, 66, 67};

TEST(MenuItems, NothingRunning) {
    AppState app;
    auto s = item_states(app, false);
    EXPECT_EQ(pick(s, GENERAL), "-EEE-");
    EXPECT_EQ(pick(s, CONTROLS), "------E");
    EXPECT_EQ(pick(s, MOVIES), "EEEEEEE");
    EXPECT_EQ(pick(item_states(app, true), GENERAL), "EEEE-");  // a kept snapshot can be copied
}

TEST(MenuItems, ReportBeingGeneratedAndAfterwards) {
    AppState app;
    report_add_line("a line", app.report);
    app.current_output = CMD_CALENDAR;
    EXPECT_EQ(pick(item_states(app, false), GENERAL), "E---E");
    app.current_output = CMD_NONE;
    EXPECT_EQ(pick(item_states(app, false), GENERAL), "EEEE-");
}

TEST(MenuItems, GraphBeingDrawn) {
    AppState app;
    app.graph_drawing = true;
    EXPECT_EQ(pick(item_states(app, false), GENERAL), "----E");
}

TEST(MenuItems, RunningMovies) {
    const struct {
        int movie;
        int time_speed;
        int speed_index;
        double view_angle;
        const char* controls;  // SpeedUp SlowDown Reverse Pause ZoomIn ZoomOut JetTrails
    } cases[] = {
        {CMD_ECLIPTIC_TOP, 64, 4, 90.0, "-EEEE-E"},
        {CMD_ECLIPTIC_TOP, -64, 0, 5.0, "E-EE-EE"},
        {CMD_PLANETARIUM, 10, 0, 45.0, "EEEEEEE"},
        {CMD_BINARY_STAR, 1, 0, 5.0001, "EEEEEEE"},
        {CMD_ECLIPTIC_SIDE, 1, 0, 45.0, "EEEE--E"},  // no zoom from the side
        {CMD_JUPITER_MOONS_TOP, 1, 0, 45.0, "EEEE--E"},
        {CMD_DAY_NIGHT, 64, 4, 45.0, "-E-E---"},  // the speed index decides; no reverse, no trails
        {CMD_DAY_NIGHT, -64, 0, 45.0, "E--E---"},
        {CMD_DAY_NIGHT, 0, 5, 45.0, "EE-E---"},    // paused
    };
    for (const auto& c : cases) {
        AppState app;
        app.current_output = c.movie;
        app.sky.time_speed = c.time_speed;
        app.sky.speed_index = c.speed_index;
        app.sky.view_angle = c.view_angle;
        auto s = item_states(app, false);
        EXPECT_EQ(pick(s, CONTROLS), c.controls) << "movie " << c.movie << " speed " << c.time_speed;
        EXPECT_EQ(pick(s, MOVIES), "-------") << "movie " << c.movie;
        EXPECT_EQ(pick(s, GENERAL), "----E") << "movie " << c.movie;
    }
}

TEST(MenuItems, CheckMarks) {
    MenuState m;
    AppState app;
    EXPECT_TRUE(menu_item_checked(CMD_TICK_MARKS, m, app));  // checked at start
    EXPECT_FALSE(menu_item_checked(CMD_GRID_LINES, m, app));
    EXPECT_FALSE(menu_item_checked(CMD_PAUSE, m, app));
    EXPECT_FALSE(menu_item_checked(CMD_JET_TRAILS, m, app));
    app.jet_trails = true;
    EXPECT_TRUE(menu_item_checked(CMD_JET_TRAILS, m, app));
    EXPECT_FALSE(menu_item_checked(CMD_COPY, m, app));
}

// ---- steps ----

TEST(MovieSteps, TimeSpeed) {
    const struct {
        int speed;
        bool faster;
        int expected;
    } cases[] = {
        {64, true, 64},   {-64, false, -64}, {1, false, 0},   {0, false, -1}, {10, true, 20},
        {20, true, 40},   {40, true, 64},    {0, true, 1},    {-1, true, 0},  {-3, true, -1},
        {3, false, 1},    {-10, false, -20}, {-40, false, -64}, {63, true, 64}, {-2, false, -4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(step_time_speed(c.speed, c.faster), c.expected)
            << "speed " << c.speed << (c.faster ? " faster" : " slower");
}

TEST(MovieSteps, TimeSpeedPassesThroughEveryPowerOfTwo) {
    const int ladder[] = {-64, -32, -16, -8, -4, -2, -1, 0, 1, 2, 4, 8, 16, 32, 64};
    int speed = -64;
    for (size_t i = 1; i < std::size(ladder); ++i) {
        speed = step_time_speed(speed, true);
        EXPECT_EQ(speed, ladder[i]) << "step " << i;
    }
    for (size_t i = std::size(ladder) - 1; i-- > 0;) {
        speed = step_time_speed(speed, false);
        EXPECT_EQ(speed, ladder[i]) << "step back " << i;
    }
}

TEST(MovieSteps, SpeedIndex) {
    const struct {
        int index;
        bool faster;
        int expected;
    } cases[] = {
        {0, true, 1}, {3, true, 4}, {4, true, 4}, {5, true, 5},  // paused stays paused
        {4, false, 3}, {1, false, 0}, {0, false, 0}, {5, false, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(step_speed_index(c.index, c.faster), c.expected)
            << "index " << c.index << (c.faster ? " faster" : " slower");
}

TEST(MovieSteps, Zoom) {
    const struct {
        double angle;
        bool in;
        double expected;
    } cases[] = {
        {6.0, true, 5.0}, {5.0, true, 5.0}, {90.0, true, 60.0}, {9.0, true, 6.0},
        {80.0, false, 90.0}, {60.0, false, 90.0}, {40.0, false, 60.0}, {5.0, false, 7.5},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(zoom_view_angle(c.angle, c.in), c.expected, 1e-12) << c.angle << (c.in ? " in" : " out");
}

// ---- commands ----

class MenuCommands : public ::testing::Test {
protected:
    MenuState menus;
    AppState app;
    MenuCommandResult run(int id) { return run_menu_command(id, menus, app); }
};

TEST_F(MenuCommands, SpeedUpAndSlowDownChangeBothSpeeds) {
    app.sky.time_speed = 8;
    app.sky.speed_index = 2;
    EXPECT_EQ(run(CMD_SPEED_UP), MenuCommandResult::Done);
    EXPECT_EQ(app.sky.time_speed, 16);
    EXPECT_EQ(app.sky.speed_index, 3);
    run(CMD_SLOW_DOWN);
    run(CMD_SLOW_DOWN);
    EXPECT_EQ(app.sky.time_speed, 4);
    EXPECT_EQ(app.sky.speed_index, 1);
}

TEST_F(MenuCommands, Reverse) {
    const std::pair<int, int> cases[] = {{0, 0}, {-64, 64}, {5, -5}};
    for (auto [speed, expected] : cases) {
        app.sky.time_speed = speed;
        run(CMD_REVERSE);
        EXPECT_EQ(app.sky.time_speed, expected) << speed;
    }
}

TEST_F(MenuCommands, PauseThenSpeedUpThenResume) {
    app.sky.time_speed = 16;
    app.sky.speed_index = 3;
    run(CMD_PAUSE);
    EXPECT_TRUE(menus.paused);
    EXPECT_EQ(app.sky.time_speed, 0);
    EXPECT_EQ(app.sky.speed_index, 5);
    run(CMD_SPEED_UP);
    EXPECT_EQ(app.sky.time_speed, 1);
    EXPECT_EQ(app.sky.speed_index, 5);
    EXPECT_TRUE(menus.paused);  // still checked
    run(CMD_PAUSE);
    EXPECT_FALSE(menus.paused);
    EXPECT_EQ(app.sky.time_speed, 16);  // the parked speed, not the stepped one
    EXPECT_EQ(app.sky.speed_index, 3);
}

TEST_F(MenuCommands, ZoomDiscardsBitmapsOnlyWithJetTrails) {
    app.sky.view_angle = 6.0;
    EXPECT_EQ(run(CMD_ZOOM_IN), MenuCommandResult::Done);
    EXPECT_DOUBLE_EQ(app.sky.view_angle, 5.0);
    EXPECT_EQ(run(CMD_ZOOM_IN), MenuCommandResult::Done);
    EXPECT_DOUBLE_EQ(app.sky.view_angle, 5.0);
    app.jet_trails = true;
    app.sky.view_angle = 80.0;
    EXPECT_EQ(run(CMD_ZOOM_OUT), MenuCommandResult::DiscardBitmaps);
    EXPECT_DOUBLE_EQ(app.sky.view_angle, 90.0);
}

TEST_F(MenuCommands, JetTrailsToggle) {
    EXPECT_EQ(run(CMD_JET_TRAILS), MenuCommandResult::DiscardBitmaps);
    EXPECT_TRUE(app.jet_trails);
    EXPECT_EQ(run(CMD_JET_TRAILS), MenuCommandResult::DiscardBitmaps);
    EXPECT_FALSE(app.jet_trails);
}

TEST_F(MenuCommands, TickMarksAndGridLinesAreExclusive) {
    const int sequence[] = {CMD_GRID_LINES, CMD_GRID_LINES, CMD_TICK_MARKS, CMD_TICK_MARKS, CMD_GRID_LINES};
    for (int id : sequence) {
        EXPECT_EQ(run(id), MenuCommandResult::Done);  // nothing to discard: the graph is not redrawn
        EXPECT_EQ(menus.tick_marks, id == CMD_TICK_MARKS) << id;
        EXPECT_EQ(menus.grid_lines, id == CMD_GRID_LINES) << id;
    }
}

TEST_F(MenuCommands, OtherIdsAreNotMenuCommands) {
    for (int id : {int{CMD_COPY}, int{CMD_PRINT}, int{CMD_EXIT}, int{CMD_STOP}, int{CMD_INTRODUCTION}, 0})
        EXPECT_EQ(run(id), MenuCommandResult::NotMenuCommand) << id;
}

}  // namespace
