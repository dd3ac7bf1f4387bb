#pragma once
// Message boxes and the message pump on Qt: what the window installs at
// start-up so that errors, questions and fatal errors show as boxes and long
// work keeps the window alive.

// Error and fatal-error boxes (exclamation icon, OK), the Yes/No question box
// and the fatal error's source-line box, each modal for the whole application,
// owned by the dialog or window the user works in, and wide enough for its title.
void install_qt_message_presenter();

// Makes pump_messages hand the waiting events to Qt.
void install_qt_event_pump();
