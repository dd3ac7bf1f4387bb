#pragma once
// File > Export Events...: the events of a range of years (the kinds chosen
// by check boxes) saved as CSV, JSON or iCalendar for a calendar program,
// through the writers of `skyloom events`.
#include "engine/sky_context.h"
#include "output/event_export.h"
#include "reports/event_list.h"

class QWidget;

// What the dialog asks for.
struct EventExportChoice {
    int first_year = 0;
    int last_year = 0;
    EventKinds kinds = ALL_EVENT_KINDS;
    EventFormat format = EventFormat::Icalendar;
};

// Gathers the chosen events at the sky's place and writes them to path;
// false (errno set) when the file could not be written.
bool export_events(const EventExportChoice& choice, const SkyContext& sky, const std::string& path);

// The dialog (years, kinds, format), then a Save dialog, then the file; a
// file that cannot be written is told in an error box.  The years start at
// `year`, the parameters' current year.
void run_export_events(const SkyContext& sky, int year, QWidget* owner);
