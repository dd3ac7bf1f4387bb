// Skyloom 2 with the toolkit, `skyloom-qt`, which `skyloom` runs for the
// window and for the commands that draw: without arguments, or with only a
// place and an engine, it opens the window; otherwise it runs the command
// line on the toolkit's surfaces.
#include "cli/cli.h"
#include "window/save_as.h"
#include "window/window.h"

int main(int argc, char** argv) {
    if (argc < 2) return window_main(argc, argv);
    if (!cli_window_options(argc, argv)) return cli_main(argc, argv, &qt_file_surfaces());
    Location place;
    const SkyEngine* engine = nullptr;
    if (!cli_window_start(argc, argv, place, engine)) return 2;
    // The place and engine options are not the toolkit's: Qt sees the program name only.
    return window_main(1, argv, &place, engine);
}
