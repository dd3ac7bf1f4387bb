#include "window/save_as.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstdio>

#include "app/commands.h"
#include "app/graph_table.h"
#include "app/menu_state.h"
#include "output/saved_output.h"
#include "platform/messages.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr const char* FOLDER_SETTING = "Save Folder";     // the folder last saved into

// The extensions of one kind of output, the usual one first.
constexpr const char* REPORT_EXTENSIONS[] = {"txt", "pdf"};
constexpr const char* PICTURE_EXTENSIONS[] = {"png", "svg", "pdf"};

template <size_t N>
bool listed(const char* const (&extensions)[N], FileKind kind) {
    for (const char* extension : extensions)
        if (file_kind_of(std::string("x.") + extension) == kind) return true;
    return false;
}

// The file-type filter the dialog offers for an extension ("PNG image (*.png)").
QString filter_of(const std::string& extension) {
    const FileKind kind = file_kind_of("x." + extension);
    const int name = kind == FileKind::Text  ? STR_TEXT_FILES
                     : kind == FileKind::Png ? STR_PNG_FILES
                     : kind == FileKind::Svg ? STR_SVG_FILES
                                             : STR_PDF_FILES;
    return to_qstring(load_string(name)) + QStringLiteral(" (*.") + QString::fromStdString(extension) + ')';
}

bool write(const ShownOutput& shown, FileKind kind, const std::string& path) {
    const FileSurfaces& surfaces = qt_file_surfaces();
    if (shown.report) return kind == FileKind::Text ? write_report_text(*shown.report, path)
                                                    : write_report_pdf(*shown.report, path, surfaces);
    if (shown.graph) return write_picture(kind, path, PICTURE_WIDTH, PICTURE_HEIGHT, paper_graph(shown.graph), surfaces);
    const SurfaceSize size = shown.picture->device_size();
    if (shown.movie_frame) return write_picture(kind, path, size.width, size.height, shown.movie_frame, surfaces);
    return write_picture(kind, path, size.width, size.height, [&](Surface& surface, int w, int h) {
        surface.set_mapping(text_mapping());
        surface.draw_image(*shown.picture, {0, 0}, {w, h});
    }, surfaces);
}

}  // namespace

PictureDrawing paper_graph(int command) {
    const GraphStyle style = current_graph_style(menu_state().grid_lines, surface_color(255, 255, 255), ColorScheme::Day);
    return [command, style](Surface& surface, int width, int height) {
        const AppState& app = app_state();
        draw_command_graph(command, surface, width, height, style, app.params, app.sky);
    };
}

const FileSurfaces& qt_file_surfaces() {
    static const FileSurfaces surfaces = {
        .start = ensure_gui_session,
        .image = make_image_surface,
        .svg = make_svg_surface,
        .pdf = make_pdf_surface,
        .finish_file = finish_file,
        .save_png = save_png,
    };
    return surfaces;
}

std::string save_extensions(const ShownOutput& shown) {
    std::string list;
    auto add = [&](const auto& extensions) {
        for (const char* extension : extensions) list += (list.empty() ? "" : " ") + std::string(extension);
    };
    if (shown.report) add(REPORT_EXTENSIONS);
    else if (shown.graph || shown.picture) add(PICTURE_EXTENSIONS);
    return list;
}

bool save_output(const ShownOutput& shown, const std::string& path) {
    const FileKind kind = file_kind_of(path);
    const bool fits = shown.report ? listed(REPORT_EXTENSIONS, kind) : listed(PICTURE_EXTENSIONS, kind);
    if (!shown.report && !shown.graph && !shown.picture) return false;
    if (!fits) {
        std::string format(load_string(MSG_SAVE_KIND));
        char text[512];
        std::snprintf(text, sizeof text, format.c_str(), path.c_str(), save_extensions(shown).c_str());
        show_error_text(text);
        return false;
    }
    if (write(shown, kind, path)) return true;
    show_error_text(file_error_text(MSG_CANNOT_WRITE_FILE, path, errno ? errno : EIO).c_str());
    return false;
}

void run_save_as(const ShownOutput& shown, QWidget* owner) {
    const QStringList extensions = QString::fromStdString(save_extensions(shown)).split(' ', Qt::SkipEmptyParts);
    if (extensions.isEmpty()) return;
    QStringList filters;
    for (const QString& extension : extensions) filters << filter_of(from_qstring(extension));
    QString folder = to_qstring(read_setting(FOLDER_SETTING));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    const QString name = shown.report ? QStringLiteral("report") : QStringLiteral("picture");
    QFileDialog dialog(owner, to_qstring(load_string(STR_SAVE_AS_TITLE)), folder + '/' + name + '.' + extensions[0]);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(extensions[0]);
    // The suffix added to a bare name follows the chosen file type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters, extensions](const QString& f) {
        dialog.setDefaultSuffix(extensions.value(filters.indexOf(f), extensions[0]));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString chosen = dialog.selectedFiles().front();
    if (save_output(shown, QFile::encodeName(chosen).toStdString()))
        write_setting(FOLDER_SETTING, QFile::encodeName(QFileInfo(chosen).absolutePath()).toStdString());
}
