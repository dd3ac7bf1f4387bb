#pragma once
// The drawing layer (module GRAPHICS): the one place where graphs and movies
// set up a drawing surface and the small set of primitives they are built
// from: frames, circles, discs, centred and vertical text, body markers, and
// text measurement with the system fixed-pitch font.
//
// Graphs and movies are drawn in the graph space: x 0..1000, y 0..750
// logical units on a 4 : 3 picture, more units across or up on a wider or
// taller one (graph_space), origin bottom left, y up (platform/surface.h).  Text is never
// re-aligned: the given point is the text's top-left corner, so under the graph
// mapping text hangs below its y.
//
// Colours: the caller hands in a GraphStyle filled from its colour table, so
// this layer needs nothing of the application's.  Entries 0..10 follow the
// body ids (0 Sun, 1 Moon, 2 Earth, 3 Mercury ... 10 Pluto), 11 the stars,
// 12 and 13 a binary's main star and companion, 14 penumbra, 15 umbra,
// 16..19 Io, Europa, Ganymede, Callisto, and 20 the window-text colour.
#include <string_view>

#include "platform/surface.h"

// Colour-table entries this layer refers to by index.
constexpr int STYLE_COLOR_COUNT = 21;  // 20 object colours plus the window text
constexpr int STYLE_STARS = 11;
constexpr int STYLE_PENUMBRA = 14;
constexpr int STYLE_UMBRA = 15;
constexpr int STYLE_WINDOW_TEXT = 20;

// What a graph or movie needs of the user's settings: the colour of every
// table entry, the window's background colour, and the Tick Marks / Grid Lines
// choice of the Graphs menu.
struct GraphStyle {
    SurfaceColor colors[STYLE_COLOR_COUNT] = {};
    SurfaceColor background = surface_color(255, 255, 255);  // the window colour
    bool grid_lines = false;  // false: tick marks (the choice at start-up)
    // The planetarium's own colours, set by the colour scheme rather than
    // assigned: the ground of the horizon view, the constellations' stick
    // figures and their names (and the stars' names).
    SurfaceColor ground = surface_color(112, 128, 84);
    SurfaceColor figure_lines = surface_color(150, 170, 215);
    SurfaceColor figure_names = surface_color(60, 80, 150);
};

// Mappings chosen by setup_drawing.
enum DrawingMode : int {
    DRAWING_TEXT = 1,   // device pixels, origin top left, y down
    DRAWING_GRAPH = 7,  // the 1000 x 750 graph space on a width x height pixel area
};

// Sets the mapping for mode (any other mode leaves it as it is), then selects
// the system fixed-pitch font.  With colours (non-null): background := its
// background, text colour and pen := its window-text colour.  Without, the
// background, text colour and pen are left alone (printer and memory surfaces).
void setup_drawing(Surface& surface, int mode, int width, int height, const GraphStyle* colors);

// The graph space's logical size on this surface: GRAPH_WIDTH x GRAPH_HEIGHT
// on a 4 : 3 area, wider or taller on other areas, so that a picture laid out
// over it fills its whole area.
SurfaceSize graph_space(const Surface& surface);

// Selects a solid pen of width 1 in table entry index (0..20); any other index
// is an internal error (fatal).
void select_color_pen(Surface& surface, const GraphStyle& style, int index);

// ---- Text measurement (logical units) ----
int char_width(Surface& surface);   // the font's widest character
int line_height(Surface& surface);  // from one line's top to the next's
int text_width(Surface& surface, std::string_view text);
int text_height(Surface& surface, std::string_view text);

// ---- Text ----
// Left edge at x - text_width / 2 (integer division), top at y.
void draw_text_centered(Surface& surface, int x, int y, std::string_view text);
// The characters one under another, each with its left edge at x: the first
// one's top at y + (line_height * length) / 2, each next one line_height lower,
// so that the column is centred on y.  Used for value-axis captions.
void draw_text_vertical(Surface& surface, int x, int y, std::string_view text);
// The body's name ("Sun", "Moon", "Earth", "Mercury" ... "Pluto"; body 0..10)
// centred on (x, y); starred, with "*" after it (a place the output's note
// calls approximate).
void draw_body_name(Surface& surface, int body, int x, int y, bool starred = false);

// ---- Lines and shapes ----
// One segment with the current pen.
void draw_line(Surface& surface, int x1, int y1, int x2, int y2);
// The closed outline (x1,y1) (x2,y1) (x2,y2) (x1,y2) in a width-1 pen of color;
// the current pen is kept.  raise moves y1 up one device pixel first, so that
// a frame from the origin shows its bottom edge (logical y = 0 falls just
// below the area); graphs never raise.
void draw_frame(Surface& surface, int x1, int y1, int x2, int y2, bool raise, SurfaceColor color);
// A hollow circle of radius r about (x, y) with the current pen.
void draw_circle(Surface& surface, int x, int y, int r);
// A rectangle outlined in pen_color and filled with brush_color; the current
// pen and brush are kept.
void fill_rect(Surface& surface, int left, int top, int right, int bottom, SurfaceColor pen_color,
               SurfaceColor brush_color);
// A disc of radius r about (x, y) in table entry index (0..20), outlined in
// the same colour; the drawing state is kept.  hatch: -1 solid, else a
// HatchStyle; transparent leaves the gaps of a hatch alone.  The device pixel nearest the
// centre is always set, so a disc smaller than a pixel still shows as a dot.
void fill_disc(Surface& surface, const GraphStyle& style, int x, int y, int r, int index, int hatch,
               bool transparent);
// A solid, opaque disc in the stars' colour.
void draw_star(Surface& surface, const GraphStyle& style, int x, int y, int r);
// A body of a movie in table entry index: the Sun and the Moon (0, 1) a disc
// with its name centred on it; Earth and the planets (2..10) a disc, and with
// label their name up and to the right of it; the penumbra (14) horizontally
// and the umbra (15) vertically hatched, transparent.  Other indices draw
// nothing.  jet_trails is the movie's jet-trail surface while Jet Trails is
// on, else nullptr: bodies 0..10 then also leave a hollow circle in their pen
// there (drawing on the jet-trail surface itself draws only that circle).
// starred: the label reads as draw_body_name's starred name.
void draw_body(Surface& surface, const GraphStyle& style, int index, int x, int y, int r, bool label,
               Surface* jet_trails, bool starred = false);
// The Moon as draw_body draws it, with only its lit part in the Moon's colour:
// the part from the dark limb to the terminator (half an ellipse of semi-axis
// |1 - 2 lit| r across the disc) takes the window colour inside the Moon's
// outline.  lit: the illuminated fraction, 0..1; bright_limb_degrees: the
// direction from the centre to the middle of the bright limb, counterclockwise
// from +x (logical, y up).
void draw_moon(Surface& surface, const GraphStyle& style, int x, int y, int r, double lit,
               double bright_limb_degrees, Surface* jet_trails);
