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
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/qt/color_dialog.h"
#include "platform/settings_store.h"

void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << c.red << ',' << c.green << ',' << c.blue << ')'; }

namespace {

std::vector<std::string> errors_shown;     // error box texts, in order
std::vector<std::string> questions_asked;  // question box texts, in order
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

// The object names and default colours of the table, in table order.
struct DefaultCase {
    int index;
    const char* name;
    Rgb color;
};
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

TEST_F(Colors, DefaultsWhenNothingIsStored) {
    for (const DefaultCase& c : DEFAULTS) {
        EXPECT_EQ(color_name(c.index), c.name) << "entry " << c.index;
        EXPECT_EQ(color_of(c.index), c.color) << c.name;
    }
    EXPECT_EQ(color_of(BODY_JUPITER), (Rgb{0, 255, 255}));  // a body's id is its colour index
    EXPECT_FALSE(colors_modified());
}

TEST_F(Colors, StoredValues) {
    // The Sun's setting; a value that is not three integers in 0..255 keeps the default red.
    const Rgb sun_default{255, 0, 0};
    struct Case { const char* stored; Rgb expected; };
    const Case cases[] = {
        {"1,2,3", {1, 2, 3}},
        {"0,0,0", {0, 0, 0}},
        {"255,255,255", {255, 255, 255}},
        {" 10, 20 ,30 ", {10, 20, 30}},   // blanks around the numbers
        {"1,2,3,4", {1, 2, 3}},           // pieces after the third are not looked at
        {"1,2", sun_default},             // only two numbers
        {"300,0,0", sun_default},         // red above 255
        {"0,256,0", sun_default},
        {"0,0,-1", sun_default},          // below 0
        {"1,,3", sun_default},            // an empty piece
        {",1,2,3", sun_default},
        {"a,b,c", sun_default},           // not numbers
        {"1.5,2,3", sun_default},
        {"12x,0,0", sun_default},
        {"1;2;3", sun_default},
        {"", sun_default},
    };
    for (const Case& c : cases) {
        install_memory_settings_store();
        ASSERT_TRUE(write_setting("Sun", c.stored));
        load_colors();
        EXPECT_EQ(color_of(COLOR_SUN), c.expected) << "stored \"" << c.stored << '"';
        EXPECT_EQ(color_of(COLOR_MOON), (Rgb{192, 192, 192})) << "stored \"" << c.stored << '"';
    }
}

TEST_F(Colors, SavingWritesEveryEntryAsThreeNumbers) {
    begin_color_assignment();
    assign_color(COLOR_UMBRA, {7, 8, 9});
    accept_color_assignment();
    ASSERT_TRUE(colors_modified());
    EXPECT_TRUE(save_colors());
    EXPECT_FALSE(colors_modified());
    EXPECT_TRUE(errors_shown.empty());
    EXPECT_EQ(read_setting("Umbra"), "7,8,9");
    for (const DefaultCase& c : DEFAULTS) {
        if (c.index == COLOR_UMBRA) continue;
        char expected[40];
        std::snprintf(expected, sizeof expected, "%d,%d,%d", c.color.red, c.color.green, c.color.blue);
        EXPECT_EQ(read_setting(c.name), expected) << c.name;
    }
    load_colors();  // and read back on the next start
    EXPECT_EQ(color_of(COLOR_UMBRA), (Rgb{7, 8, 9}));
}

// A store that fails its third write and counts the writes tried.
int writes_tried = 0;
bool failing_third_write(const std::string&, const std::string&) { return ++writes_tried != 3; }
std::string read_nothing(const std::string&) { return ""; }

TEST_F(Colors, FailedSaveStopsShowsTheMessageAndKeepsTheFlag) {
    begin_color_assignment();
    assign_color(COLOR_SUN, {1, 2, 3});
    accept_color_assignment();
    writes_tried = 0;
    set_settings_backend({failing_third_write, read_nothing});
    EXPECT_FALSE(save_colors());
    EXPECT_EQ(writes_tried, 3);  // stopped at the first failure
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot save color information in file SKY.INI"});
    EXPECT_TRUE(colors_modified());  // so the exit question comes again
}

TEST_F(Colors, ChangedFlagFollowsTheDialogSteps) {
    struct Case {
        const char* what;
        std::function<void()> steps;
        bool modified;
        Rgb venus;
    };
    const Rgb venus_default{0, 255, 0};
    const Case cases[] = {
        {"OK without a change", [] { accept_color_assignment(); }, false, venus_default},
        {"OK after a change", [] { assign_color(COLOR_VENUS, {1, 2, 3}); accept_color_assignment(); }, true,
         {1, 2, 3}},
        {"changed and changed back, then OK",
         [] {
             assign_color(COLOR_VENUS, {1, 2, 3});
             assign_color(COLOR_VENUS, {0, 255, 0});
             accept_color_assignment();
         },
         false, venus_default},
        {"changed, then Cancel", [] { assign_color(COLOR_VENUS, {1, 2, 3}); cancel_color_assignment(); }, false,
         venus_default},
    };
    for (const Case& c : cases) {
        load_colors();
        begin_color_assignment();
        c.steps();
        EXPECT_EQ(colors_modified(), c.modified) << c.what;
        EXPECT_EQ(color_of(COLOR_VENUS), c.venus) << c.what;
    }
}

TEST_F(Colors, CancelRestoresTheOpeningColoursAndKeepsASetFlag) {
    begin_color_assignment();
    assign_color(COLOR_MARS, {1, 1, 1});
    accept_color_assignment();  // a first dialog changes Mars
    begin_color_assignment();   // a second one changes it again, then cancels
    assign_color(COLOR_MARS, {2, 2, 2});
    assign_color(COLOR_IO, {3, 3, 3});
    cancel_color_assignment();
    EXPECT_EQ(color_of(COLOR_MARS), (Rgb{1, 1, 1}));
    EXPECT_EQ(color_of(COLOR_IO), (Rgb{255, 0, 0}));
    EXPECT_TRUE(colors_modified());
}

TEST_F(Colors, ExitQuestionOnlyWhenChanged) {
    save_colors_if_changed();
    EXPECT_TRUE(questions_asked.empty());
    EXPECT_EQ(read_setting("Sun"), "");  // nothing written

    begin_color_assignment();
    assign_color(COLOR_SUN, {4, 5, 6});
    accept_color_assignment();
    answer_yes = false;
    save_colors_if_changed();
    EXPECT_EQ(questions_asked, std::vector<std::string>{"Save assigned colors?"});
    EXPECT_EQ(read_setting("Sun"), "");  // No saves nothing
    EXPECT_TRUE(colors_modified());

    answer_yes = true;
    save_colors_if_changed();
    EXPECT_EQ(questions_asked.size(), 2u);
    EXPECT_EQ(read_setting("Sun"), "4,5,6");
    EXPECT_FALSE(colors_modified());
    save_colors_if_changed();  // saved: no more question
    EXPECT_EQ(questions_asked.size(), 2u);
}

Rgb navy_window_text() { return {0, 0, 128}; }

TEST_F(Colors, WindowTextEntryFollowsThePlatform) {
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{0, 0, 0}));
    set_window_text_color_source(navy_window_text);
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{0, 0, 128}));
    install_qt_window_text_color();
    QColor text = QApplication::palette().color(QPalette::WindowText);
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{text.red(), text.green(), text.blue()}));
}

