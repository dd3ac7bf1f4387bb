// Context help: the command and dialog contexts, the help book's files,
// its keywords and links, and the help window on Qt (headless).
#include "app/help.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "app/app_state.h"
#include "app/menu_state.h"
#include "platform/files.h"
#include "platform/qt/message_box.h"
#include "test_files.h"
#include "window/help_window.h"
#include "window/window.h"
#include "window_test_main.h"

namespace fs = std::filesystem;

namespace {

// The build's folder: the program, its data files and the help book beside it.
const fs::path program_folder = fs::path(SKYLOOM_BINARY).parent_path();

std::vector<std::string> error_boxes;  // texts of the message boxes closed by the answerer

// Closes any message box the help opened, remembering its text.
void answer_box() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    error_boxes.push_back(box->text().toStdString());
    box->accept();
}

// Every help context the program asks for: the menu commands' and the dialogs'.
std::vector<int> all_contexts() {
    std::vector<int> contexts{100, 101, 102, 103, 200, 300, 301, 800, 1008, 1015, 1016, 1017, 1018};
    for (int c = 400; c <= 414; ++c) contexts.push_back(c);
    for (int c = 500; c <= 516; ++c) contexts.push_back(c);
    for (int c = 600; c <= 611; ++c) contexts.push_back(c);
    for (int c = 900; c <= 908; ++c) contexts.push_back(c);
    return contexts;
}

QTextBrowser* topic_view() { return help_window()->findChild<QTextBrowser*>("help_topic"); }

class Help : public ::testing::Test {
protected:
    void SetUp() override {
        install_qt_message_presenter();  // error boxes as the window shows them
        set_data_folder(program_folder.string());
        error_boxes.clear();
    }
    void TearDown() override { close_help_window(); }
};

// Commands and dialogs sharing a topic, and unknown ones; F1 over any menu item finds a topic.
TEST_F(Help, CommandAndDialogContexts) {
    const std::pair<int, int> commands[] = {{CMD_JUPITER_MOONS_TOP, 601}, {CMD_JUPITER_MOONS_SIDE, 601}, {999, -1}};
    for (auto [command, context] : commands) EXPECT_EQ(help_context_of(command), context) << "command " << command;
    for (const Menu& menu : menu_bar())
        for (const MenuItem& item : menu.items) {
            if (item.id != 0) { EXPECT_GE(help_context_of(item.id), 0) << item.text; }
        }
    EXPECT_EQ(dialog_help_context(DIAL_ASSIGN_COLORS), 301);
    EXPECT_EQ(dialog_help_context(DIAL_NONE), -1);
}

// Every context's file exists beside the program, with a title and only entities Qt knows.
TEST_F(Help, EveryContextHasATopicWithATitle) {
    for (int context : all_contexts()) {
        std::string path = help_topic_path(context);
        EXPECT_EQ(fs::path(path).parent_path(), program_folder / "help");
        EXPECT_FALSE(help_topic_title(context).empty()) << path;
        QTextDocument page;
        page.setHtml(QString::fromLatin1(read_text(path)));
        EXPECT_FALSE(page.toPlainText().contains(QRegularExpression("&[a-z]+;"))) << path;
    }
}

// Keywords match without case and by prefix; every keyword has a topic.
TEST_F(Help, KeywordsResolve) {
    const std::pair<const char*, int> cases[] = {{"KEYS", 901}, {"analem", 510}, {"no such keyword", -1}};
    for (auto [keyword, context] : cases) EXPECT_EQ(help_keyword_context(keyword), context) << keyword;
    for (const HelpKeyword& k : help_keywords())
        EXPECT_TRUE(fs::is_regular_file(help_topic_path(k.context))) << k.keyword;
}

// No dead links in the contents and the command list, which lists every command.
TEST_F(Help, LinksOfTheContentsAndCommandsPointAtExistingFiles) {
    const std::regex link("href=\"([^\"]+)\"");
    for (const char* page : {"contents.html", "topic-902.html"}) {
        std::string text = read_text(help_book_path(page));
        int links = 0;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it, ++links)
            EXPECT_TRUE(fs::is_regular_file(program_folder / "help" / (*it)[1].str())) << page << ": " << (*it)[1];
        EXPECT_GE(links, 60) << page;
    }
}

