#pragma once
// The Skyloom 2 window (module SKY): the one main window with its menu bar,
// scroll bars and client area, the accelerator keys, the 250 ms frame timer,
// painting of the current output, start-up and the orderly exit.
#include <cstdint>

#include "app/dialog_rules.h"
#include "engine/location.h"
#include "engine/sky_engine.h"
#include "reports/report_view.h"

class QAction;
class QIcon;
class QMainWindow;
class QMenu;
class QScrollBar;
class QWidget;
class Surface;

// Runs the program with its window until the user exits; returns the exit
// code.  argc/argv are the toolkit's (display options).  place, when given,
// is the observer for this run instead of the city list's current city;
// engine, when given, the engine for this run instead of the setting's.
int window_main(int argc, char** argv, const Location* place = nullptr, const SkyEngine* engine = nullptr);

// The program's icon (resources/skyloom.svg, compiled in): scalable, so it
// is sharp at every size and screen scale.
QIcon program_icon();

// Start-up inside a running QApplication: the program's icon, message boxes, settings, colours,
// the engine setting (then engine, when given), the city list (then place,
// when given), the parameters' start-up values,
// the window shown, the frame timer started.  Returns the main window.
QMainWindow* open_main_window(const Location* place, const SkyEngine* engine = nullptr);
// After the window has closed: the screen bitmaps, the report text and the
// city list are released.
void release_main_window();

// What the rest of the program plugs into the window: window_main installs
// the real ones, tests their own.  A null member leaves that output empty and
// its commands doing nothing.
struct WindowPlugins {
    // Draws the graph of command (a graph CommandId) on the window's surface,
    // which is set to the graph mapping over the drawing size (never below the
    // window's first size), the fixed-pitch font and the window's colours.
    void (*draw_graph)(Surface& surface, int command) = nullptr;
    // Draws frame number frame of the movie command (one timer tick) on the
    // window's surface, set up as for a graph.
    void (*draw_movie_frame)(Surface& surface, int command, std::uint32_t frame) = nullptr;
    // Draws the running movie's last frame again, at the same simulated
    // instant, on a printer's page or a file's surface of width x height
    // pixels, on white paper.
    void (*draw_movie_copy)(Surface& surface, int width, int height) = nullptr;
    // Pans the planetarium for a scroll-bar request; returns the bar's new
    // thumb position, or -1 to leave it.
    int (*scroll_movie_view)(ScrollBarKind bar, ScrollCode code, int thumb) = nullptr;
    // Releases the movie's own bitmaps when the screen bitmaps are discarded.
    void (*discard_movie_bitmaps)() = nullptr;
    // Print (52), Print Setup (53), Set Font (94), Copy (110), F1 and the Help
    // menu (31-38, 140).
    void (*run_command)(int command) = nullptr;
    // Runs a command's dialog on params over the window (the parameter
    // dialogs, Set Location on the location work copy, About); sets
    // params.cancelled.  Null: every dialog accepts the parameters as they stand.
    void (*run_dialog)(DialogId dialog, CommandParams& params, QWidget* parent) = nullptr;
};
void set_window_plugins(const WindowPlugins& plugins);
// The program's own plugins in place of given's null members: graphs and
// movies drawn, the Qt dialogs, printing, copying and help.
WindowPlugins program_plugins(const WindowPlugins& given = {});

// The window's parts, for the printer, the clipboard and the tests.
QWidget* client_area();
QScrollBar* window_scroll_bar(ScrollBarKind bar);
QMenu* top_menu(int position);  // MenuPosition
QAction* menu_action(int id);   // nullptr for an id without a menu item
// The report font's character width and line height, and the client area's size.
const ReportViewMetrics& window_view_metrics();
// What opening a menu does to its items: enables, greys and checks them
// for what is running now (update_menu_state), and stops the frame timer.
void menu_opened();
