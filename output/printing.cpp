#include "output/printing.h"

#include <algorithm>
#include <cstdio>

#include "format/format.h"
#include "platform/messages.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int TOP_MARGIN_LINES = 3;
constexpr SurfaceColor BLACK = surface_color(0, 0, 0);
constexpr SurfaceColor WHITE = surface_color(255, 255, 255);
constexpr char DEGREE_SIGN = '\xB0';

void show_progress(const PrintProgress& progress, int index, int count) {
    if (!progress.show) return;
    double percent = count > 0 ? 100.0 * index / count : 100.0;
    std::string format(load_string(STR_PRINT_PROGRESS));
    char text[64];
    std::snprintf(text, sizeof text, format.c_str(), format_fixed(percent, 3, 2).c_str());
    progress.show(text);
}

bool keep_going(const PrintProgress& progress) { return !progress.keep_going || progress.keep_going(); }

// Ends a job that failed or was cancelled: a failure is reported unless the
// user cancelled, and the printer throws the job away.
void end_unfinished_job(PrintResult result, const PrinterHooks& hooks) {
    if (result == PrintResult::Failed) show_error(MSG_CANNOT_PRINT);
    if (hooks.abort_document) hooks.abort_document();
}

void print_report(const ReportDocument& document, const PrinterHooks& hooks) {
    std::string name = next_print_job_name(print_session());
    int copies = 1;
    if (!hooks.choose_printer(false, copies)) return;
    if (hooks.open_abort_dialog) hooks.open_abort_dialog();
    std::unique_ptr<Surface> surface = hooks.start_document(name);
    PrintResult result = surface ? print_report_pages(*surface, document, copies, print_session().font, hooks.progress)
                                 : PrintResult::Failed;
    if (result != PrintResult::Done) end_unfinished_job(result, hooks);
    surface.reset();
    if (hooks.close_abort_dialog) hooks.close_abort_dialog();
}

// Each copy of a picture is a document of its own: the drawing made anew
// on each page when there is one, else the window's picture in black and white.
void print_screen(const Surface& window, SurfaceColor background, MonochromeCopy monochrome,
                  const PrinterHooks& hooks, const PictureDrawing& drawing, SurfaceSize shape) {
    std::unique_ptr<Surface> picture = drawing ? nullptr : monochrome(window, background);
    int copies = 1;
    if ((!drawing && !picture) || !hooks.choose_printer(false, copies)) return;
    if (hooks.open_abort_dialog) hooks.open_abort_dialog();
    std::string name = next_print_job_name(print_session());
    for (int copy = 0; copy < copies; ++copy) {
        std::unique_ptr<Surface> surface = hooks.start_document(name);
        PrintResult result = PrintResult::Failed;
        if (surface && keep_going(hooks.progress)) {
            if (drawing) print_drawing_page(*surface, drawing, shape);
            else print_picture_page(*surface, *picture);
            result = keep_going(hooks.progress) ? PrintResult::Done : PrintResult::Aborted;
        } else if (surface) {
            result = PrintResult::Aborted;
        }
        if (result != PrintResult::Done) {
            end_unfinished_job(result, hooks);
            break;
        }
    }
    if (hooks.close_abort_dialog) hooks.close_abort_dialog();
}

void choose_print_font(const PrinterHooks& hooks) {
    int copies = 1;
    if (!hooks.choose_printer(true, copies)) {
        show_error(MSG_NO_DEFAULT_PRINTER);
        return;
    }
    PrintFont font = print_session().font;
    if (hooks.choose_font(font)) print_session().font = font;
}

}  // namespace

PrintSession& print_session() {
    static PrintSession session;
    return session;
}

std::string next_print_job_name(PrintSession& session) {
    ++session.job_counter;
    std::string format(load_string(STR_JOB_NAME));
    char name[64];
    std::snprintf(name, sizeof name, format.c_str(), session.job_counter);
    return name;
}

std::string printable_line(std::string_view line) {
    std::string text(line);
    std::replace(text.begin(), text.end(), DEGREE_SIGN, load_string(STR_DEGREE_REPLACEMENT)[0]);
    return text;
}