// Words of a text with runs of blanks, newlines and a DEP-5 file's " ." lines as one blank.
std::string words_of(const std::string& text) {
    std::istringstream in(text);
    std::string word, words;
    while (in >> word)
        if (word != ".") words += (words.empty() ? "" : " ") + word;
    return words;
}

// The Credits topic carries what the data's licences ask a binary copy to
// reproduce: the d3-celestial licence as tools/README.md quotes it, the
// world-atlas notice as debian/copyright quotes it, GeoNames' attribution.
TEST_F(Help, CreditsTopicReproducesTheDataNotices) {
    QTextDocument page;
    page.setHtml(QString::fromLatin1(read_text(help_topic_path(HELP_CREDITS))));
    const std::string credits = words_of(page.toPlainText().toStdString());
    const std::string tools = read_text(std::string(SKYLOOM_SOURCE_DIR) + "/tools/README.md");
    const std::string bsd_start = "    Copyright (c) 2015, Olaf Frohn";
    const std::string bsd = tools.substr(tools.find(bsd_start), tools.find("\n## ", tools.find(bsd_start)) -
                                                                    tools.find(bsd_start));
    EXPECT_NE(credits.find(words_of(bsd)), std::string::npos) << words_of(bsd);
    const std::string copyright = read_text(std::string(SKYLOOM_SOURCE_DIR) + "/debian/copyright");
    const size_t isc = copyright.find("\n\nLicense: ISC\n") + 15;  // the licence paragraph
    const std::string isc_text = words_of(copyright.substr(isc, copyright.find("\n\n", isc) - isc));
    EXPECT_NE(credits.find("Copyright 2013-2019 Michael Bostock " + isc_text), std::string::npos) << isc_text;
    for (const char* notice : {"GeoNames", "Creative Commons Attribution 4.0", "timezone-boundary-builder",
                               "Open Database License", "Natural Earth", "public domain",
                               "GNU General Public License", "either version 3 of the License, or (at your option) any later version"})
        EXPECT_NE(credits.find(notice), std::string::npos) << notice;
    EXPECT_EQ(help_keyword_context("credits"), HELP_CREDITS);
    EXPECT_EQ(help_keyword_context("licence"), HELP_CREDITS);
}

// Full-text search needs all words and ignores markup.
TEST_F(Help, SearchFindsTopicsByWordsOfTheirText) {
    std::vector<HelpTopicHit> hits = search_help_topics("umbra coppery");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].context, 404);
    EXPECT_TRUE(search_help_topics("href").empty());
}

// A topic whose title holds the words comes before topics that only mention
// them ("jet trails" used to list its own topic eighth).
TEST_F(Help, SearchRanksTitleMatchesFirst) {
    const std::pair<const char*, const char*> cases[] = {
        {"jet trails", "Jet Trails"}, {"set location", "Set Location"},
        {"ZOOM", "Zoom In"},           {"easter", "Dates of Easter"},
    };
    for (auto [words, title] : cases) {
        std::vector<HelpTopicHit> hits = search_help_topics(words);
        ASSERT_GE(hits.size(), 2u) << words;
        EXPECT_EQ(hits[0].title, title) << words;
    }
}

// The help window opens beside the window it was asked from and inside the
// screen: the 820 x 600 window asked from a dialog at y = 315 of a
// 900-pixel screen.
TEST_F(Help, PlacedBesideItsOwnerOnTheScreen) {
    const QRect screen(0, 0, 1440, 900);
    struct Case { QRect owner; QSize wanted; QRect expected; } cases[] = {
        {{100, 315, 400, 300}, {820, 600}, {{500, 300}, QSize(820, 600)}},   // right of it, raised to fit
        {{900, 100, 400, 300}, {820, 600}, {{80, 100}, QSize(820, 600)}},    // no room right: left of it
        {{560, 127, 240, 128}, {820, 600}, {{800, 127}, QSize(640, 600)}},   // narrower on the wider side
        {{200, 100, 1000, 700}, {820, 600}, {{620, 100}, QSize(820, 600)}},  // little room either side: over it
        {{0, 0, 300, 200}, {1600, 1000}, {{300, 0}, QSize(1140, 900)}},      // cut to the screen beside it
    };
    for (const Case& c : cases) {
        const QRect place = place_beside(c.owner, c.wanted, screen);
        EXPECT_EQ(place, c.expected) << c.owner.x() << "," << c.owner.y();
        EXPECT_TRUE(screen.contains(place));
    }
    // The headless screen is small: the window is cut to it.
    QWidget owner;
    owner.setGeometry(100, 100, 300, 200);
    owner.show();
    ASSERT_TRUE(show_help_context(510, &owner));
    EXPECT_TRUE(owner.screen()->availableGeometry().contains(help_window()->frameGeometry()));
}

