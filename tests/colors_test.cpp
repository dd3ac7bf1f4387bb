// The colour table: stored colours, saving, the changed flag, the exit question
// and the Assign Colors dialog.
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
#include "message_recorder.h"
#include "platform/settings_store.h"
#include "window/color_dialog.h"

void PrintTo(const Rgb& c, std::ostream* out) { *out << '(' << c.red << ',' << c.green << ',' << c.blue << ')'; }

namespace {

// Each test starts from an empty in-memory store and the default colours.
class Colors : public ::testing::Test {
protected:
    void SetUp() override {
        install_memory_settings_store();
        set_message_presenter(record_message);
        errors_shown.clear(), questions_asked.clear();
        answer_yes = false;
        load_colors();
    }
};

void assign_and_accept(int index, Rgb color) {  // in a dialog closed with OK
    begin_color_assignment();
    assign_color(index, color);
    accept_color_assignment();
}

TEST_F(Colors, StoredValuesOtherThanThreeNumbersIn0To255KeepTheDefault) {
    const Rgb red{255, 0, 0};  // the Sun's default
    const struct { const char* stored; Rgb expected; } cases[] = {
        {" 10, 20 ,30 ", {10, 20, 30}}, {"1,2", red}, {"300,0,0", red}, {"1,,3", red}, {"a,b,c", red},
    };
    for (const auto& c : cases) {
        install_memory_settings_store();
        ASSERT_TRUE(write_setting("Sun", c.stored));
        load_colors();
        EXPECT_EQ(color_of(COLOR_SUN), c.expected) << "stored \"" << c.stored << '"';
    }
}

// Saving writes every entry as "r,g,b" under its name; the next start reads it back.
TEST_F(Colors, SaveRoundTripAndTheExitQuestion) {
    assign_and_accept(COLOR_UMBRA, {7, 8, 9});
    save_colors_if_changed();  // answered No: nothing saved
    EXPECT_EQ(questions_asked, std::vector<std::string>{"Save assigned colors?"});
    EXPECT_EQ(read_setting("Umbra"), "");
    answer_yes = true;
    save_colors_if_changed();
    EXPECT_FALSE(colors_modified());
    EXPECT_EQ(read_setting("Umbra"), "7,8,9");
    load_colors();
    EXPECT_EQ(color_of(COLOR_UMBRA), (Rgb{7, 8, 9}));
}

int writes_tried = 0;

TEST_F(Colors, FailedSaveStopsShowsTheMessageAndKeepsTheFlag) {
    assign_and_accept(COLOR_SUN, {1, 2, 3});
    writes_tried = 0;
    set_settings_backend({[](const std::string&, const std::string&) { return ++writes_tried != 3; },
                          [](const std::string&) { return std::string(); }});
    EXPECT_FALSE(save_colors());
    EXPECT_EQ(writes_tried, 3);  // stopped at the first failure
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot save color information in file SKY.INI"});
    EXPECT_TRUE(colors_modified());  // so the exit question comes again
}

// Venus (default green): a colour changed and changed back does not count; Cancel restores.
TEST_F(Colors, ChangedBackOrCancelledLeavesTheFlagClear) {
    begin_color_assignment();
    assign_color(COLOR_VENUS, {1, 2, 3}), assign_color(COLOR_VENUS, {0, 255, 0});
    accept_color_assignment();
    EXPECT_FALSE(colors_modified());
    begin_color_assignment();
    assign_color(COLOR_VENUS, {1, 2, 3});
    cancel_color_assignment();
    EXPECT_FALSE(colors_modified());
    EXPECT_EQ(color_of(COLOR_VENUS), (Rgb{0, 255, 0}));
}

TEST_F(Colors, WindowTextIsThePalettesAndOtherIndexesAreFatal) {
    install_qt_window_text_color();
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    EXPECT_EQ(color_of(COLOR_WINDOW_TEXT), (Rgb{text.red(), text.green(), text.blue()}));
    set_message_presenter(nullptr);  // an internal error goes to standard error, then the process ends
    EXPECT_EXIT(color_of(21), ::testing::ExitedWithCode(1), "Internal error - please contact product support");
}

// Driven as a user would: an object's button opens the chooser, then a box button closes.
TEST_F(Colors, DialogChooserThenOkCancelOrSave) {
    using Box = QDialogButtonBox;
    const struct { int index; Box::StandardButton close; Rgb after; const char* stored; } cases[] = {
        {COLOR_COMPANION, Box::Cancel, {0, 0, 255}, ""},  // the default again, nothing written
        {COLOR_GANYMEDE, Box::Save, {10, 20, 30}, "10,20,30"},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromStdString(color_name(c.index));
        install_memory_settings_store();
        load_colors();
        QTimer::singleShot(0, [&] {  // runs once the dialog is open
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Assign Colors");
            QTimer::singleShot(0, [] {  // runs once the chooser is open
                auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(chooser, nullptr);
                chooser->setCurrentColor(QColor(10, 20, 30));
                chooser->accept();
            });
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == name + "...") button->click();
            dialog->findChild<Box*>()->button(c.close)->click();
        });
        run_assign_colors_dialog(nullptr);
        EXPECT_EQ(color_of(c.index), c.after) << name.toStdString();
        EXPECT_EQ(read_setting(name.toStdString()), c.stored) << name.toStdString();
    }
}

}  // namespace

#include "qt_test_main.h"
