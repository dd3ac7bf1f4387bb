// The command table against what the user reads elsewhere: the help book's
// two lists of commands (the contents page and the Commands topic), the
// topic files, and the command line's names.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/help.h"
#include "app/menu_state.h"

namespace {

const std::filesystem::path HELP_BOOK = std::filesystem::path(SKYLOOM_SOURCE_DIR) / "resources" / "help";

std::string read_text(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct ListedCommand {
    int context;
    std::string text;
};
// The links of a page's list under the heading "<h3>TITLE menu</h3>", in order.
std::vector<ListedCommand> listed_under(const std::string& page, const std::string& title) {
    std::vector<ListedCommand> listed;
    const std::size_t heading = page.find("<h3>" + title + " menu</h3>");
    if (heading == std::string::npos) return listed;
    const std::size_t end = page.find("</ul>", heading);
    for (std::size_t at = page.find("<li><a href=\"topic-", heading); at < end;
         at = page.find("<li><a href=\"topic-", at + 1)) {
        const std::size_t number = at + 19, text = page.find("\">", at) + 2;
        listed.push_back({std::stoi(page.substr(number)), page.substr(text, page.find("</a>", text) - text)});
    }
    return listed;
}

// A menu text as the help book writes it: no "&", the key after a tab left out.
std::string plain(std::string_view menu_text) {
    std::string text;
    for (char c : menu_text.substr(0, menu_text.find('\t')))
        if (c != '&') text += c;
    return text;
}

// Both lists name every command of each menu under the menu's title, in menu
// order, each linked to the command's topic; commands that share a topic
// (Ecliptic Top and Side) share one entry.  The contents page also lists
// the Credits topic under Help, which the About box opens.
TEST(HelpBook, BothListsOfCommandsFollowTheCommandTable) {
    for (const char* file : {"contents.html", "topic-902.html"}) {
        const std::string page = read_text(HELP_BOOK / file);
        ASSERT_FALSE(page.empty()) << file;
        for (const Menu& menu : menu_bar()) {
            const std::string title = plain(menu.title);
            std::vector<ListedCommand> listed = listed_under(page, title);
            if (!listed.empty() && listed.back().context == HELP_CREDITS) listed.pop_back();
            std::vector<int> expected;
            std::vector<std::vector<std::string>> names;  // the items of each entry
            for (const MenuItem& item : menu.items) {
                if (item.id == 0) continue;
                const int context = help_context_of(item.id);
                if (expected.empty() || expected.back() != context) {
                    expected.push_back(context);
                    names.emplace_back();
                }
                names.back().push_back(plain(item.text));
            }
            std::vector<int> found;
            for (const ListedCommand& entry : listed) found.push_back(entry.context);
            EXPECT_EQ(found, expected) << file << ", " << title << " menu";
            for (std::size_t i = 0; i < listed.size() && i < names.size(); ++i)
                for (const std::string& name : names[i])
                    EXPECT_NE(listed[i].text.find(name), std::string::npos) << file << ": " << listed[i].text;
        }
    }
}

// Every row can be reached: a distinct id, a menu text, a topic file that
// exists; every report, graph and movie has a command-line name, distinct
// within its kind.
TEST(CommandTable, EveryRowHasItsTextTopicAndName) {
    std::set<int> ids;
    std::set<std::string> names;
    for (const CommandEntry& row : command_table()) {
        EXPECT_TRUE(ids.insert(row.id).second) << "id " << row.id;
        EXPECT_EQ(menu_position_of(row.id), row.menu) << "id " << row.id;
        const std::string topic = "topic-" + std::to_string(row.help_context) + ".html";
        EXPECT_TRUE(std::filesystem::exists(HELP_BOOK / topic)) << "id " << row.id << " " << topic;
        if (row.kind == OutputKind::Other) continue;
        ASSERT_NE(row.cli_name, nullptr) << "id " << row.id;
        EXPECT_TRUE(names.insert(std::to_string(static_cast<int>(row.kind)) + row.cli_name).second) << row.cli_name;
        EXPECT_EQ(find_command_named(row.kind, row.cli_name), &row);
    }
    EXPECT_EQ(ids.size(), 67u);  // the items of the menu bar
}

// The usage text lists the names in the order earlier releases printed them,
// whatever the menus' order.
TEST(CommandTable, CommandLineNamesInTheUsageOrder) {
    const std::vector<std::string_view> graphs = command_names(OutputKind::Graph);
    ASSERT_EQ(graphs.size(), 15u);
    EXPECT_EQ(graphs.front(), "jupiter-moons");
    EXPECT_EQ(graphs[1], "planet-orbit");
    EXPECT_EQ(graphs.back(), "eclipses");
    EXPECT_EQ(command_names(OutputKind::Movie),
              (std::vector<std::string_view>{"planetarium", "ecliptic-top", "ecliptic-side", "jupiter-moons-side",
                                             "jupiter-moons-top", "day-night", "binary-star"}));
    const std::vector<std::string_view> reports = command_names(OutputKind::Report);
    ASSERT_EQ(reports.size(), 17u);
    EXPECT_EQ(reports[11], "moon-nodes");
    EXPECT_EQ(reports[14], "elongations");  // after the Almanac's own, before it
    EXPECT_EQ(reports[15], "close-approaches");  // between Moon Apsides and Meteor Showers, as in an Almanac
    EXPECT_EQ(reports.back(), "almanac");
}

// A menu as the user sees it: item texts, "-" for a separator.
std::vector<std::string> shown(const Menu& menu) {
    std::vector<std::string> items;
    for (const MenuItem& item : menu.items) items.emplace_back(item.id ? item.text : "-");
    return items;
}

// The menus the table makes hold the items of the 1995 program's menu
// resource, in its order, with its separators and accelerator texts.
TEST(MenuBar, MenusFromTheTableInTheirOrderWithSeparators) {
    const std::vector<Menu> bar = menu_bar();
    ASSERT_EQ(bar.size(), 8u);
    EXPECT_EQ(shown(bar[MENU_FILE]),
              (std::vector<std::string>{"Export &Events...", "&Print...", "P&rint Setup...", "Set &Font...", "-",
                                        "E&xit"}));
    EXPECT_EQ(shown(bar[MENU_SETTINGS]),
              (std::vector<std::string>{"&Set Location...", "&Assign Colors...", "-", "&Tick Marks", "Gr&id Lines", "-",
                                        "&Classical Calculations (1995)"}));
    EXPECT_EQ(shown(bar[MENU_GRAPHS]),
              (std::vector<std::string>{"Planet &Orbit...", "Planet &Magnitude...", "Planet Illum. &Frac...",
                                        "Planet &Diameter...", "Planet Di&stance...", "Planet &Angle...", "-",
                                        "E&quation of Time...", "Day &Length...", "Sun A&ngle...", "Anal&emma...",
                                        "Sun&rise...", "-", "Moon An&gular Speed...", "Moon Ill&um. Frac...", "-",
                                        "&Jupiter Moons Orbit...", "E&clipses..."}));
    EXPECT_EQ(shown(bar[MENU_MOVIES]),
              (std::vector<std::string>{"Da&y/Night...", "Ec&liptic Top...", "&Ecliptic Side...", "&Planetarium...",
                                        "&Jupiter Moons Side...", "Jupiter &Moons Top...", "&Binary Star...", "-",
                                        "Speed &Up\tF2", "Slow &Down\tF3", "&Reverse Time Speed\tF4", "P&ause\tF5",
                                        "Zoom &In\tF6", "Zoom &Out\tF7", "Jet &Trails\tF8", "&Constellations\tF9",
                                        "Star &Names\tF10"}));
    EXPECT_EQ(shown(bar[MENU_STOP]), (std::vector<std::string>{"&Stop Command\tEsc"}));
    const std::vector<std::string> reports = shown(bar[MENU_REPORTS]);
    ASSERT_EQ(reports.size(), 19u);
    EXPECT_EQ(reports[11], "M&oon Nodes...");
    EXPECT_EQ(reports[14], "-");
    EXPECT_EQ(reports[15], "&Greatest Elongations...");
    EXPECT_EQ(reports[16], "Close App&roaches...");
    EXPECT_EQ(reports[17], "-");
    EXPECT_EQ(reports[18], "A&lmanac...");
    EXPECT_EQ(shown(bar[MENU_HELP]).back(), "&About Skyloom 2...");
}

// The options a command's dialog stands for on the command line: the
// fields of that dialog, and for the planet dialog its modes.
TEST(CommandTable, CommandLineOptionsFollowTheDialogs) {
    const std::pair<int, std::string> cases[] = {
        {CMD_CALENDAR, "year from-month to-month"},       {CMD_SEASONS, "year end-year"},
        {CMD_PLANET_VIEW, "year planets from-month to-month"},  // months offered
        {CMD_PLANET_ORBIT, "year planets"},               {CMD_PLANET_DISTANCE, "year planets from-sun"},
        {CMD_MOON_ILLUMINATION, "year from-month"},       {CMD_EQUATION_OF_TIME, "year"},
        {CMD_DAY_NIGHT, "date time step"},                {CMD_BINARY_STAR, "year speed view-angle star"},
        {CMD_INTRODUCTION, ""},                           {CMD_PLANET_DATA, ""},
    };
    for (const auto& [id, options] : cases) EXPECT_EQ(find_command(id)->cli_options, options) << "command " << id;
    // Rows with the same dialog and modes take the same options.
    for (const CommandEntry& a : command_table())
        for (const CommandEntry& b : command_table())
            if (a.kind != OutputKind::Other && a.dialog == b.dialog && a.dialog != DIAL_NONE &&
                a.months_offered == b.months_offered && a.distance_offered == b.distance_offered)
                EXPECT_STREQ(a.cli_options, b.cli_options) << a.id << " and " << b.id;
}

}  // namespace
