// Pictures at any size against the 1000 x 750 picture: a graph's margins,
// title and text keep their proportions at 3000 x 2250, fill a square or a
// wide picture, keep their axes' direction at the smallest readable size;
// a movie leaves no unpainted band on a square picture; and a movie frame
// drawn again for a file stays lines and text in SVG.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "graphs/graph_frame.h"
#include "graphs/sun_graphs.h"
#include "movies/binary_star.h"
#include "movies/movie.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

namespace {

constexpr SurfaceColor SUN = surface_color(255, 0, 0), TEXT = 0, WINDOW = surface_color(255, 255, 255);
const GraphStyle STYLE{.colors = {SUN}, .background = WINDOW};  // window text black
const Location GREENWICH{"", COMPASS_NORTH, COMPASS_WEST, 51.4769, 0.0, 0.0};

std::unique_ptr<Surface> sun_angle_picture(int width, int height) {
    ensure_gui_session();
    auto surface = make_image_surface(width, height);
    setup_drawing(*surface, DRAWING_TEXT, width, height, &STYLE);
    fill_rect(*surface, 0, 0, width, height, WINDOW, WINDOW);
    setup_drawing(*surface, DRAWING_GRAPH, width, height, &STYLE);
    EXPECT_EQ(sun_angle_graph(*surface, STYLE, 2023, SkyContext(GREENWICH)), 0);
    return surface;
}

// Where a picture's parts lie, in pixels.
struct Layout {
    int left = 0, right = 0, top = 0, bottom = 0;  // the plot frame's edges
    int ink_top = 0, ink_bottom = 0;               // the first and last rows with text or lines
    int june_row = 0, december_row = 0;            // the Sun's curve in mid-June and mid-December
};

bool is_text(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == TEXT; }

// The frame's edges are the outermost columns and rows nearly as full of
// text-coloured pixels as the fullest: the plot's outline is its longest
// line in each direction (the season lines inside it are as long).
Layout layout_of(const Surface& surface) {
    const QImage& image = *surface_image(surface);
    const int w = image.width(), h = image.height();
    std::vector<int> columns(w), rows(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (is_text(image, x, y)) ++columns[x], ++rows[y];
    auto outermost = [](const std::vector<int>& counts, int& first, int& last) {
        const int most = *std::max_element(counts.begin(), counts.end());
        auto full = [most](int n) { return n >= most * 9 / 10; };
        first = static_cast<int>(std::find_if(counts.begin(), counts.end(), full) - counts.begin());
        last = static_cast<int>(counts.size()) - 1 -
               static_cast<int>(std::find_if(counts.rbegin(), counts.rend(), full) - counts.rbegin());
    };
    Layout l;
    outermost(columns, l.left, l.right);
    outermost(rows, l.top, l.bottom);
    l.ink_top = static_cast<int>(std::find_if(rows.begin(), rows.end(), [](int n) { return n > 0; }) - rows.begin());
    l.ink_bottom = h - 1 - static_cast<int>(std::find_if(rows.rbegin(), rows.rend(), [](int n) { return n > 0; }) -
                                            rows.rbegin());
    auto sun_row = [&](double day_of_year) {
        const int x = l.left + static_cast<int>((l.right - l.left) * day_of_year / 365.0);
        for (int y = 0; y < h; ++y)
            for (int dx = -2; dx <= 2; ++dx)
                if ((image.pixel(x + dx, y) & 0xFFFFFF) == SUN) return y;
        return -1;
    };
    l.june_row = sun_row(171);     // 21 June
    l.december_row = sun_row(354); // 21 December
    return l;
}

// The picture's margins and title as logical units of its scale.
struct Margins {
    double left, right, top, bottom, title;
};
Margins margins_of(const Layout& l, int width, int height) {
    const double scale = std::min(width / 1000.0, height / 750.0);
    return {l.left / scale, (width - 1 - l.right) / scale, l.top / scale, (height - 1 - l.bottom) / scale,
            l.ink_top / scale};
}

TEST(PictureSize, GraphKeepsItsLayoutAtEverySizeAndFillsThePicture) {
    const Layout reference = layout_of(*sun_angle_picture(1000, 750));
    const Margins m0 = margins_of(reference, 1000, 750);
    ASSERT_GT(reference.top, reference.ink_top) << "the title stands above the frame";
    const struct { int width, height; double tolerance; } sizes[] = {
        {3000, 2250, 2.0}, {1000, 1000, 1.0}, {1600, 600, 8.0}, {640, 480, 8.0}};
    for (const auto& size : sizes) {
        const Layout l = layout_of(*sun_angle_picture(size.width, size.height));
        const Margins m = margins_of(l, size.width, size.height);
        const std::string at = std::to_string(size.width) + "x" + std::to_string(size.height);
        // Margins as in the 1000 x 750 picture (within the font's character
        // width rounded to whole pixels at 0.8 and 0.64), so that the frame
        // reaches as far towards every edge whatever the picture's shape.
        EXPECT_NEAR(m.left, m0.left, size.tolerance) << at;
        EXPECT_NEAR(m.right, m0.right, size.tolerance) << at;
        EXPECT_NEAR(m.top, m0.top, size.tolerance) << at;
        EXPECT_NEAR(m.bottom, m0.bottom, size.tolerance) << at;
        EXPECT_NEAR(m.title, m0.title, size.tolerance) << at << ": the title where it stands at 1000x750";
        EXPECT_GT(l.ink_top, 0) << at << ": the title inside the picture";
        EXPECT_LT(l.ink_bottom, size.height - 1) << at << ": the caption inside the picture";
        // Greenwich's noon Sun: 62 degrees high at the June solstice, 15 in
        // December; up is up at every size.
        ASSERT_GT(l.june_row, 0) << at;
        EXPECT_LT(l.june_row, l.december_row) << at << ": the Sun higher in June";
        EXPECT_GT(l.june_row, l.top) << at;
        EXPECT_LT(l.december_row, l.bottom) << at;
    }
}

std::string svg_of(const std::function<void(Surface&, int, int)>& draw, int width, int height) {
    ensure_gui_session();
    const std::string path =
        (std::filesystem::temp_directory_path() / ("picture_size_" + std::to_string(width) + ".svg")).string();
    auto svg = make_svg_surface(path, width, height);
    draw(*svg, width, height);
    EXPECT_TRUE(finish_file(std::move(svg)));
    std::ifstream file(path);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return text;
}

// The sizes of the SVG's text, in its units.
std::vector<double> font_sizes(const std::string& svg) {
    std::vector<double> sizes;
    const std::regex size("font-family=\"DejaVu Sans Mono\" font-size=\"([0-9.]+)");
    for (auto m = std::sregex_iterator(svg.begin(), svg.end(), size); m != std::sregex_iterator(); ++m)
        sizes.push_back(std::stod((*m)[1]));
    return sizes;
}

TEST(PictureSize, TextHeightFollowsThePictureSize) {
    auto graph = [](Surface& surface, int width, int height) {
        setup_drawing(surface, DRAWING_GRAPH, width, height, &STYLE);
        sun_angle_graph(surface, STYLE, 2023, SkyContext(GREENWICH));
    };
    const std::vector<double> at_1000 = font_sizes(svg_of(graph, 1000, 750));
    ASSERT_FALSE(at_1000.empty());
    const struct { int width, height; double ratio; } sizes[] = {{3000, 2250, 3.0}, {1000, 1000, 1.0}, {640, 480, 0.64}};
    for (const auto& size : sizes) {
        const std::vector<double> sizes_here = font_sizes(svg_of(graph, size.width, size.height));
        ASSERT_FALSE(sizes_here.empty());
        EXPECT_NEAR(sizes_here.front() / at_1000.front(), size.ratio, 0.02 * size.ratio)
            << size.width << "x" << size.height;
    }
}

TEST(PictureSize, SmallestReadablePicture) {
    EXPECT_EQ(smallest_picture(), (SurfaceSize{640, 480}));
    EXPECT_TRUE(picture_readable(640, 480));
    EXPECT_TRUE(picture_readable(640, 2000));
    EXPECT_FALSE(picture_readable(639, 480));
    EXPECT_FALSE(picture_readable(100, 100));
    // A square picture: the graph space 1000 units across and as many up.
    const SurfaceMapping square = graph_mapping(800, 800);
    EXPECT_EQ(square.width, 1000);
    EXPECT_EQ(square.height, 1000);
    EXPECT_DOUBLE_EQ(square.text_scale, 0.8);
}

MovieState binary_star_movie() {
    MovieParams params;
    params.binary_star = 0, params.binary_star_year = 1990;
    MovieState movie;
    start_movie(movie, MOVIE_BINARY_STAR, params, nullptr);
    return movie;
}

TEST(PictureSize, SquareMovieLeavesNoUnpaintedBand) {
    ensure_gui_session();
    MovieState movie = binary_star_movie();
    SkyContext sky;
    sky.view_angle = 8.0;
    auto image = make_image_surface(1000, 1000);  // black until drawn on
    draw_movie_frame(*image, 1000, 1000, movie, sky, STYLE, 0);
    const QImage& pixels = *surface_image(*image);
    // The quarter above a 4 : 3 picture was left black; the square picture
    // (side 1000 less the status panel's 22 characters) now stands below a
    // band in the window colour, the panel beside it.
    int unpainted = 0;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 1000; ++x) unpainted += (pixels.pixel(x, y) & 0xFFFFFF) != WINDOW;
    EXPECT_EQ(unpainted, 0);
    int black = 0;
    for (int y = 0; y < 1000; ++y) black += (pixels.pixel(999, y) & 0xFFFFFF) == 0;
    EXPECT_EQ(black, 0) << "the right edge in the window colour from top to bottom";
}

TEST(PictureSize, MovieFrameSavedAsSvgIsLinesAndText) {
    ensure_gui_session();
    MovieState movie = binary_star_movie();
    SkyContext sky;
    sky.view_angle = 8.0;
    sky.time_speed = 4;
    auto window = make_image_surface(1000, 750);
    for (std::uint32_t frame = 0; frame < 3; ++frame) draw_movie_frame(*window, 1000, 750, movie, sky, STYLE, frame);
    ASSERT_EQ(movie.year, 1998);
    const std::string svg = svg_of(
        [&](Surface& surface, int width, int height) { draw_movie_copy(surface, width, height, movie, sky, STYLE, 2); },
        1000, 750);
    EXPECT_EQ(movie.year, 1998) << "the copy shows the same year and does not step it";
    EXPECT_EQ(svg.find("<image"), std::string::npos) << "no bitmap in the file";
    EXPECT_NE(svg.find(">Binary Star<"), std::string::npos) << "the panel as text";
    EXPECT_NE(svg.find(">Date: 01/01/1998<"), std::string::npos) << "the year drawn as text";
    EXPECT_GE(std::count(svg.begin(), svg.end(), '\n'), 40) << "lines and discs as elements";
}

}  // namespace

#include "qt_test_main.h"
