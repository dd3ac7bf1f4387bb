// Skyloom 2: with arguments it runs a command-line generator; without, or
// with only a place, it opens the window.
#include "cli/cli.h"
#include "window/window.h"

int main(int argc, char** argv) {
    if (argc < 2) return window_main(argc, argv);
    if (!cli_window_options(argc, argv)) return cli_main(argc, argv);
    Location place;
    if (!cli_window_location(argc, argv, place)) return 2;
    // The place options are not the toolkit's: Qt sees the program name only.
    return window_main(1, argv, &place);
}
