// The colour table: its defaults, reading stored colours (good and damaged),
// saving, the changed flag with the exit question, and the Assign Colors dialog.
#include "app/colors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "app/window/color_dialog.h"
#include "platform/settings_store.h"

void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << c.red << ',' << c.green << ',' << c.blue << ')'; }

namespace {

std::vector<std::string> errors_shown, questions_asked;  // message box texts, in order
bool answer_yes = false;

bool record_message(const char*, const char* text, MessageIcon icon) {
    (icon == ICON_QUESTION ? questions_asked : errors_shown).push_back(text);
    return icon == ICON_QUESTION ? answer_yes : true;
}

// Each test starts from an empty in-memory store and the default colours.
class Colors : public ::testing::Test {
protected:
    void SetUp() override {
        install_memory_settings_store();
        set_message_presenter(record_message);
        errors_shown.clear();
        questions_asked.clear();
        answer_yes = false;
        load_colors();
    }
    void TearDown() override {
        set_message_presenter(nullptr);
        set_window_text_color_source(nullptr);
        install_memory_settings_store();
        load_colors();
    }
};

std::string stored_text(Rgb c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

void assign_and_accept(int index, Rgb color) {  // in a dialog closed with OK
    begin_color_assignment();
    assign_color(index, color);
    accept_color_assignment();
}

// The object names and default colours of the table, in table order.
struct DefaultCase { int index; const char* name; Rgb color; };
const DefaultCase DEFAULTS[COLOR_COUNT] = {
    {COLOR_SUN, "Sun", {255, 0, 0}},           {COLOR_MOON, "Moon", {192, 192, 192}},
    {COLOR_EARTH, "Earth", {192, 192, 192}},   {COLOR_MERCURY, "Mercury", {128, 0, 0}},
    {COLOR_VENUS, "Venus", {0, 255, 0}},       {COLOR_MARS, "Mars", {255, 0, 0}},
    {COLOR_JUPITER, "Jupiter", {0, 255, 255}}, {COLOR_SATURN, "Saturn", {255, 0, 255}},
    {COLOR_URANUS, "Uranus", {0, 0, 255}},     {COLOR_NEPTUNE, "Neptune", {128, 128, 0}},
    {COLOR_PLUTO, "Pluto", {128, 128, 128}},   {COLOR_STARS, "Stars", {0, 0, 0}},
    {COLOR_MAIN_STAR, "Main Star", {255, 0, 0}}, {COLOR_COMPANION, "Companion", {0, 0, 255}},
    {COLOR_PENUMBRA, "Penumbra", {192, 192, 192}}, {COLOR_UMBRA, "Umbra", {128, 128, 128}},
    {COLOR_IO, "Io", {255, 0, 0}},             {COLOR_EUROPA, "Europa", {0, 255, 0}},
    {COLOR_GANYMEDE, "Ganymede", {0, 0, 255}}, {COLOR_CALLISTO, "Callisto", {255, 0, 255}},
};

TEST_F(Colors, StoredValues) {
    // The Sun's setting; a value that is not three integers in 0..255 keeps the default red.
    const Rgb red{255, 0, 0};
    const struct { const char* stored; Rgb expected; } cases[] = {
        {"255,255,255", {255, 255, 255}}, {" 10, 20 ,30 ", {10, 20, 30}},  // blanks around the numbers
        {"1,2,3,4", {1, 2, 3}},           // pieces after the third are not looked at
        {"1,2", red},    {"0,256,0", red}, {"0,0,-1", red}, {"1,,3", red},
        {"a,b,c", red},  {"1.5,2,3", red}, {"12x,0,0", red}, {"", red},
    };
    for (const auto& c : cases) {
        install_memory_settings_store();
        ASSERT_TRUE(write_setting("Sun", c.stored));
        load_colors();
        EXPECT_EQ(color_of(COLOR_SUN), c.expected) << "stored \"" << c.stored << '"';
        EXPECT_EQ(color_of(COLOR_MOON), (Rgb{192, 192, 192})) << "stored \"" << c.stored << '"';
    }
}

// With nothing stored every entry has its default; saving writes every entry.
TEST_F(Colors, DefaultsAndSavingEveryEntryAsThreeNumbers) {
    for (const DefaultCase& c : DEFAULTS) {
        EXPECT_EQ(color_name(c.index), c.name) << "entry " << c.index;
        EXPECT_EQ(color_of(c.index), c.color) << c.name;
    }
    EXPECT_FALSE(colors_modified());
    assign_and_accept(COLOR_UMBRA, {7, 8, 9});
    ASSERT_TRUE(colors_modified());
    EXPECT_TRUE(save_colors());
    EXPECT_FALSE(colors_modified());
    EXPECT_TRUE(errors_shown.empty());
    for (const DefaultCase& c : DEFAULTS)
        EXPECT_EQ(read_setting(c.name), stored_text(c.index == COLOR_UMBRA ? Rgb{7, 8, 9} : c.color)) << c.name;
    load_colors();  // and read back on the next start
    EXPECT_EQ(color_of(COLOR_UMBRA), (Rgb{7, 8, 9}));
}

// A store that fails its third write and counts the writes tried.
int writes_tried = 0;
bool failing_third_write(const std::string&, const std::string&) { return ++writes_tried != 3; }
std::string read_nothing(const std::string&) { return ""; }

TEST_F(Colors, FailedSaveStopsShowsTheMessageAndKeepsTheFlag) {
    assign_and_accept(COLOR_SUN, {1, 2, 3});
    writes_tried = 0;
    set_settings_backend({failing_third_write, read_nothing});
    EXPECT_FALSE(save_colors());
    EXPECT_EQ(writes_tried, 3);  // stopped at the first failure
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot save color information in file SKY.INI"});
    EXPECT_TRUE(colors_modified());  // so the exit question comes again
}

// The changed flag after the dialog's steps on Venus (default green, changed
// to {1, 2, 3}): a colour changed back does not count; Cancel restores the
// colours at opening and keeps a flag set before.
TEST_F(Colors, ChangedFlagFollowsTheDialogSteps) {
    const Rgb green{0, 255, 0}, other{1, 2, 3};
    const struct { const char* what; void (*steps)(); bool modified; Rgb venus; } cases[] = {
        {"OK without a change", [] { accept_color_assignment(); }, false, green},
        {"OK after a change", [] { assign_color(COLOR_VENUS, {1, 2, 3}), accept_color_assignment(); }, true, other},
        {"changed and changed back, then OK", [] { assign_color(COLOR_VENUS, {1, 2, 3}),
         assign_color(COLOR_VENUS, {0, 255, 0}), accept_color_assignment(); }, false, green},
        {"changed, then Cancel", [] { assign_color(COLOR_VENUS, {1, 2, 3}), cancel_color_assignment(); }, false, green},
        {"OK after a change, then a second dialog changes it again and cancels", [] { assign_and_accept(COLOR_VENUS,
         {1, 2, 3}), begin_color_assignment(), assign_color(COLOR_VENUS, {2, 2, 2}), cancel_color_assignment(); },
         true, other},
    };
    for (const auto& c : cases) {
        load_colors();
        begin_color_assignment();
        c.steps();
        EXPECT_EQ(colors_modified(), c.modified) << c.what;
        EXPECT_EQ(color_of(COLOR_VENUS), c.venus) << c.what;
    }
}

TEST_F(Colors, ExitQuestionOnlyWhenChanged) {
    save_colors_if_changed();
    EXPECT_TRUE(questions_asked.empty());
    EXPECT_EQ(read_setting("Sun"), "");  // nothing written
    assign_and_accept(COLOR_SUN, {4, 5, 6});
    save_colors_if_changed();  // answered No: nothing saved
    EXPECT_EQ(questions_asked, std::vector<std::string>{"Save assigned colors?"});
    EXPECT_EQ(read_setting("Sun"), "");
    EXPECT_TRUE(colors_modified());
    answer_yes = true;
    save_colors_if_changed();
    EXPECT_EQ(read_setting("Sun"), "4,5,6");
    EXPECT_FALSE(colors_modified());
    save_colors_if_changed();  // saved: no more question
    EXPECT_EQ(questions_asked.size(), 2u);
}

Rgb navy_window_text() { return {0, 0, 128}; }

TEST_F(Colors, WindowTextEntryAndIndexesOutsideTheTable) {
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{0, 0, 0}));
    set_window_text_color_source(navy_window_text);
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{0, 0, 128}));
    install_qt_window_text_color();
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{text.red(), text.green(), text.blue()}));
    set_message_presenter(nullptr);  // an internal error goes to standard error, then the process ends
    EXPECT_EXIT(color_of(21), ::testing::ExitedWithCode(1), "Internal error - please contact product support");
    EXPECT_EXIT(color_of(-1), ::testing::ExitedWithCode(1), "COLORS/");
    EXPECT_EXIT(assign_color(COLOR_WINDOW_TEXT, {}), ::testing::ExitedWithCode(1), "Internal error");
}