TEST_F(Colors, IndexOutsideTheTableIsAnInternalError) {
    set_message_presenter(nullptr);  // the error goes to standard error, then the process ends
    EXPECT_EXIT(color_of(21), ::testing::ExitedWithCode(1), "Internal error - please contact product support");
    EXPECT_EXIT(color_of(-1), ::testing::ExitedWithCode(1), "COLORS/");
    EXPECT_EXIT(assign_color(COLOR_WINDOW_TEXT, {}), ::testing::ExitedWithCode(1), "Internal error");
}

// The Assign Colors dialog, driven as a user would: work runs once the
// dialog is open, then a button of its box closes it.
void with_assign_colors_dialog(const std::function<void(QDialog&)>& work, QDialogButtonBox::StandardButton close) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
        dialog->findChild<QDialogButtonBox*>()->button(close)->click();
    });
    run_assign_colors_dialog(nullptr);
}

QPushButton* object_button(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

// Presses an object's button and answers its colour chooser: accepts with
// color, or cancels it when accept is false.
void choose(QDialog& dialog, const char* object, QColor color, bool accept) {
    QTimer::singleShot(0, [color, accept] {
        auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        chooser->setCurrentColor(color);
        if (accept) chooser->accept();
        else chooser->reject();
    });
    QPushButton* button = object_button(dialog, object);
    ASSERT_NE(button, nullptr) << object;
    button->click();
}

TEST_F(Colors, DialogShowsEveryObject) {
    with_assign_colors_dialog(
        [](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Assign Colors");
            for (const DefaultCase& c : DEFAULTS)
                EXPECT_NE(object_button(dialog, QString(c.name) + "..."), nullptr) << c.name;
        },
        QDialogButtonBox::Cancel);
}

TEST_F(Colors, DialogOkKeepsTheChosenColour) {
    with_assign_colors_dialog([](QDialog& dialog) { choose(dialog, "Saturn...", QColor(10, 20, 30), true); },
                              QDialogButtonBox::Ok);
    EXPECT_EQ(color_of(COLOR_SATURN), (Rgb{10, 20, 30}));
    EXPECT_TRUE(colors_modified());
    EXPECT_EQ(read_setting("Saturn"), "");  // OK does not save
}

TEST_F(Colors, DialogChooserCancelledChangesNothing) {
    with_assign_colors_dialog([](QDialog& dialog) { choose(dialog, "Saturn...", QColor(10, 20, 30), false); },
                              QDialogButtonBox::Ok);
    EXPECT_EQ(color_of(COLOR_SATURN), (Rgb{255, 0, 255}));
    EXPECT_FALSE(colors_modified());
}

TEST_F(Colors, DialogCancelRestores) {
    with_assign_colors_dialog(
        [](QDialog& dialog) {
            choose(dialog, "Companion...", QColor(1, 2, 3), true);
            EXPECT_EQ(color_of(COLOR_COMPANION), (Rgb{1, 2, 3}));  // in force while the dialog is open
        },
        QDialogButtonBox::Cancel);
    EXPECT_EQ(color_of(COLOR_COMPANION), (Rgb{0, 0, 255}));
    EXPECT_FALSE(colors_modified());
}

TEST_F(Colors, DialogSaveWritesTheStoreAtOnce) {
    with_assign_colors_dialog([](QDialog& dialog) { choose(dialog, "Ganymede...", QColor(40, 50, 60), true); },
                              QDialogButtonBox::Save);
    EXPECT_EQ(read_setting("Ganymede"), "40,50,60");
    EXPECT_EQ(read_setting("Sun"), "255,0,0");
    EXPECT_FALSE(colors_modified());
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
