// Skyloom 2: with arguments it runs a command-line generator; without, it
// opens the window.
#include "cli/cli.h"

int main(int argc, char** argv) { return cli_main(argc, argv); }
