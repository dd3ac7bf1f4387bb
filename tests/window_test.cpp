// The window, headless: start-up, report commands in the window, scrolling
// by keys, bars and wheel, the menu greying while work runs, Esc during a
// long report, the movie keys, message boxes, the fatal path and the exit.
#include "window/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/city_list.h"
#include "app/colors.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "cli/cli.h"
#include "format/format.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/message_pump.h"
#include "platform/messages.h"
#include "platform/qt/message_box.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/surface.h"
#include "platform/text_encoding.h"
#include "report_test_support.h"
#include "test_files.h"
#include "window/parameter_dialogs.h"
#include "window_test_main.h"

namespace fs = std::filesystem;

namespace {

struct Box {
    std::string title, text, informative_text;
    QMessageBox::Icon icon;
    bool question;
    QWidget* parent;
    QPixmap icon_pixmap;
    int width, title_width;  // pixels
};
std::vector<Box> boxes;  // message boxes, answered as they open
bool answer_yes = false;

// Answers the message box on top, if one is open; also tells standard error,
// where a death test looks for it.
void answer_box() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    bool question = box->button(QMessageBox::Yes) != nullptr;
    boxes.push_back({from_qstring(box->windowTitle()), from_qstring(box->text()),
                     from_qstring(box->informativeText()), box->icon(), question,
                     box->parentWidget(), box->iconPixmap(), box->width(),
                     box->fontMetrics().horizontalAdvance(box->windowTitle())});
    std::fprintf(stderr, "box \"%s\": %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
    box->button(question ? (answer_yes ? QMessageBox::Yes : QMessageBox::No) : QMessageBox::Ok)->click();
}

constexpr int NOTCH = 120;  // one notch of a mouse wheel, 1/8 degree
fs::path scratch;           // settings, user data and the program's data folder of this run

// A report as the command line writes it (UTF-8), in the program's Latin-1.
std::vector<std::string> golden_lines(const std::string& file) {
    std::ifstream in(std::string(SKYLOOM_TEST_DATA_DIR) + "/" + file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(utf8_to_latin1(line));
    return lines;
}

QMainWindow* frame() { return static_cast<QMainWindow*>(client_area()->window()); }
void press(int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(client_area(), &event);
}
bool group_enabled(int position) { return top_menu(position)->menuAction()->isEnabled(); }
bool item_enabled(int id) { return menu_action(id)->isEnabled(); }
bool checked(int id) { return menu_action(id)->isChecked(); }
void expect_all_groups_enabled() {
    for (int position = 0; position < MENU_COUNT; ++position) EXPECT_TRUE(group_enabled(position)) << position;
}

// Whether rows top..bottom of the picture hold any pixel darker than the background.
bool has_ink(const QImage& image, int top, int bottom) {
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
}
bool bottom_line_has_ink() {
    const ReportViewMetrics& m = window_view_metrics();
    return has_ink(client_area()->grab().toImage(), m.client_height - m.line_height, m.client_height);
}

Location paris;  // the place the window was opened at, given as on the command line

class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (client_area()) return;
        // The classical engine, whose reports the golden texts hold.
        char program[] = "skyloom", option[] = "--city", city[] = "paris", classical[] = "--classical";
        char* args[] = {program, option, city, classical};
        const SkyEngine* engine = nullptr;
        ASSERT_TRUE(cli_window_start(4, args, paris, engine));
        ASSERT_EQ(engine, &CLASSICAL_ENGINE);
        open_main_window(&paris, engine);
        settle();
    }
    QSize size_before;  // each test's resizing is undone after it

    void SetUp() override {
        size_before = frame()->size();
        boxes.clear();
        answer_yes = false;
        CommandParams& p = app_state().params;
        p.year = p.end_year = 2000;
        p.time_speed = 64;
        p.view_angle = 90;
    }
    void TearDown() override {
        set_window_plugins(WindowPlugins{});
        frame()->resize(size_before);
        settle();
    }

