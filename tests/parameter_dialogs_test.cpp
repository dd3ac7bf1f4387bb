// The Qt dialogs: values typed into the fields, OK or Cancel pressed, and
// what the parameters, the messages and the focus show afterwards.
#include "window/parameter_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QAbstractItemView>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QRadioButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/city_list.h"
#include "app/commands.h"
#include "app/help.h"
#include "engine/bodies.h"
#include "movies/star_catalogue.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/settings_store.h"
#include "platform/qt/surface_qt.h"
#include "resources/strings.h"
#include "window/help_window.h"
#include "window/printing_qt.h"

namespace {

std::vector<std::string> shown_messages;

bool record_message(const char*, const char* text, MessageIcon) {
    shown_messages.push_back(text);
    return true;
}

// What a test does with the open dialog.
using DialogSteps = std::function<void(QDialog&)>;

// Runs open() with steps applied to the modal dialog it opens.
bool with_dialog(const std::function<bool()>& open, const DialogSteps& steps) {
    QTimer::singleShot(0, [steps] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        steps(*dialog);
        if (dialog->isVisible()) dialog->reject();  // a step that left it open
    });
    shown_messages.clear();
    return open();
}

QLineEdit* field(QDialog& d, int control) { return d.findChild<QLineEdit*>(QString::number(control)); }

void type(QDialog& d, int control, const char* text) {
    QLineEdit* edit = field(d, control);
    ASSERT_NE(edit, nullptr) << "control " << control;
    edit->setText(text);
}

void press(QDialog& d, QDialogButtonBox::StandardButton button) {
    d.findChild<QDialogButtonBox*>()->button(button)->click();
}

// The dialog stays open, the field with the refused value focused and selected.
void expect_refused_at(QDialog& d, int control, const std::string& context) {
    EXPECT_TRUE(d.isVisible()) << context;
    QLineEdit* edit = field(d, control);
    ASSERT_NE(edit, nullptr) << context;
    EXPECT_EQ(d.focusWidget(), edit) << context;
    EXPECT_EQ(edit->selectedText(), edit->text()) << context;
}

struct Typed { int control; const char* text; };

// Types the values, presses OK; returns the message shown (empty when accepted),
// a refusal expected at the last field typed.
std::string try_values(DialogId dialog, const std::vector<Typed>& values, CommandParams& params, bool& accepted) {
    std::string message;
    accepted = with_dialog([&] { return run_parameter_dialog(dialog, params, nullptr); }, [&](QDialog& d) {
        for (const Typed& t : values) type(d, t.control, t.text);
        press(d, QDialogButtonBox::Ok);
        if (shown_messages.empty()) return;
        message = shown_messages.back();
        expect_refused_at(d, values.back().control, values.back().text);
    });
    return message;
}

// A refusal names the rule, leaves the dialog open with the refused field
// focused and selected, and writes nothing; the rules themselves are in
// dialog_rules_test.  Cross-field refusals land on the last field typed.
TEST(ParameterDialogs, RefusalFocusesTheField) {
    struct Case { DialogId dialog; std::vector<Typed> typed; int message; } cases[] = {
        {DIAL_YEAR, {{113, "19x5"}}, MSG_INVALID_NUMBER},
        {DIAL_YEAR, {{113, "3000"}}, 0},
        {DIAL_DN_MOVIE, {{117, "60"}}, MSG_MINUTE_RANGE},
        {DIAL_EC_MOVIES, {{142, "4"}}, MSG_VIEW_ANGLE_RANGE},
        {DIAL_BS_MOVIE, {{113, "32001"}}, MSG_YEAR_RANGE_WIDE},
        {DIAL_YEAR_RANGE, {{115, "2001"}, {117, "2000"}}, MSG_STOP_YEAR},
        {DIAL_DN_MOVIE, {{113, "2001"}, {114, "2"}, {115, "29"}}, MSG_INVALID_DATE},  // 2001 is no leap year
    };
    for (const Case& c : cases) {
        CommandParams params;
        bool accepted = false;
        const std::string message = try_values(c.dialog, c.typed, params, accepted);
        const std::string context = std::to_string(c.dialog) + " " + c.typed.back().text;
        EXPECT_EQ(message, c.message ? std::string(load_string(c.message)) : "") << context;
        EXPECT_EQ(accepted, c.message == 0) << context;
        EXPECT_EQ(params.year, c.message ? CommandParams{}.year : 3000) << context;
    }
}

