// The Planet View Info, Planet Apsides and Planet Conj/Opp reports.
#include "reports/planet_reports.h"

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
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// A nudge (days, about 0.01 s) added to an event's local instant before its
// date and hour are read: an hourly instant carries rounding of a few
// microseconds and must not read as the end of the previous hour.
constexpr double HOUR_ROUNDING_GUARD_DAYS = 1e-7;

std::string text(int id) { return std::string(load_string(id)); }

// The title string filled with one text argument, centred.
std::string centred_title(int id, const std::string& argument) {
    char line[128];
    std::snprintf(line, sizeof line, text(id).c_str(), argument.c_str());
    return center_line(line);
}

// The local calendar date of a Julian day, the fraction of the day dropped.
std::string date_text(JulianDay jd) {
    double day = 0.0;
    int month = 0, year = 0;
    calendar_date(jd, day, month, year);
    return format_date(static_cast<int>(day), month, year);
}

// ---- Planet View Info ----

// One weekly row: rise and set on the local date, the place at 0 h UT.
std::string view_info_row(int body, JulianDay jd, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    double day_with_fraction = 0.0;
    int month = 0, year = 0;
    calendar_date(jd, day_with_fraction, month, year);
    const int day = static_cast<int>(day_with_fraction);
    const JulianDay midnight = julian_day(day, month, year);
    const RiseSet times = engine.rise_set(body, midnight, location);
    const PlanetPlace place = engine.planet_place(body, midnight, PLANET_WITH_EQUATORIAL);
    const std::string date = format_date(day, month, year);
    const std::string rise_text = format_hours_minutes(times.rise);
    const std::string set_text = format_hours_minutes(times.set);
    const std::string ra_text = format_angle(normalize_degrees(place.ra_hours * 15.0) / 15.0, false);
    const std::string dec_text = format_angle(place.dec, true);
    const std::string elongation_text = format_angle(place.elongation, true);
    const std::string illuminated_text = format_fixed(place.illuminated, 1, 3);
    const std::string distance_text = format_fixed(place.distance_au, 2, 5);
    char line[128];
    std::snprintf(line, sizeof line, text(STR_VIEW_INFO_LINE).c_str(), date.c_str(),
                  rise_text.c_str(), set_text.c_str(), ra_text.c_str(), dec_text.c_str(),
                  elongation_text.c_str(), illuminated_text.c_str(), distance_text.c_str());
    return line;
}

// ---- Planet Apsides ----

// The apsis lines of one planet and kind among its apsides, inside the local
// window [lo, hi]; last_printed is the local instant of the planet's last
// line (0 when none).
void add_apsis_lines(int body, ApsisKind kind, const std::vector<PlanetApsis>& apsides, JulianDay lo, JulianDay hi,
                     const SkyContext& sky, JulianDay& last_printed, ReportDocument& document) {
    for (const PlanetApsis& apsis : apsides) {
        if (apsis.kind != kind) continue;
        const JulianDay local = ut_to_clock(sky.location, apsis.jd_ut);
        if (local < lo || local > hi || local == last_printed) continue;
        last_printed = local;
        const double r = sky.engine->heliocentric_distance(body, apsis.jd_ut);
        const std::string date = date_text(local);
        const std::string distance = format_fixed(r, 2, 2);
        char line[128];
        std::snprintf(line, sizeof line, text(STR_PLANET_APSIS_LINE).c_str(), date.c_str(),
                      text(STR_PERIHELION + kind).c_str(), distance.c_str());
        report_add_line(line, document);
    }
}

// ---- Planet Conj/Opp ----

std::string event_name(int body, const Conjunction& event) {
    if (event.opposition) return text(STR_OPPOSITION);
    // Mercury and Venus pass the Sun on either side.
    if (body <= id_of(Body::Venus)) return text(event.superior ? STR_SUPERIOR : STR_INFERIOR);
    return text(STR_CONJUNCTION);
}

// An event's local date and whole hour (the place's clock).
struct LocalHour {
    int day = 0, month = 0, year = 0, hour = 0;
};

LocalHour local_hour(JulianDay jd_ut, const Location& location) {
    LocalHour local;
    double day = 0.0;
    calendar_date(ut_to_clock(location, jd_ut) + HOUR_ROUNDING_GUARD_DAYS, day, local.month, local.year);
    local.day = static_cast<int>(day);
    local.hour = static_cast<int>((day - local.day) * 24.0);
    return local;
}

std::string event_line(int body, const Conjunction& event, const LocalHour& local) {
    const std::string date = format_date(local.day, local.month, local.year);
    char hour[16];
    std::snprintf(hour, sizeof hour, "%2d", local.hour);
    const std::string suffix = event.disk == DISK_NONE ? "" : text(STR_TRANSIT + event.disk - 1);
    char line[128];
    std::snprintf(line, sizeof line, text(STR_EVENT_LINE).c_str(), date.c_str(), hour,
                  event_name(body, event).c_str(), suffix.c_str());
    return line;
}

// The conjunction search's progress: planet `index` of `count`, with the
// message pump between its steps.
struct SearchProgress {
    int segment = 0;
    bool in_almanac = false;
    int index = 0;
    int count = 1;
};

int search_step(double fraction, void* context) {
    const SearchProgress& p = *static_cast<const SearchProgress*>(context);
    report_progress(p.segment, p.in_almanac, (p.index + fraction) / p.count);
    return pump_messages(0);
}

}  // namespace

