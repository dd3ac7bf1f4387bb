#include "format/format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "platform/locale.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr char DEGREE_SIGN = '\xB0';
constexpr int TEXT_BYTES = 81;  // every formatted text fits 80 characters and a NUL

// printf's "%*d" (fill ' ') or "%0*d" (fill '0') of value, without printf's
// cost: the reports format tens of thousands of numbers.
std::string padded_integer(int value, int width, char fill) {
    char digits[12];  // an int has at most 11 characters
    const std::string_view text(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    const std::size_t pad = text.size() < static_cast<std::size_t>(width) ? width - text.size() : 0;
    if (fill == '0' && value < 0) return "-" + std::string(pad, '0') + std::string(text.substr(1));
    return std::string(pad, fill) + std::string(text);
}

// The text as a C string holds it: up to its first NUL (a separator from the
// regional settings may be one).
std::string up_to_nul(std::string text) {
    text.resize(std::strlen(text.c_str()));
    return text;
}

// ---- Regional settings ----

// Profile strings are read into 81-byte buffers, so at most 80 characters survive.
std::string profile_string(const char* key, const char* fallback) {
    std::string value = read_locale_profile(key, fallback);
    if (value.size() > TEXT_BYTES - 1) value.resize(TEXT_BYTES - 1);
    return value;
}

// A numeric profile value: the decimal number its leading characters spell, 0 if none.
long profile_int(const char* key, const char* fallback) {
    return std::strtol(profile_string(key, fallback).c_str(), nullptr, 10);
}

constexpr char DEFAULT_SHORT_DATE[] = "MM/dd/yyyy";
std::string short_date_pattern() { return profile_string("sShortDate", DEFAULT_SHORT_DATE); }

bool is_date_letter(char c) { return c == 'M' || c == 'd' || c == 'y'; }

// The first character that is not a date letter, '/' when there is none.
char pattern_separator(const std::string& pattern) {
    for (char c : pattern)
        if (!is_date_letter(c)) return c;
    return '/';
}

// The first character is kept whatever it is, then every date letter that
// differs from the last kept one; the result names the order ("dMy" is dmy).
DateOrder pattern_order(const std::string& pattern) {
    if (pattern.empty()) return DATE_ORDER_MDY;
    std::string kept(1, pattern[0]);
    for (size_t i = 1; i < pattern.size(); ++i)
        if (is_date_letter(pattern[i]) && pattern[i] != kept.back()) kept += pattern[i];
    static constexpr std::string_view ORDER_NAMES[] = {"dmy", "dym", "mdy", "myd", "ydm", "ymd"};
    for (int order = 0; order < 6; ++order) {
        std::string_view name = ORDER_NAMES[order];
        bool same = kept.size() == name.size();
        for (size_t i = 0; same && i < name.size(); ++i)
            same = std::tolower(static_cast<unsigned char>(kept[i])) == name[i];
        if (same) return static_cast<DateOrder>(order);
    }
    return DATE_ORDER_MDY;
}

// One cached setting and its reload-needed flag (set until the first read).
template <typename T>
struct CachedSetting {
    T value{};
    bool reload_needed = true;
};

template <typename T, typename Read>
T cached(CachedSetting<T>& setting, bool reload, Read read) {
    if (reload || setting.reload_needed) {
        setting.value = read();
        setting.reload_needed = false;
    }
    return setting.value;
}

struct LocaleSettings {
    CachedSetting<char> decimal_separator;
    CachedSetting<bool> leading_zero_numbers;
    CachedSetting<bool> leading_zero_hours;
    CachedSetting<char> date_separator;
    CachedSetting<bool> day_leading_zero;
    CachedSetting<bool> month_leading_zero;
    CachedSetting<DateOrder> date_order;
    CachedSetting<char> time_separator;
};
// Process-wide, as the locale is: read on first use, again when the platform
// announces a change; every formatter reads them.
LocaleSettings settings;

// The first character of a text; NUL for an empty one.
char first_char(std::string_view text) { return text.empty() ? '\0' : text[0]; }

}  // namespace

