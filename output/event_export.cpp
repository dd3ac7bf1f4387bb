// Event files from the command line and the window.
#include "output/event_export.h"

#include <cerrno>

#include "platform/files.h"
#include "platform/text_encoding.h"

std::optional<EventFormat> event_format_named(std::string_view name) {
    if (same_text_ignoring_case(name, "csv")) return EventFormat::Csv;
    if (same_text_ignoring_case(name, "json")) return EventFormat::Json;
    if (same_text_ignoring_case(name, "ics")) return EventFormat::Icalendar;
    return std::nullopt;
}

std::string events_text(EventFormat format, const std::vector<CalendarEvent>& events, const Location& place,
                        JulianDay made_ut) {
    switch (format) {
    case EventFormat::Csv: return events_csv(events);
    case EventFormat::Json: return events_json(events);
    case EventFormat::Icalendar: return events_icalendar(events, latin1_to_utf8(place.name), made_ut);
    }
    return {};
}

bool write_events_file(const std::string& path, const std::string& text) {
    errno = 0;
    return replace_file(path, output_temporary_prefix(path), text) == ReplaceResult::Done;
}
