#pragma once
// The Calendar report: for each month of a month range of one year a
// wall-calendar grid of weeks (Sunday first) whose 10-character day cells hold
// the day number, sunrise, sunset, moonrise and moonset, and, on the days they
// happen, the Moon's phase, an eclipse and an equinox or solstice, all in the
// location's standard time.
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/sky_context.h"
#include "reports/report_document.h"

constexpr int CALENDAR_GRID_CELLS = 42;  // six weeks of seven days
constexpr double CALENDAR_NO_DAY = -1.0; // a grid cell outside the month
constexpr int CALENDAR_ROWS = 8;         // lines per week: day, SR, SS, MR, MS, phase, eclipse, season

// The year's events the cells show, UT instants.
struct CalendarEvents {
    std::vector<PhaseEvent> phases;
    std::vector<EclipseCircumstances> eclipses;
    std::vector<SeasonEvent> seasons;  // the year's equinoxes and solstices
};

// Given a month (1-12) and a year; fills the grid with the Julian day of 0 h
// of each date of the month, Sunday of the first week at index 0 (the first
// of the month at its weekday), and CALENDAR_NO_DAY elsewhere.  Returns the
// number of weeks shown: the first, and each later one whose Sunday is a date.
int calendar_month_grid(int month, int year, JulianDay grid[CALENDAR_GRID_CELLS]);

// Appends to line the 10-character cell ("|" and nine characters) of row
// kind 1-8 for the date whose 0 h Julian day is cell_jd, in weekday column
// 0-6.  Rows 2 and 4 compute the Sun's and the Moon's rise and keep the same
// day's set in kept_set_hours[column] for rows 3 and 5 to print.  Events are
// matched to the cell by their local date (UT + location.time_zone); the
// seasons by day and month alone.
void calendar_cell(JulianDay cell_jd, int row, int column, const SkyContext& sky, const CalendarEvents& events,
                   double kept_set_hours[7], std::string& line);

// The report for months start_month .. stop_month (1-12, start <= stop) of
// year; each month ends with the end marker.  segment is the report's place
// in an Almanac (2); in_almanac: run as part of one.  Returns 1 when the user
// stopped it (the lines so far stay, without an end marker), else 0.
int calendar_report(ReportDocument& document, int segment, bool in_almanac, int year,
                    int start_month, int stop_month, const SkyContext& sky);
