#pragma once
// The drawing surface that graphs, movies, printing and the screen bitmaps draw
// through: the window, an off-screen image, an SVG or PDF file, a printer, or a
// recording of the calls for tests.  Standard library only.
//
// Coordinates are ints in the surface's current mapping:
// - text mapping: device pixels, origin top left, y down;
// - graph mapping: the graph space, origin bottom left, y up, mapped
//   isotropically (one unit equal in x and y) onto a device area of a given
//   size.  Its unit is the one that fits 1000 x 750 units into the area; the
//   space then reaches the area's far edges: 1000 x 750 units at 4 : 3, wider
//   on a wider area, taller on a taller one, so that pictures lay themselves
//   out over the whole area.  Text scales with the unit, so a picture of any
//   size keeps the proportions of its 1000 x 750 layout.  Logical y = 0 falls
//   on the device row just below the area.
// Both implementations convert with the free functions below, so they agree to
// the pixel; the Qt one then draws in device pixels, which also keeps text and
// images upright under the y-up mapping.
//
// Surface is one abstract interface rather than a struct of function pointers:
// the surfaces own toolkit objects (painter, image, file writers) with real
// lifetimes, and an off-screen image made from a surface must be of the same
// kind, which virtual functions and unique_ptr express with the least code.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// A colour as 0xRRGGBB (red in bits 16..23).
using SurfaceColor = std::uint32_t;
constexpr SurfaceColor surface_color(int red, int green, int blue) {
    return static_cast<SurfaceColor>((red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF));
}

constexpr int GRAPH_WIDTH = 1000;  // logical width of the graph space at 4 : 3, and its least
constexpr int GRAPH_HEIGHT = 750;  // logical height of the graph space at 4 : 3, and its least

struct SurfacePoint {
    int x = 0;
    int y = 0;
    bool operator==(const SurfacePoint&) const = default;
};

struct SurfaceSize {
    int width = 0;
    int height = 0;
    bool operator==(const SurfaceSize&) const = default;
};

// A device rectangle: columns left..right-1, rows top..bottom-1.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

// How logical coordinates reach device pixels.
struct SurfaceMapping {
    bool graph = false;    // false: the text mapping
    double scale = 1.0;    // device pixels per logical unit
    int device_width = 0;  // graph mapping: the area mapped onto, in pixels
    int device_height = 0; // graph mapping: also the device row of logical y = 0
    // Graph mapping: the logical size of the whole area, at least
    // GRAPH_WIDTH x GRAPH_HEIGHT.
    int width = GRAPH_WIDTH;
    int height = GRAPH_HEIGHT;
    // Text size as a share of its size in a 1000 x 750 pixel picture: the
    // scale, but never below MIN_PICTURE_SCALE (smaller text is not read).
    double text_scale = 1.0;
};

// The least scale a picture is drawn at: its text then is 64 % of the
// 1000 x 750 picture's, 5-pixel characters with 4-pixel small letters in the
// 9-point fixed-pitch font, the smallest that still reads.  Smaller
// pictures are refused.
constexpr double MIN_PICTURE_SCALE = 0.64;
// The smallest picture drawn at MIN_PICTURE_SCALE: 640 x 480 pixels.  A
// picture needs at least this width and at least this height.
SurfaceSize smallest_picture();
bool picture_readable(int width, int height);

SurfaceMapping text_mapping();
// The graph space onto an area of width x height pixels.  An empty area is
// fatal ("GDI error"): it has no mapping.
SurfaceMapping graph_mapping(int width, int height);

// Logical point to device pixel and back, rounding to the nearest.
SurfacePoint to_device(const SurfaceMapping& mapping, SurfacePoint logical);
SurfacePoint to_logical(const SurfaceMapping& mapping, SurfacePoint device);
// A device length (pixels) as logical units.
int to_logical_length(const SurfaceMapping& mapping, int device_pixels);
// The device rectangle between two logical corners, in either order.
DeviceRect to_device_rect(const SurfaceMapping& mapping, SurfacePoint corner1, SurfacePoint corner2);

// Hatch brushes, numbered as the platform numbers them.
enum HatchStyle : int { HATCH_HORIZONTAL = 0, HATCH_VERTICAL = 1 };

// How copy_from combines the source with what is there.
enum CopyMode : int {
    COPY_SOURCE,    // the source replaces the destination
    COPY_XOR,       // destination := destination XOR source (raster surfaces only)
    COPY_INVERTED,  // the source with every colour complemented replaces the destination
};

