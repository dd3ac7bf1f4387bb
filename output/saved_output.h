#pragma once
// Outputs saved as files, the same from the command line and the window: a
// report as UTF-8 text or as its printed A4 pages in a PDF file, a graph or a
// movie frame as a PNG, SVG or PDF picture.  Every file is written whole
// under a temporary name beside it and renamed over the path only when
// complete (platform/files.h replace_file), so that a failed save leaves the
// old file as it was.  The toolkit's surfaces come in through FileSurfaces.
#include <memory>
#include <string>
#include <string_view>

#include "output/printing.h"
#include "platform/surface.h"
#include "reports/report_document.h"

// The toolkit's surfaces that pictures and PDF pages are drawn on
// (platform/qt/surface_qt.h), handed in by the program that links it.
struct FileSurfaces {
    void (*start)();  // makes the toolkit's application object, once
    std::unique_ptr<Surface> (*image)(int width, int height, double pixel_ratio);
    std::unique_ptr<Surface> (*svg)(const std::string& path, int width, int height);
    std::unique_ptr<Surface> (*pdf)(const std::string& path, int width, int height);
    bool (*finish_file)(std::unique_ptr<Surface> surface);
    bool (*save_png)(const Surface& surface, const std::string& path);
};

// What a file holds, by its name's extension (any letter case).
enum class FileKind { None, Text, Png, Svg, Pdf };
FileKind file_kind_of(std::string_view path);

// The report's lines in UTF-8, each ended by a line feed, its end markers
// (form feeds) kept as page breaks: what the command line writes in a UTF-8
// locale.  False, errno set, when the file could not be written.
bool write_report_text(const ReportDocument& document, const std::string& path);
// The report's pages as the printer prints them (the print font, A4 at 96
// pixels to the inch).  False, errno set, when the file could not be written.
bool write_report_pdf(const ReportDocument& document, const std::string& path, const FileSurfaces& surfaces);

// The picture as a PNG, SVG or PDF file (kind) of width x height pixels: the
// SVG and PDF files keep the drawing's lines and text as vectors.  False,
// errno set, when the file could not be written (or kind is none of these).
bool write_picture(FileKind kind, const std::string& path, int width, int height, const PictureDrawing& draw,
                   const FileSurfaces& surfaces);
