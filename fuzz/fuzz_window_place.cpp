// Fuzz target: the window's saved place as the settings file may hold it,
// against any screens (the input's first line is the setting; each further
// 16 bytes are a screen's x, y, width and height).  An accepted place is at
// least the window's smallest size, no larger than the screen its centre is
// on, and reads back the same from the text it is saved as.
#include <cstring>

#include "app/window_place.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t line_end = std::min(input.find('\n'), input.size());
    const std::string text(input.substr(0, line_end));
    std::vector<ScreenRect> screens;
    for (std::size_t at = line_end + 1; at + 16 <= size; at += 16) {
        ScreenRect screen;
        std::memcpy(&screen, data + at, 16);
        screens.push_back(screen);
    }
    constexpr int MIN_WIDTH = 400, MIN_HEIGHT = 300;
    const std::optional<WindowPlace> place = saved_window_place(text, screens, MIN_WIDTH, MIN_HEIGHT);
    if (!place) return 0;
    const ScreenRect& f = place->frame;
    fuzz::require(f.width >= MIN_WIDTH && f.height >= MIN_HEIGHT, "at least the smallest size");
    const long long centre_x = f.x + static_cast<long long>(f.width) / 2, centre_y = f.y + static_cast<long long>(f.height) / 2;
    bool fits = false;
    for (const ScreenRect& s : screens)
        fits = fits || (centre_x >= s.x && centre_x < static_cast<long long>(s.x) + s.width && centre_y >= s.y &&
                        centre_y < static_cast<long long>(s.y) + s.height && f.width <= s.width && f.height <= s.height);
    fuzz::require(fits, "on a screen that holds it");
    const std::optional<WindowPlace> again =
        saved_window_place(window_place_setting(*place), screens, MIN_WIDTH, MIN_HEIGHT);
    fuzz::require(again && again->frame.x == f.x && again->frame.y == f.y && again->frame.width == f.width &&
                      again->frame.height == f.height && again->maximised == place->maximised,
                  "the saved text reads back the same");
    return 0;
}