    // Dates of Easter for every year from 1000 to 3000, one line a year; or
    // the lunar eclipses of those years, long enough (about 0.1 s) for the
    // pump, which takes events every few milliseconds, to run timers and keys
    // while the report is made (Easter's 2001 lines take less).
    static void long_report(int command = CMD_EASTER) {
        app_state().params.year = 1000;
        app_state().params.end_year = 3000;
        dispatch_command(command);
        settle();
    }
};

TEST_F(Window, OpensWithTitleMenusAndFirstSize) {
    EXPECT_EQ(frame()->windowTitle(), "Skyloom 2");
    const std::vector<Menu> bar = menu_bar();
    for (int position = 0; position < MENU_COUNT; ++position) {
        EXPECT_EQ(from_qstring(top_menu(position)->title()), bar[position].title);
        std::vector<std::string> texts, expected;
        for (QAction* action : top_menu(position)->actions())
            if (!action->isSeparator()) texts.push_back(from_qstring(action->text()));
        for (const MenuItem& item : bar[position].items)
            if (item.id) expected.emplace_back(item.text);
        if (position == MENU_FILE) expected.insert(expected.begin(), "Save &As...");  // the window's own item
        EXPECT_EQ(texts, expected) << "menu " << position;
    }
    // 82 columns of the report font (a report line and its margins) and 3 : 4 of that high.
    const ReportViewMetrics& m = window_view_metrics();
    EXPECT_GE(m.client_width, 82 * m.char_width);
    EXPECT_GE(m.client_height, 82 * m.char_width * 3 / 4);
    // and a graph's smallest readable picture, 640 x 480, seen whole.
    EXPECT_GE(m.client_width, 640);
    EXPECT_GE(m.client_height, 480);
    EXPECT_FALSE(window_scroll_bar(SCROLL_VERTICAL)->isVisible());
    EXPECT_EQ(app_state().initial_width, m.client_width);
    menu_opened();  // nothing on screen yet: nothing to copy
    EXPECT_FALSE(item_enabled(CMD_COPY));
    EXPECT_TRUE(checked(CMD_TICK_MARKS));
}

TEST_F(Window, PlaceFromTheCommandLineIsForThisRunOnly) {
    const Location& here = app_state().sky.location;
    EXPECT_EQ(here.name, "Paris");
    EXPECT_NEAR(here.latitude, 48 + 51 / 60.0 + 12 / 3600.0, 1e-9);  // CITIES.DAT: 48 51 12 N
    EXPECT_EQ(current_city_name(), "Greenwich");  // the list's own current city is untouched
    EXPECT_FALSE(cities_modified());
}

// Fixed-text reports as the command line writes them, with bars, menus back, a top margin line.
TEST_F(Window, FixedTextReportsMatchTheCommandLinesReports) {
    const struct { int command; const char* golden; bool fits; } reports[] = {
        {CMD_INTRODUCTION, "introduction.txt", false}, {CMD_PLANET_DATA, "planet_data.txt", true}};
    for (const auto& [command, golden, fits] : reports) {
        SCOPED_TRACE(golden);
        dispatch_command(command);
        settle();
        EXPECT_EQ(lines_of(app_state().report), golden_lines(golden));
        EXPECT_TRUE(app_state().report_complete);
        EXPECT_EQ(app_state().current_output, CMD_NONE);
        // Bars only where there is something to scroll: down a report longer
        // than the window, never across its 80 columns in the first window.
        for (ScrollBarKind kind : {SCROLL_HORIZONTAL, SCROLL_VERTICAL}) {
            QScrollBar* bar = window_scroll_bar(kind);
            EXPECT_EQ(bar->isVisible(), kind == SCROLL_VERTICAL && !fits) << kind;
            EXPECT_EQ(std::tuple(bar->minimum(), bar->maximum(), bar->value()), std::tuple(0, 360, 0));
        }
        expect_all_groups_enabled();
        const int line = window_view_metrics().line_height;
        const QImage picture = client_area()->grab().toImage();
        EXPECT_FALSE(has_ink(picture, 0, line));
        EXPECT_TRUE(has_ink(picture, line, 2 * line));
        if (fits) { EXPECT_FALSE(bottom_line_has_ink()) << "no progress line under a complete report"; }
    }
}

