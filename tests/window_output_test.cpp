// The window as a desktop program, headless: File > Save As and its keys,
// what it writes for each kind of output, and a failed save told.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "platform/settings_store.h"
#include "platform/files.h"
#include "platform/surface.h"
#include "window/window.h"
#include "window_test_main.h"

namespace fs = std::filesystem;

namespace {

fs::path scratch;                 // settings, user data and saved files of this run
std::vector<std::string> boxes;   // the texts of the message boxes, answered as they open

void answer_box() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    boxes.push_back(box->text().toStdString());
    box->button(box->button(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No)->click();
}

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

QMainWindow* frame() { return static_cast<QMainWindow*>(client_area()->window()); }

// Presses a key of the main window (its shortcut, as the key would).
void press_key(const QKeySequence& key) {
    for (QShortcut* shortcut : frame()->findChildren<QShortcut*>())
        if (shortcut->key() == key) {
            emit shortcut->activated();
            return;
        }
    ADD_FAILURE() << "no key " << key.toString().toStdString();
}

// Ctrl+S, then in the Save As dialog the file named (and the file type
// chosen, when given); returns the dialog's file types, empty when none opened.
QStringList save_with_keys(const fs::path& file, int type = -1) {
    static QStringList types;
    types.clear();
    // Looks for the dialog until it is open.
    QTimer finder;
    QObject::connect(&finder, &QTimer::timeout, [&finder, file, type] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name) return;
        finder.stop();
        types = dialog->nameFilters();
        if (type >= 0) {  // as choosing it in the dialog's list does
            dialog->selectNameFilter(types[type]);
            emit dialog->filterSelected(types[type]);
        }
        name->setText(QString::fromStdString(file.string()));  // typed
        static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    });
    finder.start(10);
    press_key(QKeySequence(Qt::CTRL | Qt::Key_S));
    settle();
    return types;
}

class WindowOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (client_area()) return;
        Location paris;
        paris.name = "Paris";
        paris.latitude = 48.85;
        paris.longitude = 2.35;
        paris.longitude_hemisphere = COMPASS_EAST;
        paris.time_zone = 1.0;
        set_window_plugins(program_plugins());
        open_main_window(&paris, &CLASSICAL_ENGINE);  // the classical engine, whose reports the golden texts hold
        settle();
    }
    void SetUp() override {
        boxes.clear();
        CommandParams& p = app_state().params;
        p.year = p.end_year = 2000;
    }
    void TearDown() override {
        dispatch_command(CMD_STOP);
        set_window_plugins(program_plugins());
        settle();
    }
};

// Nothing on the screen yet: Save As is greyed and Ctrl+S opens no dialog.
TEST_F(WindowOutput, NothingShownNothingToSave) {
    EXPECT_TRUE(save_with_keys(scratch / "nothing.png").isEmpty());
    EXPECT_FALSE(fs::exists(scratch / "nothing.png"));
    QAction* save = top_menu(MENU_FILE)->actions().value(0);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(save->isEnabled());
}

