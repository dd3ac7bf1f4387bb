#pragma once
// The command line: `skyloom report NAME [OPTIONS]` and friends run the same
// commands and generators as the window, writing to standard output.

#include "engine/location.h"
#include "engine/sky_engine.h"

// Exit status: 0 done, 1 a file that cannot be read or written (or a fatal
// error, EXIT_FATAL_ERROR), 2 bad input (usage or a value a dialog would refuse).
int cli_main(int argc, char** argv);

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
