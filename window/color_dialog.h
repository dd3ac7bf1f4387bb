#pragma once
// The Assign Colors dialog (DIAL_ASSIGN_COLORS) and the window-text colour on Qt.
class QWidget;

// Runs the dialog modally on parent: a button per object ("Sun..." through
// "Callisto...") opens the platform's colour chooser, with a swatch of the
// object's colour beside it; OK keeps the colours, Save also writes them to
// the settings store, Cancel (or Esc) puts back the colours it opened with.
void run_assign_colors_dialog(QWidget* parent);

// Makes color_of(COLOR_WINDOW_TEXT) the application palette's window-text
// colour.  Called by the window at start-up.
void install_qt_window_text_color();
