#pragma once
// Every dated event of a range of years, as one time-ordered list for the
// user's calendar: the Moon's phases, the seasons, the eclipses, the planets'
// conjunctions with the Sun and oppositions, the greatest elongations of
// Mercury and Venus, the conjunctions of two planets or of the Moon and a
// planet, the apsides of the Moon and the planets, the Moon's nodes and the
// maxima of the meteor showers.  Each
// event carries its UT instant and the place's clock offset then, from the
// context's engine through the seam's searches.
#include <string>
#include <vector>

#include "engine/sky_context.h"
#include "engine/step_hook.h"
#include "format/event_files.h"

enum EventKind {
    EVENT_PHASES,
    EVENT_SEASONS,
    EVENT_ECLIPSES,
    EVENT_CONJUNCTIONS,
    EVENT_ELONGATIONS,
    EVENT_CLOSE_APPROACHES,
    EVENT_APSIDES,
    EVENT_NODES,
    EVENT_METEORS,
    EVENT_KIND_COUNT
};
// A set of kinds: bit 1 << EventKind.
using EventKinds = unsigned;
constexpr EventKinds ALL_EVENT_KINDS = (1u << EVENT_KIND_COUNT) - 1;

// The kind's name on the command line and in the files: "phases", "seasons",
// "eclipses", "conjunctions", "elongations", "close-approaches", "apsides",
// "nodes", "meteors".
const char* event_kind_name(EventKind kind);
// The set named by a comma-separated list of kind names (any letter case);
// -1 for an empty list or an unknown name.
long event_kinds_named(const std::string& list);
// "phases, seasons, ...": every kind's name, for messages.
std::string event_kind_names();

struct EventList {
    std::vector<CalendarEvent> events;  // in time order
    int stopped = 0;  // the step hook's answer when it stopped the gathering (the events so far stay)
};

// The events of the kinds in `kinds` whose instants fall in the place's
// clock years first_year .. last_year (January 1, 0 h on its clock to the
// next January 1 after the last year).  The step hook, when given, sees the
// part done (0..1) between kinds and inside the long searches, and may stop.
EventList gather_events(int first_year, int last_year, EventKinds kinds, const SkyContext& sky, StepHook step,
                        void* context);
