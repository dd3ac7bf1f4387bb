#pragma once
// File > Save As (Ctrl+S): the output on the screen to a file the user
// names, through the command line's writers: a report as UTF-8 text or as
// its printed pages in a PDF file; a graph as a PNG, SVG or PDF picture of
// 1000 x 750 pixels drawn afresh (lines and text stay vectors in SVG and
// PDF); a running movie's frame drawn afresh at the window's size the same
// way; a picture left by Stop as the window shows it.
#include <string>

#include "output/saved_output.h"
#include "platform/surface.h"
#include "reports/report_document.h"

class QWidget;

// The toolkit's surfaces for files: images, SVG and PDF files.
const FileSurfaces& qt_file_surfaces();

// A saved graph's size, pixels.
constexpr int PICTURE_WIDTH = 1000, PICTURE_HEIGHT = 750;

// The graph of command drawn anew on white paper, as the command line draws
// it, with the Graphs menu's tick marks or grid lines: for files and printers.
PictureDrawing paper_graph(int command);

// What the window shows now; at most one of the three is set.
struct ShownOutput {
    const ReportDocument* report = nullptr;  // a report with lines
    int graph = 0;                           // the CommandId of a graph drawn in full
    const Surface* picture = nullptr;        // a movie frame or a stopped picture
    // A running movie's frame drawn anew at picture's size (lines and text
    // stay vectors in SVG and PDF); null: picture is saved as it stands.
    PictureDrawing movie_frame;
};

// The file name extensions the shown output can be saved as, the first the
// usual one ("txt", "pdf"; "png", "svg", "pdf"); none when nothing is shown.
std::string save_extensions(const ShownOutput& shown);

// Writes the shown output to path, its kind by the extension.  A name that
// fits none of the output's kinds, or a file that cannot be written, is
// told in an error box ("Cannot write PATH (reason)"); returns true when
// the file was written.
bool save_output(const ShownOutput& shown, const std::string& path);

// Asks for a file name (the last folder saved into, remembered in the
// settings) and saves there.  Nothing happens when nothing is shown.
void run_save_as(const ShownOutput& shown, QWidget* owner);
