#pragma once
// The window's two scroll bars and what they ask: shared by the report view
// and the planetarium, which both move their view with them.

// Range of both scroll bars while a report or the planetarium is shown.
constexpr int SCROLL_RANGE = 360;

enum ScrollBarKind { SCROLL_HORIZONTAL, SCROLL_VERTICAL };
// What a scroll bar (or a key standing for one) asks.  For the horizontal bar
// line and page up mean left, down means right; top and bottom only apply
// to the vertical bar.
enum ScrollCode {
    SCROLL_LINE_UP, SCROLL_LINE_DOWN, SCROLL_PAGE_UP, SCROLL_PAGE_DOWN, SCROLL_THUMB_POSITION,
    SCROLL_THUMB_TRACK, SCROLL_TOP, SCROLL_BOTTOM, SCROLL_END,
};
