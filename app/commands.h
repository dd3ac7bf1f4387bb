#pragma once
// Command dispatch: what a menu command does, from its id to a finished report,
// a prepared graph or a started movie.  It runs without a window: the window
// installs its shell operations and dialogs; the command line its own dialog step.
#include "app/app_state.h"
#include "app/dialog_rules.h"
#include "movies/movie.h"

struct CommandEntry {
    int id;
    OutputKind kind;
    DialogId dialog;
    int caption;  // string id of the dialog's title: the command's name; 0 for none
    bool earth_offered, distance_offered, months_offered;  // the planet dialog's modes
};

// The command's table row, or nullptr for an id that is not a command.
const CommandEntry* find_command(int id);
OutputKind output_kind_of(int id);

// The movie of a movie command (61..67).
MovieKind movie_kind_of(int command);
// What a movie starts from, out of the dialogs' parameters.
MovieParams movie_params_of(const CommandParams& params);

// A report generator: appends to the document; returns 1 when stopped, else 0.
using ReportGenerator = int (*)(ReportDocument& document, int segment, bool in_almanac,
                                const CommandParams& params, const SkyContext& sky);
struct ReportStep {
    int command;
    int segment;  // the report's place in an Almanac, 1..14
    ReportGenerator generator;  // nullptr while the report is not built
};
// The fourteen reports in Almanac order.
const ReportStep* report_steps(int& count);
const ReportStep* find_report_step(int command);

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
