// Skyloom 2 with the toolkit, `skyloom-qt`, which `skyloom` runs for the
// window and for the commands that draw: without arguments, or with only a
// place and an engine, it opens the window; otherwise it runs the command
// line on the toolkit's surfaces.
#include "cli/cli.h"
#include "platform/qt/gui_session.h"
#include "platform/qt/surface_qt.h"
#include "window/window.h"

namespace {

const CliSurfaces QT_SURFACES = {
    .start = ensure_gui_session,
    .image = make_image_surface,
    .svg = make_svg_surface,
    .pdf = make_pdf_surface,
    .finish_file = finish_file,
    .save_png = save_png,
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return window_main(argc, argv);
    if (!cli_window_options(argc, argv)) return cli_main(argc, argv, &QT_SURFACES);
    Location place;
    const SkyEngine* engine = nullptr;
    if (!cli_window_start(argc, argv, place, engine)) return 2;
    // The place and engine options are not the toolkit's: Qt sees the program name only.
    return window_main(1, argv, &place, engine);
}
