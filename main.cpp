// Skyloom 2: with arguments it runs a command-line generator; without, or
// with only a place and an engine, it opens the window.
#include "cli/cli.h"
#include "window/window.h"

int main(int argc, char** argv) {
    if (argc < 2) return window_main(argc, argv);
    if (!cli_window_options(argc, argv)) return cli_main(argc, argv);
    Location place;
    const SkyEngine* engine = nullptr;
    if (!cli_window_start(argc, argv, place, engine)) return 2;
    // The place and engine options are not the toolkit's: Qt sees the program name only.
    return window_main(1, argv, &place, engine);
}
