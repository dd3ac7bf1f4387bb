#pragma once
// The toolkit's application object for code that draws without a window (the
// command line's graphs and movie frames): created once, on first need.

// Makes sure a GUI application exists; with no display it draws off-screen.
void ensure_gui_session();
