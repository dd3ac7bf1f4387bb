// The Greatest Elongations and Close Approaches reports.
#include "reports/close_event_reports.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/clock.h"
#include "engine/close_events.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "reports/year_pipeline.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The Sun's centre above this altitude (degrees): the upper limb over the
// horizon with the standard refraction, daylight.
constexpr double SUNRISE_ALTITUDE = -0.833;

std::string text(int id) { return std::string(load_string(id)); }

// The title string filled with one text argument, centred.
std::string centred_title(int id, const std::string& argument) {
    char line[128];
    std::snprintf(line, sizeof line, text(id).c_str(), argument.c_str());
    return center_line(line);
}

// An instant's date and time on the place's clock, rounded to the minute
// first, so that 23:59:40 reads as the next day's 0:00, never as "24:00".
struct LocalMinute {
    std::string date;
    std::string time;
};

LocalMinute local_minute(const Location& location, JulianDay jd_ut) {
    const JulianDay clock = ut_to_clock(location, jd_ut);
    // Minutes counted from the Julian day's midnight (its fraction runs from noon).
    const double minutes = std::round((clock + 0.5) * 1440.0);
    const double day_start = std::floor(minutes / 1440.0);
    double day = 0.0;
    int month = 0, year = 0;
    calendar_date(day_start - 0.5, day, month, year);
    return {format_date(static_cast<int>(std::lround(day)), month, year),
            format_hours_minutes((minutes - day_start * 1440.0) / 60.0)};
}

// The first instant (UT) of the place's clock day that opens the month.
JulianDay month_start(const Location& location, int month, int year) {
    if (month > 12) month = 1, ++year;
    return clock_day_start(location, 1, month, year);
}

// ---- Greatest Elongations ----

void add_elongation_line(const GreatestElongation& e, const Location& location, ReportDocument& document) {
    const LocalMinute local = local_minute(location, e.jd_ut);
    const std::string angle = format_fixed(e.elongation, 2, 1);
    char line[160];
    std::snprintf(line, sizeof line, text(STR_ELONGATION_LINE).c_str(), body_name(e.body).c_str(),
                  local.date.c_str(), local.time.c_str(), angle.c_str(),
                  text(e.evening ? STR_EVENING_SKY : STR_MORNING_SKY).c_str());
    report_add_line(line, document);
}

// ---- Close Approaches ----

// "Mercury, Venus and Mars": the planets of the set, Mercury to Neptune.
std::string planet_list(BodySet planets) {
    std::vector<std::string> names;
    for (int body = id_of(Body::Mercury); body <= id_of(Body::Neptune); ++body)
        if (planets.contains(body)) names.push_back(body_name(body));
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return list;
}

void add_approach_line(const CloseApproach& c, const Location& location, ReportDocument& document) {
    const LocalMinute local = local_minute(location, c.jd_ut);
    const std::string separation = format_fixed(c.separation, 2, 1);
    const std::string elongation = format_fixed(c.elongation, 3, 0);
    char line[160];
    std::snprintf(line, sizeof line, text(STR_CLOSE_APPROACH_LINE).c_str(), local.date.c_str(), local.time.c_str(),
                  body_name(c.first).c_str(), separation.c_str(), text(c.first_north ? STR_NORTH_OF : STR_SOUTH_OF).c_str(),
                  body_name(c.second).c_str(), elongation.c_str());
    report_add_line(line, document);
}

// One contact's line: its date and time, the Moon's altitude and whether the Sun is up.
void add_contact_line(int format, JulianDay jd_ut, double moon_altitude, double sun_altitude,
                      const Location& location, ReportDocument& document) {
    const LocalMinute local = local_minute(location, jd_ut);
    char altitude[32];
    std::snprintf(altitude, sizeof altitude, text(STR_ALTITUDE_HIGH).c_str(), format_fixed(moon_altitude, 0, 0).c_str());
    char line[160];
    std::snprintf(line, sizeof line, text(format).c_str(), local.date.c_str(), local.time.c_str(),
                  moon_altitude > 0.0 ? altitude : text(STR_BELOW_HORIZON).c_str(),
                  sun_altitude > SUNRISE_ALTITUDE ? text(STR_SUN_UP).c_str() : "");
    report_add_line(line, document);
}