// A dialog opened over a report or a graph and cancelled leaves it on the
// screen as it was: a 68-second report is not lost to a peek at a dialog.
int graph_drawings = 0;
TEST_F(Window, CancelledDialogKeepsTheOutputShown) {
    dispatch_command(CMD_INTRODUCTION);
    settle();
    const QImage report = client_area()->grab().toImage();
    WindowPlugins plugins;
    plugins.run_dialog = [](DialogId, CommandParams& params, QWidget*) { params.cancelled = true; };
    plugins.draw_graph = [](Surface& surface, int) {
        ++graph_drawings;
        surface.draw_line({100, 100}, {900, 650});
    };
    set_window_plugins(plugins);
    for (int command : {CMD_CALENDAR, CMD_ALMANAC, CMD_EQUATION_OF_TIME, CMD_ECLIPTIC_TOP}) {
        dispatch_command(command);
        settle();
        EXPECT_EQ(app_state().report.line_count, 38) << command;
        EXPECT_TRUE(app_state().report_complete) << command;
        EXPECT_TRUE(window_scroll_bar(SCROLL_VERTICAL)->isVisible()) << command;
        EXPECT_EQ(client_area()->grab().toImage(), report) << command;
        expect_all_groups_enabled();
    }
    plugins.run_dialog = nullptr;  // accepted as they stand
    set_window_plugins(plugins);
    dispatch_command(CMD_EQUATION_OF_TIME);
    settle();
    const QImage graph = client_area()->grab().toImage();
    EXPECT_NE(graph, report);
    EXPECT_EQ(app_state().report.line_count, 0);  // the graph, once started, replaced the report
    plugins.run_dialog = [](DialogId, CommandParams& params, QWidget*) { params.cancelled = true; };
    set_window_plugins(plugins);
    graph_drawings = 0;
    dispatch_command(CMD_SEASONS);
    settle();
    EXPECT_EQ(app_state().current_output, CMD_EQUATION_OF_TIME);
    EXPECT_EQ(client_area()->grab().toImage(), graph);
    EXPECT_LE(graph_drawings, 1);  // drawn again at most, never erased
    dispatch_command(CMD_STOP);
}

// While a long report runs the menus are greyed and a progress line shows; Esc stops it.
TEST_F(Window, MenusWhileAReportRunsAndEscapeStopsIt) {
    long_report();
    const int full = app_state().report.line_count;
    ASSERT_EQ(full, 2001 + 3);  // title, empty line, a line a year, end marker
    bool stop = false, print = true, edit = true, file = false, progress = false;
    QTimer::singleShot(0, [&] {
        menu_opened();
        stop = item_enabled(CMD_STOP), print = item_enabled(CMD_PRINT);
        edit = group_enabled(MENU_EDIT), file = group_enabled(MENU_FILE);
        progress = bottom_line_has_ink();
        press(Qt::Key_Escape);
    });
    long_report(CMD_LUNAR_ECLIPSES);
    EXPECT_EQ(std::tuple(stop, print, edit, file, progress), std::tuple(true, false, false, true, true));
    AppState& app = app_state();
    EXPECT_GT(app.report.line_count, 0);
    EXPECT_NE(lines_of(app.report).back(), REPORT_END_MARKER);  // a stopped report has no end marker
    // Its last line says where it stopped, centred in the 80 columns.
    const std::string last = lines_of(app.report).back();
    EXPECT_NE(last.find("--- Stopped at "), std::string::npos) << last;
    EXPECT_NE(last.find("% of Lunar Eclipses: the report ends here ---"), std::string::npos) << last;
    EXPECT_LE(last.size(), 80u);
    EXPECT_EQ(app.current_output, CMD_NONE);
    expect_all_groups_enabled();
}

