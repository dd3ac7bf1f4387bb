#include "reports/report_document.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/clock.h"
#include "engine/approximate_places.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "platform/messages.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// Share of an Almanac run taken by each report, as boundaries B[1..15].
constexpr double ALMANAC_BOUNDARY[16] = {0.0,   0.0,   0.018, 0.24,  0.243, 0.246, 0.281, 0.316,
                                         0.474, 0.516, 0.714, 0.723, 0.902, 0.914, 0.984, 1.0};

// The report view's hooks, installed by the window, and the progress clock.
struct ReportModule {
    ReportDisplay display;
    std::uint32_t progress_start_ms = 0;
    double last_fraction = 0.0;  // of the progress last shown, 0..1
} module;

std::uint32_t tick_count_ms() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void set_report_display(const ReportDisplay& display) { module.display = display; }

std::string_view report_line(const ReportDocument& document, int index) {
    const char* record = document.text.data() + static_cast<size_t>(index) * REPORT_RECORD_BYTES;
    return std::string_view(record, std::strlen(record));
}

int report_record_capacity(const ReportDocument& document) {
    return static_cast<int>(document.text.size() / REPORT_RECORD_BYTES);
}

void report_add_line(std::string_view text, ReportDocument& document) {
    if (text.size() > static_cast<size_t>(REPORT_WIDTH)) fatal_error(MSG_INTERNAL_ERROR, "REPORTS", __LINE__);
    int i = document.line_count;
    // The block grows one record before it is needed: at 99 lines to 200 records, at 199 to 300.
    if (document.text.empty()) {
        document.text.assign(REPORT_GROWTH_RECORDS * REPORT_RECORD_BYTES, '\0');
    } else if ((i + 1) % REPORT_GROWTH_RECORDS == 0) {
        size_t records = static_cast<size_t>((i + 1) / REPORT_GROWTH_RECORDS + 1) * REPORT_GROWTH_RECORDS;
        document.text.resize(records * REPORT_RECORD_BYTES, '\0');
    }
    char* record = document.text.data() + static_cast<size_t>(i) * REPORT_RECORD_BYTES;
    std::memcpy(record, text.data(), text.size());
    record[text.size()] = '\0';
    document.line_count = i + 1;
    if (module.display.line_added) module.display.line_added(document, document.line_count);
}

void report_end(ReportDocument& document) { report_add_line(REPORT_END_MARKER, document); }

void report_clear(ReportDocument& document) {
    document = ReportDocument{};
}

