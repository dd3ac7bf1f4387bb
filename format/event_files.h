#pragma once
// Dated events written for other programs: CSV (RFC 4180), JSON (RFC 8259)
// and iCalendar (RFC 5545), all UTF-8.  Every instant is given to the
// second in UT and on the place's clock; calendar dates are proleptic
// Gregorian, as ISO 8601 and iCalendar count them, in every year.
#include <string>
#include <vector>

#include "engine/calendar.h"

struct CalendarEvent {
    JulianDay jd_ut = 0.0;
    double utc_offset_hours = 0.0;    // the place's clock minus UT at the instant, daylight saving included
    std::string kind;                 // the kind's command-line name: "phases", "seasons", ...
    std::vector<std::string> bodies;  // English names, "Moon", "Jupiter"; none for a meteor shower
    std::string summary;              // UTF-8: "Full Moon", "Mars at opposition"
};

// "2026-03-20T14:46:02Z": the instant rounded to the second.
std::string iso_utc_text(JulianDay jd_ut);
// "2026-03-20T15:46:02+01:00": the same second on the clock of the offset
// (rounded to the minute, as ISO 8601 writes offsets).
std::string iso_local_text(JulianDay jd_ut, double utc_offset_hours);

// A header row "utc,local,kind,bodies,summary" and one row per event (the
// bodies joined by ";"); a field holding a comma, a quote or a line end is
// quoted, its quotes doubled.  Lines end in CRLF, as RFC 4180 has them.
std::string events_csv(const std::vector<CalendarEvent>& events);

// An array of objects {"utc", "local", "kind", "bodies": [...], "summary"}.
std::string events_json(const std::vector<CalendarEvent>& events);

// One VCALENDAR of one VEVENT per event: DTSTART in UT, a SUMMARY, the kind
// as CATEGORIES, the local time and the place (place_name, UTF-8) in the
// DESCRIPTION, and a UID made of the kind, the bodies and the UT minute, so
// that the same event has the same UID on every run and calendars update it
// rather than adding it twice.  dtstamp_ut is the instant the file is made.
// Lines end in CRLF and are folded at 75 octets between UTF-8 characters.
std::string events_icalendar(const std::vector<CalendarEvent>& events, const std::string& place_name,
                             JulianDay dtstamp_ut);

// RFC 5545 content lines: text with "\", ";", "," and line ends escaped
// (3.3.11), and a line folded into lines of at most 75 octets, each
// continuation starting with one space, never inside a UTF-8 character (3.1).
std::string icalendar_text(const std::string& text);
std::string icalendar_folded(const std::string& line);