TEST_F(Window, KeysBarsAndWheelScrollTheReport) {
    // Narrower than a report line, so that it also scrolls sideways.
    const QSize first = frame()->size();
    frame()->resize(first.width() * 2 / 3, first.height());
    settle();
    long_report();
    const ReportDocument& d = app_state().report;
    const ReportViewMetrics& m = window_view_metrics();
    const int rows = m.client_height / m.line_height, columns = m.client_width / m.char_width;
    const int max_top = d.line_count - rows, max_column = 80 - columns;
    ASSERT_GT(max_column, 0) << "the first window is narrower than 80 columns";
    QScrollBar* vertical = window_scroll_bar(SCROLL_VERTICAL);
    QScrollBar* horizontal = window_scroll_bar(SCROLL_HORIZONTAL);
    const struct { int key, top_line, first_column, vertical_thumb, horizontal_thumb; } steps[] = {
        {Qt::Key_Up, 0, 0, 0, 0},  // already at the top
        {Qt::Key_PageDown, rows - 1, 0, (rows - 1) * 360 / max_top, 0},
        {Qt::Key_End, max_top, 0, 360, 0},
        {Qt::Key_Home, 0, 0, 0, 0},
        {Qt::Key_Right, 0, 1, 0, 360 / max_column},
        {Qt::Key_Left, 0, 0, 0, 0},
    };
    for (const auto& s : steps) {
        press(s.key);
        EXPECT_EQ(std::tuple(d.top_line, d.first_column, vertical->value(), horizontal->value()),
                  std::tuple(s.top_line, s.first_column, s.vertical_thumb, s.horizontal_thumb))
            << "key " << std::hex << s.key;
    }

    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(std::pair(d.top_line, vertical->value()), std::pair(rows - 1, (rows - 1) * 360 / max_top));
    // The thumb dragged and dropped half way: the view follows on the drop and the thumb stays.
    vertical->setSliderDown(true);
    vertical->setSliderPosition(180);
    EXPECT_EQ(d.top_line, rows - 1);  // not while dragging
    vertical->setSliderDown(false);
    EXPECT_EQ(std::pair(d.top_line, vertical->value()), std::pair(max_top * 180 / 360, 180));

    press(Qt::Key_Home);
    const int lines = QApplication::wheelScrollLines();
    // Wheel turns (half a notch waits for the other half) and the top line after each.
    const std::pair<int, int> turns[] = {{-60, 0}, {-60, lines}, {NOTCH, 0}};
    for (auto [delta, top] : turns) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(client_area(), &wheel);
        EXPECT_EQ(d.top_line, top) << "wheel " << delta;
    }
}

// The first window shows a whole report line beside the scroll bar: the
// Calendar's Saturday column (columns 71-80) is not cut off.
TEST_F(Window, FirstWindowShowsEightyColumns) {
    dispatch_command(CMD_INTRODUCTION);  // longer than the window: the vertical bar shows
    settle();
    ASSERT_TRUE(window_scroll_bar(SCROLL_VERTICAL)->isVisible());
    const ReportViewMetrics& m = window_view_metrics();
    EXPECT_GE(m.client_width / m.char_width, 1 + 80);  // the left margin, then 80 columns
}

// After Esc stops a report the keys scroll it at once, wherever the focus
// was (Esc in the menu bar leaves it in keyboard mode).
TEST_F(Window, KeysScrollAtOnceAfterStop) {
    frame()->activateWindow();
    settle();
    // Stopped once the report is longer than the window.
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&stopper] {
        if (app_state().report.line_count < 200) return;
        stopper.stop();
        frame()->menuBar()->setFocus();
        press(Qt::Key_Escape);
    });
    stopper.start(0);
    long_report(CMD_LUNAR_ECLIPSES);
    ASSERT_NE(lines_of(app_state().report).back(), REPORT_END_MARKER);  // stopped
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), client_area());
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &end);
    const ReportViewMetrics& m = window_view_metrics();
    EXPECT_EQ(app_state().report.top_line, app_state().report.line_count - m.client_height / m.line_height);
}