PrintResult print_page(Surface& page, const ReportDocument& document, int& index, const FontMetrics& font,
                       const PrintProgress& progress) {
    int page_height = page.device_size().height;
    int y = TOP_MARGIN_LINES * font.line_height;
    while (index < document.line_count) {
        show_progress(progress, index, document.line_count);
        if (!keep_going(progress)) return PrintResult::Aborted;
        std::string_view line = report_line(document, index);
        if (line == REPORT_END_MARKER) {  // ends the page: the next report (or month) starts a new one
            ++index;
            break;
        }
        if (y + font.line_height >= page_height) break;
        page.draw_text({font.char_width, y}, font.has_degree_sign ? std::string(line) : printable_line(line));
        y += font.line_height;
        ++index;
    }
    show_progress(progress, index, document.line_count);
    return PrintResult::Done;
}

PrintResult print_report_pages(Surface& document_surface, const ReportDocument& document, int copies,
                               const PrintFont& font, const PrintProgress& progress) {
    Surface& page = document_surface;
    page.set_mapping(text_mapping());
    page.set_font(font.face_name, font.point_size);
    page.set_text_color(BLACK);
    page.set_background_opaque(false);
    FontMetrics metrics = page.font_metrics();
    if (metrics.line_height <= 0) return PrintResult::Failed;
    bool first_page = true;
    for (int copy = 0; copy < copies; ++copy) {
        int index = 0;
        while (index < document.line_count) {
            if (!first_page && !page.new_page()) return PrintResult::Failed;
            first_page = false;
            int before = index;
            PrintResult result = print_page(page, document, index, metrics, progress);
            if (result != PrintResult::Done) return result;
            if (index == before) return PrintResult::Failed;  // not even one line fits on a page
        }
    }
    return PrintResult::Done;
}

PictureLayout picture_layout(SurfaceSize picture, SurfaceSize page) {
    PictureLayout layout;
    if (picture.width <= 0 || picture.height <= 0) return layout;
    layout.scale = std::min(static_cast<double>(page.width) / picture.width,
                            static_cast<double>(page.height) / picture.height);
    layout.width = static_cast<int>(picture.width * layout.scale);
    layout.height = static_cast<int>(picture.height * layout.scale);
    return layout;
}

void print_picture_page(Surface& page, const Surface& picture) {
    PictureLayout layout = picture_layout(picture.device_size(), page.device_size());
    page.set_mapping(text_mapping());
    page.set_pen(WHITE, 1);
    page.set_brush(WHITE);
    SurfaceSize size = page.device_size();
    page.draw_rectangle({0, 0}, {size.width, size.height});
    if (layout.width > 0 && layout.height > 0) page.draw_image(picture, {0, 0}, {layout.width, layout.height});
}

void print_drawing_page(Surface& page, const PictureDrawing& draw, SurfaceSize shape) {
    const PictureLayout layout = picture_layout(shape, page.device_size());
    page.set_mapping(text_mapping());
    page.set_pen(WHITE, 1);
    page.set_brush(WHITE);
    const SurfaceSize size = page.device_size();
    page.draw_rectangle({0, 0}, {size.width, size.height});
    if (layout.width > 0 && layout.height > 0) draw(page, layout.width, layout.height);
}

std::string clipboard_text(const ReportDocument& document) {
    std::string text;
    text.reserve(static_cast<size_t>(document.line_count) * (REPORT_WIDTH + 1));
    for (int i = 0; i < document.line_count; ++i) {
        std::string_view line = report_line(document, i);
        if (line == REPORT_END_MARKER) continue;  // a page break means nothing in pasted text
        text += line;
        text += '\n';
    }
    return text;
}

void run_output_command(OutputAction action, const ReportDocument& report, const Surface* window,
                        SurfaceColor background, MonochromeCopy monochrome, const PrinterHooks& hooks,
                        const PictureDrawing& drawing, SurfaceSize shape) {
    switch (action) {
    case OutputAction::Print:
        if (report.line_count > 0) print_report(report, hooks);
        else if (window) print_screen(*window, background, monochrome, hooks, drawing, shape);
        break;
    case OutputAction::PrintSetup:
        if (hooks.print_setup) hooks.print_setup();
        break;
    case OutputAction::SetFont: choose_print_font(hooks); break;
    case OutputAction::Copy:
        if (report.line_count > 0) hooks.set_clipboard_text(clipboard_text(report));
        else if (window) hooks.set_clipboard_picture(*window);
        break;
    }
}