int view_info_report(ReportDocument& document, int segment, bool in_almanac, int year,
                     int start_month, int stop_month, BodySet planet_set, const SkyContext& sky) {
    report_header(sky, document, year, year);
    report_add_line(
        centred_title(STR_VIEW_INFO_TITLE, format_month_range(start_month, stop_month, year)),
        document);
    report_add_line("", document);
    report_progress(segment, in_almanac, 0.0);
    const JulianDay first = julian_day(1, start_month, year);
    const JulianDay last = julian_day(days_in_month(stop_month, year), stop_month, year);
    report_places_note(sky, planet_set, first, last, document);
    const int weeks = static_cast<int>(std::trunc(last - first)) / 7 + 1;
    for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body) {
        if (!planet_set.contains(body)) continue;
        report_add_line(center_line(body_name(body)), document);
        report_add_line("", document);
        report_add_line(text(STR_VIEW_INFO_HEADER), document);
        report_add_line("", document);
        for (int w = 1; w <= weeks; ++w) {
            const int stopped = pump_messages(0);
            if (stopped) return stopped;
            report_progress(segment, in_almanac,
                            loop_fraction(body, CONJUNCTION_FIRST_PLANET, CONJUNCTION_LAST_PLANET,
                                          w, 1, weeks, 1, 1, 1));
            report_add_line(view_info_row(body, first + 7.0 * (w - 1), sky), document);
        }
        report_end(document);
    }
    report_progress(segment, in_almanac, 1.0);
    return 0;
}

int apsides_report(ReportDocument& document, int segment, bool in_almanac, int first_year,
                   int last_year, BodySet planet_set, const SkyContext& sky) {
    const Location& location = sky.location;
    report_header(sky, document, first_year, last_year);
    report_add_line(centred_title(STR_PLANET_APSIDES_TITLE, format_year_range(first_year, last_year)),
                    document);
    report_add_line("", document);
    report_progress(segment, in_almanac, 0.0);
    const JulianDay lo = ut_to_clock(location, julian_day(1, 1, first_year));
    const JulianDay hi = ut_to_clock(location, julian_day(1, 1, last_year + 1));
    for (int body = APSIS_FIRST_BODY; body <= APSIS_LAST_BODY; ++body) {
        if (!planet_set.contains(body)) continue;
        report_add_line("", document);
        report_add_line(body_name(body), document);
        const int lines_before = document.line_count;
        if (const int stopped = pump_messages(0)) return stopped;
        report_progress(segment, in_almanac, double(body - APSIS_FIRST_BODY) / (APSIS_LAST_BODY - APSIS_FIRST_BODY + 1));
        // The search a day wider than the local window on each side.
        const double zone = utc_offset_hours(location, lo) / 24.0;
        const std::vector<PlanetApsis> apsides = sky.engine->planet_apsides(body, lo - zone - 1.0, hi - zone + 1.0);
        JulianDay last_printed = 0.0;
        for (ApsisKind kind : {APSIS_PERIHELION, APSIS_APHELION})
            add_apsis_lines(body, kind, apsides, lo, hi, sky, last_printed, document);
        if (document.line_count == lines_before) report_add_line(text(STR_NO_APSIS), document);
    }
    report_progress(segment, in_almanac, 1.0);
    report_end(document);
    return 0;
}

int conjunction_report(ReportDocument& document, int segment, bool in_almanac, int year,
                       int start_month, int stop_month, BodySet planet_set,
                       const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    report_header(sky, document, year, year);
    report_add_line(
        centred_title(STR_CONJUNCTION_TITLE, format_month_range(start_month, stop_month, year)),
        document);
    report_add_line("", document);
    report_places_note(sky, planet_set, julian_day(1, start_month, year),
                       julian_day(days_in_month(stop_month, year), stop_month, year), document);
    report_add_line("", document);

    // The local months as UT, a day wider on each side: an event is kept by its local date.
    const double zone = utc_offset_hours(location, julian_day(1, start_month, year)) / 24.0;
    const JulianDay from_ut = julian_day(1, start_month, year) - zone - 1.0;
    const JulianDay to_ut = julian_day(days_in_month(stop_month, year), stop_month, year) + 1.0 - zone + 1.0;
    SearchProgress progress{segment, in_almanac, 0, 0};
    for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body)
        progress.count += planet_set.contains(body);
    for (int body = CONJUNCTION_FIRST_PLANET; body <= CONJUNCTION_LAST_PLANET; ++body) {
        if (!planet_set.contains(body)) continue;
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_add_line("", document);
        report_add_line(body_name(body), document);
        report_add_line("", document);
        const ConjunctionSearch search = engine.conjunctions(body, from_ut, to_ut, search_step, &progress);
        ++progress.index;
        bool any_event = false;
        for (const bool opposition : {false, true}) {
            for (const Conjunction& event : search.events) {
                const LocalHour local = local_hour(event.jd_ut, location);
                if (event.opposition != opposition || local.year != year || local.month < start_month ||
                    local.month > stop_month)
                    continue;
                if (!any_event) {
                    report_add_line(text(STR_EVENT_HEADER), document);
                    report_add_line("", document);
                    any_event = true;
                }
                report_add_line(event_line(body, event, local), document);
            }
        }
        if (search.stopped) return search.stopped;
        if (!any_event) report_add_line(text(STR_NO_EVENT), document);
    }
    report_progress(segment, in_almanac, 1.0);
    report_end(document);
    return 0;
}
