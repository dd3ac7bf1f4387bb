#pragma once
// The command line: `skyloom report NAME [OPTIONS]` and friends run the same
// commands and generators as the window, writing to standard output.

// Exit status: 0 done, 2 bad input (usage or a value a dialog would refuse).
int cli_main(int argc, char** argv);
