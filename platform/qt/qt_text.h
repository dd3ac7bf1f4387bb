#pragma once
// Conversions between the program's Latin-1 texts and Qt's strings.
#include <QString>
#include <string>
#include <string_view>

inline QString to_qstring(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}
inline std::string from_qstring(const QString& text) { return text.toLatin1().toStdString(); }
