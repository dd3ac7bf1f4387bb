// The drawing surface: the isotropic graph mapping, drawing on Qt images (pixels
// checked where the mapping puts them), upright text, off-screen copies, PNG,
// SVG and PDF files from one set of calls, and the recording surface's log.
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"
#include "test_files.h"

namespace {

constexpr SurfaceColor WHITE = surface_color(255, 255, 255);
constexpr SurfaceColor RED = surface_color(255, 0, 0);
constexpr SurfaceColor GREEN = surface_color(0, 255, 0);
constexpr SurfaceColor BLUE = surface_color(0, 0, 255);
constexpr SurfaceColor BLACK = surface_color(0, 0, 0);

SurfaceColor pixel(const Surface& surface, int x, int y) { return surface_image(surface)->pixel(x, y) & 0xFFFFFF; }

// Paints the whole graph space (or the given rectangle) in one colour.
void fill(Surface& surface, SurfaceColor color, SurfacePoint from = {0, 0},
          SurfacePoint to = {GRAPH_WIDTH, GRAPH_HEIGHT}) {
    surface.set_pen(color, 1);
    surface.set_brush(color);
    surface.draw_rectangle(from, to);
}

// An image surface of width x height under the graph mapping, painted in one colour.
std::unique_ptr<Surface> graph_image(int width, int height, SurfaceColor color = WHITE) {
    auto surface = make_image_surface(width, height);
    surface->set_mapping(graph_mapping(width, height));
    fill(*surface, color);
    return surface;
}

// Pages of a PDF file: "/Type /Page" objects, not the "/Type /Pages" tree.
int pdf_page_count(const std::string& pdf) {
    int pages = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
}

// The drawing layer's worked cases: a 4 : 3 area anchored bottom left.
TEST(SurfaceMapping, GraphSpaceOntoDeviceAreas) {
    const struct { int width, height; SurfacePoint logical, device; const char* why; } cases[] = {
        {800, 600, {0, 0}, {0, 600}, "origin just below the bottom-left pixel"},
        {800, 600, {1000, 750}, {800, 0}, "far corner at the top right"},
        {1000, 600, {1000, 750}, {800, 0}, "wider area: graph in the left 800 x 600"},
        {800, 700, {1000, 750}, {800, 100}, "taller area: 100-pixel blank strip at the top"},
        {2000, 1500, {500, 375}, {1000, 750}, "twice the size doubles"},
        {1000, 1000, {1000, 750}, {1000, 250}, "square area keeps 4 : 3 at the bottom"},
    };
    for (const auto& c : cases) {
        SurfaceMapping mapping = graph_mapping(c.width, c.height);
        EXPECT_EQ(to_device(mapping, c.logical), c.device)
            << c.width << "x" << c.height << " logical " << c.logical.x << "," << c.logical.y << ": " << c.why;
        EXPECT_EQ(to_logical(mapping, c.device), c.logical) << c.width << "x" << c.height << ": back again";
    }
    // Moving the origin up one device pixel at 800 x 600 (scale 0.8) is 1.25 units, rounded to 1.
    EXPECT_EQ(to_logical(graph_mapping(800, 600), {0, 599}), (SurfacePoint{0, 1}));
    EXPECT_EQ(to_logical_length(graph_mapping(2000, 1500), 16), 8);
    EXPECT_EQ(to_device_rect(graph_mapping(800, 600), {0, 750}, {1000, 0}), (DeviceRect{0, 0, 800, 600}));
}

TEST(SurfaceMappingDeathTest, EmptyAreaIsFatal) { EXPECT_DEATH(graph_mapping(0, 600), "GDI error"); }

TEST(QtSurface, PixelsLandWhereTheMappingPutsThem) {
    auto doubled = graph_image(2000, 1500);
    doubled->set_pixel({250, 100}, RED);
    EXPECT_EQ(pixel(*doubled, 500, 1300), RED);
    auto square = graph_image(1000, 1000, BLUE);  // keeps 4 : 3 with the origin at the bottom left
    square->set_pixel({10, 10}, RED);
    EXPECT_EQ(pixel(*square, 500, 249), BLACK) << "blank strip above the graph";
    EXPECT_EQ(pixel(*square, 10, 990), RED);
}

TEST(QtSurface, TextIsUprightWithItsTopLeftAtThePoint) {
    auto surface = graph_image(1000, 750);
    surface->set_background_opaque(false);
    surface->draw_text({100, 400}, "L");  // top-left at device (100, 350)
    TextExtent extent = surface->text_extent("L");
    int top = -1, bottom = -1, left = -1, right = -1;
    for (int y = 340; y < 350 + extent.height + 10; ++y)
        for (int x = 90; x < 100 + extent.width + 10; ++x)
            if (pixel(*surface, x, y) != WHITE) {
                if (top < 0) top = y;
                bottom = y;
                if (left < 0 || x < left) left = x;
                right = std::max(right, x);
            }
    ASSERT_GE(top, 350) << "ink hangs below the anchor";
    EXPECT_LT(bottom, 350 + extent.height);
    EXPECT_GE(left, 100) << "ink is right of the anchor";
    auto ink = [&](int x, int y, int dx, int dy) {
        int n = 0;
        for (; x <= right && y <= bottom; x += dx, y += dy) n += pixel(*surface, x, y) != WHITE;
        return n;
    };
    // An upright L has its foot at the bottom and its stem on the left.
    EXPECT_GT(ink(left, bottom, 1, 0), ink(left, top, 1, 0));
    EXPECT_GT(ink(left, top, 0, 1), ink(right, top, 0, 1));
}

// An opaque background fills the text's box and the gaps of a hatch.
TEST(QtSurface, OpaqueBackgroundBoxesTextAndFillsHatchGaps) {
    auto surface = graph_image(1000, 750);
    surface->set_background(GREEN);
    surface->set_background_opaque(true);
    surface->draw_text({100, 400}, "_");  // no ink at the top of the character box
    EXPECT_EQ(pixel(*surface, 100, 350), GREEN);
    surface->set_hatch_brush(RED, HATCH_HORIZONTAL);
    ASSERT_TRUE(surface->draw_ellipse({400, 600}, {600, 400}));
    int red = 0, green = 0;
    for (int y = 230; y < 270; ++y) red += pixel(*surface, 500, y) == RED, green += pixel(*surface, 500, y) == GREEN;
    EXPECT_GT(red, 0);
    EXPECT_GT(green, 0);
}

// A line is laid out once and drawn again from that layout: the same pixels
// wherever it goes, and a new layout when the font changes.
TEST(QtSurface, TextDrawnAgainLooksTheSameUntilTheFontChanges) {
    auto surface = make_image_surface(400, 200);
    surface->set_background(GREEN);
    surface->set_background_opaque(true);
    surface->draw_text({0, 0}, "Time: 12:34");
    surface->draw_text({0, 100}, "Time: 12:34");
    const QImage& image = *surface_image(*surface);
    const int width = surface->text_extent("Time: 12:34").width, height = surface->font_metrics().line_height;
    EXPECT_EQ(image.copy(0, 0, width, height), image.copy(0, 100, width, height));
    // Ten-point text, then twenty-point: the green box of the second is wider.
    surface->set_font("", 10);
    surface->draw_text({0, 50}, "Time: 12:34");
    const int small = surface->text_extent("Time: 12:34").width;
    surface->set_font("", 20);
    surface->draw_text({0, 150}, "Time: 12:34");
    const int large = surface->text_extent("Time: 12:34").width;
    ASSERT_GT(large, small + 10);
    EXPECT_EQ(pixel(*surface, small + 5, 152), GREEN) << "the twenty-point box, where the ten-point one has ended";
    EXPECT_NE(pixel(*surface, small + 5, 52), GREEN);
}

TEST(QtSurface, FixedPitchMetricsInLogicalUnits) {
    auto normal = graph_image(1000, 750);
    FontMetrics metrics = normal->font_metrics();
    EXPECT_EQ(normal->text_extent("iiii").width, 4 * metrics.char_width);
    EXPECT_EQ(normal->text_extent("MMMM").width, 4 * metrics.char_width);
    // The font grows with the picture, so at scale 2 it spans as many units,
    // and at the smallest readable scale nearly as many (whole pixels).
    EXPECT_NEAR(graph_image(2000, 1500)->font_metrics().line_height, metrics.line_height, 1.0);
    EXPECT_NEAR(graph_image(640, 480)->font_metrics().line_height, metrics.line_height, 1.0);
}

TEST(QtSurface, DegenerateEllipseDrawsNothingClipLastsUntilStateRestored) {
    auto surface = graph_image(1000, 750);
    surface->set_brush(RED);
    EXPECT_FALSE(surface->draw_ellipse({500, 375}, {500, 375}));
    EXPECT_EQ(pixel(*surface, 500, 375), WHITE);
    EXPECT_TRUE(surface->draw_ellipse({490, 385}, {510, 365}));
    EXPECT_EQ(pixel(*surface, 500, 375), RED);
    fill(*surface, WHITE);
    surface->save_state();
    surface->set_clip_rect({1, 749}, {749, 1});
    fill(*surface, RED);
    EXPECT_EQ(pixel(*surface, 500, 375), RED);
    EXPECT_EQ(pixel(*surface, 800, 375), WHITE) << "right of the clip";
    EXPECT_EQ(pixel(*surface, 500, 0), WHITE) << "above the clip";
    surface->restore_state();
    surface->set_pixel({800, 375}, BLUE);
    EXPECT_EQ(pixel(*surface, 800, 375), BLUE) << "no clip after restoring";
}

TEST(QtSurface, OffScreenImageCopiesItsDrawingAreaInOneTransfer) {
    // 1000 x 600: the graph space is 1250 x 750 units and reaches the right edge, so all is copied.
    auto window = make_image_surface(1000, 600);
    fill(*window, GREEN, {0, 0}, {1000, 600});  // text mapping: the whole window
    window->set_mapping(graph_mapping(1000, 600));
    auto frame = window->create_image(1000, 600);
    ASSERT_NE(frame, nullptr);
    frame->set_mapping(graph_mapping(1000, 600));
    fill(*frame, BLUE);
    frame->set_pixel({500, 375}, RED);
    window->copy_from(*frame, COPY_SOURCE);
    EXPECT_EQ(pixel(*window, 400, 300), RED) << "same device place";
    EXPECT_EQ(pixel(*window, 10, 10), BLUE);
    EXPECT_EQ(pixel(*window, 999, 300), BLACK) << "the frame's strip beyond 1000 x 750 units, unfilled, copied too";
    window->copy_from(*frame, COPY_XOR);
    EXPECT_EQ(pixel(*window, 400, 300), BLACK) << "red XOR red";
    window->copy_from(*frame, COPY_INVERTED);
    EXPECT_EQ(pixel(*window, 400, 300), surface_color(0, 255, 255)) << "red complemented";
}

TEST(QtSurface, ImageFileStretchesUprightAndKeepsThinWhiteLines) {
    QTemporaryDir folder;
    // A 640 x 350 black map, a one-pixel white meridian at column 321, a white top-left pixel.
    QImage map(640, 350, QImage::Format_Mono);
    map.fill(0);
    map.setColor(0, qRgb(0, 0, 0));
    map.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < 350; ++y) map.setPixel(321, y, 1);
    map.setPixel(0, 0, 1);
    QString path = folder.filePath("WORLDMAP.PNG");
    ASSERT_TRUE(map.save(path));