TEST_F(Window, MovieKeysSteerTheRunningMovie) {
    AppState& app = app_state();
    press(Qt::Key_F3);  // no movie: Slow Down is greyed
    EXPECT_EQ(app.sky.time_speed, 0);
    dispatch_command(CMD_ECLIPTIC_TOP);  // the dialog takes speed 64 and angle 90
    settle();
    EXPECT_EQ(app.current_output, CMD_ECLIPTIC_TOP);
    EXPECT_FALSE(group_enabled(MENU_REPORTS));
    const struct { int key, time_speed; double view_angle; bool paused, jet_trails; } steps[] = {
        {Qt::Key_F2, 64, 90, false, false},  // greyed at the fastest speed
        {Qt::Key_F7, 64, 90, false, false},  // greyed at the widest view
        {Qt::Key_F6, 64, 60, false, false},
        {Qt::Key_F5, 0, 60, true, false},
        {Qt::Key_F2, 1, 60, true, false},    // still paused
        {Qt::Key_F5, 64, 60, false, false},  // the parked speed comes back
        {Qt::Key_F4, -64, 60, false, false},
        {Qt::Key_F8, -64, 60, false, true},
    };
    for (const auto& s : steps) {
        press(s.key);
        EXPECT_EQ(std::tuple(app.sky.time_speed, app.sky.view_angle, checked(CMD_PAUSE), checked(CMD_JET_TRAILS)),
                  std::tuple(s.time_speed, s.view_angle, s.paused, s.jet_trails))
            << "key F" << s.key - Qt::Key_F1 + 1;
    }
    press(Qt::Key_F5);
    EXPECT_TRUE(checked(CMD_PAUSE));
    dispatch_command(CMD_INTRODUCTION);  // a new output removes the Pause check
    EXPECT_FALSE(checked(CMD_PAUSE));

    dispatch_command(CMD_ECLIPTIC_TOP);
    settle();
    press(Qt::Key_Escape);
    EXPECT_EQ(app.current_output, CMD_NONE);
    expect_all_groups_enabled();
    menu_opened();
    EXPECT_TRUE(item_enabled(CMD_COPY));  // Stop keeps the last picture, which can be copied
}

TEST_F(Window, TickMarksAndGridLinesFromTheMenu) {
    for (int chosen : {CMD_GRID_LINES, CMD_TICK_MARKS}) {
        menu_action(chosen)->trigger();
        settle();
        EXPECT_EQ(checked(CMD_TICK_MARKS), chosen == CMD_TICK_MARKS) << "after " << chosen;
        EXPECT_EQ(checked(CMD_GRID_LINES), chosen == CMD_GRID_LINES) << "after " << chosen;
    }
}

struct GraphCall {
    int command;
    bool graph_mapping;
    int width, height;  // the area the graph space is mapped onto, pixels
    int current_while_drawing;
    bool drawing_flag, stop_enabled;
};
std::vector<GraphCall> graph_calls;

