// PNG files through libpng (module BITMAPS).
#include "platform/qt/png_file.h"

#include <png.h>

#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

// What the encoder needs of the image; plain data, so that nothing needs a
// destructor between setjmp and a longjmp out of libpng.
struct PngRows {
    png_bytepp rows = nullptr;  // height pointers to 32-bit pixels, B G R x in memory
    png_uint_32 width = 0, height = 0;
    png_uint_32 dots_per_metre_x = 0, dots_per_metre_y = 0;
};

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void no_flush(png_structp) {}

// The rows as RGB without the fourth byte, UP-filtered, zlib level 1, appended
// to bytes.  False when libpng reports an error.
bool encode_rows(std::string* bytes, const PngRows& image) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, bytes, append_bytes, no_flush);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (image.dots_per_metre_x > 0 && image.dots_per_metre_y > 0)
        png_set_pHYs(png, info, image.dots_per_metre_x, image.dots_per_metre_y, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    // Qt keeps a 32-bit pixel as 0xffRRGGBB in the machine's order.
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    png_write_image(png, image.rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png_file(const QImage& image, const std::string& path) {
    if (image.isNull()) return false;
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    std::vector<png_bytep> rows(static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(rgb.constScanLine(y));
    PngRows encoder_input;
    encoder_input.rows = rows.data();
    encoder_input.width = static_cast<png_uint_32>(rgb.width());
    encoder_input.height = static_cast<png_uint_32>(rgb.height());
    encoder_input.dots_per_metre_x = static_cast<png_uint_32>(std::max(0, rgb.dotsPerMeterX()));
    encoder_input.dots_per_metre_y = static_cast<png_uint_32>(std::max(0, rgb.dotsPerMeterY()));
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()) / 8);
    return encode_rows(&bytes, encoder_input) &&
           replace_file(path, output_temporary_prefix(path), bytes) == ReplaceResult::Done;
}
