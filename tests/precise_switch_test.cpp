// The switch between the engines: the precise one by default, Settings >
// Classical Calculations (1995) kept in the settings, and the line every
// precise report carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/graph_table.h"
#include "app/menu_state.h"
#include "engine/precise/precise_engine.h"
#include "platform/recording_surface.h"
#include "platform/settings_store.h"
#include "reports/moon_reports.h"
#include "reports/report_document.h"
#include "tests/report_test_support.h"

namespace {

TEST(PreciseSwitch, TheSettingsItemTogglesTheEngineAndKeepsTheChoice) {
    install_memory_settings_store();
    AppState app;
    MenuState menus;
    load_engine_setting(app.sky);
    EXPECT_EQ(app.sky.engine, &PRECISE_ENGINE);  // a new installation: precise
    EXPECT_TRUE(menu_item_checkable(CMD_CLASSICAL_CALCULATIONS));
    EXPECT_FALSE(menu_item_checked(CMD_CLASSICAL_CALCULATIONS, menus, app));

    EXPECT_EQ(run_menu_command(CMD_CLASSICAL_CALCULATIONS, menus, app), MenuCommandResult::Done);
    EXPECT_EQ(app.sky.engine, &CLASSICAL_ENGINE);
    EXPECT_TRUE(menu_item_checked(CMD_CLASSICAL_CALCULATIONS, menus, app));
    EXPECT_EQ(read_setting(CLASSICAL_SETTING), "1");

    AppState next_run;  // the choice survives the program
    load_engine_setting(next_run.sky);
    EXPECT_EQ(next_run.sky.engine, &CLASSICAL_ENGINE);

    run_menu_command(CMD_CLASSICAL_CALCULATIONS, menus, app);
    EXPECT_EQ(app.sky.engine, &PRECISE_ENGINE);
    EXPECT_EQ(read_setting(CLASSICAL_SETTING), "0");
}

TEST(PreciseSwitch, GreyedWithTheSettingsMenuWhileOutputRuns) {
    MenuState menus;
    set_menu_groups_enabled(menus, OutputKind::Report, false);
    EXPECT_FALSE(menus.group_enabled[menu_position_of(CMD_CLASSICAL_CALCULATIONS)]);
    set_menu_groups_enabled(menus, OutputKind::Report, true);
    EXPECT_TRUE(menus.group_enabled[menu_position_of(CMD_CLASSICAL_CALCULATIONS)]);
}

TEST(PreciseSwitch, APreciseReportSaysSoUnderItsLocationLines) {
    SkyContext sky(Location{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.5});
    ReportDocument classical, precise;
    report_header(sky, classical);
    sky.engine = &PRECISE_ENGINE;
    report_header(sky, precise);
    ASSERT_EQ(classical.line_count, 3);
    ASSERT_EQ(precise.line_count, 4);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(report_line(precise, i), report_line(classical, i));
    EXPECT_EQ(report_line(precise, 2), "Precise calculations");
    EXPECT_EQ(report_line(precise, 3), "");
    EXPECT_TRUE(PRECISE_ENGINE.precise);
    EXPECT_FALSE(CLASSICAL_ENGINE.precise);
}

TEST(PreciseSwitch, APreciseGraphSaysSoUnderItsCaption) {
    // The window and the command line draw graphs through draw_graph.
    AppState& app = app_state();
    const SkyEngine* engine = app.sky.engine;
    auto captions = [&](const SkyEngine& with) {
        app.sky.engine = &with;
        SurfaceLog log;
        auto surface = make_recording_surface(log, "s", 1000, 750);
        const GraphStyle style = current_graph_style(false);
        setup_drawing(*surface, DRAWING_GRAPH, 1000, 750, &style);
        EXPECT_EQ(draw_graph(find_graph_generator(CMD_EQUATION_OF_TIME), *surface, style, app.params, app.sky), 0);
        return std::count_if(log.lines.begin(), log.lines.end(), [](const std::string& line) {
            return line.find("\"Precise calculations\"") != std::string::npos;
        });
    };
    EXPECT_EQ(captions(CLASSICAL_ENGINE), 0);
    EXPECT_EQ(captions(PRECISE_ENGINE), 1);
    app.sky.engine = engine;
}

TEST(PreciseSwitch, APreciseMonthKeepsTheNodeOfItsLastDay) {
    // The ascending node of 2026 July 31, 11:53 UT, in the July report run alone.
    SkyContext sky(Location{"Greenwich", COMPASS_NORTH, COMPASS_WEST, 51.5});
    sky.engine = &PRECISE_ENGINE;
    ReportDocument document;
    ASSERT_EQ(moon_nodes_report(document, 10, false, 2026, 7, 7, sky), 0);
    std::string text;
    for (const std::string& line : lines_of(document)) text += line + "\n";
    EXPECT_NE(text.find("07/31/2026    11:53    Ascending"), std::string::npos) << text;
}

}  // namespace
