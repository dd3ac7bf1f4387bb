#pragma once
// The local clock of a place: its offset from UT at an instant, daylight
// saving included, from the IANA time zone database that the system keeps
// (Debian's tzdata in /usr/share/zoneinfo, read through Howard Hinnant's
// date/tz library).  A Location without a zone name keeps its fixed offset
// time_zone (local standard time = UT + time_zone), and every function here
// then gives exactly what adding time_zone / 24 gives.
//
// Instants are UT Julian days (jd_ut); a clock reading is a Julian day
// number of the local date and time (jd_clock), as julian_day(day, month,
// year) makes it for the local 0 h.  The database is read the first time a
// zone is used (a few tens of milliseconds), never by places without one.
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/location.h"

// Local clock = UT + offset at the instant, hours; the fixed time_zone when the
// place has no zone (or names one the database does not hold: check_zone
// catches that where a zone enters the program).
double utc_offset_hours(const Location& location, JulianDay jd_ut);

// True when daylight saving (summer) time is in force at the instant: the
// clock differs from the zone's standard time.  Never for a fixed offset.
bool daylight_time(const Location& location, JulianDay jd_ut);

// The zone's standard offset (without daylight saving) at the instant, hours;
// the fixed time_zone without a zone.
double standard_offset_hours(const Location& location, JulianDay jd_ut);

// The clock reading of an instant.
JulianDay ut_to_clock(const Location& location, JulianDay jd_ut);

// The instant (UT) at which the place's clock reads jd_clock.  A reading the
// clock shows twice (the hour repeated when daylight saving ends) means the
// first; a reading it skips (the hour lost when daylight saving begins)
// moves forward by the skipped time, so 02:30 on a spring-forward night is
// the instant the clock reads 03:30.
JulianDay clock_to_ut(const Location& location, JulianDay jd_clock);
// The offset (hours) that clock_to_ut takes off a reading: jd_ut = jd_clock -
// reading_offset_hours / 24; the fixed time_zone without a zone.
double reading_offset_hours(const Location& location, JulianDay jd_clock);

// The instant (UT) at which the place's clock day (day, month, year) begins:
// a local calendar day runs from it to the next day's, 23 or 25 hours across
// a change of the clock.
JulianDay clock_day_start(const Location& location, int day, int month, int year);

// One clock day of a place, for the searches that run through a local day.
struct ClockDay {
    JulianDay start_ut = 0.0;         // its 0 h
    double start_offset_hours = 0.0;  // start_ut = julian_day(day, month, year) - start_offset_hours / 24
    double length_hours = 24.0;       // to the next day's 0 h: 23 or 25 across a change
};
// For a fixed offset: start_offset_hours is time_zone and length_hours 24.
ClockDay clock_day(const Location& location, int day, int month, int year);

// The clock reading, in hours from the day's 0 h, of the instant
// elapsed_hours after the day's start: the elapsed time corrected by the
// change of the clock since the start (so 7.5 for sunrise 6.5 hours after
// midnight on the morning the clocks go forward).
double clock_hour_of_day(const Location& location, const ClockDay& day, double elapsed_hours);

// A change of the clock at a place: the instant it happens and the offsets
// before and after, hours.
struct ClockChange {
    JulianDay jd_ut = 0.0;
    double hours_before = 0.0;
    double hours_after = 0.0;
};
// The changes of the clock in [first_ut, last_ut), in time order; none for a
// fixed offset.
std::vector<ClockChange> clock_changes(const Location& location, JulianDay first_ut, JulianDay last_ut);

enum class ZoneStatus {
    KNOWN,        // the database holds the zone
    UNKNOWN,      // no zone of that name
    NO_DATABASE,  // the system's zone database could not be read
};
// Whether a zone name (exact spelling, as "Europe/London") is in the database.
ZoneStatus check_zone(const std::string& name);

// The present instant from the system clock, UT.
JulianDay now_ut();

// Every zone name in the database, sorted (for completion); empty when it
// cannot be read.
std::vector<std::string> zone_names();
