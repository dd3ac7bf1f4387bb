#include "output/saved_output.h"

#include <cerrno>

#include "output/printing.h"
#include "platform/files.h"
#include "platform/text_encoding.h"

FileKind file_kind_of(std::string_view path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return FileKind::None;
    std::string extension;
    for (char c : path.substr(dot + 1)) extension += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == "txt") return FileKind::Text;
    if (extension == "png") return FileKind::Png;
    if (extension == "svg") return FileKind::Svg;
    if (extension == "pdf") return FileKind::Pdf;
    return FileKind::None;
}

bool write_report_text(const ReportDocument& document, const std::string& path) {
    std::string text;
    text.reserve(static_cast<std::size_t>(document.line_count) * (REPORT_WIDTH + 1));
    for (int i = 0; i < document.line_count; ++i) {
        text += latin1_to_utf8(report_line(document, i));
        text += '\n';
    }
    errno = 0;
    return replace_file(path, output_temporary_prefix(path), text) == ReplaceResult::Done;
}

bool write_report_pdf(const ReportDocument& document, const std::string& path, const FileSurfaces& surfaces) {
    constexpr int A4_WIDTH = 794, A4_HEIGHT = 1123;  // 210 x 297 mm in pixels
    surfaces.start();
    errno = 0;
    std::unique_ptr<Surface> pdf = surfaces.pdf(path, A4_WIDTH, A4_HEIGHT);
    return pdf && print_report_pages(*pdf, document, 1, print_session().font, PrintProgress{}) == PrintResult::Done &&
           surfaces.finish_file(std::move(pdf));
}

bool write_picture(FileKind kind, const std::string& path, int width, int height, const PictureDrawing& draw,
                   const FileSurfaces& surfaces) {
    surfaces.start();
    errno = 0;
    std::unique_ptr<Surface> surface = kind == FileKind::Png   ? surfaces.image(width, height, 1.0)
                                       : kind == FileKind::Svg ? surfaces.svg(path, width, height)
                                       : kind == FileKind::Pdf ? surfaces.pdf(path, width, height)
                                                               : nullptr;
    if (!surface) {
        if (errno == 0) errno = EINVAL;
        return false;
    }
    draw(*surface, width, height);
    return kind == FileKind::Png ? surfaces.save_png(*surface, path) : surfaces.finish_file(std::move(surface));
}
