// The events for calendars: the gathered instants against published ones,
// on London's clock (GMT in winter, BST in summer), and the writers' texts
// against the rules of RFC 4180, RFC 8259 and RFC 5545 and the Julian-day
// definition of the calendar.
#include "reports/event_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/precise/precise_engine.h"
#include "format/event_files.h"

namespace {

constexpr double MINUTE = 1.0 / 1440.0;  // days

SkyContext london() {
    Location place;
    place.name = "London";
    place.latitude = 51.5;
    place.longitude = 0.13;
    place.longitude_hemisphere = COMPASS_WEST;
    place.zone = "Europe/London";
    SkyContext sky(place);
    sky.engine = &PRECISE_ENGINE;
    return sky;
}

const CalendarEvent* find_event(const std::vector<CalendarEvent>& events, const std::string& summary) {
    for (const CalendarEvent& e : events)
        if (e.summary == summary) return &e;
    return nullptr;
}

// Published instants, UT, and the tolerance they are given to.
struct Published {
    const char* summary;
    JulianDay jd_ut;
    double tolerance_days;
    const char* local;  // London's clock, to the minute
    const char* source;
};

TEST(EventList, InstantsAgreeWithPublishedOnesOnLondonsClock) {
    const EventList list = gather_events(2026, 2027, ALL_EVENT_KINDS, london(), nullptr, nullptr);
    const Published published[] = {
        {"March equinox", julian_day(20, 3, 2026) + (14 + 46 / 60.0) / 24, 1 * MINUTE, "2026-03-20T14:4", "USNO"},
        {"June solstice", julian_day(21, 6, 2026) + (8 + 24 / 60.0) / 24, 1 * MINUTE, "2026-06-21T09:2",
         "USNO 08:24 UT; BST"},
        {"Full Moon", julian_day(3, 1, 2026) + (10 + 3 / 60.0) / 24, 1 * MINUTE, "2026-01-03T10:0", "USNO"},
        {"Total solar eclipse", julian_day(12, 8, 2026) + (17 + 46 / 60.0 + 6 / 3600.0) / 24, 2 * MINUTE,
         "2026-08-12T18:4", "NASA (Espenak), greatest eclipse 17:46:06 UT"},
        {"Annular solar eclipse", julian_day(17, 2, 2026) + (12 + 13 / 60.0 + 6 / 3600.0) / 24, 2 * MINUTE,
         "2026-02-17T12:1", "NASA (Espenak), greatest eclipse 12:13:06 UT"},
        {"Total lunar eclipse", julian_day(3, 3, 2026) + (11 + 33 / 60.0 + 27 / 3600.0) / 24, 2 * MINUTE,
         "2026-03-03T11:3", "NASA (Espenak), greatest eclipse 11:33:27 UT"},
        {"Mars at opposition", julian_day(19, 2, 2027) + (15 + 39 / 60.0) / 24, 30 * MINUTE, "2027-02-19T1",
         "PyEphem 4.1: apparent longitudes 180 degrees apart at 15:38:57 UT"},
        {"Earth at perihelion", julian_day(3, 1, 2026) + (17 + 15 / 60.0) / 24, 10 * MINUTE, "2026-01-03T17:",
         "USNO 17:15 UT"},
        {"Venus greatest elongation 45.9\xC2\xB0 E", julian_day(15, 8, 2026) + 6.0 / 24, 6 * 60 * MINUTE,
         "2026-08-15T", "PyEphem 4.1: Venus 45.89 degrees east of the Sun, sampled every 6 hours"},
        {"Venus 1.6\xC2\xB0 N of Jupiter", julian_day(9, 6, 2026) + (19 + 59 / 60.0) / 24, 15 * MINUTE,
         "2026-06-09T2", "PyEphem 4.1: equal apparent longitudes of date at 19:59:10 UT, Venus 1.61 degrees north"},
        {"Perseids peak", julian_day(13, 8, 2026) + (2 + 0.5 / 60.0) / 24, 30 * MINUTE, "2026-08-13T0",
         "PyEphem 4.1: the Sun at longitude 140.0 (J2000) at 02:00:29 UT"},
    };
    for (const Published& p : published) {
        const CalendarEvent* e = find_event(list.events, p.summary);
        ASSERT_NE(e, nullptr) << p.summary;
        EXPECT_NEAR(e->jd_ut, p.jd_ut, p.tolerance_days)
            << p.summary << " (" << p.source << "): off by " << (e->jd_ut - p.jd_ut) * 1440.0 << " minutes";
        const std::string local = iso_local_text(e->jd_ut, e->utc_offset_hours);
        EXPECT_EQ(local.substr(0, std::string(p.local).size()), p.local) << p.summary << ": " << local;
    }
    // Summer instants carry BST's offset, winter ones GMT's.
    EXPECT_EQ(iso_local_text(find_event(list.events, "June solstice")->jd_ut, 1.0).substr(19), "+01:00");
    EXPECT_EQ(find_event(list.events, "June solstice")->utc_offset_hours, 1.0);
    EXPECT_EQ(find_event(list.events, "March equinox")->utc_offset_hours, 0.0);
}

TEST(EventList, YearsHoldEveryEventOnceInTimeOrder) {
    const EventList list = gather_events(2026, 2026, ALL_EVENT_KINDS, london(), nullptr, nullptr);
    int full_moons = 0, eclipses = 0, equinoxes = 0, showers = 0;
    for (size_t i = 0; i < list.events.size(); ++i) {
        const CalendarEvent& e = list.events[i];
        if (i > 0) {
            EXPECT_LE(list.events[i - 1].jd_ut, e.jd_ut);
        }
        full_moons += e.summary == "Full Moon";
        eclipses += e.kind == "eclipses";
        equinoxes += e.summary.find("equinox") != std::string::npos;
        showers += e.kind == "meteors";
    }
    EXPECT_EQ(full_moons, 13);  // 2026 has two full Moons in May (1 and 31; USNO)
    EXPECT_EQ(eclipses, 4);     // Feb 17 annular, Mar 3 total lunar, Aug 12 total, Aug 28 partial lunar (NASA)
    EXPECT_EQ(equinoxes, 2);
    EXPECT_EQ(showers, 28);
    // A chosen kind brings only its own events.
    const EventList seasons = gather_events(2026, 2026, 1u << EVENT_SEASONS, london(), nullptr, nullptr);
    ASSERT_EQ(seasons.events.size(), 4u);
    EXPECT_EQ(seasons.events[3].summary, "December solstice");
}

TEST(EventList, KindNames) {
    EXPECT_EQ(event_kinds_named("phases,Seasons"), (1L << EVENT_PHASES) | (1L << EVENT_SEASONS));
    EXPECT_EQ(event_kinds_named("phases,planets"), -1);
    EXPECT_EQ(event_kinds_named(""), -1);
    EXPECT_EQ(event_kinds_named("meteors,NODES,apsides,close-approaches,elongations,conjunctions,eclipses,seasons,phases"),
              long{ALL_EVENT_KINDS});
}

// Julian day 2451545.0 is 2000 January 1, 12 h UT; the calendar of the
// files is the proleptic Gregorian one of ISO 8601 before 1582 too (JD
// 2299159.5 is Gregorian 1582 October 14, Julian October 4).
TEST(EventFiles, IsoTextsOfKnownJulianDays) {
    EXPECT_EQ(iso_utc_text(2451545.0), "2000-01-01T12:00:00Z");
    EXPECT_EQ(iso_utc_text(2451545.0 - 0.4 / 86400), "2000-01-01T12:00:00Z");
    EXPECT_EQ(iso_utc_text(2451544.5 - 0.6 / 86400), "1999-12-31T23:59:59Z");
    EXPECT_EQ(iso_utc_text(2299159.5), "1582-10-14T00:00:00Z");
    EXPECT_EQ(iso_utc_text(2086302.5), "1000-01-01T00:00:00Z");  // Julian 999 December 27 (Python's datetime)
    EXPECT_EQ(iso_local_text(2451545.0, -5.0), "2000-01-01T07:00:00-05:00");
    EXPECT_EQ(iso_local_text(2451545.0, 5.75), "2000-01-01T17:45:00+05:45");
    EXPECT_EQ(iso_local_text(2451545.0, -3.5), "2000-01-01T08:30:00-03:30");
}

std::vector<CalendarEvent> awkward_events() {
    return {{2451545.0, 1.0, "meteors", {}, "Quote \"this\", then a\\b; \xC3\xA9t\xC3\xA9\nnext"},
            {2451545.5, 0.0, "phases", {"Moon", "Sun"}, "Full Moon"}};
}

TEST(EventFiles, CsvQuotesAsRfc4180) {
    EXPECT_EQ(events_csv(awkward_events()),
              "utc,local,kind,bodies,summary\r\n"
              "2000-01-01T12:00:00Z,2000-01-01T13:00:00+01:00,meteors,,"
              "\"Quote \"\"this\"\", then a\\b; \xC3\xA9t\xC3\xA9\nnext\"\r\n"
              "2000-01-02T00:00:00Z,2000-01-02T00:00:00+00:00,phases,Moon;Sun,Full Moon\r\n");
}

TEST(EventFiles, JsonEscapesAsRfc8259) {
    const std::string json = events_json(awkward_events());
    EXPECT_NE(json.find("\"summary\": \"Quote \\\"this\\\", then a\\\\b; \xC3\xA9t\xC3\xA9\\u000anext\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"bodies\": [\"Moon\", \"Sun\"]"), std::string::npos);
    EXPECT_EQ(events_json({}), "[]\n");
}

TEST(EventFiles, IcalendarEscapesAndFoldsAsRfc5545) {
    // 3.3.11: backslash, semicolon, comma and line ends are escaped.
    EXPECT_EQ(icalendar_text("a,b;c\\d\ne"), "a\\,b\\;c\\\\d\\ne");
    // 3.1: 75 octets, then CRLF and one space; the space counts in the next line.
    const std::string long_line(160, 'x');
    EXPECT_EQ(icalendar_folded(long_line),
              std::string(75, 'x') + "\r\n " + std::string(74, 'x') + "\r\n " + std::string(11, 'x') + "\r\n");
    // Never inside a UTF-8 character: a two-octet e-acute straddling octet 75 moves whole.
    const std::string accents = std::string(74, 'a') + "\xC3\xA9" + "b";
    EXPECT_EQ(icalendar_folded(accents), std::string(74, 'a') + "\r\n \xC3\xA9" + "b\r\n");
    const std::string calendar = events_icalendar(awkward_events(), "S\xC3\xA3o Paulo", 2451545.0);
    EXPECT_EQ(calendar.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:", 0), 0u);
    EXPECT_NE(calendar.find("DTSTART:20000101T120000Z\r\n"), std::string::npos);
    EXPECT_NE(calendar.find("DTSTAMP:20000101T120000Z\r\n"), std::string::npos);
    EXPECT_NE(calendar.find("UID:phases-moon-sun-20000102T0000Z@skyloom\r\n"), std::string::npos);
    EXPECT_NE(calendar.find("SUMMARY:Quote \"this\"\\, then a\\\\b\\; \xC3\xA9t\xC3\xA9\\nnext\r\n"),
              std::string::npos);
}

}  // namespace
