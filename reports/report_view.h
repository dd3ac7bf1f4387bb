#pragma once
// The report window's view of the document (module SCRLTEXT): which lines a
// paint shows and where, how the scroll bars and the keys move the view,
// and where a new line and the progress line are drawn while a report is
// being made.  Standard library only: the window draws the text through a
// callback.  All sizes are device pixels.
#include <functional>
#include <string_view>

#include "platform/scroll_bar.h"
#include "reports/report_document.h"

// The window's report font and client area.
struct ReportViewMetrics {
    int char_width = 0;     // the fixed-pitch font's maximum character width
    int line_height = 0;    // character height plus external leading
    int client_width = 0;
    int client_height = 0;
};


struct ScrollResult {
    bool moved = false;  // the view moved: repaint the whole client area
    int thumb = -1;      // where to put the scroll bar's thumb, 0..360; -1 leaves it
};

// Moves the view (document.first_column or document.top_line) for a
// scroll-bar request; thumb is the thumb's position for SCROLL_THUMB_POSITION.
// A position outside the document is an internal error (fatal).
ScrollResult report_view_scroll(ScrollBarKind bar, ScrollCode code, int thumb, const ReportViewMetrics& view,
                                ReportDocument& document);

// Draws text with its top-left corner at (x, y).
using ReportTextPainter = std::function<void(int x, int y, std::string_view text)>;

// The visible lines of a document with at least one line: from top_line,
// one empty line of top margin, each line from column first_column on (the
// end marker as an empty line), down to one free line at the bottom when the
// report is complete (two while it is made, for the progress line).
void report_view_paint(const ReportDocument& document, bool complete, const ReportViewMetrics& view,
                       const ReportTextPainter& draw);

// Where a line is drawn the moment it is added: y of line number line_number
// (1-based; x is one character width), or -1 when it is not drawn (a
// minimised window, below the room left above the progress line, or the end
// marker).  The scroll position is not applied.
int new_line_y(std::string_view text, int line_number, const ReportViewMetrics& view, bool minimised);

// The progress line: its top y; it starts one character width from the left.
int progress_line_y(const ReportViewMetrics& view);