char decimal_separator(bool reload) {
    return cached(settings.decimal_separator, reload,
                  [] { return first_char(profile_string("sDecimal", ".")); });
}

bool leading_zero_numbers(bool reload) {
    return cached(settings.leading_zero_numbers, reload, [] { return profile_int("iLzero", "1") == 1; });
}

bool leading_zero_hours(bool reload) {
    return cached(settings.leading_zero_hours, reload, [] { return profile_int("iTLzero", "0") == 1; });
}

char date_separator(bool reload) {
    return cached(settings.date_separator, reload, [] { return pattern_separator(short_date_pattern()); });
}

bool day_leading_zero(bool reload) {
    return cached(settings.day_leading_zero, reload,
                  [] { return std::ranges::count(short_date_pattern(), 'd') > 1; });
}

bool month_leading_zero(bool reload) {
    return cached(settings.month_leading_zero, reload,
                  [] { return std::ranges::count(short_date_pattern(), 'M') > 1; });
}

DateOrder date_order(bool reload) {
    return cached(settings.date_order, reload, [] { return pattern_order(short_date_pattern()); });
}

char time_separator(bool reload) {
    return cached(settings.time_separator, reload, [] { return first_char(profile_string("sTime", ":")); });
}

void reload_locale_settings() {
    decimal_separator(true);
    leading_zero_numbers(true);
    leading_zero_hours(true);
    date_separator(true);
    day_leading_zero(true);
    month_leading_zero(true);
    date_order(true);
    time_separator(true);
}

// ---- Numbers ----

std::string format_fixed(double value, int width, int precision) {
    // The number as "%*.*f" prints it with '.', whatever locale the C library was
    // given (the toolkit sets the user's): std::to_chars never looks at it.
    char number[400];  // 309 digits of the largest double, sign, point, precision <= 80
    std::to_chars_result printed =
        std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, precision);
    std::string text(number, printed.ptr);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');

    size_t point = text.find('.');
    if (point == std::string::npos) return text;
    std::string integer = text.substr(0, point);
    std::string fraction = text.substr(point + 1);
    if (!leading_zero_numbers(false) && std::labs(std::strtol(integer.c_str(), nullptr, 10)) < 1)
        integer.pop_back();  // the zero: 0.50 becomes .50, -0.25 becomes -.25

    // As "%*.*s%c%*.*s" with width and precision for both fields: the integer
    // part cut to width characters and right-aligned in width, the separator,
    // the fraction's first precision digits; at most 80 characters.
    integer.resize(std::min(integer.size(), static_cast<std::size_t>(std::max(width, 0))));
    fraction.resize(std::min(fraction.size(), static_cast<std::size_t>(std::max(precision, 0))));
    std::string out = std::string(static_cast<std::size_t>(std::max(width, 0)) - integer.size(), ' ') + integer +
                      decimal_separator(false) + fraction;
    out = up_to_nul(std::move(out));
    if (out.size() > TEXT_BYTES - 1) out.resize(TEXT_BYTES - 1);
    return out;
}

// ---- Dates ----