    auto surface = make_image_surface(320, 240);
    surface->set_mapping(graph_mapping(320, 240));
    auto loaded = surface->load_image(path.toStdString());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->device_size(), (SurfaceSize{640, 350}));
    surface->draw_image(*loaded, {0, 0}, {GRAPH_WIDTH, GRAPH_HEIGHT});
    EXPECT_EQ(pixel(*surface, 0, 0), WHITE) << "north at the top";
    for (int y : {1, 100, 239}) EXPECT_EQ(pixel(*surface, 160, y), WHITE) << "meridian shrunk by half, row " << y;
    EXPECT_EQ(surface->load_image(folder.filePath("MISSING.PNG").toStdString()), nullptr);
}

// The same calls on every kind of file.
void draw_sample_graph(Surface& surface, int width, int height) {
    surface.set_mapping(graph_mapping(width, height));
    surface.set_pen(BLACK, 1);
    const SurfacePoint frame[] = {{48, 80}, {952, 80}, {952, 670}, {48, 670}, {48, 80}};
    surface.draw_polyline(frame);
    surface.set_pen(RED, 1);
    surface.draw_line({48, 80}, {952, 670});
    surface.draw_text({450, 740}, "Skyloom sample");
}

// One set of calls makes a PNG, an SVG and a two-page PDF.
TEST(QtSurface, PngSvgAndPdfFromTheSameCalls) {
    QTemporaryDir folder;
    const std::string png = folder.filePath("graph.png").toStdString(), svg = folder.filePath("graph.svg").toStdString(),
                      pdf = folder.filePath("graph.pdf").toStdString();
    auto image = make_image_surface(2000, 1500);
    draw_sample_graph(*image, 2000, 1500);
    ASSERT_TRUE(save_png(*image, png));
    QImage decoded(QString::fromStdString(png));
    EXPECT_EQ(decoded.size(), QSize(2000, 1500));
    EXPECT_EQ(decoded.pixel(96, 1500 - 1340) & 0xFFFFFF, BLACK) << "frame corner (48, 670) doubled";

    {
        auto surface = make_svg_surface(svg, 1000, 750);
        ASSERT_NE(surface, nullptr);
        draw_sample_graph(*surface, 1000, 750);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(svg)));  // nothing until it is finished
        ASSERT_TRUE(finish_file(std::move(surface)));
    }
    EXPECT_NE(read_text(svg).find("Skyloom sample"), std::string::npos);

    {
        auto surface = make_pdf_surface(pdf, 1000, 750);
        ASSERT_NE(surface, nullptr);
        draw_sample_graph(*surface, 1000, 750);
        EXPECT_TRUE(surface->new_page());
        draw_sample_graph(*surface, 1000, 750);
        ASSERT_TRUE(finish_file(std::move(surface)));
    }
    std::string pdf_text = read_text(pdf);
    EXPECT_EQ(pdf_text.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdf_page_count(pdf_text), 2);}

