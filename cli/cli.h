#pragma once
// The command line: `skyloom report NAME [OPTIONS]` and friends run the same
// commands and generators as the window, writing to standard output.

#include <memory>
#include <string>

#include "engine/location.h"
#include "engine/sky_engine.h"
#include "output/saved_output.h"
#include "platform/surface.h"

// The toolkit's surfaces the command line draws its graphs, movie frames and
// PDF pages on (output/saved_output.h).  The command line itself does not
// link the toolkit, so that the text commands start without loading it: the
// program `skyloom` runs them and hands the window and the commands that
// draw (cli_draws) to `skyloom-qt`, which passes these to cli_main.
using CliSurfaces = FileSurfaces;

// Exit status: 0 done, 1 a file that cannot be read or written (or a fatal
// error, EXIT_FATAL_ERROR), 2 bad input (usage or a value a dialog would refuse).
// Without surfaces a command that draws is refused with status 1.
int cli_main(int argc, char** argv, const CliSurfaces* surfaces = nullptr);

// True when the command draws: a graph, movie frames, a report's PDF pages.
bool cli_draws(int argc, char** argv);

// Runs the program with the toolkit, skyloom-qt, in place of this one with
// the same arguments: beside this program (a build tree), else in the
// libexec folder beside its bin/ (an installed copy).  Returns only when it
// cannot be started, with status 1 after saying so.
int cli_hand_over(char** argv);

// `skyloom --city NAME` and `skyloom --lat DEG --lon DEG --tz HOURS [--elev M]
// [--name TEXT]` open the window at that place for this run, `skyloom
// --classical` (or `--precise`) with that engine for this run, whatever the
// settings say.  True when the arguments after the program name are only
// such options.
bool cli_window_options(int argc, char** argv);
// Loads the city list and fills location from those options, and engine when
// an engine option is given (else leaves it); false after the refusal was
// printed on standard error.
bool cli_window_start(int argc, char** argv, Location& location, const SkyEngine*& engine);