// The lines under a Moon-planet conjunction when the Moon hides the planet
// as seen from the place.
void add_occultation_lines(const LunarOccultation& o, const Location& location, ReportDocument& document) {
    char line[160];
    std::snprintf(line, sizeof line, text(occultation_seen(o) ? STR_OCCULTATION_SEEN : STR_OCCULTATION_NOT_SEEN).c_str(),
                  body_name(o.body).c_str());
    report_add_line(line, document);
    if (!occultation_seen(o)) return;
    add_contact_line(STR_DISAPPEARS, o.disappearance_ut, o.moon_altitude_disappearance, o.sun_altitude_disappearance,
                     location, document);
    add_contact_line(STR_REAPPEARS, o.reappearance_ut, o.moon_altitude_reappearance, o.sun_altitude_reappearance,
                     location, document);
}

}  // namespace

int elongations_report(ReportDocument& document, int segment, bool in_almanac, int start_year, int end_year,
                       const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    report_header(sky, document, start_year, end_year);
    report_add_line("", document);
    report_add_line(centred_title(STR_ELONGATIONS_TITLE, format_year_range(start_year, end_year)), document);
    report_add_line("", document);
    report_add_line(text(STR_ELONGATIONS_HEADER), document);
    report_add_line("", document);
    report_progress(segment, in_almanac, 0.0);
    bool any = false;
    const int stopped = for_each_year(
        start_year, end_year, engine.precise,
        [&](int year) {
            return greatest_elongations(engine, clock_day_start(location, 1, 1, year),
                                        clock_day_start(location, 1, 1, year + 1));
        },
        [&](int year, const std::vector<GreatestElongation>& events) {
            if (const int stopped = pump_messages(0)) return stopped;
            report_progress(segment, in_almanac, progress_fraction(start_year, end_year + 1, year + 1));
            for (const GreatestElongation& e : events) add_elongation_line(e, location, document);
            any = any || !events.empty();
            return 0;
        });
    if (stopped) return stopped;
    if (!any) report_add_line(text(STR_NO_ELONGATION), document);
    report_end(document);
    return 0;
}

int close_approaches_report(ReportDocument& document, int segment, bool in_almanac, int year, int start_month,
                            int stop_month, BodySet planet_set, const SkyContext& sky) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    const BodySet planets = planet_set & CLOSE_APPROACH_ALL_PLANETS;
    report_header(sky, document, year, year);
    report_add_line("", document);
    report_add_line(centred_title(STR_CLOSE_APPROACHES_TITLE, format_month_range(start_month, stop_month, year)),
                    document);
    if (!planets.empty()) report_add_line(centred_title(STR_CLOSE_APPROACHES_BODIES, planet_list(planets)), document);
    report_add_line("", document);
    report_add_line(text(STR_CLOSE_APPROACHES_HEADER), document);
    report_add_line("", document);
    report_progress(segment, in_almanac, 0.0);
    bool any = false;
    // Month by month, so that a long range shows its progress and can be stopped.
    for (int month = start_month; month <= stop_month; ++month) {
        if (const int stopped = pump_messages(0)) return stopped;
        report_progress(segment, in_almanac, progress_fraction(start_month, stop_month + 1, month));
        const std::vector<CloseApproach> events = close_approaches(
            engine, planets, true, month_start(location, month, year), month_start(location, month + 1, year));
        for (const CloseApproach& c : events) {
            add_approach_line(c, location, document);
            any = true;
            if (c.first != id_of(Body::Moon) || c.separation > LARGEST_OCCULTATION_SEPARATION) continue;
            const LunarOccultation o = lunar_occultation(engine, location, c.second, c.jd_ut);
            if (o.occulted) add_occultation_lines(o, location, document);
        }
    }
    if (!any) report_add_line(text(STR_NO_CLOSE_APPROACH), document);
    report_progress(segment, in_almanac, 1.0);
    report_end(document);
    return 0;
}
