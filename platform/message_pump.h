#pragma once
// The message pump that long work (a report, a graph) calls between steps so
// that the window stays alive and Esc can stop it.  One thread: the only
// signals between the work and the handlers the pump runs are these flags.

struct WorkSignals {
    bool stop_requested = false;   // set by Stop (Esc); cleared when a command starts
    bool repaint_pending = false;  // set by a resize or a change of focus
};

WorkSignals& work_signals();

// Runs every event that is waiting, without blocking.  Installed by the window;
// the command line has none.
using PendingEventProcessor = void (*)(int mode);
void set_pending_event_processor(PendingEventProcessor processor);

// Mode 0 (reports): returns 1 when the stop flag is set, else 0.
// Mode 1 (graphs): also returns 1 when a repaint is pending, and stops taking
// events as soon as one is.
int pump_messages(int mode);