// Cancel after typing writes nothing and marks the command cancelled.
TEST(ParameterDialogs, CancelWritesNothing) {
    CommandParams params;
    params.months_offered = params.distance_offered = true;
    const CommandParams before = params;
    bool accepted = with_dialog([&] { return run_parameter_dialog(DIAL_PLANETS, params, nullptr); },
                                [](QDialog& d) {
                                    type(d, 113, "1999");
                                    type(d, 115, "3");
                                    press(d, QDialogButtonBox::Cancel);
                                });
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(params.cancelled);
    EXPECT_EQ(std::vector<int>({params.year, params.month, params.end_month, static_cast<int>(params.planet_set.bits)}),
              std::vector<int>({before.year, before.month, before.end_month, static_cast<int>(before.planet_set.bits)}));
}

// The Planetarium dialog's tests, with the shipped star catalogue loaded.
class PlanetariumDialog : public ::testing::Test {
protected:
    void SetUp() override {
        app_state().star_catalogue = load_star_catalogue_file(std::string(SKYLOOM_SOURCE_DIR) + "/data/STARS.DAT");
        ASSERT_NE(app_state().star_catalogue, nullptr);
    }
    void TearDown() override {
        app_state().star_catalogue.reset();
    }
};

// The star list holds the catalogue's 284 named stars by constellation,
// shown only while Star is chosen; turbo without tracking is refused on the
// Track Body box; choosing a star writes its record.
TEST_F(PlanetariumDialog, StarListTurboRuleAndChosenStar) {
    CommandParams params;
    params.planetarium_body = id_of(Body::Mars);
    std::string chosen;
    bool accepted = with_dialog([&] { return run_parameter_dialog(DIAL_PL_MOVIE, params, nullptr); }, [&](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("171");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 284);
        EXPECT_EQ(list->item(0)->text().section('/', 0, 0), "And");  // Andromeda is constellation 0
        EXPECT_TRUE(list->isHidden());
        d.findChild<QCheckBox*>("151")->setChecked(true);  // Turbo, with Track Body off
        d.findChild<QCheckBox*>("142")->setChecked(false);
        press(d, QDialogButtonBox::Ok);
        ASSERT_EQ(shown_messages.size(), 1u);
        EXPECT_EQ(shown_messages[0], load_string(MSG_TURBO_NEEDS_TRACKING));
        EXPECT_EQ(d.focusWidget(), d.findChild<QCheckBox*>("142"));
        d.findChild<QCheckBox*>("142")->setChecked(true);
        d.findChild<QRadioButton*>("141")->setChecked(true);  // Star
        EXPECT_FALSE(list->isHidden());
        list->setCurrentRow(10);
        chosen = list->currentItem()->text().toStdString();
        press(d, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(accepted);
    EXPECT_EQ(params.planetarium_body, PLANETARIUM_STAR_BODY);
    EXPECT_EQ(params.turbo, 1);
    EXPECT_EQ(params.planetarium_not_tracking, 0);
    ASSERT_GE(params.planetarium_star, 0);
    EXPECT_EQ(star_list_label(app_state().star_catalogue->stars[params.planetarium_star]), chosen);
}

// With no star chosen yet (-1, the start-up value) the list opens on its
// first row, Andromeda's first named star, not on catalogue record 0; it
// stands beside the Body group and shows a dozen names at once.
TEST_F(PlanetariumDialog, StarListOpensOnItsFirstRowAndShowsADozenNames) {
    CommandParams params;
    ASSERT_EQ(params.planetarium_star, -1);
    params.planetarium_body = PLANETARIUM_STAR_BODY;
    with_dialog([&] { return run_parameter_dialog(DIAL_PL_MOVIE, params, nullptr); }, [&](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("171");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(list->currentItem()->text().section('/', 0, 0), "And");
        EXPECT_GE(list->viewport()->height() / list->sizeHintForRow(0), 12);
        EXPECT_LE(d.height(), 800) << "fits a small laptop screen";
    });
}

// Every dialog is titled with the name of the command that opened it.
TEST(ParameterDialogs, TitledWithTheirCommandsName) {
    const std::pair<int, const char*> commands[] = {
        {CMD_DAY_NIGHT, "Day/Night"},          {CMD_BINARY_STAR, "Binary Star"},
        {CMD_PLANET_ANGLE, "Planet Angle"},    {CMD_PLANET_APSIDES, "Planet Apsides"},
        {CMD_JUPITER_MOONS_GRAPH, "Jupiter Moons Orbit"}, {CMD_CALENDAR, "Calendar"},
        {CMD_ECLIPTIC_SIDE, "Ecliptic Side"},  {CMD_PLANET_DISTANCE, "Planet Distance"},
    };
    static std::string title;
    ShellHooks hooks;
    hooks.run_dialog = [](DialogId dialog, CommandParams& params) {
        with_dialog([&] { return run_parameter_dialog(dialog, params, nullptr); },
                    [](QDialog& d) { title = d.windowTitle().toStdString(); });
    };
    set_shell_hooks(hooks);
    for (auto [command, name] : commands) {
        title.clear();
        dispatch_command(command);  // cancelled: nothing runs
        EXPECT_EQ(title, name) << command;
    }
    set_shell_hooks(ShellHooks{});
}

// F1 in a dialog opens the help window on that dialog's own topic.
TEST(ParameterDialogs, HelpKeyShowsTheDialogsTopic) {
    set_data_folder(std::filesystem::path(SKYLOOM_BINARY).parent_path().string());  // the help book
    CommandParams params;
    with_dialog([&] { return run_parameter_dialog(DIAL_BS_MOVIE, params, nullptr); }, [&](QDialog& d) {
        auto* key = d.findChild<QShortcut*>();
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->key(), QKeySequence(Qt::Key_F1));
        key->activated();
        ASSERT_NE(help_window(), nullptr);
        auto* topic = help_window()->findChild<QTextBrowser*>("help_topic");
        ASSERT_NE(topic, nullptr);
        EXPECT_EQ(topic->documentTitle().toStdString(), help_topic_title(604));  // the Binary Star topic
        // On top of the dialog and not blocked by it: the help takes the keys
        // and clicks; Esc closes it and gives them back to the dialog.
        EXPECT_TRUE(help_window()->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), help_window());
        for (QShortcut* shortcut : help_window()->findChildren<QShortcut*>())
            if (shortcut->key() == QKeySequence(Qt::Key_Escape)) emit shortcut->activated();
        EXPECT_FALSE(help_window()->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        close_help_window();
    });
    set_data_folder("");
}

// The pole plus one second is refused at the degrees field; the pole itself
// is accepted and the new city joins the list.
TEST(SetLocationDialog, AddsACityAndRefusesThePoleWithSeconds) {
    SkyContext work;
    const int cities = city_count();
    auto fill = [](QDialog& d, const char* latitude_seconds) {
        d.findChild<QComboBox*>("115")->setEditText("Testville");
        const std::pair<int, const char*> values[] = {{117, "90"}, {118, "0"}, {120, latitude_seconds},
                                                      {127, "10"}, {128, "30"}, {130, "0"},
                                                      {138, "12"}, {136, "-1.5"}};
        for (auto [control, text] : values) type(d, control, text);
        press(d, QDialogButtonBox::Ok);
    };
    bool accepted = with_dialog([&] { return run_set_location_dialog(work, nullptr); }, [&](QDialog& d) {
        fill(d, "1");
        ASSERT_EQ(shown_messages.size(), 1u);
        EXPECT_EQ(shown_messages[0], load_string(MSG_LATITUDE_RANGE));
        expect_refused_at(d, 117, "latitude 90 0' 1\"");
        fill(d, "0");
    });
    ASSERT_TRUE(accepted);
    EXPECT_EQ(work.location.name, "Testville");
    EXPECT_DOUBLE_EQ(work.location.latitude, 90.0);
    EXPECT_DOUBLE_EQ(work.location.longitude, 10.5);
    EXPECT_DOUBLE_EQ(work.location.time_zone, -1.5);
    EXPECT_EQ(city_count(), cities + 1);
    EXPECT_TRUE(cities_modified());
    ASSERT_NE(find_city("testville"), nullptr);
    EXPECT_EQ(find_city("testville")->longitude_minutes, 30);
}

// Names cross from the toolkit's Unicode to the city list's Latin-1 exactly:
// one Latin-1 cannot hold is refused, not stored with '?'; a NaN time zone is
// refused before it reaches the list.
TEST(SetLocationDialog, NamesCrossExactlyAndNaNIsNoNumber) {
    SkyContext work;
    auto fill = [](QDialog& d, const QString& name, const char* zone) {
        d.findChild<QComboBox*>("115")->setEditText(name);
        const std::pair<int, const char*> values[] = {{117, "23"}, {118, "33"}, {120, "0"}, {127, "46"},
                                                      {128, "38"},  {130, "0"},  {138, "760"}, {136, zone}};
        for (auto [control, text] : values) type(d, control, text);
        press(d, QDialogButtonBox::Ok);
    };
    shown_messages.clear();
    bool accepted = with_dialog([&] { return run_set_location_dialog(work, nullptr); }, [&](QDialog& d) {
        fill(d, QString::fromUtf8("\xC5\x81\xC3\xB3" "d\xC5\xBA"), "1");  // Lodz with a Polish L
        fill(d, QString::fromUtf8("S\xC3\xA3o Paulo"), "nan");
        ASSERT_EQ(shown_messages.size(), 2u);
        EXPECT_EQ(shown_messages[0], load_string(MSG_LOCATION_NAME_CHARACTERS));
        EXPECT_EQ(shown_messages[1], load_string(MSG_INVALID_NUMBER));
        fill(d, QString::fromUtf8("S\xC3\xA3o Paulo"), "-3");
    });
    ASSERT_TRUE(accepted);
    EXPECT_EQ(work.location.name, "S\xE3o Paulo");
    ASSERT_NE(find_city("S\xE3o Paulo"), nullptr);
}

// Typing the first letters of a city, in any case, accents optional, drops
// down the cities whose names begin with them; the whole name shows the
// city's fields.
TEST(SetLocationDialog, FindsACityAsItsNameIsTyped) {
    for (const char* name : {"Denver", "Dengfeng", "Durban", "S\xE3o Paulo", "Salvador"})
        store_city(name, 39, 44, 21, COMPASS_NORTH, 104, 59, 3, COMPASS_WEST, -7.0, 1609, true);
    SkyContext work;
    with_dialog([&] { return run_set_location_dialog(work, nullptr); }, [&](QDialog& d) {
        auto* city = d.findChild<QComboBox*>("115");
        ASSERT_NE(city, nullptr);
        city->lineEdit()->clear();
        city->lineEdit()->setFocus();
        auto type_keys = [&](const QString& text) {
            for (QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(city->lineEdit(), &press);
            }
        };
        type_keys("dEn");
        QCompleter* finder = city->completer();
        EXPECT_EQ(finder->completionCount(), 2);
        QStringList found;
        for (bool more = finder->setCurrentRow(0); more; more = finder->setCurrentRow(finder->currentRow() + 1))
            found << finder->currentCompletion();
        EXPECT_TRUE(found.contains("Denver") && found.contains("Dengfeng")) << found.join(",").toStdString();
        EXPECT_TRUE(finder->popup()->isVisible());
        type_keys("ver");
        EXPECT_EQ(field(d, 117)->text().toStdString(), "39");
        EXPECT_EQ(field(d, 127)->text().toStdString(), "104");
        // Accents are optional, typed or not; the city's own name is offered.
        for (const QString& typed : {QString("sao"), QString::fromUtf8("S\xC3\xA3O p")}) {
            city->lineEdit()->clear();
            type_keys(typed);
            EXPECT_EQ(finder->completionCount(), 1) << typed.toStdString();
            finder->setCurrentRow(0);
            EXPECT_EQ(finder->currentCompletion(), QString::fromUtf8("S\xC3\xA3o Paulo")) << typed.toStdString();
        }
    });
}

// Set Location: units beside the fields, the zone's sign told, and no wider
// than the program's first window (82 columns of the fixed-pitch font).
TEST(SetLocationDialog, UnitsZoneSignAndWidth) {
    SkyContext work;
    with_dialog([&] { return run_set_location_dialog(work, nullptr); }, [&](QDialog& d) {
        QStringList labels;
        for (QLabel* label : d.findChildren<QLabel*>()) labels << label->text();
        for (const char* mark : {"\u00B0", "\u2032", "\u2033"})
            EXPECT_EQ(labels.count(QString::fromUtf8(mark)), 2) << mark;  // latitude and longitude
        EXPECT_TRUE(labels.filter("east of Greenwich").size() == 1);
        const int char_width = make_image_surface(1, 1)->font_metrics().char_width;
        EXPECT_LE(d.sizeHint().width(), 82 * char_width);
    });
}

// Set Font needs no system printer: Qt's PDF printer is always there, so the
// chooser opens and the chosen size is kept for printing.
TEST(SetFont, ChoosesTheFontWithOnlyThePdfPrinter) {
    shown_messages.clear();
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(13);
        chooser->setCurrentFont(font);
        chooser->accept();
    });
    run_output_command(OutputAction::SetFont, ReportDocument{}, nullptr, 0, monochrome_copy, qt_printer_hooks(nullptr));
    EXPECT_TRUE(shown_messages.empty());
    EXPECT_EQ(print_session().font.point_size, 13);
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    set_message_presenter(record_message);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace {

// The letter after '&' in a control's text, lower case; 0 for none.
QChar mnemonic_of(const QString& text) {
    const int at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

// Keys pressed in a widget, one character after another, as a user types.
void type_keys(QWidget& widget, const char* text) {
    for (const char* c = text; *c; ++c) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + (*c - '0'), Qt::NoModifier, QString(QLatin1Char(*c)));
        QApplication::sendEvent(&widget, &key);
    }
}

