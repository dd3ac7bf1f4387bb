// Command dispatch without a window: output kinds, pre-checks, dialogs that
// are cancelled, and reports run from their command.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/bodies.h"
#include "platform/message_pump.h"
#include "platform/messages.h"

namespace {

std::vector<std::string> shown;      // messages shown, in order
std::vector<DialogId> dialogs_run;   // dialogs opened, in order
bool cancel_dialogs = false;

bool record_message(const char*, const char* text, MessageIcon) {
    shown.push_back(text);
    return true;
}

void record_dialog(DialogId dialog, CommandParams& params) {
    dialogs_run.push_back(dialog);
    params.cancelled = cancel_dialogs;
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override {
        shown.clear();
        dialogs_run.clear();
        cancel_dialogs = false;
        set_message_presenter(record_message);
        ShellHooks hooks;
        hooks.run_dialog = record_dialog;
        set_shell_hooks(hooks);
        AppState& app = app_state();
        report_clear(app.report);
        app.sky = SkyContext{};
        app.params = CommandParams{};
        app.star_catalogue.reset();
    }
    void TearDown() override {
        set_message_presenter(nullptr);
        set_shell_hooks(ShellHooks{});
    }
};

TEST(OutputKind, ByCommandIdAndTheAlmanacOrder) {
    using K = OutputKind;
    const std::pair<int, K> kinds[] = {
        {0, K::Other},  {10, K::Other},  {11, K::Graph},  {25, K::Graph},  {26, K::Other},
        {61, K::Movie}, {67, K::Movie},  {68, K::Other},  // Slow Down only changes a movie
        {80, K::Report}, {93, K::Report}, {94, K::Other},  // Set Font
        {141, K::Report}};
    for (const auto& [command, kind] : kinds)
        EXPECT_EQ(static_cast<int>(output_kind_of(command)), static_cast<int>(kind)) << "command " << command;
    const std::vector<const CommandEntry*> steps = report_steps();
    ASSERT_EQ(steps.size(), 14u);
    const int order[] = {80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 141, 91, 92};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(steps[i]->id, order[i]) << "step " << i;
        EXPECT_EQ(steps[i]->segment, i + 1) << "step " << i;
    }
}

// Pre-checks refuse a command before its dialog opens: with the classical
// engine, the Twilight report and two Sun graphs above 60 degrees of latitude (60 itself is allowed, other Sun
// graphs have no limit), the planetarium without its star catalogue.
TEST_F(Dispatch, PreChecksRefuseBeforeTheDialog) {
    const char* const too_far = "Latitude cannot be greater than 60\xB0";
    struct Case { int command; double latitude; const char* refusal; std::vector<DialogId> dialogs; };
    const Case cases[] = {
        {CMD_TWILIGHT, 60.0, nullptr, {DIAL_YEAR_MR}},     {CMD_TWILIGHT, 60.0001, too_far, {}},
        {CMD_ANALEMMA, 60.0001, too_far, {}},              {CMD_SUNRISE, 60.0001, too_far, {}},
        {CMD_DAY_LENGTH, 60.0001, nullptr, {DIAL_YEAR}},   {CMD_PLANETARIUM, 0.0, "Star database not loaded", {}},
    };
    for (const Case& c : cases) {
        shown.clear();
        dialogs_run.clear();
        app_state().current_output = CMD_NONE;
        app_state().sky.location.latitude = c.latitude;
        app_state().sky.location.latitude_hemisphere = COMPASS_SOUTH;
        dispatch_command(c.command);
        EXPECT_EQ(shown, c.refusal ? std::vector<std::string>{c.refusal} : std::vector<std::string>{})
            << "command " << c.command;
        EXPECT_EQ(dialogs_run, c.dialogs) << "command " << c.command;
        if (c.refusal) {
            EXPECT_EQ(app_state().current_output, CMD_NONE) << "command " << c.command;
        }
    }
}

