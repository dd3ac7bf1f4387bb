#pragma once
// Conversions between the program's Latin-1 texts and Qt's strings.
#include <QString>
#include <string>
#include <string_view>

inline QString to_qstring(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}
inline std::string from_qstring(const QString& text) { return text.toLatin1().toStdString(); }
// True when every character of text is in Latin-1 (U+0000..U+00FF), so that
// from_qstring gives it exactly.
inline bool fits_latin1(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF) return false;
    return true;
}