// A widget that paints the graph area blue through a widget surface.
class BlueGraphWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        auto surface = make_widget_surface(*this);
        surface->set_mapping(graph_mapping(width(), height()));
        fill(*surface, BLUE);
    }
};

// The rectangle holding every pixel darker than mid-grey, in image pixels.
QRect ink_box(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

// For a high-density screen an image holds twice the pixels each way and is
// drawn with the same calls to the same logical layout: a report line of
// text and a graph's hairline and filled box land where they land at 1x,
// doubled; text measures the same; copies keep the ratio.
TEST(QtSurface, PixelRatioTwoDoublesThePixelsAndKeepsTheLayout) {
    constexpr int W = 400, H = 300;
    struct Drawn { QImage text, graph; QRect red; int hairline_x; FontMetrics metrics; TextExtent extent; };
    auto draw = [](double ratio) {
        Drawn d;
        auto surface = make_image_surface(W, H, ratio);
        EXPECT_EQ(surface->device_size(), (SurfaceSize{W, H}));
        fill(*surface, WHITE, {0, 0}, {W, H});  // text mapping: pixels
        surface->set_text_color(BLACK);
        surface->set_background(WHITE);
        d.metrics = surface->font_metrics();
        d.extent = surface->text_extent("Jan  1  SR 07:59  SS 16:02");
        surface->draw_text({d.metrics.char_width, d.metrics.line_height}, "Jan  1  SR 07:59  SS 16:02");
        d.text = surface_image(*surface)->copy();
        surface->set_mapping(graph_mapping(W, H));
        fill(*surface, WHITE);
        surface->set_pen(BLACK, 1);
        surface->draw_line({500, 100}, {500, 700});
        surface->set_pen(RED, 1);
        surface->set_brush(RED);
        surface->draw_rectangle({100, 100}, {200, 200});
        d.hairline_x = to_device(surface->mapping(), {500, 0}).x;
        DeviceRect r = to_device_rect(surface->mapping(), {100, 100}, {200, 200});
        d.red = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        auto copy = surface->create_image(W, H);
        copy->set_mapping(surface->mapping());
        copy->copy_from(*surface, COPY_SOURCE);
        d.graph = surface_image(*copy)->copy();
        return d;
    };
    const Drawn one = draw(1.0), two = draw(2.0);
    EXPECT_EQ(one.text.size(), QSize(W, H));
    EXPECT_EQ(two.text.size(), QSize(2 * W, 2 * H));
    EXPECT_EQ(two.graph.size(), QSize(2 * W, 2 * H));  // the copy took the ratio
    EXPECT_EQ(std::tuple(two.metrics.char_width, two.metrics.line_height, two.extent.width),
              std::tuple(one.metrics.char_width, one.metrics.line_height, one.extent.width));

    // The line of text: the same place and size, in twice the pixels.
    const QRect text1 = ink_box(one.text), text2 = ink_box(two.text);
    ASSERT_FALSE(text1.isEmpty());
    EXPECT_NEAR(text2.left(), 2 * text1.left(), 2);
    EXPECT_NEAR(text2.right(), 2 * text1.right() + 1, 3);
    EXPECT_NEAR(text2.top(), 2 * text1.top(), 3);
    EXPECT_NEAR(text2.bottom(), 2 * text1.bottom() + 1, 3);

    // The box covers exactly the doubled pixels; the hairline is one image pixel wide at its doubled place.
    const QRect red2(two.red.topLeft() * 2, two.red.size() * 2);
    EXPECT_EQ(two.graph.pixel(red2.topLeft()) & 0xFFFFFF, RED);
    EXPECT_EQ(two.graph.pixel(red2.bottomRight()) & 0xFFFFFF, RED);
    EXPECT_EQ(two.graph.pixel(red2.bottomRight() + QPoint(1, 1)) & 0xFFFFFF, WHITE);
    EXPECT_EQ(two.graph.pixel(red2.topLeft() - QPoint(1, 1)) & 0xFFFFFF, WHITE);
    const int row = 2 * (one.red.top() - 10);
    std::vector<int> dark;
    for (int x = 0; x < two.graph.width(); ++x)
        if (qGray(two.graph.pixel(x, row)) < 128) dark.push_back(x);
    ASSERT_EQ(dark.size(), 1u);
    EXPECT_NEAR(dark[0], 2 * one.hairline_x, 1);
}

TEST(QtSurface, WidgetSurfacePaintsDuringPaintEvent) {
    BlueGraphWidget widget;
    widget.setAutoFillBackground(true);
    widget.setPalette(QPalette(Qt::white));
    widget.resize(400, 400);  // the 400 x 300 drawing at the bottom
    QImage grabbed = widget.grab().toImage();
    EXPECT_EQ(grabbed.pixel(200, 350) & 0xFFFFFF, BLUE);
    EXPECT_EQ(grabbed.pixel(200, 50) & 0xFFFFFF, WHITE);
}

TEST(RecordingSurface, LogsAMovieFrame) {
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 800, 600);
    window->set_mapping(graph_mapping(800, 600));
    auto frame = window->create_image(800, 600);
    frame->set_mapping(graph_mapping(800, 600));
    frame->set_hatch_brush(RED, HATCH_VERTICAL);
    EXPECT_FALSE(frame->draw_ellipse({5, 5}, {5, 5}));
    frame->draw_text({760, 735}, "Date: 1 Jan 1995 \xB0");
    window->copy_from(*frame, COPY_INVERTED);
    const std::vector<std::string> expected = {
        "window: mapping graph 800x600",
        "window: create_image image1 800x600",
        "image1: mapping graph 800x600",
        "image1: hatch_brush #ff0000 vertical",
        "image1: ellipse 5,5 5,5 empty",
        "image1: text 760,735 \"Date: 1 Jan 1995 \xB0\"",
        "window: copy_from image1 inverted",
    };
    EXPECT_EQ(log.lines, expected);
}

