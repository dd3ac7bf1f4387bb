#pragma once
// Where the window opens: the place and size kept from the last run, used
// only while they still fit the screens, so that no setting can stop the
// program from starting.  Standard library only.
#include <optional>
#include <string>
#include <vector>

// A rectangle in the desktop's logical pixels.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The window's frame: its top-left corner, its size, and whether it is maximised.
struct WindowPlace {
    ScreenRect frame;
    bool maximised = false;
};

// The setting's text: "x,y,width,height,maximised".
std::string window_place_setting(const WindowPlace& place);

// The saved place, when text is five plain whole numbers (the last 0 or 1),
// the size is at least minimum_width x minimum_height, and the frame's
// centre lies on one of the screens (their free areas), whose size holds the
// frame's; nullopt otherwise (a screen that has gone, a value edited by
// hand, a size no surface can hold): then the window opens with its defaults.
std::optional<WindowPlace> saved_window_place(const std::string& text, const std::vector<ScreenRect>& screens,
                                              int minimum_width, int minimum_height);
