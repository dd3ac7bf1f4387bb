#include "platform/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/text_encoding.h"

namespace {

// The hook tests install in place of the system's locale.
LocaleProfileReader installed_reader = system_locale_profile;

// The name the process locale has for one category, by the POSIX precedence:
// LC_ALL, then the category's own variable, then LANG; "C" when none is set.
std::string locale_name(const char* category_variable) {
    for (const char* variable : {"LC_ALL", category_variable, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "C";
}

bool is_c_locale(const std::string& name) {
    return name == "C" || name == "POSIX" || name == "C.UTF-8" || name == "C.utf8";
}

// One locale item of the user's locale for one category (loaded with LC_CTYPE,
// which names the character set), in Latin-1; empty when the user's locale is
// the C locale or cannot be loaded, and the caller then answers with the
// default.  A character outside Latin-1 (the Japanese date's 年, 月 and 日)
// becomes the item's default separator, so a date reads 2026/03/20, never
// 2026?03?20.  The process-wide locale is left alone: printf keeps its '.'.
std::string locale_item(int category_mask, const char* category_variable, nl_item item, char default_separator) {
    if (is_c_locale(locale_name(category_variable))) return "";
    locale_t user = newlocale(category_mask | LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return "";
    std::string value = nl_langinfo_l(item, user);
    bool utf8 = std::strcmp(nl_langinfo_l(CODESET, user), "UTF-8") == 0;
    freelocale(user);
    return utf8 ? utf8_to_latin1(value, default_separator) : value;
}

// strftime's composite conversions spelled out.
std::string expand_composites(const std::string& format) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        char c = format[++i];
        if (c == 'D') out += "%m/%d/%y";
        else if (c == 'F') out += "%Y-%m-%d";
        else if (c == 'T') out += "%H:%M:%S";
        else if (c == 'R') out += "%H:%M";
        else if (c == 'r') out += "%I:%M:%S %p";
        else out += {'%', c};
    }
    return out;
}

// One strftime conversion read from a format: its letter and whether a glibc
// flag ('-' or '_') turned its zero padding off.  E and O modifiers are skipped.
struct Conversion {
    char letter = '\0';
    bool padded = true;
};

// Reads the conversion whose '%' is at format[i]; leaves i on its last character.
Conversion read_conversion(const std::string& format, size_t& i) {
    Conversion conversion;
    while (++i < format.size()) {
        char c = format[i];
        if (c == '-' || c == '_') conversion.padded = false;
        else if (c != '0' && c != '^' && c != '#' && c != 'E' && c != 'O') {
            conversion.letter = c;
            break;
        }
    }
    return conversion;
}

// D_FMT as a short-date pattern of day, month and year letters: %d "dd",
// %e "d", %m "MM", %y "yy", %Y "yyyy"; unpadded (%-d) conversions take one
// letter; other characters are kept.
std::string short_date_from_strftime(const std::string& d_fmt) {
    std::string format = expand_composites(d_fmt);
    std::string pattern;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            pattern += format[i];
            continue;
        }
        size_t start = i;
        Conversion c = read_conversion(format, i);
        if (c.letter == 'd') pattern += c.padded ? "dd" : "d";
        else if (c.letter == 'e') pattern += "d";
        else if (c.letter == 'm') pattern += c.padded ? "MM" : "M";
        else if (c.letter == 'y') pattern += "yy";
        else if (c.letter == 'Y') pattern += "yyyy";
        else pattern += format.substr(start, i + 1 - start);
    }
    return pattern;
}

// The first character of T_FMT outside the conversions that is not a letter
// (":" in "%H:%M:%S"); empty when there is none.
std::string time_separator_from_strftime(const std::string& t_fmt) {
    std::string format = expand_composites(t_fmt);
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%') read_conversion(format, i);
        else if (!std::isalpha(static_cast<unsigned char>(format[i]))) return std::string(1, format[i]);
    }
    return "";
}

// "1" when the hours of T_FMT are zero-padded (%H, %I, and %T, %R, %r that
// contain them), "0" when they are blank-padded or unpadded (%k, %l, %-H);
// empty when T_FMT shows no hours.
std::string hour_leading_zero_from_strftime(const std::string& t_fmt) {
    std::string format = expand_composites(t_fmt);
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        Conversion c = read_conversion(format, i);
        if (c.letter == 'H' || c.letter == 'I') return c.padded ? "1" : "0";
        if (c.letter == 'k' || c.letter == 'l') return "0";
    }
    return "";
}

}  // namespace

std::string read_locale_profile(std::string_view key, std::string_view fallback) {
    return installed_reader(key, fallback);
}

void set_locale_profile_reader(LocaleProfileReader reader) {
    installed_reader = reader ? reader : system_locale_profile;
}

// "sDecimal" is the radix character of LC_NUMERIC; "sShortDate", "sTime" and
// "iTLzero" come from D_FMT and T_FMT of LC_TIME.  POSIX has no setting for a
// number's leading zero, so "iLzero", like every other key, keeps its default;
// so does any key whose locale item says nothing.
std::string system_locale_profile(std::string_view key, std::string_view fallback) {
    std::string value;
    if (key == "sDecimal")
        value = locale_item(LC_NUMERIC_MASK, "LC_NUMERIC", RADIXCHAR, '.');
    else if (key == "sShortDate")
        value = short_date_from_strftime(locale_item(LC_TIME_MASK, "LC_TIME", D_FMT, '/'));
    else if (key == "sTime")
        value = time_separator_from_strftime(locale_item(LC_TIME_MASK, "LC_TIME", T_FMT, ':'));
    else if (key == "iTLzero")
        value = hour_leading_zero_from_strftime(locale_item(LC_TIME_MASK, "LC_TIME", T_FMT, ':'));
    return value.empty() ? std::string(fallback) : value;
}
