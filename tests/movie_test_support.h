// Set-up the movie tests share: a movie started from a few parameters, frames
// rendered headless and written as PNG files, and pixel and line counts.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "movies/movie.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"
#include "platform/recording_surface.h"

// Parameters of a movie starting at (day, month, year, hour, minute) UT.
inline MovieParams movie_params(int day, int month, int year, int hour, int minute = 0) {
    MovieParams params;
    params.day = day, params.month = month, params.year = year, params.hour = hour, params.minute = minute;
    return params;
}

inline MovieState start_test_movie(MovieKind kind, const MovieParams& params = {}) {
    MovieState movie;
    start_movie(movie, kind, params, nullptr);
    return movie;
}

inline int count_lines(const SurfaceLog& log, const std::string& line) {
    return static_cast<int>(std::count(log.lines.begin(), log.lines.end(), line));
}

// Draws frames first..first+count-1 of the movie on a headless toolkit image,
// saving each as a PNG file in a temporary folder that is removed afterwards.
inline std::unique_ptr<Surface> render_frames_to_png(MovieState& movie, SkyContext& sky, int count,
                                                     const GraphStyle& style = {}, int width = 800,
                                                     int height = 600) {
    ensure_gui_session();
    // One folder per process: CTest runs the cases side by side.
    const auto folder = std::filesystem::temp_directory_path() /
                        ("skyloom_movie_" + std::to_string(movie.kind) + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    auto image = make_image_surface(width, height);
    for (int frame = 0; frame < count; ++frame) {
        draw_movie_frame(*image, width, height, movie, sky, style, static_cast<std::uint32_t>(frame));
        const auto file = folder / ("frame-" + std::to_string(frame) + ".png");
        EXPECT_TRUE(save_png(*image, file.string())) << file;
        EXPECT_GT(std::filesystem::file_size(file), 1000u) << file;
    }
    std::filesystem::remove_all(folder);
    return image;
}

// Pixels of a colour (0xRRGGBB) in the left width x height of the image.
inline int pixels_of(const Surface& image, SurfaceColor colour, int width, int height) {
    const QImage* pixels = surface_image(image);
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) count += (pixels->pixel(x, y) & 0xFFFFFF) == colour;
    return count;
}
