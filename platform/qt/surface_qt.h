#pragma once
// Drawing surfaces on Qt's QPainter: an off-screen image (PNG files, the movie
// frame buffer, snapshots), a widget while it paints, an SVG file, a PDF file
// and a printer.  The declarations need no Qt headers, so code outside the
// toolkit half can make image, SVG and PDF surfaces too.
//
// Sizes follow the device's resolution: an image, SVG or PDF surface counts
// 96 pixels to the inch, so the system fixed-pitch font has the same size in
// pixels on all three; a printer counts its own pixels, so text keeps its
// point size on paper.  Paths are in the local 8-bit encoding.
#include <memory>
#include <string>

#include "platform/surface.h"

class QImage;
class QPrinter;
class QWidget;

// An off-screen image of width x height pixels, black.  At a pixel ratio
// above 1 (a high-density screen, or one scaled twice) it holds that many
// more pixels each way while its coordinates, sizes and fonts stay those of
// ratio 1: the same drawing, with sharper text, lines and images.  Images
// made from it (create_image) have its ratio.
std::unique_ptr<Surface> make_image_surface(int width, int height, double pixel_ratio = 1.0);
// The widget, for the duration of its paint event; failing to paint on it is
// fatal ("GDI error").
std::unique_ptr<Surface> make_widget_surface(QWidget& widget);
// An SVG or PDF file of one page width x height pixels, drawn in memory and
// written by finish_file; nullptr when painting cannot begin.  The PDF
// surface's new_page adds pages of the same size.
std::unique_ptr<Surface> make_svg_surface(const std::string& path, int width, int height);
std::unique_ptr<Surface> make_pdf_surface(const std::string& path, int width, int height);
// Ends an SVG or PDF surface and writes its file whole: under a temporary
// name beside it, renamed over the path only when complete (platform/files.h
// replace_file).  False, errno set, when it could not be written: then no
// file, or the old one, is there.  A surface destroyed unfinished writes nothing.
bool finish_file(std::unique_ptr<Surface> surface);
// The printer's printable area; starts the print job, which ends when the
// surface is destroyed.  nullptr when the printer refuses the job.
std::unique_ptr<Surface> make_printer_surface(QPrinter& printer);

// The image behind an image surface of this kind, for the clipboard and
// printing; nullptr for any other surface.
const QImage* surface_image(const Surface& surface);
// Writes an image surface as a PNG file (write_png_file: fixed UP filter,
// fast compression, through a temporary file); false when the surface holds
// no image or the file cannot be written.
bool save_png(const Surface& surface, const std::string& path);
