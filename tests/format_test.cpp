// Formatters and regional settings.  Every case runs under a fixed fake locale
// profile (empty: all defaults) so that the machine's own locale cannot change
// the expected texts; the system reader is tested on its own at the end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "format/format.h"
#include "platform/locale.h"

namespace {

using Profile = std::map<std::string, std::string, std::less<>>;
Profile fake_profile;
int fake_reads = 0;

std::string fake_reader(std::string_view key, std::string_view fallback) {
    ++fake_reads;
    auto it = fake_profile.find(key);
    return it == fake_profile.end() ? std::string(fallback) : it->second;
}

void use_profile(const Profile& profile) {
    fake_profile = profile;
    set_locale_profile_reader(fake_reader);
    reload_locale_settings();
}

class Format : public ::testing::Test {
protected:
    void SetUp() override { use_profile({}); }
    void TearDown() override {
        set_locale_profile_reader(nullptr);
        reload_locale_settings();
    }
};

const Profile NO_LEADING_ZERO = {{"iLzero", "0"}};
const Profile DECIMAL_COMMA = {{"sDecimal", ","}};

TEST_F(Format, FixedPoint) {
    const struct { double value; int width, precision; Profile profile; const char* expected, *source; } cases[] = {
        {0.5, 3, 2, {}, "  0.50", "default locale"},
        {0.5, 3, 2, NO_LEADING_ZERO, "   .50", "iLzero 0: no leading zero"},
        {365.2422, 6, 2, {}, "   365.24", "width of the integer part"},
        {-0.25, 3, 2, {}, " -0.25", "negative, leading zero kept"},
        {-0.25, 3, 2, NO_LEADING_ZERO, "  -.25", "no leading zero after the sign"},
        {1.5, 3, 2, NO_LEADING_ZERO, "  1.50", "only a zero integer part loses its zero"},
        {0.5, 1, 2, {{"sDecimal", ","}, {"iLzero", "0"}}, " ,50", "decimal comma, no leading zero"},
        {12.6, 4, 0, DECIMAL_COMMA, "  13", "precision 0: printf text unchanged"},
        {12345.5, 3, 1, {}, "123.5", "integer part cut to the width"},
        {2.675, 1, 2, {}, "2.67", "2.675 is 2.67499999... in binary (printf rounding)"},
        {0.5, 3, 2, {{"sDecimal", ""}}, "  0", "empty separator is a NUL, which ends the text"},
    };
    for (const auto& c : cases) {
        use_profile(c.profile);
        EXPECT_EQ(format_fixed(c.value, c.width, c.precision), c.expected)
            << c.value << " width " << c.width << " precision " << c.precision << " (" << c.source << ")";
    }
}

TEST_F(Format, HoursMinutes) {
    const struct { double hours; Profile profile; const char* expected; } cases[] = {
        {5.999, {}, " 6:00"},                  // 59.94 minutes round up to the next hour
        {-1.0, {}, "None "},                   // the mark of an event that does not happen
        {23.999, {}, "24:00"},                 // no wrap at 24
        {-2.5, {}, " 2:30"},                   // the sign is dropped
        {-1.0000001, {}, " 1:00"},             // only exactly -1 means "None"
        {5.999, {{"iTLzero", "1"}}, "06:00"},  // hour leading zero
        {9.75, {{"sTime", "."}}, " 9.45"},     // time separator
    };
    for (const auto& c : cases) {
        use_profile(c.profile);
        EXPECT_EQ(format_hours_minutes(c.hours), c.expected) << c.hours;
    }
}

TEST_F(Format, Angles) {
    const struct { double value; bool degrees; const char* expected, *source; } cases[] = {
        {10.99999, true, " 11\xB0" "00'00\"", "seconds and minutes roll over"},
        {-0.5, true, "-0\xB0" "30'00\"", "the sign of a value below one degree"},
        {57.29577951, true, " 57\xB0" "17'45\"", "one radian = 57 deg 17' 44.806\""},
        {6.752472, false, "  6h45m09s", "Sirius RA (J2000) 6h 45m 08.9s"},
        {0.0, true, " 0\xB0" "00'00\"", "zero has the blank sign"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_angle(c.value, c.degrees), c.expected) << c.value << " (" << c.source << ")";
    EXPECT_EQ(format_angle_short(5.5, false), "  5h30m");
    EXPECT_EQ(format_angle_short(23.5, true), " 23\xB0" "30'");
}

// The C library's printf is the reference for the numbers' fields ("%02d",
// "%2d", "%4d"): years before the era and past 9999, hours past 99.
TEST_F(Format, FieldsAsPrintfWritesThem) {
    char expected[64];
    for (int year : {-4713, -100, -5, 0, 7, 999, 1997, 9999, 10000, 123456}) {
        for (int day : {1, 9, 10, 31}) {
            use_profile({});
            std::snprintf(expected, sizeof expected, "%02d/%02d/%4d", 7, day, year);
            EXPECT_EQ(format_date(day, 7, year), expected) << year << "-07-" << day;
            use_profile({{"sShortDate", "d.M.yyyy"}});
            std::snprintf(expected, sizeof expected, "%2d.%2d.%4d", day, 7, year);
            EXPECT_EQ(format_date(day, 7, year), expected) << year << "-07-" << day;
        }
    }
    for (double hours : {0.0, 0.5, 9.99, 23.999, 99.5, 123.25, -7.5}) {
        for (const char* zero : {"0", "1"}) {
            use_profile({{"iTLzero", zero}});
            const double a = std::fabs(hours);
            const int h = static_cast<int>(a), m = static_cast<int>(std::lround((a - h) * 60.0));
            std::snprintf(expected, sizeof expected, zero[0] == '1' ? "%02d:%02d" : "%2d:%02d", h + m / 60, m % 60);
            EXPECT_EQ(format_hours_minutes(hours), expected) << hours << " iTLzero " << zero;
        }
    }
}

TEST_F(Format, ShortDatePatterns) {
    // pattern (nullptr: the default "MM/dd/yyyy"), order, separator, leading zeros of day and month, 1997 July 5
    struct Case { const char* pattern; DateOrder order; char separator; bool day_zero, month_zero; const char* date; };
    const Case cases[] = {
        {nullptr, DATE_ORDER_MDY, '/', true, true, "07/05/1997"},
        {"d.M.yy", DATE_ORDER_DMY, '.', false, false, " 5. 7.1997"},
        {"yyyy-MM-dd", DATE_ORDER_YMD, '-', true, true, "1997-07-05"},
        {"yy/dd/MM", DATE_ORDER_YDM, '/', true, true, "1997/05/07"},
        {"dd-yyyy-M", DATE_ORDER_DYM, '-', true, false, "05-1997- 7"},
        {"MM yyyy dd", DATE_ORDER_MYD, ' ', true, true, "07 1997 05"},
        {"MMddyy", DATE_ORDER_MDY, '/', true, true, "07/05/1997"},       // no separator: '/'
        {"dd.MM.yy dd", DATE_ORDER_MDY, '.', true, true, "07.05.1997"},  // "dMyd" is no order
        {"", DATE_ORDER_MDY, '/', false, false, " 7/ 5/1997"},
    };
    for (const auto& c : cases) {
        use_profile(c.pattern ? Profile{{"sShortDate", c.pattern}} : Profile{});
        const char* name = c.pattern ? c.pattern : "(default)";
        EXPECT_EQ(date_order(false), c.order) << name;
        EXPECT_EQ(date_separator(false), c.separator) << name;
        EXPECT_EQ(day_leading_zero(false), c.day_zero) << name;
        EXPECT_EQ(month_leading_zero(false), c.month_zero) << name;
        EXPECT_EQ(format_date(5, 7, 1997), c.date) << name;
    }
    // Profile strings are cut to 80 characters: a '.' as the 81st is beyond
    // an 81-byte buffer, so no separator is seen.
    use_profile({{"sShortDate", std::string(80, 'd') + "."}});
    EXPECT_EQ(date_separator(false), '/');
}

TEST_F(Format, RangesCompassPhaseSeasonMonthAndBodyNames) {
    const struct { int start_month, stop_month, year; const char* expected, *source; } cases[] = {
        {2, 2, 1900, "02/01/1900 to 02/28/1900", "Gregorian century, not leap"},
        {2, 2, 2000, "02/01/2000 to 02/29/2000", "Gregorian 400-year leap"},
        {2, 2, 1500, "02/01/1500 to 02/29/1500", "Julian calendar: every 4th year leap"},
        {12, 12, 1997, "12/01/1997 to 12/31/1997", "December: day before next 1 January"},
        {1, 3, 1995, "01/01/1995 to 03/31/1995", "Calendar report January to March"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_month_range(c.start_month, c.stop_month, c.year), c.expected) << c.source;
    EXPECT_EQ(format_year_range(1995, 1995), "1995");
    EXPECT_EQ(format_year_range(1995, 2005), "1995 to 2005");
    EXPECT_EQ((std::string{compass_letter(0), compass_letter(1), compass_letter(2), compass_letter(3)}), "NSWE");
    const struct { double azimuth; const char* expected; } points[] = {
        {0, "N"},     {45, "NE"},  {89.999, "NE"}, {90, "E"},  {90.001, "SE"}, {225, "SW"},
        {359.9, "NW"}, {360, "N"}, {-45, "NW"},    {-360, "N"}, {720, "N"}};
    for (const auto& c : points) EXPECT_EQ(compass_point(c.azimuth), c.expected) << c.azimuth;
    std::string phases, seasons;
    for (int i = 0; i < 4; ++i) phases += phase_abbreviation(i) + " ", seasons += season_abbreviation(i) + " ";
    EXPECT_EQ(phases, "NM FQ FM LQ ");
    EXPECT_EQ(seasons, "MEQ JSO SEQ DSO ");
    EXPECT_EQ(month_name(1) + "/" + month_name(12), "January/December");
    EXPECT_EQ(body_name(0) + "/" + body_name(2) + "/" + body_name(10), "Sun/Earth/Pluto");
}

TEST_F(Format, SettingsAreCachedUntilReloaded) {
    use_profile(DECIMAL_COMMA);
    int reads = fake_reads;
    fake_profile = {{"sDecimal", ";"}};
    EXPECT_EQ(decimal_separator(false), ',');  // cached, the profile is not read
    EXPECT_EQ(fake_reads, reads);
    EXPECT_EQ(decimal_separator(true), ';');
    EXPECT_EQ(fake_reads, reads + 1);
    fake_profile = {{"sTime", "."}};
    EXPECT_EQ(time_separator(false), ':');
    reload_locale_settings();  // the system announced a change
    EXPECT_EQ(time_separator(false), '.');
    EXPECT_EQ(decimal_separator(false), '.');
}

// ---- The system reader ----

// Sets an environment variable for one scope and puts the old value back.
struct ScopedEnv {
    std::string name;
    const char* before;
    std::string old = before ? before : "";
    ScopedEnv(const char* n, const std::string& value) : name(n), before(std::getenv(n)) {
        setenv(n, value.c_str(), 1);
    }
    ~ScopedEnv() { before ? setenv(name.c_str(), old.c_str(), 1) : unsetenv(name.c_str()); }
};

TEST_F(Format, SystemReaderUnderTheCLocaleGivesDefaults) {
    ScopedEnv lc_all("LC_ALL", "C");
    for (const char* key : {"sDecimal", "iLzero", "iTLzero", "sShortDate", "sTime"})
        EXPECT_EQ(system_locale_profile(key, "fallback"), "fallback") << key;
    set_locale_profile_reader(nullptr);
    reload_locale_settings();
    EXPECT_EQ(format_date(5, 7, 1997), "07/05/1997");
    EXPECT_EQ(format_fixed(0.5, 3, 2), "  0.50");
    EXPECT_EQ(format_hours_minutes(5.999), " 6:00");
}

// Real locales compiled from the system's locale sources into a temporary
// folder; skipped where localedef or the sources are missing.
TEST_F(Format, SystemReaderMapsRealLocales) {
    // A folder of its own: other test runs on the machine compile theirs at the same time.
    std::string folder = ::testing::TempDir() + "skyloom_format_locales_XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::filesystem::path dir = folder;
    const struct { const char* name, *decimal, *short_date, *time_separator, *hour_zero, *equinox; } cases[] = {
        {"fi_FI", ",", "dd.MM.yyyy", ".", "1", "20.03.2026 14.44"},  // d_fmt "%d.%m.%Y", t_fmt "%H.%M.%S"
        {"en_US", ".", "MM/dd/yyyy", ":", "1", "03/20/2026 14:44"},  // d_fmt "%m/%d/%Y", t_fmt "%r"
        // Separators outside Latin-1 fall back to "/" and ":" (never "?").
        {"ja_JP", ".", "yyyy/MM/dd/", ":", "1", "2026/03/20 14:44"},    // d_fmt "%Y年%m月%d日", t_fmt "%H時%M分%S秒"
        {"ko_KR", ".", "yyyy/ MM/ dd/", ":", "1", "2026/03/20 14:44"},  // d_fmt "%Y년 %m월 %d일", t_fmt "%H시 %M분 %S초"
    };
    ScopedEnv locpath("LOCPATH", dir.string());
    for (const auto& c : cases) {
        const std::string locale = std::string(c.name) + ".UTF-8";
        const std::string command =
            "localedef -c -i " + std::string(c.name) + " -f UTF-8 '" + (dir / locale).string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0 || !std::filesystem::exists(dir / locale / "LC_TIME"))
            GTEST_SKIP() << "cannot compile locale " << locale;
        ScopedEnv lc_all("LC_ALL", locale);
        EXPECT_EQ(system_locale_profile("sDecimal", "?"), c.decimal) << locale;
        EXPECT_EQ(system_locale_profile("sShortDate", "?"), c.short_date) << locale;
        EXPECT_EQ(system_locale_profile("sTime", "?"), c.time_separator) << locale;
        EXPECT_EQ(system_locale_profile("iTLzero", "?"), c.hour_zero) << locale;
        EXPECT_EQ(system_locale_profile("iLzero", "1"), "1") << locale;
        set_locale_profile_reader(nullptr);
        reload_locale_settings();
        EXPECT_EQ(format_date(20, 3, 2026) + " " + format_hours_minutes(14 + 44 / 60.0), c.equinox) << locale;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
