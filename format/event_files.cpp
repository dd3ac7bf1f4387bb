// CSV, JSON and iCalendar files of dated events.
#include "format/event_files.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>

namespace {

constexpr long long SECONDS_PER_DAY = 86400;
constexpr std::size_t ICALENDAR_LINE_OCTETS = 75;  // RFC 5545 3.1, line end excluded

// A second of time: the civil day's number (the Julian day number of its
// noon) and the seconds since its 0 h.
struct CivilSecond {
    long long day_number = 0;
    long long second_of_day = 0;
};

CivilSecond civil_second(JulianDay jd, long long offset_seconds) {
    const long long total = std::llround((jd + 0.5) * SECONDS_PER_DAY) + offset_seconds;
    long long day = total / SECONDS_PER_DAY;
    if (total % SECONDS_PER_DAY < 0) --day;
    return {day, total - day * SECONDS_PER_DAY};
}

struct Stamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The proleptic Gregorian date of a Julian day number (Richards' algorithm,
// Explanatory Supplement to the Astronomical Almanac, 3rd ed., 15.11.3).
Stamp stamp_of(const CivilSecond& s) {
    const long long a = s.day_number + 32044;
    const long long b = (4 * a + 3) / 146097;
    const long long c = a - 146097 * b / 4;
    const long long d = (4 * c + 3) / 1461;
    const long long e = c - 1461 * d / 4;
    const long long m = (5 * e + 2) / 153;
    Stamp t;
    t.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    t.month = static_cast<int>(m + 3 - 12 * (m / 10));
    t.year = static_cast<int>(100 * b + d - 4800 + m / 10);
    t.hour = static_cast<int>(s.second_of_day / 3600);
    t.minute = static_cast<int>(s.second_of_day / 60 % 60);
    t.second = static_cast<int>(s.second_of_day % 60);
    return t;
}

long long offset_minutes(double utc_offset_hours) { return std::llround(utc_offset_hours * 60.0); }

// format: the printf layout of year, month, day, hour, minute, second.
std::string stamp_text(const char* format, const Stamp& t) {
    char text[48];
    std::snprintf(text, sizeof text, format, t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

std::string icalendar_utc(JulianDay jd_ut) {
    return stamp_text("%04d%02d%02dT%02d%02d%02dZ", stamp_of(civil_second(jd_ut, 0)));
}

std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

// The UID's word for a text: lower-case letters and digits, other runs as "-".
std::string uid_word(const std::string& text) {
    std::string word;
    for (unsigned char c : text) {
        if (std::isalnum(c) && c < 0x80)
            word += static_cast<char>(std::tolower(c));
        else if (!word.empty() && word.back() != '-')
            word += '-';
    }
    return word;
}

std::string event_uid(const CalendarEvent& event) {
    std::string uid = uid_word(event.kind);
    for (const std::string& body : event.bodies) uid += "-" + uid_word(body);
    return uid + "-" + icalendar_utc(event.jd_ut).substr(0, 13) + "Z@skyloom";  // to the UT minute
}

}  // namespace

std::string iso_utc_text(JulianDay jd_ut) {
    return stamp_text("%04d-%02d-%02dT%02d:%02d:%02dZ", stamp_of(civil_second(jd_ut, 0)));
}

std::string iso_local_text(JulianDay jd_ut, double utc_offset_hours) {
    const long long minutes = offset_minutes(utc_offset_hours);
    const std::string clock = stamp_text("%04d-%02d-%02dT%02d:%02d:%02d", stamp_of(civil_second(jd_ut, minutes * 60)));
    char offset[48];
    const int size = static_cast<int>(minutes < 0 ? -minutes : minutes);
    std::snprintf(offset, sizeof offset, "%c%02d:%02d", minutes < 0 ? '-' : '+', size / 60, size % 60);
    return clock + offset;
}

std::string events_csv(const std::vector<CalendarEvent>& events) {
    std::string text = "utc,local,kind,bodies,summary\r\n";
    for (const CalendarEvent& e : events)
        text += iso_utc_text(e.jd_ut) + "," + iso_local_text(e.jd_ut, e.utc_offset_hours) + "," +
                csv_field(e.kind) + "," + csv_field(joined(e.bodies, ";")) + "," + csv_field(e.summary) + "\r\n";
    return text;
}

std::string events_json(const std::vector<CalendarEvent>& events) {
    std::string text = "[";
    for (const CalendarEvent& e : events) {
        std::vector<std::string> bodies;
        for (const std::string& body : e.bodies) bodies.push_back(json_string(body));
        text += std::string(text.size() == 1 ? "\n" : ",\n") + "  {\"utc\": " + json_string(iso_utc_text(e.jd_ut)) +
                ", \"local\": " + json_string(iso_local_text(e.jd_ut, e.utc_offset_hours)) +
                ", \"kind\": " + json_string(e.kind) + ", \"bodies\": [" + joined(bodies, ", ") +
                "], \"summary\": " + json_string(e.summary) + "}";
    }
    return text + (events.empty() ? "]\n" : "\n]\n");
}

std::string icalendar_text(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string icalendar_folded(const std::string& line) {
    std::string out;
    std::size_t start = 0;
    std::size_t room = ICALENDAR_LINE_OCTETS;
    while (line.size() - start > room) {
        std::size_t end = start + room;
        // Back up to the first octet of a UTF-8 character (never 10xxxxxx).
        while (end > start + 1 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
        out += line.substr(start, end - start) + "\r\n ";
        start = end;
        room = ICALENDAR_LINE_OCTETS - 1;  // the leading space counts
    }
    return out + line.substr(start) + "\r\n";
}

std::string events_icalendar(const std::vector<CalendarEvent>& events, const std::string& place_name,
                             JulianDay dtstamp_ut) {
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Skyloom 2//Sky events//EN\r\n"
                       "CALSCALE:GREGORIAN\r\nMETHOD:PUBLISH\r\n";
    text += icalendar_folded("X-WR-CALNAME:" + icalendar_text("Skyloom 2: " + place_name));
    const std::string stamp = icalendar_utc(dtstamp_ut);
    std::set<std::string> uids;
    for (const CalendarEvent& e : events) {
        const std::string first_uid = event_uid(e);
        std::string uid = first_uid;
        // Two events of one kind and the same bodies in one minute (never
        // seen): the later one's UID takes a count, still the same every run.
        for (int n = 2; !uids.insert(uid).second; ++n) uid = first_uid + "-" + std::to_string(n);
        const std::string description = e.summary + "\nUT " + iso_utc_text(e.jd_ut) + "\n" + place_name + " " +
                                        iso_local_text(e.jd_ut, e.utc_offset_hours);
        text += "BEGIN:VEVENT\r\n";
        text += icalendar_folded("UID:" + uid);
        text += "DTSTAMP:" + stamp + "\r\n";
        text += "DTSTART:" + icalendar_utc(e.jd_ut) + "\r\n";
        text += icalendar_folded("SUMMARY:" + icalendar_text(e.summary));
        text += icalendar_folded("CATEGORIES:" + icalendar_text(e.kind));
        text += icalendar_folded("DESCRIPTION:" + icalendar_text(description));
        text += "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
    }
    return text + "END:VCALENDAR\r\n";
}