// A report saves as the command line's text (UTF-8, a line feed after each
// line) or as its printed pages; a bare name takes the chosen type's extension.
TEST_F(WindowOutput, ReportSavesAsTextOrPdf) {
    dispatch_command(CMD_INTRODUCTION);
    settle();
    const QStringList types = save_with_keys(scratch / "introduction");
    EXPECT_EQ(types, QStringList({"Text (*.txt)", "PDF document (*.pdf)"}));
    EXPECT_EQ(file_text(scratch / "introduction.txt"),
              file_text(fs::path(SKYLOOM_TEST_DATA_DIR) / "introduction.txt"));
    save_with_keys(scratch / "introduction", 1);
    EXPECT_EQ(file_text(scratch / "introduction.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(boxes.empty());
    // No file left under a temporary name beside them.
    for (const auto& entry : fs::directory_iterator(scratch))
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
}

// A graph saves as a PNG picture of 1000 x 750 pixels, or as SVG and PDF
// drawings; a text file or an unwritable folder is refused with a message.
TEST_F(WindowOutput, GraphSavesAsPngSvgOrPdf) {
    WindowPlugins plugins;
    plugins.draw_graph = [](Surface&, int) {};  // the window's own drawing is not what is saved
    set_window_plugins(plugins);
    dispatch_command(CMD_EQUATION_OF_TIME);
    settle();
    const QStringList types = save_with_keys(scratch / "equation.png");
    EXPECT_EQ(types, QStringList({"PNG image (*.png)", "SVG drawing (*.svg)", "PDF document (*.pdf)"}));
    const QImage png(QString::fromStdString((scratch / "equation.png").string()));
    EXPECT_EQ(png.size(), QSize(1000, 750));
    EXPECT_EQ(png.pixelColor(5, 5), QColor(Qt::white));  // white paper
    save_with_keys(scratch / "equation.svg");
    const std::string svg = file_text(scratch / "equation.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Equation of Time"), std::string::npos);  // the title as text, not pixels
    save_with_keys(scratch / "equation.pdf");
    EXPECT_EQ(file_text(scratch / "equation.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(boxes.empty());

    save_with_keys(scratch / "equation.txt");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Cannot save as"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("png svg pdf"), std::string::npos) << boxes[0];
    EXPECT_FALSE(fs::exists(scratch / "equation.txt"));
    boxes.clear();
    fs::create_directories(scratch / "locked");
    fs::permissions(scratch / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    save_with_keys(scratch / "locked" / "equation.png");
    fs::permissions(scratch / "locked", fs::perms::owner_all);
    if (::geteuid() != 0) {  // root writes anywhere
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("Cannot write"), std::string::npos) << boxes[0];
        EXPECT_FALSE(fs::exists(scratch / "locked" / "equation.png"));
    }
}

// A running movie's frame is saved drawn anew: in SVG its lines and text
// stay elements, not a picture of the screen.
TEST_F(WindowOutput, MovieFrameSavesAsVectors) {
    WindowPlugins plugins;
    plugins.run_dialog = [](DialogId, CommandParams&, QWidget*) {};  // the dialog's values as they stand
    set_window_plugins(program_plugins(plugins));
    dispatch_command(CMD_ECLIPTIC_TOP);
    for (int wait = 0; wait < 100 && app_state().frame_counter < 2; ++wait) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        usleep(20000);
    }
    ASSERT_GE(app_state().frame_counter, 2u) << "the frame timer drew the movie";
    save_with_keys(scratch / "ecliptic.svg");
    const std::string svg = file_text(scratch / "ecliptic.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find(">Ecliptic<"), std::string::npos) << "the status panel as text";
    EXPECT_NE(svg.find(">Earth<"), std::string::npos) << "the planets' names as text";
    EXPECT_EQ(svg.find("<image"), std::string::npos) << "no bitmap of the screen";
    save_with_keys(scratch / "ecliptic.png");
    const QImage png(QString::fromStdString((scratch / "ecliptic.png").string()));
    EXPECT_EQ(png.size(), QSize(client_area()->width(), client_area()->height())) << "the window's size";
    EXPECT_EQ(png.pixelColor(png.width() - 1, png.height() - 1), QColor(Qt::white)) << "white paper";
    EXPECT_TRUE(boxes.empty());
}

// The lines of a golden report that hold text, 0-based.
std::vector<int> golden_lines_with(const char* file, const std::string& text) {
    std::ifstream in(fs::path(SKYLOOM_TEST_DATA_DIR) / file);
    std::vector<int> found;
    int index = 0;
    for (std::string line; std::getline(in, line); ++index)
        if (line.find(text) != std::string::npos) found.push_back(index);
    return found;
}

// Copy puts the report on the clipboard as text pastes on Linux: a line feed
// after each line, no carriage return, no form feed.
TEST_F(WindowOutput, ClipboardTextHasLineFeedsOnly) {
    dispatch_command(CMD_INTRODUCTION);
    settle();
    dispatch_command(CMD_COPY);
    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
    std::string golden = file_text(fs::path(SKYLOOM_TEST_DATA_DIR) / "introduction.txt");
    golden.erase(golden.find("\f\n"), 2);  // the end marker is no line of text
    EXPECT_EQ(copied, golden);
    EXPECT_EQ(copied.find('\r'), std::string::npos);
}

// Ctrl+F opens the find field; Enter puts the next line holding the text at
// the top of the view, Shift+Enter (Ctrl+Shift+G) the one before, wrapping round.
TEST_F(WindowOutput, FindPutsTheLineFoundAtTheTop) {
    dispatch_command(CMD_INTRODUCTION);
    settle();
    press_key(QKeySequence(Qt::CTRL | Qt::Key_F));
    auto* find = frame()->statusBar()->findChild<QLineEdit*>();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    const std::vector<int> moon = golden_lines_with("introduction.txt", "Moon");  // FM, FQ, LQ, MR, MS, NM
    ASSERT_GE(moon.size(), 3u);
    find->setText("moon");
    emit find->returnPressed();
    EXPECT_EQ(app_state().report.top_line, moon[0]);
    press_key(QKeySequence(Qt::CTRL | Qt::Key_G));
    EXPECT_EQ(app_state().report.top_line, moon[1]);
    press_key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    press_key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    EXPECT_EQ(app_state().report.top_line, moon.back());  // from the first, backwards to the last
    find->setText("no such words");
    emit find->returnPressed();
    EXPECT_EQ(app_state().report.top_line, moon.back());  // not found: the view stays
}

// The status bar names the place, its zone and the engine; Ctrl+plus and
// Ctrl+minus change the report's text size and keep it in the settings;
// F11 fills the screen and gives it back.
TEST_F(WindowOutput, StatusBarZoomAndFullScreen) {
    auto* status = frame()->statusBar()->findChild<QLabel*>();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text().simplified().toStdString(), "Paris UT+1.00 Classical calculations (1995)");
    const int line_height = window_view_metrics().line_height;
    press_key(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    press_key(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_GT(window_view_metrics().line_height, line_height);
    const int larger = std::stoi(read_setting("Report Font Size"));
    press_key(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_EQ(std::stoi(read_setting("Report Font Size")), larger - 1);
    press_key(QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(read_setting("Report Font Size"), "0");
    EXPECT_EQ(window_view_metrics().line_height, line_height);
    press_key(QKeySequence(Qt::Key_F11));
    EXPECT_TRUE(frame()->windowState() & Qt::WindowFullScreen);
    press_key(QKeySequence(Qt::Key_F11));
    EXPECT_FALSE(frame()->windowState() & Qt::WindowFullScreen);
}

// Tick Marks or Grid Lines is kept in the settings file for the next run.
TEST_F(WindowOutput, GridLinesKeptInTheSettings) {
    menu_action(CMD_GRID_LINES)->trigger();
    settle();
    EXPECT_EQ(read_setting("Grid Lines"), "1");
    const std::string file = file_text(scratch / "config" / "Vantorel" / "Skyloom 2.conf");
    EXPECT_NE(file.find("Grid%20Lines=1"), std::string::npos) << file;
    menu_action(CMD_TICK_MARKS)->trigger();
    settle();
    EXPECT_EQ(read_setting("Grid Lines"), "0");
}

// Scroll bars show only when there is something to scroll: not for Planet
// Data, which fits the first window, nor sideways for 80 columns in its 82;
// down the Introduction, which does not fit.
TEST_F(WindowOutput, ScrollBarsOnlyWhenThereIsSomethingToScroll) {
    dispatch_command(CMD_PLANET_DATA);
    settle();
    EXPECT_FALSE(window_scroll_bar(SCROLL_VERTICAL)->isVisible());
    EXPECT_FALSE(window_scroll_bar(SCROLL_HORIZONTAL)->isVisible());
    dispatch_command(CMD_INTRODUCTION);
    settle();
    EXPECT_TRUE(window_scroll_bar(SCROLL_VERTICAL)->isVisible());
    EXPECT_FALSE(window_scroll_bar(SCROLL_HORIZONTAL)->isVisible());
}

// File > Export Events: the dialog's years, one kind and iCalendar, then the
// Save dialog; the file holds the 2000 seasons (USNO: March equinox
// 2000-03-20 07:35 UT, December solstice 2000-12-21 13:37 UT).
TEST_F(WindowOutput, ExportEventsWritesTheChosenKindsAsIcalendar) {
    const fs::path file = scratch / "seasons.ics";
    QTimer finder;
    QObject::connect(&finder, &QTimer::timeout, [&finder, file] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            if (!name) return;
            finder.stop();
            EXPECT_EQ(dialog->nameFilters(), QStringList({"iCalendar (*.ics)"}));
            name->setText(QString::fromStdString(file.string()));
            static_cast<QDialog*>(dialog)->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->findChild<QLineEdit*>("first_year")) {
            EXPECT_EQ(dialog->findChild<QLineEdit*>("first_year")->text(), "2000");  // the current year
            for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) box->setChecked(box->objectName() == "seasons");
            EXPECT_EQ(dialog->findChild<QComboBox*>("format")->currentText(), "iCalendar");
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }
    });
    finder.start(10);
    dispatch_command(CMD_EXPORT_EVENTS);
    settle();
    const std::string text = file_text(file);
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    size_t events = 0;
    for (size_t at = 0; (at = text.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) ++events;
    EXPECT_EQ(events, 4u);
    EXPECT_NE(text.find("DTSTART:20000320T073"), std::string::npos) << text;
    EXPECT_NE(text.find("DTSTART:20001221T13"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:December solstice\r\n"), std::string::npos);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace

int main(int argc, char** argv) {
    std::string pattern = (fs::temp_directory_path() / "skyloom_window_output_XXXXXX").string();
    scratch = mkdtemp(pattern.data());
    set_data_folder(fs::path(SKYLOOM_BINARY).parent_path().string());
    return run_window_tests(argc, argv, scratch, answer_box);
}