TEST_F(Window, PaintDrawsTheCurrentGraph) {
    graph_calls.clear();
    WindowPlugins plugins;
    plugins.draw_graph = [](Surface& surface, int command) {
        menu_opened();
        SurfaceMapping mapping = surface.mapping();
        graph_calls.push_back({command, mapping.graph, mapping.device_width, mapping.device_height,
                               app_state().current_output, app_state().graph_drawing, item_enabled(CMD_STOP)});
    };
    set_window_plugins(plugins);
    dispatch_command(CMD_EQUATION_OF_TIME);
    settle();
    AppState& app = app_state();
    ASSERT_FALSE(graph_calls.empty());
    const GraphCall& call = graph_calls.front();
    EXPECT_EQ(call.command, CMD_EQUATION_OF_TIME);
    EXPECT_TRUE(call.graph_mapping);
    EXPECT_EQ(std::pair(call.width, call.height), std::pair(app.drawing_width, app.drawing_height));
    EXPECT_EQ(call.current_while_drawing, CMD_NONE);  // parked while drawing
    EXPECT_TRUE(call.drawing_flag);
    EXPECT_TRUE(call.stop_enabled);
    EXPECT_EQ(app.current_output, CMD_EQUATION_OF_TIME);  // back afterwards
    EXPECT_FALSE(app.graph_drawing);
    expect_all_groups_enabled();
    dispatch_command(CMD_STOP);
}

// Enlarging the window while a graph draws shows the background in the new
// area, not black, until the graph is drawn again at the new size.
TEST_F(Window, EnlargedWhileAGraphDrawsShowsTheBackground) {
    static QImage during;
    static QSize first;
    first = frame()->size();
    WindowPlugins plugins;
    plugins.draw_graph = [](Surface&, int) {
        if (!during.isNull()) return;
        frame()->resize(first + QSize(100, 80));
        settle();
        during = client_area()->grab().toImage();
    };
    set_window_plugins(plugins);
    during = QImage();
    dispatch_command(CMD_EQUATION_OF_TIME);
    settle();
    ASSERT_FALSE(during.isNull());
    const QColor background = client_area()->palette().color(QPalette::Base);
    EXPECT_EQ(during.pixelColor(during.width() - 5, during.height() - 5), background);
    dispatch_command(CMD_STOP);
}

TEST_F(Window, DrawingSizeNeverBelowTheFirstSize) {
    AppState& app = app_state();
    const QSize first = frame()->size();
    frame()->resize(first / 2);
    settle();
    EXPECT_LT(window_view_metrics().client_width, app.initial_width);
    // Nor below the smallest readable picture, 640 x 480.
    EXPECT_EQ(std::pair(app.drawing_width, app.drawing_height),
              std::pair(std::max(app.initial_width, 640), std::max(app.initial_height, 480)));
    frame()->resize(first * 2);
    settle();
    const ReportViewMetrics& m = window_view_metrics();
    EXPECT_EQ(std::pair(app.drawing_width, app.drawing_height), std::pair(m.client_width, m.client_height));
    EXPECT_GT(app.drawing_width, app.initial_width);
}

TEST_F(Window, ErrorsAndQuestionsShowInBoxes) {
    show_error(123);
    EXPECT_FALSE(ask_question("Proceed?"));
    answer_yes = true;
    EXPECT_TRUE(ask_question("Proceed?"));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].title, "Skyloom 2 - Error");
    EXPECT_EQ(boxes[0].text, "Latitude cannot be greater than 60\xB0");
    EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
    EXPECT_EQ(std::tuple(boxes[1].title, boxes[1].question), std::tuple("Skyloom 2", true));
}

// A box belongs to the dialog whose field it refuses (the window manager
// shows it over that dialog), else to the main window; it is wide enough for
// its title however short its text.
TEST_F(Window, ErrorBoxesBelongToTheDialogAndShowTheirWholeTitle) {
    QDialog dialog(frame());
    QTimer::singleShot(0, [&] {
        show_error(MSG_YEAR_RANGE);
        dialog.reject();
    });
    dialog.exec();
    frame()->activateWindow();
    settle();
    show_error_text("No.");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Year must be between 1000 and 3000");
    EXPECT_EQ(boxes[0].parent, &dialog);
    EXPECT_EQ(boxes[1].parent, frame());
    // The title bar holds the window manager's buttons and the window's icon
    // beside the title: some 80 pixels more.
    for (const Box& box : boxes) EXPECT_GE(box.width, box.title_width + 80) << box.text;
}