// Every field's label has a letter of its own in the dialog; check boxes,
// radio buttons and push buttons too while letters are left.
void expect_own_mnemonics(QDialog& d, const std::string& context) {
    std::vector<std::pair<QChar, QString>> seen;
    auto check = [&](const QString& text, bool field) {
        const QChar letter = mnemonic_of(text);
        if (!field && letter.isNull()) return;
        EXPECT_FALSE(letter.isNull()) << context << ": " << text.toStdString();
        for (const auto& [other, other_text] : seen)
            EXPECT_NE(letter, other) << context << ": " << text.toStdString() << " and " << other_text.toStdString();
        seen.push_back({letter, text});
    };
    for (QLabel* label : d.findChildren<QLabel*>())
        if (label->buddy()) check(label->text(), true);
    for (QAbstractButton* button : d.findChildren<QAbstractButton*>()) check(button->text(), false);
}

}  // namespace

// A dialog opens on its first shown field with the old value selected, so
// that typing 1999 gives 1999 (not 20001999); Alt and a letter reach every control.
TEST(ParameterDialogs, FirstFieldSelectedAndMnemonics) {
    struct Case { DialogId dialog; bool months; int first_control; const char* first_text; } cases[] = {
        {DIAL_YEAR, false, CTL_YEAR, "2000"},
        {DIAL_PLANETS, false, CTL_YEAR, "2000"},  // the hidden month fields come after it
        {DIAL_YEAR_RANGE, false, CTL_START_YEAR, "2000"},
        {DIAL_DN_MOVIE, false, CTL_DATE_YEAR, "2000"},
    };
    for (const Case& c : cases) {
        CommandParams params;
        params.year = params.end_year = 2000;
        params.months_offered = c.months;
        const std::string context = "dialog " + std::to_string(c.dialog);
        with_dialog([&] { return run_parameter_dialog(c.dialog, params, nullptr); }, [&](QDialog& d) {
            QLineEdit* first = field(d, c.first_control);
            ASSERT_NE(first, nullptr) << context;
            EXPECT_EQ(d.focusWidget(), first) << context;
            EXPECT_EQ(first->selectedText().toStdString(), c.first_text) << context;
            type_keys(*first, "1999");
            EXPECT_EQ(first->text().toStdString(), "1999") << context;
            expect_own_mnemonics(d, context);
        });
    }
    SkyContext work;
    with_dialog([&] { return run_set_location_dialog(work, nullptr); }, [&](QDialog& d) {
        auto* city = d.findChild<QComboBox*>();
        ASSERT_NE(city, nullptr);
        EXPECT_EQ(d.focusWidget(), city);
        EXPECT_EQ(city->lineEdit()->selectedText(), city->currentText());
        expect_own_mnemonics(d, "Set Location");
    });
}

// What a dialog accepted comes back in the next run: kept in the settings,
// read into the start-up values; a value edited out of range is not taken.
TEST(ParameterDialogs, LastValuesKeptForTheNextRun) {
    install_memory_settings_store();
    CommandParams params;
    bool accepted = false;
    try_values(DIAL_YEAR_RANGE, {{CTL_START_YEAR, "1999"}, {CTL_STOP_YEAR, "2003"}}, params, accepted);
    ASSERT_TRUE(accepted);
    CommandParams next_run;
    recall_dialog_values(next_run);
    EXPECT_EQ(std::pair(next_run.year, next_run.end_year), std::pair(1999, 2003));
    write_setting("Dialog Month", "13");
    recall_dialog_values(next_run);
    EXPECT_EQ(next_run.month, CommandParams{}.month);
}