QPushButton* object_button(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

// The Assign Colors dialog driven as a user would: it shows a button for every
// object, which opens a colour chooser, answered with a colour (accept) or
// cancelled; a button of the box then closes the dialog.
TEST_F(Colors, DialogChooserAndButtons) {
    using Box = QDialogButtonBox;
    const struct {
        const char* what; int index; Rgb chosen; bool accept; Box::StandardButton close;
        Rgb after; bool modified; const char* stored;
    } cases[] = {
        {"OK keeps the chosen colour, unsaved", COLOR_SATURN, {10, 20, 30}, true, Box::Ok, {10, 20, 30}, true, ""},
        {"a cancelled chooser changes nothing", COLOR_SATURN, {10, 20, 30}, false, Box::Ok, {255, 0, 255}, false, ""},
        {"Cancel restores", COLOR_COMPANION, {1, 2, 3}, true, Box::Cancel, {0, 0, 255}, false, ""},
        {"Save writes the store at once", COLOR_GANYMEDE, {40, 50, 60}, true, Box::Save, {40, 50, 60}, false,
         "40,50,60"},
    };
    for (const auto& c : cases) {
        install_memory_settings_store();
        load_colors();
        const Rgb opening = color_of(c.index);
        QTimer::singleShot(0, [&] {  // runs once the dialog is open
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Assign Colors");
            for (const DefaultCase& d : DEFAULTS)
                EXPECT_NE(object_button(*dialog, QString(d.name) + "..."), nullptr) << d.name;
            QTimer::singleShot(0, [&] {  // runs once the chooser is open
                auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(chooser, nullptr);
                chooser->setCurrentColor(QColor(c.chosen.red, c.chosen.green, c.chosen.blue));
                c.accept ? chooser->accept() : chooser->reject();
            });
            QPushButton* button = object_button(*dialog, QString::fromStdString(color_name(c.index)) + "...");
            ASSERT_NE(button, nullptr) << c.what;
            button->click();
            EXPECT_EQ(color_of(c.index), c.accept ? c.chosen : opening) << c.what << ", while the dialog is open";
            dialog->findChild<QDialogButtonBox*>()->button(c.close)->click();
        });
        run_assign_colors_dialog(nullptr);
        EXPECT_EQ(color_of(c.index), c.after) << c.what;
        EXPECT_EQ(colors_modified(), c.modified) << c.what;
        EXPECT_EQ(read_setting(color_name(c.index)), c.stored) << c.what;
    }
    EXPECT_EQ(read_setting("Sun"), "255,0,0") << "Save writes every entry";
    EXPECT_TRUE(questions_asked.empty());
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Death tests start a fresh copy of this program rather than forking one with toolkit threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
