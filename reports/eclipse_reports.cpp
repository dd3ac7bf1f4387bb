// The Solar Eclipses and Lunar Eclipses reports.
#include "reports/eclipse_reports.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/bodies.h"
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
    calendar_date(ut_to_clock(location, jd), day, local.month, local.year);
    const double whole_day = std::trunc(day);
    local.day = static_cast<int>(whole_day);
    local.hours = (day - whole_day) * 24.0;
    return local;
}

// An eclipse of the report's kind with the rise and set of its body (the Sun
// or the Moon) on the local date of its maximum, local hours.
struct ReportedEclipse {
    EclipseCircumstances eclipse;
    double rise = NO_EVENT;
    double set = NO_EVENT;
};

// A year's eclipses of the report's kind; `stopped` non-zero when the user
// stopped the search.
struct YearEclipses {
    std::vector<ReportedEclipse> eclipses;
    int stopped = 0;
};

// The astronomy of one year: its eclipses (with the progress range when
// given) and the rise and set of each.
YearEclipses year_eclipses(int year, int kind, ProgressRange* range, const SkyContext& sky) {
    const SkyEngine& engine = *sky.engine;
    YearEclipses year_eclipses;
    // The eclipses of the local year.
    const EclipseSearch found = engine.eclipses(clock_day_start(sky.location, 1, 1, year),
                                                clock_day_start(sky.location, 1, 1, year + 1),
                                                range ? report_work_step : nullptr, range);
    if ((year_eclipses.stopped = found.stopped)) return year_eclipses;
    const int body = kind == LUNAR_ECLIPSE ? id_of(Body::Moon) : id_of(Body::Sun);
    for (const EclipseCircumstances& eclipse : found.events) {
        if (eclipse.kind != kind) continue;
        ReportedEclipse& e = year_eclipses.eclipses.emplace_back();
        e.eclipse = eclipse;
        const LocalInstant local = local_instant(eclipse.jd_max, sky.location);
        const RiseSet times = engine.rise_set(body, julian_day(local.day, local.month, local.year), sky.location);
        e.rise = times.rise;
        e.set = times.set;
    }
    return year_eclipses;
}

// The date line, then the rise and set lines of the body on that local date.
void add_date_and_rise_set(int date_id, int rise_id, int set_id, const LocalInstant& local,
                           const ReportedEclipse& e, ReportDocument& document) {
    report_add_line(format_with(date_id, format_date(local.day, local.month, local.year)), document);
    report_add_line(format_with(rise_id, format_hours_minutes(e.rise)), document);
    report_add_line(format_with(set_id, format_hours_minutes(e.set)), document);
}

void add_solar_eclipse(const ReportedEclipse& e, const SkyContext& sky, ReportDocument& document) {
    const EclipseCircumstances& eclipse = e.eclipse;
    const LocalInstant local = local_instant(eclipse.jd_max, sky.location);
    report_add_line("", document);
    add_date_and_rise_set(STR_SOLAR_DATE, STR_SUN_RISE, STR_SUN_SET, local, e, document);
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

void add_lunar_eclipse(const ReportedEclipse& e, const SkyContext& sky, ReportDocument& document) {
    const EclipseCircumstances& eclipse = e.eclipse;
    const LocalInstant local = local_instant(eclipse.jd_max, sky.location);
    const double h = local.hours;
    const double p = eclipse.partial_semiduration_hours;
    const double t = eclipse.total_semiduration_hours;
    report_add_line("", document);
    add_date_and_rise_set(STR_LUNAR_DATE, STR_MOON_RISE, STR_MOON_SET, local, e, document);
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
    const bool lunar = kind == LUNAR_ECLIPSE;
    report_header(sky, document, first_year, last_year);
    report_add_line(center_line(format_with(lunar ? STR_LUNAR_TITLE : STR_SOLAR_TITLE,
                                            format_year_range(first_year, last_year))),
                    document);
    report_add_line("", document);
    report_add_line("", document);
    // Each year takes an equal share of the progress, spent in its phase
    // table; when the years are worked out ahead, progress moves year by year.
    const double step = last_year > first_year ? 1.0 / (last_year - first_year + 1) : 1.0;
    const bool parallel = sky.engine->precise;
    double base = 0.0;
    const int stopped = for_each_year(
        first_year, last_year, parallel,
        [&](int year) {
            if (parallel) return year_eclipses(year, kind, nullptr, sky);
            ProgressRange range{segment, in_almanac, base, step};
            return year_eclipses(year, kind, &range, sky);
        },
        [&](int year, const YearEclipses& found) {
            if (found.stopped) return found.stopped;
            if (parallel) report_progress(segment, in_almanac, base);
            if (const int stopped = pump_messages(0)) return stopped;
            for (const ReportedEclipse& e : found.eclipses) {
                if (lunar)
                    add_lunar_eclipse(e, sky, document);
                else
                    add_solar_eclipse(e, sky, document);
            }
            base += step;
            return 0;
        });
    if (stopped) return stopped;
    if (!lunar) add_solar_note(document);
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
