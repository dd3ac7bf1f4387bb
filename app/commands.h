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
#include "movies/movie.h"

// A report generator: appends to the document; returns 1 when stopped, else 0.
using ReportGenerator = int (*)(ReportDocument& document, int segment, bool in_almanac,
                                const CommandParams& params, const SkyContext& sky);

// What the program knows about one command: one row of the command table.
struct CommandEntry {
    int id = 0;
    OutputKind kind = OutputKind::Other;
    DialogId dialog = DIAL_NONE;
    int caption = 0;       // string id of the dialog's title: the command's name; 0 for none
    int help_context = 0;  // the help book's topic of the command (topic-NNN.html)
    bool earth_offered = false, distance_offered = false, months_offered = false;  // the planet dialog's modes
    const char* cli_name = nullptr;      // the command line's name of a report, graph or movie
    ReportGenerator report = nullptr;    // a report's generator
    int segment = 0;                     // a report's place in an Almanac, 1..14; 0 for the Almanac itself
    GraphGenerator graph = nullptr;      // a graph's generator
    MovieKind movie = MOVIE_PLANETARIUM; // a movie's kind
    bool sun_path = false;  // follows the Sun's daily path: refused above MAX_LATITUDE_FOR_SUN_PATHS
};

// Every row: the graphs, the movies, the reports in Almanac order, then the
// other commands with a dialog.
std::span<const CommandEntry> command_table();
// The command's row, or nullptr for an id that is not in the table.
const CommandEntry* find_command(int id);
// The row of a report, graph or movie by its command-line name, or nullptr.
const CommandEntry* find_command_named(OutputKind kind, std::string_view cli_name);
// The command-line names of one kind, in table order.
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
    void (*run_other_command)(int command) = nullptr;  // print, copy, help, exit, movie controls...
};
void set_shell_hooks(const ShellHooks& hooks);

// Latitude above which Analemma, Sunrise and Twilight are refused, degrees.
constexpr double MAX_LATITUDE_FOR_SUN_PATHS = 60.0;

void dispatch_command(int id);
void stop_current_output();