std::string format_date(int day, int month, int year) {
    const std::string texts[3] = {padded_integer(day, 2, day_leading_zero(false) ? '0' : ' '),
                                  padded_integer(month, 2, month_leading_zero(false) ? '0' : ' '),
                                  padded_integer(year, 4, ' ')};
    // Which text goes first, second and third, for each DateOrder.
    static constexpr int PLACES[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    const int* place = PLACES[date_order(false)];
    const char separator = date_separator(false);
    return up_to_nul(texts[place[0]] + separator + texts[place[1]] + separator + texts[place[2]]);
}

std::string format_month_range(int start_month, int stop_month, int year) {
    // The last day of the stop month is the day before the first of the next month.
    int next_month = stop_month == 12 ? 1 : stop_month + 1;
    int next_year = stop_month == 12 ? year + 1 : year;
    double last_day;
    int last_month, last_year;
    calendar_date(julian_day(1.0, next_month, next_year) - 1.0, last_day, last_month, last_year);
    std::string first = format_date(1, start_month, year);
    std::string last = format_date(static_cast<int>(last_day), last_month, last_year);
    char out[2 * TEXT_BYTES];
    std::snprintf(out, sizeof out, "%s to %s", first.c_str(), last.c_str());
    return out;
}

std::string format_year_range(int first_year, int last_year) {
    char out[TEXT_BYTES];
    if (first_year == last_year)
        std::snprintf(out, sizeof out, "%d", first_year);
    else
        std::snprintf(out, sizeof out, "%d to %d", first_year, last_year);
    return out;
}

// ---- Times and angles ----

std::string format_hours_minutes(double hours) {
    if (hours == -1.0) return "None ";
    double a = std::fabs(hours);
    int h = static_cast<int>(a);
    int m = round_to_int(frac(a) * 60.0);
    if (m == 60) {
        h += 1;
        m = 0;
    }
    return up_to_nul(padded_integer(h, 2, leading_zero_hours(false) ? '0' : ' ') + time_separator(false) +
                     padded_integer(m, 2, '0'));
}

std::string format_angle(double value, bool degrees) {
    double a = std::fabs(value);
    int d = static_cast<int>(a);
    int m = static_cast<int>(frac(a) * 60.0);
    // (a - d - m/60) * 3600, in the order of operations the program has always used.
    int s = round_to_int((m * (-1.0 / 60.0) - d + a) * 3600.0);
    if (s == 60) {
        s = 0;
        m += 1;
    }
    if (m == 60) {
        m = 0;
        d += 1;
    }
    char sign = value >= 0.0 ? ' ' : '-';
    char out[TEXT_BYTES];
    if (degrees)
        std::snprintf(out, sizeof out, "%c%d%c%02d%c%02d%c", sign, d, DEGREE_SIGN, m, '\'', s, '"');
    else
        std::snprintf(out, sizeof out, "%c%2d%c%02d%c%02d%c", sign, d, first_char(load_string(STR_UNIT_HOUR)), m,
                      first_char(load_string(STR_UNIT_MINUTE)), s, first_char(load_string(STR_UNIT_SECOND)));
    return out;
}

std::string format_angle_short(double value, bool degrees) { return format_angle(value, degrees).substr(0, 7); }

// ---- Names ----

std::string month_name(int month) { return std::string(load_string(STR_FIRST_MONTH_NAME + month - 1)); }

std::string body_name(int id) { return std::string(load_string(STR_FIRST_BODY_NAME + id).substr(0, 80)); }

char compass_letter(int hemisphere) {
    // North, South, West, East among the eight compass points.
    static constexpr int LETTER_IDS[4] = {STR_COMPASS_FIRST, STR_COMPASS_FIRST + 4, STR_COMPASS_FIRST + 6,
                                          STR_COMPASS_FIRST + 2};
    return first_char(load_string(LETTER_IDS[hemisphere]));
}

std::string compass_point(double azimuth) {
    double a = normalize_degrees(azimuth);
    if (a == 360.0) a = 0.0;  // -360 normalises to 360: a full turn is north
    int quadrant = a < 90.0 ? 0 : a < 180.0 ? 1 : a < 270.0 ? 2 : 3;
    bool on_axis = a == 90.0 * quadrant;
    return std::string(load_string(STR_COMPASS_FIRST + 2 * quadrant + (on_axis ? 0 : 1)));
}

std::string phase_abbreviation(int phase) { return std::string(load_string(STR_PHASE_FIRST + phase)); }

std::string season_abbreviation(int season) { return std::string(load_string(STR_SEASON_FIRST + season)); }
