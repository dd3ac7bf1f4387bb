// The Calendar report.
#include "reports/calendar_report.h"

#include <cmath>
#include <cstdio>

#include "engine/clock.h"
#include "engine/bodies.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr char EMPTY_CELL[] = "|         ";  // a day outside the month, or no event
constexpr int DAY_CELL_PADDING = 6;         // blanks after the day number

// The string id's printf format filled with the arguments, as a std::string.
template <typename... Args>
std::string format_text(int id, Args... arguments) {
    char text[2 * REPORT_RECORD_BYTES];
    std::snprintf(text, sizeof text, std::string(load_string(id)).c_str(), arguments...);
    return text;
}

// The whole-day calendar date of a cell.
struct CellDate {
    int day = 0;
    int month = 0;
    int year = 0;
};

// The index of the last of count UT instants (instant_of(i)) whose local
// calendar date is the cell's date (the year compared only when match_year),
// or -1 when none is; hours gets that instant's local time of day.
template <typename InstantOf>
int last_event_on(int count, InstantOf instant_of, const CellDate& date, bool match_year,
                  const Location& location, double& hours) {
    int found = -1;
    for (int i = 0; i < count; ++i) {
        double day = 0.0;
        int month = 0;
        int year = 0;
        calendar_date(ut_to_clock(location, instant_of(i)), day, month, year);
        const double whole_day = std::trunc(day);
        if (static_cast<int>(whole_day) == date.day && month == date.month &&
            (!match_year || year == date.year)) {
            found = i;
            hours = (day - whole_day) * 24.0;
        }
    }
    return found;
}

}  // namespace

int calendar_month_grid(int month, int year, JulianDay grid[CALENDAR_GRID_CELLS]) {
    const JulianDay first = julian_day(1, month, year);
    const int days = days_in_month(month, year);
    const int weekday = day_of_week(1, month, year);
    for (int i = 0; i < CALENDAR_GRID_CELLS; ++i) grid[i] = CALENDAR_NO_DAY;
    for (int i = 0; i < days; ++i) grid[weekday + i] = first + i;
    int weeks = 1;
    while (weeks < 6 && grid[7 * weeks] != CALENDAR_NO_DAY) ++weeks;
    return weeks;
}

void calendar_cell(JulianDay cell_jd, int row, int column, const SkyContext& sky, const CalendarEvents& events,
                   double kept_set_hours[7], std::string& line) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    CellDate date;
    double day = 0.0;
    calendar_date(cell_jd, day, date.month, date.year);
    date.day = static_cast<int>(day);

    const std::string abbreviation(row >= 2 && row <= 5 ? load_string(STR_SUNRISE_ABBREVIATION + row - 2) : "");
    double hours = 0.0;
    int found = -1;
    switch (row) {
    case 1:
        line = format_text(STR_DAY_CELL, line.c_str(), date.day, DAY_CELL_PADDING, "");
        return;
    case 2:
    case 4: {
        const RiseSet times = engine.rise_set(row == 2 ? id_of(Body::Sun) : id_of(Body::Moon),
                                              julian_day(date.day, date.month, date.year), location);
        kept_set_hours[column] = times.set;
        line = format_text(STR_EVENT_CELL, line.c_str(), abbreviation.c_str(),
                           format_hours_minutes(times.rise).c_str());
        return;
    }
    case 3:
    case 5:
        line = format_text(STR_EVENT_CELL, line.c_str(), abbreviation.c_str(),
                           format_hours_minutes(kept_set_hours[column]).c_str());
        return;
    case 6:
        found = last_event_on(
            static_cast<int>(events.phases.size()), [&](int i) { return events.phases[i].jd_ut; }, date, true,
            location, hours);
        if (found >= 0)
            line = format_text(STR_PHASE_CELL, line.c_str(),
                               phase_abbreviation(events.phases[found].phase).c_str(),
                               format_hours_minutes(hours).c_str());
        break;
    case 7:
        found = last_event_on(
            static_cast<int>(events.eclipses.size()), [&](int i) { return events.eclipses[i].jd_max; }, date, true,
            location, hours);
        if (found >= 0)
            line = format_text(
                STR_EVENT_CELL, line.c_str(),
                std::string(load_string(STR_SOLAR_ECLIPSE_ABBREVIATION + events.eclipses[found].kind)).c_str(),
                format_hours_minutes(hours).c_str());
        break;
    case 8:
        // Seasons are matched by day and month: the four instants are all of the report's year.
        found = last_event_on(
            static_cast<int>(events.seasons.size()), [&](int i) { return events.seasons[i].jd_ut; }, date, false,
            location, hours);
        if (found >= 0)
            line = format_text(STR_SEASON_CELL, line.c_str(),
                               season_abbreviation(events.seasons[found].season).c_str(),
                               format_hours_minutes(hours).c_str());
        break;
    }
    if (found < 0) line += EMPTY_CELL;
}

int calendar_report(ReportDocument& document, int segment, bool in_almanac, int year,
                    int start_month, int stop_month, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    report_header(sky, document, year, year);
    report_add_line(
        center_line(format_text(STR_CALENDAR_TITLE, format_month_range(start_month, stop_month, year).c_str())),
        document);
    report_add_line("", document);

    // The year's events, once: the phases of the local year are the first tenth of the progress.
    const JulianDay from_ut = clock_day_start(location, 1, 1, year);
    const JulianDay to_ut = clock_day_start(location, 1, 1, year + 1);
    ProgressRange range{segment, in_almanac, 0.0, 0.1};
    CalendarEvents events;
    const PhaseSearch phases = engine.moon_phases(from_ut, to_ut, report_work_step, &range);
    if (phases.stopped != 0 || work_signals().stop_requested) return 1;
    events.phases = phases.events;
    events.eclipses = engine.eclipses(from_ut, to_ut, nullptr, nullptr).events;
    events.seasons = engine.seasons(julian_day(1, 1, year), julian_day(1, 1, year + 1));

    const std::string grid_line(load_string(STR_GRID_LINE));
    double kept_set_hours[7] = {};
    for (int month = start_month; month <= stop_month; ++month) {
        JulianDay grid[CALENDAR_GRID_CELLS];
        const int weeks = calendar_month_grid(month, year, grid);
        report_add_line("", document);
        report_add_line(
            center_line(format_text(STR_MONTH_HEADING, month_name(month).c_str(), year)), document);
        report_add_line("", document);
        report_add_line(load_string(STR_WEEKDAYS), document);
        report_add_line(grid_line, document);
        for (int week = 1; week <= weeks; ++week) {
            for (int row = 1; row <= CALENDAR_ROWS; ++row) {
                const int stopped = pump_messages(0);
                if (stopped) return stopped;
                report_progress(segment, in_almanac,
                                0.1 + 0.9 * loop_fraction(month, start_month, stop_month, week, 1,
                                                          weeks, row, 1, CALENDAR_ROWS));
                std::string line;
                for (int column = 0; column < 7; ++column) {
                    const JulianDay cell_jd = grid[7 * (week - 1) + column];
                    if (cell_jd == CALENDAR_NO_DAY)
                        line += EMPTY_CELL;
                    else
                        calendar_cell(cell_jd, row, column, sky, events, kept_set_hours, line);
                }
                report_add_line(line + "|", document);
            }
            report_add_line(grid_line, document);
        }
        report_end(document);
    }
    return 0;
}
