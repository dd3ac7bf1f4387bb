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
    EXPECT_EQ(ids.size(), 64u);  // the items of the menu bar
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
    ASSERT_EQ(reports.size(), 15u);
    EXPECT_EQ(reports[11], "moon-nodes");  // between Moon Apsides and Meteor Showers, as in an Almanac
    EXPECT_EQ(reports.back(), "almanac");
}

}  // namespace
