// The local clock from the system's IANA zone database through Howard
// Hinnant's date/tz library (built to read /usr/share/zoneinfo).
#include "engine/clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <exception>

#include <date/tz.h>

namespace {

constexpr JulianDay UNIX_EPOCH_JD = 2440587.5;  // 1970 January 1, 0 h UT
constexpr double SECONDS_PER_DAY = 86400.0;
// Instants are clamped to the years 1..9999 before they reach the library.
constexpr JulianDay FIRST_JD = 1721423.5, LAST_JD = 5373484.5;

std::int64_t epoch_seconds(JulianDay jd) {
    return static_cast<std::int64_t>(std::floor((std::clamp(jd, FIRST_JD, LAST_JD) - UNIX_EPOCH_JD) * SECONDS_PER_DAY + 0.5));
}

JulianDay julian_day_of(std::int64_t seconds) { return UNIX_EPOCH_JD + static_cast<double>(seconds) / SECONDS_PER_DAY; }

double hours_of(std::chrono::seconds offset) { return static_cast<double>(offset.count()) / 3600.0; }

// The zone of a name, or nullptr when the database lacks it or cannot be
// read (the library throws; the exception stops here).  The last one found
// is kept: a run of conversions asks for the same zone.
const date::time_zone* zone_of(const std::string& name) {
    thread_local std::string kept_name;
    thread_local const date::time_zone* kept = nullptr;
    if (kept != nullptr && name == kept_name) return kept;
    try {
        kept = date::locate_zone(name);
        kept_name = name;
    } catch (const std::exception&) {
        kept = nullptr;
    }
    return kept;
}

// One stretch of a zone's clock with a single offset: [begin, end) in
// seconds since 1970 UT, the offset and the zone's standard offset, hours.
struct ClockPeriod {
    std::int64_t begin = 0, end = 0;
    double hours = 0.0, standard_hours = 0.0;
};

date::sys_info info_at(const date::time_zone* zone, std::int64_t seconds) {
    return zone->get_info(date::sys_seconds{std::chrono::seconds{seconds}});
}

// The standard offset beside a stretch: the database marks daylight saving
// with a flag, not an amount, and in some zones (Europe/Dublin) marks the
// winter clock, so the standard time is the lower of the stretch and a
// neighbour whose flag differs; a stretch with no such neighbour is standard
// time unless flagged.
double standard_hours_of(const date::time_zone* zone, const date::sys_info& info) {
    const bool flagged = info.save != std::chrono::minutes{0};
    double standard = hours_of(info.offset);
    bool partnered = false;
    for (const date::sys_seconds when : {info.begin - std::chrono::seconds{1}, info.end}) {
        const std::int64_t seconds = when.time_since_epoch().count();
        if (seconds < epoch_seconds(FIRST_JD) || seconds > epoch_seconds(LAST_JD)) continue;
        const date::sys_info next = info_at(zone, seconds);
        if ((next.save != std::chrono::minutes{0}) == flagged) continue;
        partnered = true;
        standard = std::min(standard, hours_of(next.offset));
    }
    return !partnered && flagged ? standard - 1.0 : standard;
}

// The stretch of the zone's clock holding an instant; the last one found is
// kept, so a year of events costs a lookup for each change of the clock.
ClockPeriod period_at(const date::time_zone* zone, std::int64_t seconds) {
    thread_local const date::time_zone* kept_zone = nullptr;
    thread_local ClockPeriod kept;
    if (zone == kept_zone && seconds >= kept.begin && seconds < kept.end) return kept;
    const date::sys_info info = info_at(zone, seconds);
    kept = {info.begin.time_since_epoch().count(), info.end.time_since_epoch().count(), hours_of(info.offset),
            standard_hours_of(zone, info)};
    kept_zone = zone;
    return kept;
}

// The place's zone, or nullptr for a fixed offset.
const date::time_zone* place_zone(const Location& location) {
    return location.zone.empty() ? nullptr : zone_of(location.zone);
}

}  // namespace

double utc_offset_hours(const Location& location, JulianDay jd_ut) {
    const date::time_zone* zone = place_zone(location);
    return zone == nullptr ? location.time_zone : period_at(zone, epoch_seconds(jd_ut)).hours;
}

bool daylight_time(const Location& location, JulianDay jd_ut) {
    const date::time_zone* zone = place_zone(location);
    if (zone == nullptr) return false;
    const ClockPeriod period = period_at(zone, epoch_seconds(jd_ut));
    return period.hours != period.standard_hours;
}

double standard_offset_hours(const Location& location, JulianDay jd_ut) {
    const date::time_zone* zone = place_zone(location);
    return zone == nullptr ? location.time_zone : period_at(zone, epoch_seconds(jd_ut)).standard_hours;
}

JulianDay ut_to_clock(const Location& location, JulianDay jd_ut) {
    return jd_ut + utc_offset_hours(location, jd_ut) / 24.0;
}

// The offset in force before any change at the reading: the first of a
// repeated hour, and for a skipped one the old offset, which lands past the
// change by the skipped time.
double reading_offset_hours(const Location& location, JulianDay jd_clock) {
    const date::time_zone* zone = place_zone(location);
    if (zone == nullptr) return location.time_zone;
    const date::local_info info = zone->get_info(date::local_seconds{std::chrono::seconds{epoch_seconds(jd_clock)}});
    return hours_of(info.first.offset);
}

JulianDay clock_to_ut(const Location& location, JulianDay jd_clock) {
    return jd_clock - reading_offset_hours(location, jd_clock) / 24.0;
}

JulianDay clock_day_start(const Location& location, int day, int month, int year) {
    return clock_to_ut(location, julian_day(day, month, year));
}

ClockDay clock_day(const Location& location, int day, int month, int year) {
    const JulianDay midnight = julian_day(day, month, year);
    ClockDay result;
    result.start_offset_hours = reading_offset_hours(location, midnight);
    result.start_ut = midnight - result.start_offset_hours / 24.0;
    if (!location.zone.empty()) result.length_hours = (clock_to_ut(location, midnight + 1.0) - result.start_ut) * 24.0;
    return result;
}

double clock_hour_of_day(const Location& location, const ClockDay& day, double elapsed_hours) {
    return elapsed_hours + (utc_offset_hours(location, day.start_ut + elapsed_hours / 24.0) - day.start_offset_hours);
}

std::vector<ClockChange> clock_changes(const Location& location, JulianDay first_ut, JulianDay last_ut) {
    std::vector<ClockChange> changes;
    const date::time_zone* zone = place_zone(location);
    if (zone == nullptr) return changes;
    const std::int64_t last = epoch_seconds(last_ut);
    ClockPeriod period = period_at(zone, epoch_seconds(first_ut));
    while (period.end < last) {
        const ClockPeriod next = period_at(zone, period.end);
        if (next.hours != period.hours) changes.push_back({julian_day_of(period.end), period.hours, next.hours});
        period = next;
    }
    return changes;
}

JulianDay now_ut() {
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    return julian_day_of(std::chrono::duration_cast<std::chrono::seconds>(since_epoch).count());
}

ZoneStatus check_zone(const std::string& name) {
    if (zone_of(name) != nullptr) return ZoneStatus::KNOWN;
    return zone_names().empty() ? ZoneStatus::NO_DATABASE : ZoneStatus::UNKNOWN;
}

std::vector<std::string> zone_names() {
    std::vector<std::string> names;
    try {
        for (const date::time_zone& zone : date::get_tzdb().zones) names.emplace_back(zone.name());
    } catch (const std::exception&) {
        names.clear();
    }
    std::sort(names.begin(), names.end());
    return names;
}
