// The Moon Apsides and Moon Nodes reports.
#include "reports/moon_reports.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/classical/moon.h"
#include "engine/classical/moon_events.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// Share of the progress taken by the daily distance scan.
constexpr double SCAN_SHARE = 0.26;
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
    report_header(sky, document);
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

    // Distances at 0 h UT of the days first - 1 .. last + 1: entry j is day first + j - 1.
    const int days = static_cast<int>(last - first) + 1;
    std::vector<double> distance_km(days + 2);
    for (int j = 0; j <= days + 1; ++j) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac, progress_fraction(0, days + 1, j) * SCAN_SHARE);
        distance_km[j] = engine.moon_distance_km(first - 1 + j);
    }

    // Every day but the last of the range is examined.
    const double zone_days = location.time_zone / 24.0;
    const int candidates = days - 1;
    for (int j = 1; j <= candidates; ++j) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac,
                        SCAN_SHARE + (1.0 - SCAN_SHARE) * j / candidates);
        const MoonApsisKind kind =
            moon_apsis_kind(distance_km[j - 1], distance_km[j], distance_km[j + 1]);
        if (kind == MOON_APSIS_NONE) continue;
        const JulianDay t_day = first + j - 1;
        double offset_hours = 0.0;
        double r_km = 0.0;
        engine.moon_apsis_refine(t_day, kind, offset_hours, r_km);
        const JulianDay local = t_day + (offset_hours + location.time_zone) / 24.0;
        const int local_month = local_date(local).month;
        if (first + zone_days <= local && local <= last + zone_days && local_month >= start_month &&
            local_month <= stop_month)
            add_apsis_line(local, kind, r_km, document);
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
    int k_first = 0;
    int k_last = 0;
    moon_node_k_range(year, k_first, k_last);
    const int count = std::abs(k_last - k_first) + 1;
    for (int k = k_first, n = 0; k <= k_last; ++k, ++n) {
        report_progress(segment, in_almanac, static_cast<double>(n) / count);
        for (MoonNode node : {ASCENDING_NODE, DESCENDING_NODE}) {
            const JulianDay local = engine.moon_node_instant(k, node, year) + location.time_zone / 24.0;
            if (first <= local && local < end) add_node_line(engine, local, node, document);
        }
    }
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