// Esc and Ctrl+W close the help window, as they close other windows.
TEST_F(Help, EscapeAndControlWCloseTheWindow) {
    for (QKeySequence key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        ASSERT_TRUE(show_help_context(510, nullptr));
        help_window()->activateWindow();
        settle();
        bool handled = false;
        for (QShortcut* shortcut : help_window()->findChildren<QShortcut*>())
            if (shortcut->key() == key) {
                emit shortcut->activated();
                handled = true;
            }
        EXPECT_TRUE(handled) << key.toString().toStdString();
        EXPECT_FALSE(help_window()->isVisible()) << key.toString().toStdString();
    }
}

// The window opens on a context's topic; the Help menu's commands follow.
TEST_F(Help, WindowShowsATopicByContext) {
    ASSERT_TRUE(show_help_context(510, nullptr));
    EXPECT_TRUE(help_window()->isVisible());
    EXPECT_EQ(topic_view()->documentTitle(), "Analemma");
    run_help_command(CMD_HELP_KEYBOARD, nullptr);
    EXPECT_EQ(topic_view()->documentTitle(), "Keyboard");
    EXPECT_TRUE(topic_view()->isBackwardAvailable());
}

// Search for Help opens the index tab with the filter emptied; index and search tabs lead to topics.
TEST_F(Help, SearchForHelpOpensTheIndexWithAnEmptyFilter) {
    ASSERT_TRUE(show_help_context(510, nullptr));
    auto* filter = help_window()->findChild<QLineEdit*>("help_index_filter");
    filter->setText("twi");
    run_help_command(CMD_HELP_SEARCH, nullptr);
    EXPECT_EQ(help_window()->findChild<QTabWidget*>()->currentWidget(), filter->parentWidget());
    EXPECT_TRUE(filter->text().isEmpty());
    filter->setText("SOLST");
    emit filter->returnPressed();
    EXPECT_EQ(topic_view()->documentTitle(), "Seasons");
    auto* words = help_window()->findChild<QLineEdit*>("help_search_words");
    auto* results = help_window()->findChild<QListWidget*>("help_search_results");
    words->setText("ascending node");
    emit words->returnPressed();
    ASSERT_FALSE(results->findItems("Moon Nodes", Qt::MatchExactly).empty());
    emit results->itemActivated(results->findItems("Moon Nodes", Qt::MatchExactly)[0]);
    EXPECT_EQ(topic_view()->documentTitle(), "Moon Nodes");
}

// An unknown context or a missing book gives an error box, never a crash.
TEST_F(Help, MissingTopicOrBookGivesAnErrorBoxNotACrash) {
    EXPECT_FALSE(show_help_context(4321, nullptr));
    ASSERT_EQ(error_boxes.size(), 1u);
    EXPECT_NE(error_boxes[0].find("4321"), std::string::npos);
    set_data_folder((program_folder / "no-such-folder").string());
    EXPECT_FALSE(show_help_context(510, nullptr));
    EXPECT_EQ(error_boxes.size(), 2u);
    EXPECT_EQ(help_window(), nullptr);
}

// F1 over a highlighted menu item shows its topic and does not run the command.
TEST_F(Help, F1OverAMenuItemShowsItsTopicOnly) {
    if (!client_area()) open_main_window(nullptr);
    const bool tick_marks = menu_action(CMD_TICK_MARKS)->isChecked();
    QMenu* menu = top_menu(menu_position_of(CMD_TICK_MARKS));
    menu->popup({0, 0});
    settle();
    menu->setActiveAction(menu_action(CMD_TICK_MARKS));
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(menu, &f1);
    settle();
    EXPECT_FALSE(menu->isVisible());
    ASSERT_NE(help_window(), nullptr);
    EXPECT_EQ(topic_view()->documentTitle(), "Tick Marks");
    EXPECT_EQ(menu_action(CMD_TICK_MARKS)->isChecked(), tick_marks);
}

}  // namespace

int main(int argc, char** argv) {
    return run_window_tests(argc, argv, fs::temp_directory_path() / ("skyloom_help_" + std::to_string(::getpid())),
                            answer_box);
}
