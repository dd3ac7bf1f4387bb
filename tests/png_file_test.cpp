// PNG files written through libpng: a planetarium frame reads back pixel for
// pixel through Qt's own PNG reader, every row carries the UP filter, and the
// file appears whole through a temporary file or not at all.
#include "platform/qt/png_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "movies/movie.h"
#include "movies/star_catalogue.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"

namespace {

std::uint32_t big_endian(const unsigned char* at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
}

struct PngLayout {
    int width = 0, height = 0, bit_depth = 0, colour_type = 0;
    std::vector<unsigned char> inflated;  // the filtered rows, each led by its filter byte
};

// The header and the inflated image data of a PNG file, read by the book
// (PNG specification, 2nd edition, sections 5 and 11), independently of libpng.
PngLayout read_layout(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    PngLayout layout;
    std::vector<unsigned char> deflated;
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        const std::uint32_t length = big_endian(&bytes[at]);
        const std::string type(bytes.begin() + static_cast<long>(at) + 4, bytes.begin() + static_cast<long>(at) + 8);
        const unsigned char* data = &bytes[at + 8];
        if (type == "IHDR") {
            layout.width = static_cast<int>(big_endian(data));
            layout.height = static_cast<int>(big_endian(data + 4));
            layout.bit_depth = data[8];
            layout.colour_type = data[9];
        }
        if (type == "IDAT") deflated.insert(deflated.end(), data, data + length);
        at += 12 + length;
    }
    uLongf size = static_cast<uLongf>(layout.height) * (1 + 3 * static_cast<uLongf>(layout.width));
    layout.inflated.resize(size);
    if (uncompress(layout.inflated.data(), &size, deflated.data(), deflated.size()) != Z_OK) layout.inflated.clear();
    return layout;
}

// A first planetarium frame, stars, planets and panel, at 1000 x 750.
std::unique_ptr<Surface> planetarium_picture() {
    ensure_gui_session();
    std::unique_ptr<StarCatalogue> catalogue = load_star_catalogue_file(SKYLOOM_SOURCE_DIR "/data/STARS.DAT");
    EXPECT_NE(catalogue, nullptr);
    MovieParams params;
    params.day = 15, params.month = 1, params.year = 2026, params.hour = 21;
    MovieState movie;
    start_movie(movie, MOVIE_PLANETARIUM, params, catalogue.get());
    movie.seconds_per_tick = 0.25;
    SkyContext sky;
    sky.view_angle = 90.0;
    sky.time_speed = 1;
    auto image = make_image_surface(GRAPH_WIDTH, GRAPH_HEIGHT);
    draw_movie_frame(*image, GRAPH_WIDTH, GRAPH_HEIGHT, movie, sky, GraphStyle{}, 0);
    return image;
}

TEST(PngFile, FrameReadsBackPixelForPixelWithTheUpFilterOnEveryRow) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("frame.png").toStdString();
    const auto image = planetarium_picture();
    ASSERT_TRUE(save_png(*image, path));

    const QImage read(QString::fromStdString(path));
    const QImage& drawn = *surface_image(*image);
    ASSERT_EQ(read.size(), drawn.size());
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            differing += (read.pixel(x, y) & 0xFFFFFF) != (drawn.pixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differing, 0);

    const PngLayout layout = read_layout(path);
    EXPECT_EQ(layout.width, 1000);
    EXPECT_EQ(layout.height, 750);
    EXPECT_EQ(layout.bit_depth, 8);
    EXPECT_EQ(layout.colour_type, 2) << "truecolour without alpha";
    ASSERT_EQ(layout.inflated.size(), 750u * (1 + 3 * 1000));
    int up_rows = 0;
    for (int y = 0; y < 750; ++y) up_rows += layout.inflated[static_cast<std::size_t>(y) * 3001] == 2;
    EXPECT_EQ(up_rows, 750);
}

TEST(PngFile, ReplacesAFileWholeAndLeavesNothingWhenItCannotWrite) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("frame.png").toStdString();
    std::ofstream(path) << "an older file";
    QImage small(120, 80, QImage::Format_ARGB32_Premultiplied);
    small.fill(QColor(10, 200, 30));
    ASSERT_TRUE(write_png_file(small, path));
    EXPECT_EQ(QImage(QString::fromStdString(path)).pixel(5, 5) & 0xFFFFFF, 0x0AC81Eu);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()), {}), 1)
        << "no temporary file is left";

    EXPECT_FALSE(write_png_file(small, folder.filePath("no such folder/frame.png").toStdString()));
    EXPECT_FALSE(write_png_file(QImage(), folder.filePath("empty.png").toStdString()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()), {}), 1);
}

}  // namespace

#include "qt_test_main.h"
