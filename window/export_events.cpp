#include "window/export_events.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <cerrno>
#include <string>
#include <vector>

#include "app/dialog_rules.h"
#include "engine/clock.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "window/parameter_dialogs.h"

namespace {

constexpr const char* FOLDER_SETTING = "Export Folder";  // the folder events were last exported to
constexpr int HELP_CONTEXT = 104;
// The formats in the dialog's order, with their file name extensions.
constexpr EventFormat FORMATS[] = {EventFormat::Csv, EventFormat::Json, EventFormat::Icalendar};
constexpr const char* EXTENSIONS[] = {"csv", "json", "ics"};

// The dialog's texts: "Format:", the kinds' group, a box per kind, a name per format.
struct ExportTexts {
    QString format;
    QString kinds;
    QStringList kind_boxes;
    QStringList format_names;
};

ExportTexts export_texts() {
    const QStringList parts = to_qstring(load_string(STR_EXPORT_EVENTS_LABELS)).split('|');
    return {parts.value(0), parts.value(1), parts.mid(2, EVENT_KIND_COUNT), parts.mid(2 + EVENT_KIND_COUNT)};
}

// The years, kinds and format; false when the dialog was cancelled.
bool ask_choice(int year, EventExportChoice& choice, QWidget* owner) {
    const ExportTexts texts = export_texts();
    QDialog dialog(owner);
    dialog.setWindowTitle(to_qstring(load_string(STR_EXPORT_EVENTS_TITLE)));
    add_help_key(dialog, HELP_CONTEXT);
    auto* column = new QVBoxLayout(&dialog);
    auto* fields = new QFormLayout;
    column->addLayout(fields);
    auto* first = new QLineEdit(QString::number(year));
    auto* last = new QLineEdit(QString::number(year));
    first->setObjectName("first_year");
    last->setObjectName("last_year");
    fields->addRow(to_qstring(load_string(STR_LABEL_START_YEAR)), first);
    fields->addRow(to_qstring(load_string(STR_LABEL_STOP_YEAR)), last);
    auto* format = new QComboBox;
    format->setObjectName("format");
    format->addItems(texts.format_names);
    format->setCurrentIndex(std::size(FORMATS) - 1);
    fields->addRow(texts.format, format);
    auto* group = new QGroupBox(texts.kinds);
    auto* boxes_layout = new QVBoxLayout(group);
    std::vector<QCheckBox*> boxes;
    for (int k = 0; k < EVENT_KIND_COUNT; ++k) {
        auto* box = new QCheckBox(texts.kind_boxes.value(k));
        box->setObjectName(event_kind_name(static_cast<EventKind>(k)));
        box->setChecked(true);
        boxes_layout->addWidget(box);
        boxes.push_back(box);
    }
    column->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    column->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        // The years by the Seasons dialog's rules (1000 to 3000, the stop year not before the start).
        DialogEntry entry;
        entry.year = from_qstring(first->text());
        entry.end_year = from_qstring(last->text());
        CommandParams params;
        if (DialogError error = apply_dialog(DIAL_YEAR_RANGE, entry, params); error.message_id) {
            show_error(error.message_id);
            (error.control_id == CTL_STOP_YEAR ? last : first)->setFocus();
            return;
        }
        choice.first_year = params.year;
        choice.last_year = params.end_year;
        choice.kinds = 0;
        for (int k = 0; k < EVENT_KIND_COUNT; ++k)
            if (boxes[k]->isChecked()) choice.kinds |= 1u << k;
        choice.format = FORMATS[format->currentIndex()];
        if (choice.kinds) dialog.accept();
    });
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool export_events(const EventExportChoice& choice, const SkyContext& sky, const std::string& path) {
    const EventList list = gather_events(choice.first_year, choice.last_year, choice.kinds, sky, nullptr, nullptr);
    return write_events_file(path, events_text(choice.format, list.events, sky.location, now_ut()));
}

void run_export_events(const SkyContext& sky, int year, QWidget* owner) {
    EventExportChoice choice;
    if (!ask_choice(year, choice, owner)) return;
    const int format = static_cast<int>(choice.format);
    const QString extension = EXTENSIONS[format];
    QString folder = to_qstring(read_setting(FOLDER_SETTING));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    const QString name = QStringLiteral("events-%1").arg(choice.first_year) +
                         (choice.last_year != choice.first_year ? QStringLiteral("-%1").arg(choice.last_year) : QString());
    QFileDialog dialog(owner, to_qstring(load_string(STR_SAVE_AS_TITLE)), folder + '/' + name + '.' + extension);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({export_texts().format_names.value(format) + QStringLiteral(" (*.") + extension + ')'});
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString chosen = dialog.selectedFiles().front();
    const std::string path = QFile::encodeName(chosen).toStdString();
    if (!export_events(choice, sky, path)) {
        show_error_text(file_error_text(MSG_CANNOT_WRITE_FILE, path, errno ? errno : EIO).c_str());
        return;
    }
    write_setting(FOLDER_SETTING, QFile::encodeName(QFileInfo(chosen).absolutePath()).toStdString());
}
