// The Solar Eclipses and Lunar Eclipses reports.
#include "reports/eclipse_reports.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/clock.h"
#include "engine/angles.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/local_eclipses.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "reports/year_pipeline.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

// The string id's printf format filled with text arguments.
template <class... Texts>
std::string format_with(int id, const Texts&... arguments) {
    char line[128];
    std::snprintf(line, sizeof line, std::string(load_string(id)).c_str(), std::string(arguments).c_str()...);
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

// The Moon at the lunar eclipse's phases (beginning of the partial phase,
// of the total phase, maximum, end of the total and of the partial phase),
// and its risings and settings between the first and the last, seen from the
// place.
struct LocalLunarEclipse {
    std::vector<JulianDay> phases;  // UT, in time order: 3 without a total phase, else 5
    std::vector<MoonSight> moon;    // at each phase
    std::vector<HorizonCrossing> crossings;
};

// An eclipse of the report's kind with the rise and set of its body (the Sun
// or the Moon) on the local date of its maximum, local hours; with the
// precise engine, what the place sees of it.
struct ReportedEclipse {
    EclipseCircumstances eclipse;
    double rise = NO_EVENT;
    double set = NO_EVENT;
    LocalSolarEclipse solar_here;
    LocalLunarEclipse lunar_here;
};

LocalLunarEclipse local_lunar_eclipse(const EclipseCircumstances& eclipse, const SkyContext& sky) {
    LocalLunarEclipse here;
    const double p = eclipse.partial_semiduration_hours / 24.0, t = eclipse.total_semiduration_hours / 24.0;
    here.phases = t > 0.0 ? std::vector<JulianDay>{eclipse.jd_max - p, eclipse.jd_max - t, eclipse.jd_max,
                                                   eclipse.jd_max + t, eclipse.jd_max + p}
                          : std::vector<JulianDay>{eclipse.jd_max - p, eclipse.jd_max, eclipse.jd_max + p};
    for (JulianDay phase : here.phases) here.moon.push_back(moon_sight(*sky.engine, sky.location, phase));
    here.crossings = moon_horizon_crossings(*sky.engine, sky.location, here.phases.front(), here.phases.back());
    return here;
}

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
        if (!engine.precise) continue;
        if (kind == LUNAR_ECLIPSE)
            e.lunar_here = local_lunar_eclipse(eclipse, sky);
        else
            e.solar_here = local_solar_eclipse(engine, sky.location, eclipse.jd_max);
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

constexpr char DEGREE_SIGN = '\xB0';

// Whole degrees of a body's altitude, never below 0 while the body counts as up.
std::string altitude_text(double altitude) {
    return std::to_string(std::max(0L, std::lround(altitude))) + DEGREE_SIGN;
}

// The local clock time of an instant, H:MM.
std::string clock_time(JulianDay jd_ut, const Location& location) {
    return format_hours_minutes(local_instant(jd_ut, location).hours);
}

// "19:13, Sun 10° high" or "..., Sun below the horizon".
std::string solar_moment(const SolarMoment& m, const Location& location) {
    const std::string time = clock_time(m.jd_ut, location);
    return m.sun_up ? format_with(STR_TIME_SUN_HIGH, time, altitude_text(m.sun_altitude))
                    : format_with(STR_TIME_SUN_DOWN, time);
}

// A duration as minutes and seconds.
std::string minutes_seconds(double days) {
    const long seconds = std::lround(days * 86400.0);
    char text[32];
    std::snprintf(text, sizeof text, std::string(load_string(STR_DURATION_MINUTES)).c_str(),
                  static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
    return text;
}

// What the place sees of a solar eclipse, its lines in time order.
void add_solar_eclipse_here(const LocalSolarEclipse& here, const Location& location, ReportDocument& document) {
    if (here.view != SOLAR_SEEN) {
        report_add_line(load_string(here.view == SOLAR_SUN_DOWN ? STR_NOT_VISIBLE_SUN_DOWN : STR_NOT_VISIBLE_HERE),
                        document);
        return;
    }
    report_add_line(format_with(STR_SEEN_FROM, location.name), document);
    // Each line with its instant, sorted at the end.
    std::vector<std::pair<JulianDay, std::string>> lines;
    lines.push_back({here.begins.jd_ut, format_with(STR_LOCAL_PARTIAL_BEGINS, solar_moment(here.begins, location))});
    if (here.sunrise != 0.0)
        lines.push_back({here.sunrise, format_with(STR_SUN_RISES_ECLIPSED, clock_time(here.sunrise, location))});
    const int annular = here.total ? 0 : 1;
    if (here.central)
        lines.push_back({here.central_begins.jd_ut, format_with(STR_LOCAL_TOTAL_BEGINS + annular,
                                                                solar_moment(here.central_begins, location))});
    const std::string seen_maximum =
        !here.seen_at_horizon ? solar_moment(here.seen_maximum, location)
        : format_with(here.seen_maximum.jd_ut == here.sunrise ? STR_TIME_AT_SUNRISE : STR_TIME_AT_SUNRISE + 1,
                      clock_time(here.seen_maximum.jd_ut, location));
    lines.push_back({here.seen_maximum.jd_ut, format_with(STR_LOCAL_MAXIMUM, seen_maximum)});
    if (here.central)
        lines.push_back({here.central_ends.jd_ut, format_with(STR_LOCAL_TOTAL_ENDS + annular,
                                                              solar_moment(here.central_ends, location))});
    if (here.sunset != 0.0)
        lines.push_back({here.sunset, format_with(STR_SUN_SETS_ECLIPSED, clock_time(here.sunset, location))});
    lines.push_back({here.ends.jd_ut, format_with(STR_LOCAL_PARTIAL_ENDS, solar_moment(here.ends, location))});
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& line : lines) report_add_line(line.second, document);
    if (here.central)
        report_add_line(format_with(STR_TOTALITY_LASTS + annular,
                                    minutes_seconds(here.central_ends.jd_ut - here.central_begins.jd_ut)),
                        document);
    // Outside the path of a central eclipse the values stop at 0.99 and 99 %,
    // so that a partial eclipse never reads as magnitude 1.00 or 100 %.
    auto shown = [&](double value) { return here.central ? value : std::min(value, 0.99); };
    report_add_line(format_with(STR_LOCAL_MAGNITUDE, format_fixed(shown(here.magnitude), 1, 2),
                                std::to_string(std::lround(shown(here.obscuration) * 100.0))),
                    document);
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
    if (sky.engine->precise) add_solar_eclipse_here(e.solar_here, sky.location, document);
    report_add_line("", document);
}

// A phase time h + offset hours, wrapped into 0-24 h (a partial phase that
// begins before midnight shows the evening time of the day before).
std::string phase_time(double hours, double offset) {
    return format_hours_minutes(normalize_degrees((hours + offset) * 15.0) / 15.0);
}

// Whether the Moon is up at each phase the report prints, and its risings
// and settings during the eclipse.
void add_lunar_eclipse_here(const LocalLunarEclipse& here, const Location& location, ReportDocument& document) {
    bool up = !here.crossings.empty();
    for (const MoonSight& m : here.moon) up = up || m.up;
    if (!up) {
        report_add_line(load_string(STR_NOT_VISIBLE_MOON_DOWN), document);
        return;
    }
    report_add_line(format_with(STR_SEEN_FROM, location.name), document);
    const bool total = here.phases.size() == 5;
    const std::vector<int> labels = total ? std::vector<int>{STR_PARTIAL_BEGINS, STR_TOTAL_BEGINS, STR_LUNAR_MAXIMUM,
                                                             STR_TOTAL_ENDS, STR_PARTIAL_ENDS}
                                          : std::vector<int>{STR_PARTIAL_BEGINS, STR_LUNAR_MAXIMUM, STR_PARTIAL_ENDS};
    for (std::size_t i = 0; i < here.moon.size(); ++i) {
        const MoonSight& m = here.moon[i];
        report_add_line(format_with(labels[i], m.up ? format_with(STR_MOON_HIGH, altitude_text(m.altitude))
                                                    : std::string(load_string(STR_MOON_DOWN))),
                        document);
    }
    for (const HorizonCrossing& c : here.crossings)
        report_add_line(format_with(c.rising ? STR_MOON_RISES_ECLIPSED : STR_MOON_RISES_ECLIPSED + 1,
                                    clock_time(c.jd_ut, location)),
                        document);
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
    if (sky.engine->precise) add_lunar_eclipse_here(e.lunar_here, sky.location, document);
    report_add_line("", document);
}

void add_solar_note(const SkyContext& sky, ReportDocument& document) {
    for (int id = STR_SOLAR_NOTE; load_string(id) != "!"; ++id)
        report_add_line(load_string(id), document);
    if (sky.engine->precise) report_add_line(load_string(STR_SEEN_FROM_NOTE), document);
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
    if (!lunar) add_solar_note(sky, document);
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
