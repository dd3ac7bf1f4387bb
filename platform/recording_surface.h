#pragma once
// A surface that draws nothing and writes each drawing call as one text line,
// "name: operation arguments", so that graphs and movies can be tested without
// a toolkit.  Points are written as the caller gave them ("x,y", logical),
// colours as "#rrggbb", texts in double quotes as they are (Latin-1).
// Queries (mapping, sizes, metrics) are answered but not written.
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

// The lines of one recording, shared by a surface and every image made from it.
struct SurfaceLog {
    std::vector<std::string> lines;
    int images_made = 0;  // images are named "image1", "image2", ... in order of making
};

// The recording font: every character is 8 device pixels wide and 16 high,
// whatever font is set; under the graph mapping, times its text scale.
constexpr int RECORDING_CHAR_WIDTH = 8;
constexpr int RECORDING_LINE_HEIGHT = 16;

// A surface of width x height device pixels named name, writing into log
// (which must outlive it and its images).  Loading an image reads only the
// width and height from the PNG header.
std::unique_ptr<Surface> make_recording_surface(SurfaceLog& log, std::string name, int width, int height);
