#include "window/printing_qt.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/surface_qt.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr SurfaceColor BLACK = surface_color(0, 0, 0);
constexpr SurfaceColor WHITE = surface_color(255, 255, 255);
constexpr const char* FIXED_FACE = "DejaVu Sans Mono";  // the face surfaces use for the system fixed font

// The printer chosen, kept from job to job, and the job's abort dialog.
struct QtPrinting {
    QWidget* owner = nullptr;
    std::unique_ptr<QPrinter> printer;  // the printer choice of the print dialog and Print Setup
    QDialog* abort_dialog = nullptr;    // shown while a job prints
    QLabel* abort_text = nullptr;
    bool user_abort = false;            // set by the abort dialog's Cancel
} printing;

QPrinter& shared_printer() {
    if (!printing.printer) printing.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printing.printer;
}

// Quiet (Set Font): the default printer, which is always there: without a
// system printer Qt prints to a PDF file, whose fonts are the screen's.
bool choose_printer(bool quiet, int& copies) {
    copies = 1;
    if (quiet) return true;
    QPrinter& printer = shared_printer();
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, printing.owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!printer.isValid()) {
        show_error(MSG_NO_PRINTER);
        return false;
    }
    // The copies are printed here, not by the printer.
    copies = printer.copyCount();
    printer.setCopyCount(1);
    return true;
}

std::unique_ptr<Surface> start_document(const std::string& name) {
    QPrinter& printer = shared_printer();
    printer.setDocName(to_qstring(name));
    return make_printer_surface(printer);
}

void abort_document() { shared_printer().abort(); }

// A small box with the progress and a Cancel button; modal for the whole
// application, so the main window takes no input while the job prints.
void open_abort_dialog() {
    printing.user_abort = false;
    auto* dialog = new QDialog(printing.owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog->setWindowTitle(to_qstring(load_string(STR_PRODUCT)));
    dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(dialog);
    printing.abort_text = new QLabel(dialog);
    auto* cancel = new QPushButton(QObject::tr("Cancel"), dialog);
    layout->addWidget(printing.abort_text);
    layout->addWidget(cancel);
    QObject::connect(cancel, &QPushButton::clicked, [] {
        printing.user_abort = true;
        if (printing.abort_dialog) printing.abort_dialog->hide();
    });
    printing.abort_dialog = dialog;
    dialog->show();
}

void close_abort_dialog() {
    delete printing.abort_dialog;
    printing.abort_dialog = nullptr;
    printing.abort_text = nullptr;
}

void show_progress(const std::string& text) {
    if (printing.abort_text) printing.abort_text->setText(to_qstring(text));
}

bool keep_going() {
    if (!printing.user_abort) QCoreApplication::processEvents();
    return !printing.user_abort;
}

void print_setup() {
    QPageSetupDialog dialog(&shared_printer(), printing.owner);
    dialog.exec();
}

// Only fixed-pitch fonts are offered; the size is kept in points.
bool choose_font(PrintFont& font) {
    QFont initial(to_qstring(font.face_name.empty() ? FIXED_FACE : font.face_name));
    double size = QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF();
    if (font.point_size > 0) initial.setPointSize(font.point_size);
    else if (size > 0) initial.setPointSizeF(size);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, printing.owner, QString(), QFontDialog::MonospacedFonts);
    if (!ok) return false;
    font.face_name = chosen.family().toLatin1().toStdString();
    font.point_size = chosen.pointSize() > 0 ? chosen.pointSize() : 0;
    return true;
}

void set_clipboard_text(const std::string& latin1) { QGuiApplication::clipboard()->setText(to_qstring(latin1)); }

void set_clipboard_picture(const Surface& picture) {
    if (const QImage* image = surface_image(picture)) QGuiApplication::clipboard()->setImage(*image);
}

}  // namespace

PrinterHooks qt_printer_hooks(QWidget* owner) {
    printing.owner = owner;
    PrinterHooks hooks;
    hooks.choose_printer = choose_printer;
    hooks.start_document = start_document;
    hooks.abort_document = abort_document;
    hooks.open_abort_dialog = open_abort_dialog;
    hooks.close_abort_dialog = close_abort_dialog;
    hooks.progress.show = show_progress;
    hooks.progress.keep_going = keep_going;
    hooks.print_setup = print_setup;
    hooks.choose_font = choose_font;
    hooks.set_clipboard_text = set_clipboard_text;
    hooks.set_clipboard_picture = set_clipboard_picture;
    return hooks;
}

std::unique_ptr<Surface> monochrome_copy(const Surface& window, SurfaceColor background) {
    const QImage* image = surface_image(window);
    if (!image) return nullptr;
    std::unique_ptr<Surface> mono = make_image_surface(image->width(), image->height());
    if (!mono) return nullptr;
    mono->set_pen(WHITE, 1);
    mono->set_brush(WHITE);
    mono->draw_rectangle({0, 0}, {image->width(), image->height()});
    QImage pixels = image->convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            if ((row[x] & 0xFFFFFFu) != background) mono->set_pixel({x, y}, BLACK);
    }
    return mono;
}
