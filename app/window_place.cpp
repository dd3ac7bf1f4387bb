#include "app/window_place.h"

#include "format/numbers.h"

std::string window_place_setting(const WindowPlace& place) {
    const ScreenRect& f = place.frame;
    return std::to_string(f.x) + "," + std::to_string(f.y) + "," + std::to_string(f.width) + "," +
           std::to_string(f.height) + "," + (place.maximised ? "1" : "0");
}

std::optional<WindowPlace> saved_window_place(const std::string& text, const std::vector<ScreenRect>& screens,
                                              int minimum_width, int minimum_height) {
    int value[5];
    std::size_t start = 0;
    for (int i = 0; i < 5; ++i) {
        const std::size_t comma = i < 4 ? text.find(',', start) : text.size();
        if (comma == std::string::npos) return std::nullopt;
        std::optional<int> number = read_whole_number(std::string_view(text).substr(start, comma - start));
        if (!number) return std::nullopt;
        value[i] = *number;
        start = comma + 1;
    }
    const WindowPlace place{{value[0], value[1], value[2], value[3]}, value[4] == 1};
    if ((value[4] != 0 && value[4] != 1) || place.frame.width < minimum_width || place.frame.height < minimum_height)
        return std::nullopt;
    // In long long: a corner and a size near the int limits do not overflow.
    const long long centre_x = place.frame.x + static_cast<long long>(place.frame.width) / 2;
    const long long centre_y = place.frame.y + static_cast<long long>(place.frame.height) / 2;
    for (const ScreenRect& s : screens) {
        const bool centre_on = centre_x >= s.x && centre_x < static_cast<long long>(s.x) + s.width &&
                               centre_y >= s.y && centre_y < static_cast<long long>(s.y) + s.height;
        if (centre_on && place.frame.width <= s.width && place.frame.height <= s.height) return place;
    }
    return std::nullopt;
}