namespace {

constexpr int DAYLIGHT_PERIODS_SHOWN = 2;
constexpr double HOUR_ROUNDING_GUARD_DAYS = 1e-7;  // keeps 02:00 from printing as 01:59

// A stretch of daylight saving time: its first and last instants (UT) and
// the clock's offset then, hours.
struct DaylightPeriod {
    JulianDay from_ut = 0.0, to_ut = 0.0;
    double hours = 0.0;
};

// The periods of daylight saving time in [first_ut, last_ut), cut to it.
std::vector<DaylightPeriod> daylight_periods(const Location& location, JulianDay first_ut, JulianDay last_ut) {
    std::vector<DaylightPeriod> periods;
    constexpr double SECOND_DAYS = 1.0 / 86400.0;
    bool in_daylight = daylight_time(location, first_ut);
    DaylightPeriod open{first_ut, last_ut, utc_offset_hours(location, first_ut)};
    for (const ClockChange& change : clock_changes(location, first_ut, last_ut)) {
        const bool after = daylight_time(location, change.jd_ut + SECOND_DAYS);
        if (!in_daylight && after) open = {change.jd_ut, last_ut, change.hours_after};
        if (in_daylight && !after) {
            open.to_ut = change.jd_ut;
            periods.push_back(open);
        }
        in_daylight = after;
    }
    if (in_daylight) periods.push_back(open);
    return periods;
}

// The date and the time of day of a clock reading, as the reports print them.
std::pair<std::string, std::string> date_and_time(JulianDay jd_clock) {
    double day = 0.0;
    int month = 0, year = 0;
    calendar_date(jd_clock + HOUR_ROUNDING_GUARD_DAYS, day, month, year);
    const double whole_day = std::trunc(day);
    return {format_date(static_cast<int>(whole_day), month, year), format_hours_minutes((day - whole_day) * 24.0)};
}

// The zone's lines: its name, and its daylight saving time in the years.
void add_clock_lines(const Location& location, int first_year, int last_year, ReportDocument& document) {
    char line[256];
    const JulianDay first_ut = clock_day_start(location, 1, 1, first_year);
    const JulianDay last_ut = clock_day_start(location, 1, 1, last_year + 1);
    const std::vector<DaylightPeriod> periods =
        first_year == 0 && last_year == 0 ? std::vector<DaylightPeriod>() : daylight_periods(location, first_ut, last_ut);
    const bool no_daylight = periods.empty() && first_year != 0;
    std::snprintf(line, sizeof line, std::string(load_string(no_daylight ? STR_HEADER_NO_DAYLIGHT : STR_HEADER_CLOCK)).c_str(),
                  location.zone.c_str());
    report_add_line(line, document);
    for (std::size_t i = 0; i < periods.size() && i < DAYLIGHT_PERIODS_SHOWN; ++i) {
        const DaylightPeriod& p = periods[i];
        const std::string hours = format_fixed(std::fabs(p.hours), 3, 2);
        // Each end as the clock showed it just before: 02:00 standard time
        // when daylight saving begins, 02:00 daylight time when it ends.
        const auto [from_date, from_time] = date_and_time(p.from_ut + utc_offset_hours(location, p.from_ut - 1e-5) / 24.0);
        const auto [to_date, to_time] = date_and_time(p.to_ut + p.hours / 24.0);
        std::snprintf(line, sizeof line, std::string(load_string(STR_HEADER_DAYLIGHT)).c_str(), p.hours >= 0 ? '+' : '-',
                      hours.c_str(), from_date.c_str(), from_time.c_str(), to_date.c_str(), to_time.c_str());
        report_add_line(line, document);
    }
    if (periods.size() > DAYLIGHT_PERIODS_SHOWN) {
        std::snprintf(line, sizeof line, std::string(load_string(STR_HEADER_MORE_DAYLIGHT)).c_str(),
                      static_cast<int>(periods.size() - DAYLIGHT_PERIODS_SHOWN), last_year);
        report_add_line(line, document);
    }
}

}  // namespace

void report_header(const SkyContext& sky, ReportDocument& document, int first_year, int last_year) {
    const Location& location = sky.location;
    char line[256];
    std::string latitude = format_angle(location.latitude, true);
    std::string longitude = format_angle(location.longitude, true);
    std::snprintf(line, sizeof line, std::string(load_string(STR_HEADER_PLACE)).c_str(),
                  location.name.c_str(), latitude.c_str(), compass_letter(location.latitude_hemisphere),
                  longitude.c_str(), compass_letter(location.longitude_hemisphere));
    report_add_line(line, document);
    // The zone's standard offset as its year begins.
    const double standard_hours =
        standard_offset_hours(location, clock_day_start(location, 1, 1, first_year == 0 ? 2000 : first_year));
    std::string zone = format_fixed(std::fabs(standard_hours), 3, 2);
    std::snprintf(line, sizeof line, std::string(load_string(STR_HEADER_TIME)).c_str(),
                  standard_hours >= 0 ? '+' : '-', zone.c_str(), location.elevation);
    report_add_line(line, document);
    if (!location.zone.empty()) add_clock_lines(location, first_year, last_year, document);
    if (sky.engine->precise) report_add_line(load_string(STR_PRECISE_CALCULATIONS), document);
    report_add_line("", document);
}

