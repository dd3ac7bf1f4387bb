#pragma once
// PNG files written through libpng directly: 8-bit RGB, every row filtered
// with the UP filter and deflated at zlib level 1.  Letting the encoder try
// every filter on every row (as Qt's writer does) costs about three times as
// much for a movie frame and saves only about 5 % of its size.
#include <string>

class QImage;

// Writes the image (any format; converted to 32-bit RGB first) to path by
// replace_file (platform/files.h): encoded in memory, then through a
// temporary file in the same folder renamed over it, so that a reader sees
// the old file or the new one whole.  False, with nothing left behind and
// errno telling why, when the file cannot be written.
bool write_png_file(const QImage& image, const std::string& path);