// The program's own icon: on the window, and beside the About box's line.
TEST_F(Window, IconOnTheWindowAndInTheAboutBox) {
    for (int size : {16, 48, 256}) {
        const QImage icon = program_icon().pixmap(size).toImage();
        ASSERT_EQ(icon.size(), QSize(size, size));
        // Drawn to the edge of its square at every size: its corners are clear, its middle is not.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
    EXPECT_FALSE(frame()->windowIcon().isNull());
    show_about_box(frame());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "About Skyloom 2");
    EXPECT_EQ(boxes[0].text, "Skyloom 2 v. 2.02 for Linux.");
    EXPECT_FALSE(boxes[0].icon_pixmap.isNull());
    // Under it the licence and the credits that the data's licences ask for.
    for (const char* notice : {"The Skyloom 2 developers", "GNU General Public License, version 3 or later",
                               "GeoNames", "CC BY 4.0", "d3-celestial", "Olaf Frohn", "BSD-3-Clause",
                               "Natural Earth", "world-atlas", "Michael Bostock", "ISC"})
        EXPECT_NE(boxes[0].informative_text.find(notice), std::string::npos) << notice;
}

// The reports' use of the separator is checked with the reports themselves.
TEST_F(Window, LocaleChangeIsReadAgain) {
    set_locale_profile_reader([](std::string_view key, std::string_view fallback) {
        return std::string(key == "sDecimal" ? std::string_view(",") : fallback);
    });
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(client_area(), &change);
    EXPECT_EQ(decimal_separator(false), ',');
    set_locale_profile_reader(nullptr);
    QApplication::sendEvent(client_area(), &change);
    EXPECT_EQ(decimal_separator(false), '.');
}

TEST(WindowOptions, OnlyPlaceOptionsOpenTheWindowAndGiveThePlace) {
    const struct { std::vector<std::string> args; bool window; } cases[] = {
        {{"--city", "Paris"}, true},
        {{"--lat", "51.5"}, true},  // refused later, with a message, as the command line refuses it
        {{"report", "calendar"}, false},
        {{"--city"}, false},
        {{"--city", "Paris", "--csv"}, false},
        {{"--classical"}, true},
        {{"--city", "Paris", "--precise"}, true},
    };
    for (const auto& c : cases) {
        std::vector<char*> argv = {const_cast<char*>("skyloom")};
        for (const std::string& a : c.args) argv.push_back(const_cast<char*>(a.c_str()));
        EXPECT_EQ(cli_window_options(static_cast<int>(argv.size()), argv.data()), c.window) << c.args[0];
    }
    const char* args[] = {"skyloom", "--lat", "-33.5", "--lon", "-70.75", "--tz", "-4", "--elev", "520",
                          "--name", "Santiago"};
    Location place;
    const SkyEngine* engine = nullptr;  // no engine option: the setting's
    ASSERT_TRUE(cli_window_start(11, const_cast<char**>(args), place, engine));
    EXPECT_EQ(engine, nullptr);
    EXPECT_EQ(std::tuple(place.name, place.latitude, place.latitude_hemisphere, place.longitude,
                         place.longitude_hemisphere, place.time_zone, place.elevation),
              std::tuple("Santiago", 33.5, COMPASS_SOUTH, 70.75, COMPASS_WEST, -4.0, 520));
}

// A repaint or a stop asked of a window stops no graph drawn after it is gone
// (the command line's, or the next window's).
TEST(WindowRelease, LeavesNoStopOrRepaintBehind) {
    open_main_window(nullptr);
    settle();
    work_signals().repaint_pending = true;
    work_signals().stop_requested = true;
    release_main_window();
    EXPECT_EQ(pump_messages(1), 0);  // the graphs' mode
}

