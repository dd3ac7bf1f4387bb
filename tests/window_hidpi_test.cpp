// The window on a screen scaled twice (QT_SCALE_FACTOR=2, as on a 4K
// screen): the client area is drawn at the screen's pixel ratio, with twice
// the pixels each way and the layout of 1x.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "platform/files.h"
#include "platform/qt/surface_qt.h"
#include "window/window.h"
#include "window_test_main.h"

namespace fs = std::filesystem;

namespace {

void answer_box() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(QMessageBox::Ok)->click();
}

// The image rows (device pixels) holding any pixel darker than mid-grey.
std::vector<int> ink_rows(const QImage& image) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                rows.push_back(y);
                break;
            }
    return rows;
}

class HighDensityWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        set_data_folder(fs::path(SKYLOOM_BINARY).parent_path().string());
        open_main_window(nullptr);
        settle();
    }
    void TearDown() override { set_window_plugins(WindowPlugins{}); }
};

// A report's first line: in the image's rows 2h..4h (h the line height in
// logical pixels), the top margin line empty, as at 1x in rows h..2h.
TEST_F(HighDensityWindow, ReportLinesHaveTwiceThePixelsInTheSamePlace) {
    ASSERT_EQ(client_area()->devicePixelRatioF(), 2.0);
    dispatch_command(CMD_PLANET_DATA);
    settle();
    const QImage picture = client_area()->grab().toImage();
    const ReportViewMetrics& m = window_view_metrics();
    ASSERT_EQ(picture.size(), QSize(2 * m.client_width, 2 * m.client_height));
    const std::vector<int> rows = ink_rows(picture);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), 2 * m.line_height);      // the empty top margin line
    EXPECT_LT(rows.front(), 4 * m.line_height);      // the title, on the first line
    // Glyphs drawn from the font at twice the size, not a 1x picture
    // enlarged: some 2 x 2 block of pixels is not of one colour.
    bool finer_than_doubled = false;
    for (int y = 0; y + 1 < picture.height() && !finer_than_doubled; y += 2)
        for (int x = 0; x + 1 < picture.width(); x += 2) {
            QRgb p = picture.pixel(x, y);
            if (picture.pixel(x + 1, y) != p || picture.pixel(x, y + 1) != p || picture.pixel(x + 1, y + 1) != p) {
                finer_than_doubled = true;
                break;
            }
        }
    EXPECT_TRUE(finer_than_doubled);
}

// A graph's hairline lies at twice its 1x row and is one image pixel thick.
TEST_F(HighDensityWindow, GraphHairlineAtTwiceItsRowOnePixelThick) {
    WindowPlugins plugins;
    plugins.draw_graph = [](Surface& surface, int) {
        surface.set_pen(surface_color(0, 0, 0), 1);
        surface.draw_line({0, 375}, {1000, 375});
    };
    set_window_plugins(plugins);
    dispatch_command(CMD_EQUATION_OF_TIME);
    settle();
    const AppState& app = app_state();
    const int row = to_device(graph_mapping(app.drawing_width, app.drawing_height), {0, 375}).y;
    const std::vector<int> rows = ink_rows(client_area()->grab().toImage());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows[0], 2 * row, 1);
    dispatch_command(CMD_STOP);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_SCALE_FACTOR", "2", 1);
    return run_window_tests(argc, argv, fs::temp_directory_path() / ("skyloom_hidpi_" + std::to_string(::getpid())),
                            answer_box);
}
