// The Solar Eclipses and Lunar Eclipses reports.
#include "reports/eclipse_reports.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/eclipses.h"
#include "engine/rise_set.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The string id's printf format filled with one text argument.
std::string format_with(int id, const std::string& argument) {
    char line[128];
    std::snprintf(line, sizeof line, std::string(load_string(id)).c_str(), argument.c_str());
    return line;
}

// The local date and hours of a UT Julian day.
struct LocalInstant {
    int day = 0;
    int month = 0;
    int year = 0;
    double hours = 0.0;
};

LocalInstant local_instant(double jd, const Location& location) {
    LocalInstant local;
    double day = 0.0;
    calendar_date(jd + location.time_zone / 24.0, day, local.month, local.year);
    const double whole_day = std::trunc(day);
    local.day = static_cast<int>(whole_day);
    local.hours = (day - whole_day) * 24.0;
    return local;
}

// The date line, then the rise and set lines of the body on that local date.
void add_date_and_rise_set(int date_id, int body, int rise_id, int set_id,
                           const LocalInstant& local, const SkyContext& sky,
                           ReportDocument& document) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    report_add_line(format_with(date_id, format_date(local.day, local.month, local.year)), document);
    double rise = NO_EVENT_HOURS;
    double set = NO_EVENT_HOURS;
    engine.rise_set(body, local.day, local.month, local.year, rise, set, location);
    report_add_line(format_with(rise_id, format_hours_minutes(rise)), document);
    report_add_line(format_with(set_id, format_hours_minutes(set)), document);
}

void add_solar_eclipse(const EclipseCircumstances& eclipse, const SkyContext& sky,
                       ReportDocument& document) {
    const Location& location = sky.location;
    const LocalInstant local = local_instant(eclipse.jd_max, location);
    report_add_line("", document);
    add_date_and_rise_set(STR_SOLAR_DATE, id_of(Body::Sun), STR_SUN_RISE, STR_SUN_SET, local, sky, document);
    report_add_line(format_with(STR_SOLAR_MAXIMUM, format_hours_minutes(local.hours)), document);
    if (eclipse.solar_type == SOLAR_PARTIAL)
        report_add_line(format_with(STR_SOLAR_PARTIAL, format_fixed(eclipse.magnitude, 2, 2)),
                        document);
    else  // total, annular, annular-total: consecutive strings in that order
        report_add_line(load_string(STR_SOLAR_TOTAL + eclipse.solar_type), document);
    report_add_line(load_string(eclipse.gamma >= 0.0 ? STR_NORTHERN : STR_SOUTHERN), document);
    report_add_line("", document);
}

// A phase time h + offset hours, wrapped into 0-24 h (a partial phase that
// begins before midnight shows the evening time of the day before).
std::string phase_time(double hours, double offset) {
    return format_hours_minutes(normalize_degrees((hours + offset) * 15.0) / 15.0);
}

void add_lunar_eclipse(const EclipseCircumstances& eclipse, const SkyContext& sky,
                       ReportDocument& document) {
    const Location& location = sky.location;
    const LocalInstant local = local_instant(eclipse.jd_max, location);
    const double h = local.hours;
    const double p = eclipse.partial_semiduration_hours;
    const double t = eclipse.total_semiduration_hours;
    report_add_line("", document);
    add_date_and_rise_set(STR_LUNAR_DATE, id_of(Body::Moon), STR_MOON_RISE, STR_MOON_SET, local, sky, document);
    report_add_line(format_with(STR_LUNAR_MAGNITUDE, format_fixed(eclipse.magnitude, 2, 2)), document);
    report_add_line(format_with(STR_PARTIAL_BEGINS, phase_time(h, -p)), document);
    if (t > 0.0) report_add_line(format_with(STR_TOTAL_BEGINS, phase_time(h, -t)), document);
    report_add_line(format_with(STR_LUNAR_MAXIMUM, format_hours_minutes(h)), document);
    if (t > 0.0) report_add_line(format_with(STR_TOTAL_ENDS, phase_time(h, t)), document);
    report_add_line(format_with(STR_PARTIAL_ENDS, phase_time(h, p)), document);
    report_add_line("", document);
}

void add_solar_note(ReportDocument& document) {
    for (int id = STR_SOLAR_NOTE; load_string(id) != "!"; ++id)
        report_add_line(load_string(id), document);
}

}  // namespace

int eclipse_report(ReportDocument& document, int segment, bool in_almanac, int kind,
                   int first_year, int last_year, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const bool lunar = kind == LUNAR_ECLIPSE;
    report_header(sky, document);
    report_add_line(center_line(format_with(lunar ? STR_LUNAR_TITLE : STR_SOLAR_TITLE,
                                            format_year_range(first_year, last_year))),
                    document);
    report_add_line("", document);
    report_add_line("", document);
    // Each year takes an equal share of the progress, spent in its phase table.
    const double step = last_year > first_year ? 1.0 / (last_year - first_year + 1) : 1.0;
    double base = 0.0;
    PhaseTable table;
    EclipseList list;
    for (int year = first_year; year <= last_year; ++year) {
        int stopped = pump_messages(0);
        if (stopped) return stopped;
        ProgressRange range{segment, in_almanac, base, step};
        stopped = engine.build_phase_table(year, table, report_work_step, &range);
        if (stopped) return stopped;
        engine.find_year_eclipses(year, table, location, list);
        for (const EclipseCircumstances& eclipse : list.entries) {
            if (eclipse.kind != kind) continue;
            if (lunar)
                add_lunar_eclipse(eclipse, sky, document);
            else
                add_solar_eclipse(eclipse, sky, document);
        }
        base += step;
    }
    if (!lunar) add_solar_note(document);
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
