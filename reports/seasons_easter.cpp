// The Seasons and Dates of Easter reports.
#include "reports/seasons_easter.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/clock.h"
#include "engine/calendar.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "reports/year_pipeline.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The string id's printf format filled with one text argument.
std::string format_with(int id, const std::string& argument) {
    char line[128];
    std::snprintf(line, sizeof line, std::string(load_string(id)).c_str(), argument.c_str());
    return line;
}

// The centred title line of a year-range report, then an empty line.
void add_title(int id, int start_year, int end_year, ReportDocument& document) {
    report_add_line(center_line(format_with(id, format_year_range(start_year, end_year))), document);
    report_add_line("", document);
}

// The four season instants of a year and the next March equinox, UT Julian days.
struct SeasonYear {
    JulianDay s[4];
    JulianDay next_march;
};

SeasonYear season_year(int year, const SkyEngine& engine) {
    // From January 1 to April 1 of the next year: March to December, then March.
    const std::vector<SeasonEvent> seasons = engine.seasons(julian_day(1, 1, year), julian_day(1, 4, year + 1));
    SeasonYear y;
    for (int k = 0; k < 4; ++k) y.s[k] = seasons[k].jd_ut;
    y.next_march = seasons[4].jd_ut;
    return y;
}

// The four lines of one year: each season instant in local time, and beside
// it the season that ends there with its length (the March equinox row shows
// the winter that began at the previous December solstice).
void add_season_year(const SeasonYear& y, const SkyContext& sky, ReportDocument& document) {
    const Location& location = sky.location;
    const JulianDay* s = y.s;
    const double length_days[4] = {y.next_march - s[3], s[1] - s[0], s[2] - s[1], s[3] - s[2]};
    for (int k = 0; k < 4; ++k) {
        double day = 0.0;
        int month = 0;
        int local_year = 0;
        calendar_date(ut_to_clock(location, s[k]), day, month, local_year);
        const double whole_day = std::trunc(day);
        const std::string date = format_date(static_cast<int>(whole_day), month, local_year);
        const std::string time = format_hours_minutes((day - whole_day) * 24.0);
        const std::string length = format_fixed(length_days[k], 6, 2);
        char line[128];
        std::snprintf(line, sizeof line, std::string(load_string(STR_SEASON_LINE)).c_str(),
                      season_abbreviation(k).c_str(), date.c_str(), time.c_str(),
                      std::string(load_string(STR_WINTER + k)).c_str(), length.c_str());
        report_add_line(line, document);
    }
    report_add_line("", document);
}

}  // namespace

int seasons_report(ReportDocument& document, int segment, bool in_almanac, int start_year,
                   int end_year, const SkyContext& sky) {
    report_header(sky, document, start_year, end_year);
    report_add_line("", document);
    add_title(STR_SEASONS_TITLE, start_year, end_year, document);
    report_progress(segment, in_almanac, 0.0);
    const SkyEngine& engine = *sky.engine;
    const int stopped = for_each_year(
        start_year, end_year, engine.precise, [&engine](int year) { return season_year(year, engine); },
        [&](int year, const SeasonYear& seasons) {
            if (const int stopped = pump_messages(0)) return stopped;
            report_progress(segment, in_almanac, progress_fraction(start_year, end_year, year));
            add_season_year(seasons, sky, document);
            return 0;
        });
    if (stopped) return stopped;
    report_end(document);
    return 0;
}

int easter_report(ReportDocument& document, int segment, bool in_almanac, int start_year,
                  int end_year) {
    add_title(STR_EASTER_TITLE, start_year, end_year, document);
    report_progress(segment, in_almanac, 0.0);
    for (int year = start_year; year <= end_year; ++year) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac, progress_fraction(start_year, end_year, year));
        int day = 0;
        int month = 0;
        easter_date(year, day, month);
        report_add_line(format_date(day, month, year), document);
    }
    report_end(document);
    return 0;
}