void report_places_note(const SkyContext& sky, BodySet bodies, JulianDay first, JulianDay last,
                        ReportDocument& document) {
    if (!pluto_approximate(*sky.engine, bodies, first, last)) return;
    report_add_line(load_string(STR_PLACES_APPROXIMATE), document);
    report_add_line("", document);
}

std::string center_line(std::string_view title) {
    size_t pad = title.size() < static_cast<size_t>(REPORT_WIDTH) ? (REPORT_WIDTH - title.size()) / 2 : 0;
    return std::string(pad < 1 ? 1 : pad, ' ') + std::string(title);
}

double almanac_fraction(int segment, double fraction) {
    double lo = ALMANAC_BOUNDARY[segment];
    double hi = ALMANAC_BOUNDARY[segment + 1];
    return lo + (hi - lo) * fraction;
}

std::string progress_text(double fraction, double elapsed_ms, bool known) {
    std::string percent = format_fixed(fraction * 100.0, 3, 2);
    char minutes[24] = "   ";
    char seconds[24] = "  ";
    if (known) {
        double remaining_ms = elapsed_ms / fraction * (1.0 - fraction);
        long s = static_cast<long>(std::ceil(remaining_ms / 1000.0));
        std::snprintf(minutes, sizeof minutes, "%ld", s / 60);
        std::snprintf(seconds, sizeof seconds, "%02ld", s % 60);
    }
    char text[160];
    std::snprintf(text, sizeof text, std::string(load_string(STR_REPORT_PROGRESS)).c_str(), percent.c_str(),
                  minutes, seconds);
    return text;
}

void report_progress(int segment, bool in_almanac, double fraction) {
    if (in_almanac) fraction = almanac_fraction(segment, fraction);
    module.last_fraction = fraction;
    std::uint32_t now = tick_count_ms();
    if (fraction == 0.0) module.progress_start_ms = now;
    std::uint32_t start = module.progress_start_ms;
    // A wrapped 32-bit counter counts on from its top.
    double elapsed = now >= start ? double(now - start) : double(UINT32_MAX - start) + double(now);
    const ReportDisplay& display = module.display;
    if (display.progress && (!display.progress_due || display.progress_due()))
        display.progress(progress_text(fraction, elapsed, fraction > 0.0));
}

double report_progress_fraction() { return module.last_fraction; }

int report_work_step(double fraction, void* range) {
    const ProgressRange& r = *static_cast<const ProgressRange*>(range);
    report_progress(r.segment, r.in_almanac, r.base + r.span * fraction);
    return pump_messages(0);
}

double progress_fraction(int first, int last, int current) {
    if (last <= first) return 1.0;
    return double(current - first) / double(last - first);
}

double loop_fraction(int i, int i_first, int i_last, int j, int j_first, int j_last, int k,
                     int k_first, int k_last) {
    // Shift each index so that its first value is 1.
    double ii = i + 1 - i_first, ni = i_last + 1 - i_first;
    double jj = j + 1 - j_first, nj = j_last + 1 - j_first;
    double kk = k + 1 - k_first, nk = k_last + 1 - k_first;
    double steps = ni * nj * nk - 1;
    if (steps <= 0) return 1.0;  // a single step is the whole work
    return (((ii - 1) * nj + (jj - 1)) * nk + (kk - 1)) / steps;
}

int static_text_report(ReportDocument& document, int first_id, int last_id, int segment,
                       bool in_almanac) {
    report_add_line(center_line(load_string(first_id)), document);
    const char separator = decimal_separator(false);
    for (int id = first_id + 1; id <= last_id; ++id) {
        if (pump_messages(0)) return 1;
        report_progress(segment, in_almanac, progress_fraction(first_id + 1, last_id, id));
        std::string line(load_string(id));
        if (line == "!") continue;
        for (char& c : line)
            if (c == '#') c = separator;
        report_add_line(line, document);
    }
    report_end(document);
    return 0;
}
