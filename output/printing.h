#pragma once
// Printing and the clipboard (modules PRINTER and CLIPBRD): a report prints as
// text pages in the chosen fixed-pitch font, anything else as the window's
// picture scaled to the page; Copy puts the report text or the picture on the
// clipboard.  Pages are drawn through Surface, so a printer and a PDF file
// take the same pages.  The toolkit's dialogs and the clipboard come in
// through PrinterHooks.  Standard library only.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/surface.h"
#include "reports/report_document.h"

// The print font: a face name and a size in points; an empty face or a size
// of 0 means the system fixed-pitch font's.  Kept for the run only.
struct PrintFont {
    std::string face_name;
    int point_size = 0;
};

// Module state for the run.
struct PrintSession {
    int job_counter = 0;  // jobs started so far; numbers the job names
    PrintFont font;
};
PrintSession& print_session();

// Counts one more print job and returns its name, "SKY Printout #n".
std::string next_print_job_name(PrintSession& session);

// A report line as a printer font without the degree sign gets it: each
// one becomes "d".  A font that has it prints it.
std::string printable_line(std::string_view line);

// Progress and cancelling while pages are made.  Null members do nothing
// (keep_going: printing goes on).
struct PrintProgress {
    void (*show)(const std::string& text) = nullptr;  // "Printing:  ..% complete"
    bool (*keep_going)() = nullptr;  // runs waiting events; false once the user cancelled
};

enum class PrintResult { Done, Aborted, Failed };

// One page of the report from line index on (the caller starts the page):
// a top margin of three line heights, lines at x = one character width, until
// the next line would reach the page's bottom edge or the end marker is met
// (which is consumed: each report of the Almanac and each month of the
// Calendar starts a new page).  index advances past what was printed.
PrintResult print_page(Surface& page, const ReportDocument& document, int& index, const FontMetrics& font,
                       const PrintProgress& progress);
// The whole report, copies times, as one document on a fresh paged surface
// (its first page already begun): every page after the first is begun with
// new_page.  The surface gets the font, black text, the text mapping.
PrintResult print_report_pages(Surface& document_surface, const ReportDocument& document, int copies,
                               const PrintFont& font, const PrintProgress& progress);

// The window's picture on a page: scale = min(page width / width, page height /
// height), the image trunc(width x scale) x trunc(height x scale) pixels at the
// page's top-left corner.
struct PictureLayout {
    double scale = 0;
    int width = 0;   // device pixels on the page
    int height = 0;
};
PictureLayout picture_layout(SurfaceSize picture, SurfaceSize page);
// Draws the (monochrome) picture on the page as laid out above.
void print_picture_page(Surface& page, const Surface& picture);

// Draws a picture anew on a surface of width x height pixels.
using PictureDrawing = std::function<void(Surface& surface, int width, int height)>;
// A picture drawn on the page itself, at the printer's resolution (lines and
// text stay sharp, not a screen's pixels enlarged): as large as a picture of
// shape's proportions fits, laid out as above, on white.
void print_drawing_page(Surface& page, const PictureDrawing& draw, SurfaceSize shape);

// The clipboard's report text: every line followed by a line feed, as text
// is pasted on this system; the end markers (form feeds between the reports
// of an Almanac) are left out.
std::string clipboard_text(const ReportDocument& document);

// What the window's toolkit supplies.  choose_printer runs the print dialog
// (quiet: takes the default printer, no dialog) and reports its own errors;
// start_document begins a job on the chosen printer, ended when the surface
// goes; abort_document throws the current job away.
struct PrinterHooks {
    bool (*choose_printer)(bool quiet, int& copies) = nullptr;
    std::unique_ptr<Surface> (*start_document)(const std::string& name) = nullptr;
    void (*abort_document)() = nullptr;
    void (*open_abort_dialog)() = nullptr;
    void (*close_abort_dialog)() = nullptr;
    PrintProgress progress;
    void (*print_setup)() = nullptr;
    bool (*choose_font)(PrintFont& font) = nullptr;  // Set Font's chooser; true on OK
    void (*set_clipboard_text)(const std::string& latin1) = nullptr;
    void (*set_clipboard_picture)(const Surface& picture) = nullptr;
};

// The window's picture for printing: its background white, all else black.
using MonochromeCopy = std::unique_ptr<Surface> (*)(const Surface& window, SurfaceColor background);

// The commands of this module: Print, Print Setup, Set Font and Copy.
enum class OutputAction { Print, PrintSetup, SetFont, Copy };

// Runs one of them: Print and Copy take the report when it has lines, else
// the window's picture (window: null when there is none; background: its
// background colour).  Print draws a graph anew on the page when drawing is
// given (a graph drawn in full, of shape's proportions), else the picture.
void run_output_command(OutputAction action, const ReportDocument& report, const Surface* window,
                        SurfaceColor background, MonochromeCopy monochrome, const PrinterHooks& hooks,
                        const PictureDrawing& drawing = nullptr, SurfaceSize shape = {});
