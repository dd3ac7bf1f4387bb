// The Twilight report.
#include "reports/twilight_report.h"

#include <cmath>
#include <cstdio>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/local_sky.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "reports/moon_reports.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int DAYS_PER_ROW = 7;
// The Sun's centre below the geometric horizon: astronomical, nautical and civil twilight, degrees.
constexpr double TWILIGHT_DEPRESSIONS[3] = {18.0, 12.0, 6.0};

// A pair of columns as one text: what the Sun does all day when it never
// crosses the pair's altitude, else empty (the two times are shown).
std::string whole_day_text(SunDay day, int above_id, int below_id) {
    if (day == SunDay::ABOVE_ALL_DAY) return std::string(load_string(above_id));
    if (day == SunDay::BELOW_ALL_DAY) return std::string(load_string(below_id));
    return "";
}

// The row of the date whose 0 h UT Julian day is t.  The precise engine
// says what happens where a pair of columns has no times all day: "Sun up
// all day" or "Sun down all day" for sunrise and sunset, "No darkness" or
// "No twilight" for a twilight; such a row has the Sun's text from the
// twelfth column.
void add_twilight_row(JulianDay t, const SkyContext& sky,
                      ReportDocument& document) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    double day = 0.0;
    int month = 0;
    int year = 0;
    calendar_date(t, day, month, year);
    const int whole_day = static_cast<int>(day);

    const JulianDay date = julian_day(whole_day, month, year);
    const RiseSet sun = engine.rise_set(0, date, location);
    std::string begin_end[6];
    for (int i = 0; i < 3; ++i) {
        const Twilight limits = engine.twilight(TWILIGHT_DEPRESSIONS[i], date, location);
        begin_end[2 * i] = twilight_time_text(limits.morning);
        begin_end[2 * i + 1] = twilight_time_text(limits.evening);
    }
    const std::string date_text = format_date(whole_day, month, year);
    const std::string rise = format_hours_minutes(sun.rise), set = format_hours_minutes(sun.set);
    std::string whole[4];
    bool any_whole = false;
    if (engine.precise) {
        const SunCulminations culminations = sun_culminations(engine, whole_day, month, year, location);
        whole[0] = whole_day_text(sun_day(culminations, sun_rise_set_altitude(engine, date + 0.5)),
                                  STR_SUN_UP_ALL_DAY, STR_SUN_DOWN_ALL_DAY);
        for (int i = 0; i < 3; ++i)
            whole[i + 1] = whole_day_text(sun_day(culminations, -TWILIGHT_DEPRESSIONS[i]), STR_NO_DARKNESS,
                                          STR_NO_TWILIGHT_ALL_DAY);
        for (const std::string& w : whole) any_whole = any_whole || !w.empty();
    }
    char line[128];
    if (any_whole) {
        std::string pairs[4];
        pairs[0] = whole[0].empty() ? "  " + rise + "  " + set : whole[0];
        for (int i = 1; i < 4; ++i)
            pairs[i] = whole[i].empty() ? begin_end[2 * i - 2] + "  " + begin_end[2 * i - 1] : whole[i];
        std::snprintf(line, sizeof line, std::string(load_string(STR_TWILIGHT_POLAR_ROW)).c_str(),
                      date_text.c_str(), pairs[0].c_str(), pairs[1].c_str(), pairs[2].c_str(), pairs[3].c_str());
    } else {
        std::snprintf(line, sizeof line, std::string(load_string(STR_TWILIGHT_ROW)).c_str(), date_text.c_str(),
                      rise.c_str(), set.c_str(), begin_end[0].c_str(), begin_end[1].c_str(),
                      begin_end[2].c_str(), begin_end[3].c_str(), begin_end[4].c_str(), begin_end[5].c_str());
    }
    report_add_line(line, document);
}

}  // namespace

std::string twilight_time_text(double hours) {
    if (hours >= 0.0 && hours < 24.0) return format_hours_minutes(hours);
    return std::string(load_string(STR_NO_TWILIGHT));
}

int twilight_report(ReportDocument& document, int segment, bool in_almanac, int year,
                    int start_month, int stop_month, const SkyContext& sky) {
    const Location& location = sky.location;
    report_header(sky, document, year, year);
    add_month_range_title(STR_TWILIGHT_TITLE, year, start_month, stop_month, document);
    report_add_line("", document);
    report_add_line("", document);
    report_add_line(load_string(STR_TWILIGHT_HEADER), document);
    report_add_line(load_string(STR_TWILIGHT_HEADER + 1), document);
    report_add_line("", document);
    if (!sky.engine->precise && location.latitude > TWILIGHT_MAX_LATITUDE) {
        report_add_line(load_string(STR_TWILIGHT_REFUSED), document);
        report_progress(segment, in_almanac, 1.0);
        return 0;
    }

    JulianDay first = 0.0;
    JulianDay last = 0.0;
    month_range_days(year, start_month, stop_month, first, last);
    const int days = static_cast<int>(last - first);
    for (int offset = 0; offset <= days; offset += DAYS_PER_ROW) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac, progress_fraction(0, days, offset));
        add_twilight_row(first + offset, sky, document);
    }
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
