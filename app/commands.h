#pragma once
// Command dispatch: what a menu command does, from its id to a finished report,
// a prepared graph or a started movie.  It runs without a window: the window
// installs its shell operations and dialogs; the command line its own dialog step.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "app/dialog_rules.h"
#include "app/graph_table.h"
#include "app/menu_state.h"
#include "movies/movie.h"

// A report generator: appends to the document; returns 1 when stopped, else 0.
using ReportGenerator = int (*)(ReportDocument& document, int segment, bool in_almanac,
                                const CommandParams& params, const SkyContext& sky);

// The window's part of a command that the core leaves to it (the command
// line has no such commands).
enum class WindowAction {
    None,          // the core or its dialog does all of it (or a movie control, run_menu_command)
    Print, PrintSetup, SetFont, Copy, Exit,
    HelpContents,  // the help book's contents page
    HelpKeyword,   // the topic of the row's help_keyword
    HelpSearch,    // the help window's index, its filter empty
    HelpTopic,     // the row's own help topic
    ExportEvents,  // File > Export Events: its dialog, a Save dialog and the file
};

// A key that runs a command, with or without Ctrl.
struct KeyStroke {
    AcceleratorKey key = KEY_NONE;
    bool control = false;
};

// Latitude above which the classical engine's Analemma, Sunrise and Twilight
// are refused, degrees (the precise engine's run at every latitude).
constexpr double MAX_LATITUDE_FOR_SUN_PATHS = 60.0;
// The settings key of the place last chosen with Set Location: a city's name.
constexpr const char* PLACE_SETTING = "Place";

// The Stop command: ends the output being made, keeping its last picture on screen.
void stop_current_output();

// Everything the program knows about one command: one row of the command
// table.  The menus, the help contexts, the accelerator keys and the command
// line's names and options are all read from the rows.
struct CommandEntry {
    int id = 0;
    MenuPosition menu = MENU_FILE;  // the top-level menu of its item
    int label = 0;                  // string id of the item's text ("&" mnemonic, tab before the key)
    bool separated = false;         // a separator line above the item
    bool checkable = false;         // the item carries a check mark
    KeyStroke keys[2] = {};         // accelerator keys; KEY_NONE for none
    OutputKind kind = OutputKind::Other;
    DialogId dialog = DIAL_NONE;
    int caption = 0;       // string id of the dialog's title: the command's name; 0 for none
    int help_context = -1; // the help book's topic of the command (topic-NNN.html)
    bool earth_offered = false, distance_offered = false, months_offered = false;  // the planet dialog's modes
    const char* cli_name = nullptr;  // the command line's name of a report, graph or movie
    const char* cli_options = "";    // the command line's options for its dialog's fields, blank-separated
    int usage_place = 0;             // the name's place in the usage text's list of its kind (ties: table order)
    ReportGenerator report = nullptr;    // a report's generator
    int segment = 0;                     // a report's place in an Almanac, 1..14; 0 for the Almanac itself
    GraphGenerator graph = nullptr;      // a graph's generator
    MovieKind movie = MOVIE_PLANETARIUM; // a movie's kind
    bool zoomable = false;               // a movie whose field of view Zoom In and Zoom Out change
    bool needs_star_catalogue = false;   // refused while the star catalogue is not loaded
    double max_latitude = 90.0;          // degrees; the classical engine refuses above (MAX_LATITUDE_FOR_SUN_PATHS)
    void (*run)() = nullptr;             // the core's action of a command without an output
    WindowAction window_action = WindowAction::None;
    const char* help_keyword = nullptr;  // WindowAction::HelpKeyword: the keyword looked up
};

// Every row, in the order of the menu bar: File, Edit, Settings, Reports (in
// Almanac order), Graphs, Movies, Stop, Help.
std::span<const CommandEntry> command_table();
// The command's row, or nullptr for an id that is not in the table.
const CommandEntry* find_command(int id);
// The row of a report, graph or movie by its command-line name, or nullptr.
const CommandEntry* find_command_named(OutputKind kind, std::string_view cli_name);
// The command-line names of one kind, in the usage text's order.
std::vector<std::string_view> command_names(OutputKind kind);
// The row's kind; Other for an id not in the table and for 0.
OutputKind output_kind_of(int id);
// The fourteen reports an Almanac runs, in its order.
std::vector<const CommandEntry*> report_steps();

// What a movie starts from, out of the dialogs' parameters.
MovieParams movie_params_of(const CommandParams& params);

// The window's side of a command.  Members left null do nothing (the command line).
struct ShellHooks {
    // Runs the dialog on params (its caption and modes are set); sets params.cancelled.
    void (*run_dialog)(DialogId dialog, CommandParams& params) = nullptr;
    void (*set_menu_groups_enabled)(OutputKind kind, bool enable) = nullptr;
    void (*show_scroll_bars)(bool shown, int position) = nullptr;  // range 0..360
    void (*repaint_now)() = nullptr;
    void (*invalidate)() = nullptr;
    void (*restart_frame_timer)() = nullptr;
    void (*stop_frame_timer)() = nullptr;
    void (*discard_screen_bitmaps)() = nullptr;
    void (*capture_snapshot)() = nullptr;
    void (*run_other_command)(int command) = nullptr;  // movie controls and the rows' WindowAction
};
void set_shell_hooks(const ShellHooks& hooks);

void dispatch_command(int id);
