#pragma once
// The events of a range of years saved for other programs (skyloom events,
// File > Export Events): the same text from the command line and the window.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/location.h"
#include "format/event_files.h"

enum class EventFormat { Csv, Json, Icalendar };

// The format named "csv", "json" or "ics" (any letter case); nullopt for another name.
std::optional<EventFormat> event_format_named(std::string_view name);

// The file's text (UTF-8): CSV, JSON, or an iCalendar stamped made_ut and
// named for the place.
std::string events_text(EventFormat format, const std::vector<CalendarEvent>& events, const Location& place,
                        JulianDay made_ut);

// Writes the text whole under a temporary name beside path and renames it
// over path (platform/files.h replace_file); false, errno set, when the file
// could not be written, path then untouched.
bool write_events_file(const std::string& path, const std::string& text);
