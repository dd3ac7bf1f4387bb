// Skyloom 2: with arguments it runs a command-line generator; without, it
// opens the window.
#include "app/window/window.h"
#include "cli/cli.h"

int main(int argc, char** argv) {
    if (argc < 2) return window_main(argc, argv);
    return cli_main(argc, argv);
}
