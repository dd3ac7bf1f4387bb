#pragma once
// The printer, the print dialogs, the font chooser and the clipboard on Qt:
// the toolkit's side of printing and copying.  One printer choice serves the
// print dialog and Print Setup for the whole run.
#include <memory>

#include "output/printing.h"

class QWidget;

// The hooks printing and copying need, with owner as the dialogs' parent.
PrinterHooks qt_printer_hooks(QWidget* owner);

// The window's picture with its background white and everything else black
// (printers print in black on white).
std::unique_ptr<Surface> monochrome_copy(const Surface& window, SurfaceColor background);