TEST(WindowDeathTest, FatalErrorShowsTwoBoxesThenEnds) {
    EXPECT_EXIT(
        {
            install_qt_message_presenter();
            fatal_error(693, "SKY", 7);
        },
        ::testing::ExitedWithCode(EXIT_FATAL_ERROR), "box \"Skyloom 2 - Fatal error\": GDI error.*box \"\": SKY/7");
}

// Last: the window closes.
TEST_F(Window, ClosingOffersToSaveChangedCitiesAndColours) {
    const fs::path cities = scratch / "data" / "CITIES.DAT";
    const std::string before = read_text(cities);
    store_city("Test Town", 10, 0, 0, COMPASS_NORTH, 20, 0, 0, COMPASS_EAST, 1.0, 0, false);
    begin_color_assignment();
    assign_color(COLOR_SUN, {1, 2, 3});
    accept_color_assignment();
    dispatch_command(CMD_EXIT);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Save city location database?");
    EXPECT_EQ(boxes[1].text, "Save assigned colors?");
    EXPECT_FALSE(frame()->isVisible());
    EXPECT_EQ(read_text(cities), before);  // answered No
}

// Closing keeps the window's place and size; the next run opens there.
TEST_F(Window, PlaceAndSizeKeptForTheNextRun) {
    frame()->show();
    frame()->move(30, 40);
    frame()->resize(700, 520);
    settle();
    frame()->close();
    EXPECT_EQ(read_setting("Window"), "30,40,700,520,0");
    release_main_window();
    open_main_window(&paris);
    settle();
    EXPECT_EQ(frame()->pos(), QPoint(30, 40));
    EXPECT_EQ(frame()->size(), QSize(700, 520));
}

// The place chosen with Set Location is where the next run starts, while the
// city list has it; a cancelled choice is not kept.
TEST_F(Window, ChosenPlaceKeptForTheNextRun) {
    set_window_plugins(program_plugins({.run_dialog = +[](DialogId, CommandParams& p, QWidget*) {
        app_state().location_work_copy.location = location_from_city(*find_city("denver"));
        p.cancelled = false;
    }}));
    dispatch_command(CMD_SET_LOCATION);
    EXPECT_EQ(read_setting("Place"), "Denver");
    set_window_plugins(program_plugins({.run_dialog = +[](DialogId, CommandParams& p, QWidget*) {
        app_state().location_work_copy.location.name = "Nowhere";
        p.cancelled = true;
    }}));
    dispatch_command(CMD_SET_LOCATION);
    EXPECT_EQ(read_setting("Place"), "Denver");
    release_main_window();
    open_main_window(nullptr);
    settle();
    EXPECT_EQ(app_state().sky.location.name, "Denver");
    EXPECT_NEAR(app_state().sky.location.latitude, 39.74, 0.01);  // Denver, 39°44' N
    release_main_window();
    write_setting("Place", "");
    open_main_window(&paris);
    settle();
    EXPECT_EQ(app_state().sky.location.name, "Paris");
}

// A saved place larger than the screens (16 000 000 pixels a side, which no
// drawing surface can hold) is ignored: the window opens with its first size.
TEST_F(Window, PlaceLargerThanTheScreensIsIgnored) {
    release_main_window();
    write_setting("Window", "");
    open_main_window(&paris);
    settle();
    const QSize first = frame()->size();
    release_main_window();
    write_setting("Window", "0,0,16000000,16000000,0");
    open_main_window(&paris);
    settle();
    EXPECT_EQ(frame()->size(), first);
    EXPECT_TRUE(client_area());
}

}  // namespace

int main(int argc, char** argv) {
    std::string pattern = (fs::temp_directory_path() / "skyloom_window_XXXXXX").string();
    scratch = mkdtemp(pattern.data());
    fs::create_directories(scratch / "data");
    fs::copy_file(fs::path(SKYLOOM_SOURCE_DIR) / "data" / "CITIES.DAT", scratch / "data" / "CITIES.DAT");
    set_data_folder((scratch / "data").string());
    return run_window_tests(argc, argv, scratch, answer_box);
}
