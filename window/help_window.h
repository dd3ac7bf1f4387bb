#pragma once
// The help window on Qt: one non-modal window beside the program with the
// help book's Contents, its keyword Index and a full-text Search on the left
// and the topic on the right, with Back, Forward and Home.  It stands in for
// the platform help viewer; a missing help folder or topic shows an error
// box, never ends the program.
#include <string>

class QRect;
class QSize;
class QWidget;

// Help | Index, and F1 in the main window: the contents page.
void show_help_contents(QWidget* parent);
// The topic of a help context; false (after an error box) when it has no topic file.
bool show_help_context(int context, QWidget* parent);
// The topic of a keyword (see help_keyword_context); an unknown keyword opens
// the Index with the keyword as its filter.
void show_help_keyword(const std::string& keyword, QWidget* parent);
// The Index with an empty filter, ready for typing.
void open_help_search(QWidget* parent);
// The Help menu's commands, by their rows' window action: the contents page,
// a keyword's topic, the search, the command's own topic.  False for a
// command without such an action.
bool run_help_command(int command, QWidget* parent);
// Closes the help window (at exit).
void close_help_window();
// The help window while it exists, else nullptr (for the tests).
QWidget* help_window();
// Where the help window opens: its wanted size, cut to fit the screen (the
// available area, panels excluded), beside the owner window so that it does
// not cover it: right of it when there is room, else left of it, else
// narrower on the side with more room when that is at least half the wanted
// width, else over the owner at the screen's side with more room; its top
// level with the owner's and the whole window on the screen.  All rectangles
// include the window frames.
QRect place_beside(const QRect& owner, const QSize& wanted, const QRect& screen);
