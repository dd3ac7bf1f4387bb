// The Moon Apsides and Moon Nodes reports.
#include "reports/moon_reports.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/clock.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The Moon's apparent diameter in degrees is this over its distance in km
// (a diameter of about 3476 km seen from 1 km, in degrees).
constexpr double MOON_DIAMETER_DEGREE_KM = 199157.11111111112;

std::string text(int id) { return std::string(load_string(id)); }

// A local instant split into the date and the fraction of the day, hours.
struct LocalDate {
    int day = 0, month = 0, year = 0;
    double hours = 0.0;
};

LocalDate local_date(JulianDay jd) {
    LocalDate local;
    double day = 0.0;
    calendar_date(jd, day, local.month, local.year);
    const double whole_day = std::trunc(day);
    local.day = static_cast<int>(whole_day);
    local.hours = (day - whole_day) * 24.0;
    return local;
}

// The line of one refined apsis at its local instant (UT + zone).
void add_apsis_line(JulianDay local, MoonApsisKind kind, double distance_km,
                    ReportDocument& document) {
    const LocalDate at = local_date(local);
    char line[128];
    std::snprintf(line, sizeof line, text(STR_MOON_APSIS_LINE).c_str(),
                  format_date(at.day, at.month, at.year).c_str(), round_to_int(at.hours),
                  text(STR_APOGEE + kind).c_str(), static_cast<long>(distance_km),
                  format_fixed(MOON_DIAMETER_DEGREE_KM / distance_km, 1, 4).c_str());
    report_add_line(line, document);
}

// The line of one node passage at its local instant; the Moon's illuminated
// fraction is taken at the local date and hour read as if they were UT.
void add_node_line(const SkyEngine& engine, JulianDay local, MoonNode node, ReportDocument& document) {
    const LocalDate at = local_date(local);
    const double illuminated = engine.moon_place(local).illuminated;
    char line[128];
    std::snprintf(line, sizeof line, text(STR_NODE_LINE).c_str(),
                  format_date(at.day, at.month, at.year).c_str(),
                  format_hours_minutes(at.hours).c_str(), text(STR_ASCENDING + node).c_str(),
                  format_fixed(illuminated, 1, 2).c_str());
    report_add_line(line, document);
}

// Header, centred title, an empty line, the column header and an empty line.
void add_report_top(int title_id, int header_id, int year, int start_month, int stop_month,
                    const SkyContext& sky, ReportDocument& document) {
    report_header(sky, document, year, year);
    add_month_range_title(title_id, year, start_month, stop_month, document);
    report_add_line("", document);
    report_add_line(load_string(header_id), document);
    report_add_line("", document);
}

}  // namespace

void month_range_days(int year, int start_month, int stop_month, JulianDay& first,
                      JulianDay& last) {
    first = julian_day(1, start_month, year);
    last = stop_month == 12 ? julian_day(1, 1, year + 1) - 1.0
                            : julian_day(1, stop_month + 1, year) - 1.0;
}

void add_month_range_title(int title_id, int year, int start_month, int stop_month,
                           ReportDocument& document) {
    char title[128];
    std::snprintf(title, sizeof title, text(title_id).c_str(),
                  format_month_range(start_month, stop_month, year).c_str());
    report_add_line(center_line(title), document);
}

int moon_apsides_report(ReportDocument& document, int segment, bool in_almanac, int year,
                        int start_month, int stop_month, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    add_report_top(STR_MOON_APSIDES_TITLE, STR_MOON_APSIDES_HEADER, year, start_month, stop_month,
                   sky, document);
    JulianDay first = 0.0;
    JulianDay last = 0.0;
    month_range_days(year, start_month, stop_month, first, last);

    // The apsides found from the days of the range but its last (their 0 h UT), kept by their local instant.
    ProgressRange range{segment, in_almanac, 0.0, 1.0};
    const MoonApsisSearch found = engine.moon_apsides(first, last, report_work_step, &range);
    if (found.stopped) return found.stopped;
    for (const MoonApsis& apsis : found.events) {
        const JulianDay local = ut_to_clock(location, apsis.jd_ut);
        const int local_month = local_date(local).month;
        if (ut_to_clock(location, first) <= local && local <= ut_to_clock(location, last) && local_month >= start_month &&
            local_month <= stop_month)
            add_apsis_line(local, apsis.kind, apsis.distance_km, document);
    }
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}

int moon_nodes_report(ReportDocument& document, int segment, bool in_almanac, int year,
                      int start_month, int stop_month, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    add_report_top(STR_NODES_TITLE, STR_NODES_HEADER, year, start_month, stop_month, sky,
                   document);
    JulianDay first = 0.0;
    JulianDay last = 0.0;
    month_range_days(year, start_month, stop_month, first, last);

    // The classical rule ends the range at 0 h of its last day; the precise
    // engine keeps that day's passages too.
    const JulianDay end = engine.precise ? last + 1.0 : std::nextafter(last, last + 1.0);
    // The search a day wider than the local range on each side.
    const double zone = utc_offset_hours(location, first) / 24.0;
    report_progress(segment, in_almanac, 0.0);
    for (const NodePassage& passage : engine.moon_nodes(first - zone - 1.0, end - zone + 1.0)) {
        const JulianDay local = ut_to_clock(location, passage.jd_ut);
        if (first <= local && local < end) add_node_line(engine, local, passage.node, document);
    }
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
