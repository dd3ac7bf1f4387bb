// Skyloom 2: the program `skyloom`.  The text commands (reports, the
// ephemeris, the city list, --help, --version) run here, in a program that
// does not link the toolkit, so that they start in a few milliseconds; the
// window (no arguments, or only a place and an engine) and the commands that
// draw are handed to skyloom-qt (main_qt.cpp) with the same arguments.
#include "cli/cli.h"

int main(int argc, char** argv) {
    if (argc < 2 || cli_window_options(argc, argv) || cli_draws(argc, argv)) return cli_hand_over(argv);
    return cli_main(argc, argv);
}
