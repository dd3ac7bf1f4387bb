// The colour table: defaults, loading and saving through the settings store,
// and the Assign Colors dialog's bookkeeping.
#include "app/colors.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/bodies.h"
#include "format/numbers.h"
#include "platform/messages.h"
#include "platform/settings_store.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

struct ColorEntry {
    int name_id;       // string id of the display name, which is also the settings key
    Rgb default_color;
    Rgb color;         // current
    Rgb saved;         // at the opening of the Assign Colors dialog; Cancel returns to it
};

struct ColorTable {
    ColorEntry entries[COLOR_COUNT];
    bool modified;     // changed since loading or the last save
};

constexpr ColorEntry entry(int name_id, Rgb color) { return {name_id, color, color, color}; }

const ColorTable DEFAULT_TABLE{
    {
        entry(STR_FIRST_BODY_NAME + id_of(Body::Sun), {255, 0, 0}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Moon), {192, 192, 192}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Earth), {192, 192, 192}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Mercury), {128, 0, 0}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Venus), {0, 255, 0}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Mars), {255, 0, 0}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Jupiter), {0, 255, 255}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Saturn), {255, 0, 255}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Uranus), {0, 0, 255}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Neptune), {128, 128, 0}),
        entry(STR_FIRST_BODY_NAME + id_of(Body::Pluto), {128, 128, 128}),
        entry(STR_STARS_COLOR, {0, 0, 0}),
        entry(STR_STARS_COLOR + 1, {255, 0, 0}),      // Main Star
        entry(STR_STARS_COLOR + 2, {0, 0, 255}),      // Companion
        entry(STR_STARS_COLOR + 3, {192, 192, 192}),  // Penumbra
        entry(STR_STARS_COLOR + 4, {128, 128, 128}),  // Umbra
        entry(STR_STARS_COLOR + 5, {255, 0, 0}),      // Io
        entry(STR_STARS_COLOR + 6, {0, 255, 0}),      // Europa
        entry(STR_STARS_COLOR + 7, {0, 0, 255}),      // Ganymede
        entry(STR_STARS_COLOR + 8, {255, 0, 255}),    // Callisto
    },
    false,
};

Rgb black_window_text() { return {}; }

// The module's state: the table, and where the window-text pseudo-entry's
// colour comes from (the platform's palette, installed by the window).
struct ColorState {
    ColorTable table = DEFAULT_TABLE;
    Rgb (*window_text_color)() = black_window_text;
};
ColorState colors;

// An assignable entry; any other index is an internal error.
ColorEntry& entry_at(int index, long line) {
    if (index < 0 || index >= COLOR_COUNT) fatal_error(MSG_INTERNAL_ERROR, "COLORS", line);
    return colors.table.entries[index];
}

// The comma-separated pieces of text, empty ones included.
std::vector<std::string> split_at_commas(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == ',') pieces.emplace_back();
        else pieces.back().push_back(c);
    }
    return pieces;
}

// A stored "%d,%d,%d" value.  False (leave the default) when there are fewer
// than three pieces, or any of the first three is not an integer in 0..255;
// pieces after the third are not looked at.
bool parse_color_setting(const std::string& text, Rgb& color) {
    std::vector<std::string> pieces = split_at_commas(text);
    if (pieces.size() < 3) return false;
    int component[3];
    for (int i = 0; i < 3; ++i) {
        // A value typed into the settings file by hand may have blanks around its numbers.
        std::string_view piece = pieces[i];
        while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
        std::optional<int> value = read_whole_number(piece);
        if (!value || *value < 0 || *value > 255) return false;
        component[i] = *value;
    }
    color = {component[0], component[1], component[2]};
    return true;
}

std::string color_setting(Rgb color) {
    char text[40];
    std::snprintf(text, sizeof text, "%d,%d,%d", color.red, color.green, color.blue);
    return text;
}

}  // namespace

void load_colors() {
    colors.table = DEFAULT_TABLE;
    for (int i = 0; i < COLOR_COUNT; ++i) {
        ColorEntry& e = colors.table.entries[i];
        // Full colour everywhere: the nearest displayable colour is the colour itself.
        parse_color_setting(read_setting(color_name(i)), e.color);
        e.saved = e.color;
    }
}

Rgb color_of(int index) {
    if (index == COLOR_WINDOW_TEXT) return colors.window_text_color();
    return entry_at(index, __LINE__).color;
}

std::string color_name(int index) { return std::string(load_string(entry_at(index, __LINE__).name_id)); }

void set_window_text_color_source(Rgb (*source)()) {
    colors.window_text_color = source ? source : black_window_text;
}

void begin_color_assignment() {
    for (ColorEntry& e : colors.table.entries) e.saved = e.color;
}

void assign_color(int index, Rgb color) { entry_at(index, __LINE__).color = color; }

void accept_color_assignment() {
    for (const ColorEntry& e : colors.table.entries)
        if (!(e.color == e.saved)) colors.table.modified = true;
}

void cancel_color_assignment() {
    for (ColorEntry& e : colors.table.entries) e.color = e.saved;
}

bool save_colors() {
    for (int i = 0; i < COLOR_COUNT; ++i) {
        if (!write_setting(color_name(i), color_setting(colors.table.entries[i].color))) {
            show_error(MSG_CANNOT_SAVE_COLORS);
            return false;
        }
    }
    colors.table.modified = false;
    return true;
}

void save_colors_if_changed() {
    if (colors.table.modified && ask_question(std::string(load_string(MSG_SAVE_COLORS_QUESTION)).c_str())) save_colors();
}

bool colors_modified() { return colors.table.modified; }