TEST(RecordingSurface, MetricsAreEightBySixteenPixelsInLogicalUnits) {
    SurfaceLog log;
    auto surface = make_recording_surface(log, "window", 1000, 750);
    surface->set_mapping(graph_mapping(1000, 750));
    EXPECT_EQ(std::pair(surface->font_metrics().char_width, surface->font_metrics().line_height), std::pair(8, 16));
    surface->set_mapping(graph_mapping(800, 600));  // scale 0.8: the font shrinks with the picture
    EXPECT_EQ(std::pair(surface->font_metrics().char_width, surface->text_extent("Month").height), std::pair(8, 16));
}

TEST(RecordingSurface, LoadImageReadsThePngSize) {
    QTemporaryDir folder;
    QString png = folder.filePath("WORLDMAP.PNG");
    ASSERT_TRUE(QImage(640, 350, QImage::Format_RGB32).save(png));
    QString text = folder.filePath("NOTES.TXT");
    std::ofstream(text.toStdString()) << "not an image";
    SurfaceLog log;
    auto window = make_recording_surface(log, "window", 800, 600);
    auto map = window->load_image(png.toStdString());
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(window->load_image(text.toStdString()), nullptr);
    const std::vector<std::string> expected = {
        "window: load_image image1 640x350 " + png.toStdString(),
        "window: load_image failed " + text.toStdString(),
    };
    EXPECT_EQ(log.lines, expected);
}

}  // namespace

#include "qt_test_main.h"
