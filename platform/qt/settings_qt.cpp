// The settings store on QSettings (organisation "Vantorel", application
// "Skyloom 2"), in the platform's native per-user format: an INI-style file
// in the XDG configuration folder.
#include "platform/qt/settings_qt.h"

#include <QSettings>
#include <QStringList>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"

namespace {

const char* const ORGANISATION = "Vantorel";
const char* const APPLICATION = "Skyloom 2";

bool write_qt_setting(const std::string& key, const std::string& value) {
    QSettings settings(ORGANISATION, APPLICATION);
    settings.setValue(to_qstring(key), to_qstring(value));
    settings.sync();  // write now, so that a failure shows in the status
    return settings.status() == QSettings::NoError;
}

std::string read_qt_setting(const std::string& key) {
    QSettings settings(ORGANISATION, APPLICATION);
    QVariant value = settings.value(to_qstring(key));
    // A value typed into the file by hand without quotes, such as 255,0,0,
    // comes back as a list of its comma-separated pieces: join them again.
    if (value.typeId() == QMetaType::QStringList) return from_qstring(value.toStringList().join(','));
    return from_qstring(value.toString());
}

}  // namespace

void install_qt_settings_store() { set_settings_backend({write_qt_setting, read_qt_setting}); }
