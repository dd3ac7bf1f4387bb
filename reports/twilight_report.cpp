// The Twilight report.
#include "reports/twilight_report.h"

#include <cmath>
#include <cstdio>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "engine/classical/rising_setting.h"
#include "engine/classical/sun.h"
#include "format/format.h"
#include "platform/message_pump.h"
#include "reports/moon_reports.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int DAYS_PER_ROW = 7;
// Sidereal hours (of hour angle) to solar hours.
constexpr double SOLAR_PER_SIDEREAL = 0.9973;
constexpr double TWILIGHT_ZENITHS[3] = {ASTRONOMICAL_TWILIGHT_ZENITH, NAUTICAL_TWILIGHT_ZENITH,
                                        CIVIL_TWILIGHT_ZENITH};

// The row of the date whose 0 h UT Julian day is t.
void add_twilight_row(JulianDay t, double latitude, const SkyContext& sky,
                      ReportDocument& document) {
    const Location& location = sky.location;
    const SkyEngine& engine = *sky.engine;
    double day = 0.0;
    int month = 0;
    int year = 0;
    calendar_date(t, day, month, year);
    const int whole_day = static_cast<int>(day);

    double rise = NO_EVENT_HOURS;
    double set = NO_EVENT_HOURS;
    engine.rise_set(0, whole_day, month, year, rise, set, location);

    std::string begin_end[6];
    if (engine.twilight) {
        for (int i = 0; i < 3; ++i) {
            double morning = NO_EVENT_HOURS;
            double evening = NO_EVENT_HOURS;
            engine.twilight(TWILIGHT_ZENITHS[i] - 90.0, whole_day, month, year, location, morning, evening);
            begin_end[2 * i] = twilight_time_text(morning);
            begin_end[2 * i + 1] = twilight_time_text(evening);
        }
    } else {
        // The Sun's declination at noon UT, for the report's own rule.
        double ra, declination, longitude, distance, semidiameter, mean_anomaly;
        engine.sun_position(12.0, whole_day, month, year, 0, ra, declination, longitude, distance, semidiameter,
                            mean_anomaly);
        for (int i = 0; i < 3; ++i) {
            const double d = twilight_offset(latitude, declination, TWILIGHT_ZENITHS[i]);
            begin_end[2 * i] = twilight_time_text(rise - d);
            begin_end[2 * i + 1] = twilight_time_text(set + d);
        }
    }
    char line[128];
    std::snprintf(line, sizeof line, std::string(load_string(STR_TWILIGHT_ROW)).c_str(),
                  format_date(whole_day, month, year).c_str(), format_hours_minutes(rise).c_str(),
                  format_hours_minutes(set).c_str(), begin_end[0].c_str(), begin_end[1].c_str(),
                  begin_end[2].c_str(), begin_end[3].c_str(), begin_end[4].c_str(),
                  begin_end[5].c_str());
    report_add_line(line, document);
}

}  // namespace

double twilight_offset(double latitude, double declination, double zenith_distance) {
    const double horizon_hour_angle = acos_deg(-tan_deg(latitude) * tan_deg(declination));
    const double c = (cos_deg(zenith_distance) - sin_deg(declination) * sin_deg(latitude)) /
                     (cos_deg(declination) * cos_deg(latitude));
    if (std::fabs(c) > 1.0) return TWILIGHT_NEVER_HOURS;
    return (acos_deg(c) - horizon_hour_angle) / 15.0 * SOLAR_PER_SIDEREAL;
}

std::string twilight_time_text(double hours) {
    if (hours >= 0.0 && hours < 24.0) return format_hours_minutes(hours);
    return std::string(load_string(STR_NO_TWILIGHT));
}

int twilight_report(ReportDocument& document, int segment, bool in_almanac, int year,
                    int start_month, int stop_month, const SkyContext& sky) {
    const Location& location = sky.location;
    report_header(sky, document);
    add_month_range_title(STR_TWILIGHT_TITLE, year, start_month, stop_month, document);
    report_add_line("", document);
    report_add_line("", document);
    report_add_line(load_string(STR_TWILIGHT_HEADER), document);
    report_add_line(load_string(STR_TWILIGHT_HEADER + 1), document);
    report_add_line("", document);
    if (location.latitude > TWILIGHT_MAX_LATITUDE) {
        report_add_line(load_string(STR_TWILIGHT_REFUSED), document);
        report_progress(segment, in_almanac, 1.0);
        return 0;
    }

    const double latitude = signed_latitude(location);
    JulianDay first = 0.0;
    JulianDay last = 0.0;
    month_range_days(year, start_month, stop_month, first, last);
    const int days = static_cast<int>(last - first);
    for (int offset = 0; offset <= days; offset += DAYS_PER_ROW) {
        const int stopped = pump_messages(0);
        if (stopped) return stopped;
        report_progress(segment, in_almanac, progress_fraction(0, days, offset));
        add_twilight_row(first + offset, latitude, sky, document);
    }
    report_end(document);
    report_progress(segment, in_almanac, 1.0);
    return 0;
}