// A cancelled dialog changes nothing: the report, graph or movie shown
// before stays, with its pictures and the movie's speed; the Introduction
// needs no dialog.
int discards = 0;  // the screen's pictures thrown away
TEST_F(Dispatch, CancelledDialogsLeaveTheCurrentOutput) {
    ShellHooks hooks;
    hooks.run_dialog = record_dialog;
    hooks.discard_screen_bitmaps = [] { ++discards; };
    set_shell_hooks(hooks);
    AppState& app = app_state();
    report_add_line("an earlier report", app.report);
    app.report_complete = true;
    cancel_dialogs = true;
    discards = 0;
    dispatch_command(CMD_ALMANAC);
    EXPECT_EQ(app.report.line_count, 1);
    EXPECT_FALSE(work_signals().stop_requested);
    EXPECT_EQ(app.current_output, CMD_NONE);
    EXPECT_TRUE(app.report_complete);
    EXPECT_EQ(discards, 0);

    cancel_dialogs = false;
    dispatch_command(CMD_ECLIPTIC_TOP);  // a movie at 64, the dialog's speed
    EXPECT_EQ(app.current_output, CMD_ECLIPTIC_TOP);
    EXPECT_EQ(app.report.line_count, 0);  // the new output replaced the report
    app.sky.time_speed = -8;              // slowed and reversed by its keys
    cancel_dialogs = true;
    discards = 0;
    app.params.time_speed = 32;
    dispatch_command(CMD_ECLIPTIC_SIDE);
    dispatch_command(CMD_EQUATION_OF_TIME);
    EXPECT_EQ(app.current_output, CMD_ECLIPTIC_TOP);
    EXPECT_EQ(app.sky.time_speed, -8);
    EXPECT_EQ(discards, 0);
    EXPECT_EQ(app.params.caption, 82);  // the dialog was titled with the graph's name

    dialogs_run.clear();
    dispatch_command(CMD_INTRODUCTION);
    EXPECT_TRUE(dialogs_run.empty());
    EXPECT_EQ(app.report.line_count, 38);  // its text is checked against the command line's report
    EXPECT_EQ(app.current_output, CMD_NONE);
    EXPECT_TRUE(app.report_complete);
    cancel_dialogs = false;
    dispatch_command(CMD_EQUATION_OF_TIME);
    EXPECT_EQ(app.current_output, CMD_EQUATION_OF_TIME);
    EXPECT_EQ(app.report.line_count, 0);
}

TEST_F(Dispatch, StopEndsTheCurrentOutput) {
    dispatch_command(CMD_ECLIPTIC_TOP);
    EXPECT_EQ(app_state().current_output, CMD_ECLIPTIC_TOP);
    dispatch_command(CMD_STOP);
    EXPECT_EQ(app_state().current_output, CMD_NONE);
    EXPECT_TRUE(work_signals().stop_requested);
    work_signals().stop_requested = false;
}

// The topics one menu's list links on a page of the help book.
std::set<int> listed_topics(const std::string& page, const std::string& menu) {
    std::ifstream in(std::string(SKYLOOM_SOURCE_DIR) + "/resources/help/" + page);
    std::stringstream text;
    text << in.rdbuf();
    const std::string html = text.str();
    std::set<int> topics;
    size_t at = html.find("<h3>" + menu + "</h3>");
    if (at == std::string::npos) return topics;
    const size_t end = html.find("</ul>", at);
    while ((at = html.find("href=\"topic-", at)) < end) {
        at += 12;
        topics.insert(std::stoi(html.substr(at)));
    }
    return topics;
}

// The help book's two lists of commands (its contents and its Commands page)
// name every report, graph and movie of the table under its menu, and no
// report or graph the table does not have.
TEST(CommandTable, HelpBookListsEveryRowUnderItsMenu) {
    const std::pair<OutputKind, const char*> menus[] = {
        {OutputKind::Report, "Reports menu"}, {OutputKind::Graph, "Graphs menu"}, {OutputKind::Movie, "Movies menu"}};
    for (const char* page : {"contents.html", "topic-902.html"}) {
        for (auto [kind, menu] : menus) {
            std::set<int> rows;
            for (const CommandEntry& c : command_table())
                if (c.kind == kind) rows.insert(c.help_context);
            const std::set<int> listed = listed_topics(page, menu);
            for (int topic : rows) EXPECT_TRUE(listed.count(topic)) << page << ", " << menu << ": topic " << topic;
            if (kind != OutputKind::Movie)  // the Movies menu also lists the movie controls
                EXPECT_EQ(listed, rows) << page << ", " << menu;
        }
    }
}

TEST(DefaultParams, ComeFromTheLocalClock) {
    // 1995 March 7, 21:45 local: that date and time, the rest of that year.
    const CommandParams p = default_command_params(2449783.5 + (21 + 45 / 60.0) / 24);
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.day, p.hour, p.minute, p.end_year, p.end_month, p.binary_star_year}),
              std::vector<int>({1995, 3, 7, 21, 45, 1995, 12, 1995}));
    EXPECT_EQ(p.planet_set.bits, 0x7FCu);            // Earth (bit 2) to Pluto (bit 10)
    EXPECT_EQ(p.planetarium_view_set.bits, 0xFFBu);  // all but Earth
}

}  // namespace
