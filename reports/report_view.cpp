#include "reports/report_view.h"

#include <algorithm>

#include "platform/messages.h"
#include "resources/string_ids.h"

namespace {

// The new position for one scroll-bar request: max is the last position the
// bar reaches, page the step of a page.  Line steps only move within 0..max.
int scrolled_position(ScrollCode code, int position, int max, int page, int thumb) {
    switch (code) {
    case SCROLL_LINE_UP: return position > 0 ? position - 1 : position;
    case SCROLL_LINE_DOWN: return position < max ? position + 1 : position;
    case SCROLL_PAGE_UP: return std::max(position - page, 0);
    case SCROLL_PAGE_DOWN: return std::min(position + page, max);
    case SCROLL_THUMB_POSITION: return max * thumb / SCROLL_RANGE;
    default: return position;
    }
}

}  // namespace

ScrollResult report_view_scroll(ScrollBarKind bar, ScrollCode code, int thumb, const ReportViewMetrics& view,
                                ReportDocument& document) {
    int position, max, last;
    if (bar == SCROLL_HORIZONTAL) {
        int columns = std::min(view.client_width / view.char_width, REPORT_WIDTH);
        max = std::max(REPORT_WIDTH - columns, 0);
        position = document.first_column;
        last = REPORT_WIDTH - 1;
        // Top and bottom have no meaning across.
        if (code != SCROLL_TOP && code != SCROLL_BOTTOM)
            position = scrolled_position(code, position, max, columns - 1, thumb);
    } else {
        int rows = view.client_height / view.line_height;
        max = std::max(document.line_count - rows, 0);
        position = document.top_line;
        last = document.line_count - 1;
        if (code == SCROLL_TOP) position = 0;
        else if (code == SCROLL_BOTTOM) position = max;
        else position = scrolled_position(code, position, max, rows - 1, thumb);
    }
    if (position < 0 || position > last) fatal_error(MSG_INTERNAL_ERROR, "SCRLTEXT", __LINE__);

    int& stored = bar == SCROLL_HORIZONTAL ? document.first_column : document.top_line;
    ScrollResult result;
    if (position == stored) return result;
    stored = position;
    result.moved = true;
    // A dropped thumb stays where it was dropped.
    if (code != SCROLL_THUMB_POSITION && max >= 1) result.thumb = position * SCROLL_RANGE / max;
    return result;
}

void report_view_paint(const ReportDocument& document, bool complete, const ReportViewMetrics& view,
                       const ReportTextPainter& draw) {
    int visible = view.client_height / view.line_height;
    int first = document.top_line;
    // Never leave the bottom of the window empty while earlier lines are hidden.
    if (document.line_count - visible + 1 >= 0) first = std::min(first, document.line_count - visible + 1);
    int bottom = view.client_height - (complete ? 1 : 2) * view.line_height;
    int y = view.line_height;  // one empty line of top margin
    for (int i = first; y < bottom && i < document.line_count; ++i, y += view.line_height) {
        std::string_view line = report_line(document, i);
        if (line == REPORT_END_MARKER || static_cast<int>(line.size()) <= document.first_column) line = {};
        else line.remove_prefix(static_cast<size_t>(document.first_column));
        draw(view.char_width, y, line);
    }
}

int new_line_y(std::string_view text, int line_number, const ReportViewMetrics& view, bool minimised) {
    int y = line_number * view.line_height;
    if (minimised || y > view.client_height - 2 * view.line_height || text == REPORT_END_MARKER) return -1;
    return y;
}

int progress_line_y(const ReportViewMetrics& view) { return view.client_height - view.line_height; }
