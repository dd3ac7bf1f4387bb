#pragma once
// The colour table (module COLORS): the colour of every drawable object of the
// graphs and movies, assignable by the user, stored in the settings store
// under the object's name as "%d,%d,%d" (red, green, blue).  Standard library
// only: the drawing layer makes its pens from color_of, and the Assign Colors
// dialog edits the table through the steps below.
#include <string>

#include "app/app_state.h"
#include "engine/bodies.h"

// A colour by its red, green and blue components, 0..255 each.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The entries of the colour table.  0..10 are the BodyId order, so a body's
// id is its colour index.  COLOR_WINDOW_TEXT is not assignable: it stands for
// the platform's current window-text colour.
enum ColorIndex : int {
    COLOR_SUN, COLOR_MOON, COLOR_EARTH, COLOR_MERCURY, COLOR_VENUS, COLOR_MARS, COLOR_JUPITER,
    COLOR_SATURN, COLOR_URANUS, COLOR_NEPTUNE, COLOR_PLUTO, COLOR_STARS, COLOR_MAIN_STAR,
    COLOR_COMPANION, COLOR_PENUMBRA, COLOR_UMBRA, COLOR_IO, COLOR_EUROPA, COLOR_GANYMEDE,
    COLOR_CALLISTO, COLOR_WINDOW_TEXT,
};
constexpr int COLOR_COUNT = 20;  // assignable entries, COLOR_SUN..COLOR_CALLISTO
static_assert(int{COLOR_PLUTO} == int{id_of(Body::Pluto)} && COLOR_COUNT == COLOR_WINDOW_TEXT);

// Start-up: every entry takes its stored colour, or its default when the
// setting is missing, not three integers, or has a component outside 0..255.
// Clears the changed flag.
void load_colors();

// The current colour of entry index (0..20; 20 gives the window-text colour now
// in force).  Any other index is an internal error (fatal).
Rgb color_of(int index);

// The display name of entry index (0..19): the settings key and, followed by
// "...", the text of its button in the Assign Colors dialog.
std::string color_name(int index);

// Where the window-text colour comes from; the window installs the platform's.
// Without one (or with nullptr) it is black.
void set_window_text_color_source(Rgb (*source)());

// The Assign Colors dialog's steps.  Opening: every entry remembers its colour.
void begin_color_assignment();
// A colour chosen for entry index (0..19) while the dialog is open.
void assign_color(int index, Rgb color);
// OK or Save: the changed flag is set when any entry differs from its colour
// at opening (a colour changed and changed back does not count).
void accept_color_assignment();
// Cancel: every entry returns to its colour at opening; the flag is untouched.
void cancel_color_assignment();

// Writes the 20 entries to the settings store now, in table order, stopping
// at the first write that fails.  A failure shows "Cannot save color
// information in file SKY.INI" and keeps the changed flag; success clears it.
bool save_colors();

// Exit: when the colours changed since loading or the last save, asks "Save
// assigned colors?" and saves on Yes.
void save_colors_if_changed();

// True when assigned colours have not been saved since they changed.
bool colors_modified();