// Metrics of the selected font, in logical units.
struct FontMetrics {
    int char_width = 0;   // the widest character
    int line_height = 0;  // from one line's top to the next's
    bool has_degree_sign = true;  // the font draws U+00B0 (printer fonts may not)
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// A new surface starts in the text mapping, with a black pen of width 1, a solid
// white brush, black text on an opaque white background, the system fixed-pitch
// font and no clip.  Texts are Latin-1.
class Surface {
public:
    virtual ~Surface() = default;

    virtual void set_mapping(const SurfaceMapping& mapping) = 0;
    virtual SurfaceMapping mapping() const = 0;
    // Size of the whole surface in device pixels.
    virtual SurfaceSize device_size() const = 0;

    // Pen, brushes, colours, font and clip are the drawing state; save_state and
    // restore_state keep and bring back the whole of it, nested.
    virtual void save_state() = 0;
    virtual void restore_state() = 0;
    // A solid pen; width in logical units (at least one device pixel).
    virtual void set_pen(SurfaceColor color, int width) = 0;
    virtual void set_brush(SurfaceColor color) = 0;
    virtual void set_hatch_brush(SurfaceColor color, HatchStyle style) = 0;
    virtual void set_no_brush() = 0;  // shapes are outlined only
    virtual void set_text_color(SurfaceColor color) = 0;
    // The background fills the box behind text and the gaps of hatch brushes
    // while the background is opaque; a transparent one leaves them alone.
    virtual void set_background(SurfaceColor color) = 0;
    virtual void set_background_opaque(bool opaque) = 0;
    // A font by family name and size in points of the device; an empty family
    // or a size below 1 means the system fixed-pitch font's.
    virtual void set_font(std::string_view family, int point_size) = 0;
    // Only the rectangle between two logical corners is drawn on from now on.
    virtual void set_clip_rect(SurfacePoint corner1, SurfacePoint corner2) = 0;

    virtual FontMetrics font_metrics() = 0;
    virtual TextExtent text_extent(std::string_view text) = 0;

    // Lines with the pen.
    virtual void draw_line(SurfacePoint from, SurfacePoint to) = 0;
    virtual void draw_polyline(std::span<const SurfacePoint> points) = 0;
    // The rectangle between two corners (its device rectangle), filled with
    // the brush and outlined with the pen along its edge.
    virtual void draw_rectangle(SurfacePoint corner1, SurfacePoint corner2) = 0;
    // The closed polygon through the points, filled with the brush and
    // outlined with the pen.
    virtual void draw_polygon(std::span<const SurfacePoint> points) = 0;
    // The ellipse inside that bounding box.  False, drawing nothing, when the
    // box is empty on the device.
    virtual bool draw_ellipse(SurfacePoint corner1, SurfacePoint corner2) = 0;
    // The one device pixel nearest the logical point.
    virtual void set_pixel(SurfacePoint at, SurfaceColor color) = 0;
    // Text in the text colour with its top-left corner at the point: under the
    // graph mapping it hangs below its y.
    virtual void draw_text(SurfacePoint top_left, std::string_view text) = 0;

    // A new off-screen image of the same kind, width x height pixels, black,
    // in the text mapping; nullptr when it cannot be made.
    virtual std::unique_ptr<Surface> create_image(int width, int height) = 0;
    // An image file (PNG) as a new off-screen image; nullptr when unreadable.
    virtual std::unique_ptr<Surface> load_image(const std::string& path) = 0;
    // One transfer from an image of the same kind: the device rectangle that
    // this surface's mapping gives the drawing (the graph space's area under
    // the graph mapping, the whole surface under the text mapping) is copied from
    // the same place of source, within the clip.  A source of another kind is
    // fatal ("GDI error").
    virtual void copy_from(const Surface& source, CopyMode mode) = 0;
    // The whole image stretched, upright, onto the rectangle between two logical
    // corners.  Shrinking ORs the source pixels that meet in one pixel, so thin
    // white lines on black survive.  A source of another kind is fatal.
    virtual void draw_image(const Surface& image, SurfacePoint corner1, SurfacePoint corner2) = 0;
    // Ends the page and starts the next on a paged surface (PDF, printer);
    // false on surfaces without pages.
    virtual bool new_page() = 0;
};
