// The drawing layer (module GRAPHICS): surface set-up, text measurement and the
// primitives that graphs and movies are drawn with.
#include "graphs/drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/bodies.h"
#include "platform/messages.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int LAST_PLANET = id_of(Body::Pluto);

SurfaceColor entry_color(const GraphStyle& style, int index) {
    if (index < 0 || index >= STYLE_COLOR_COUNT) fatal_error(MSG_INTERNAL_ERROR, "GRAPHICS", __LINE__);
    return style.colors[index];
}

}  // namespace

void setup_drawing(Surface& surface, int mode, int width, int height, const GraphStyle* colors) {
    if (mode == DRAWING_TEXT) surface.set_mapping(text_mapping());
    if (mode == DRAWING_GRAPH) surface.set_mapping(graph_mapping(width, height));
    surface.set_font("", 0);
    if (colors == nullptr) return;
    surface.set_background(colors->background);
    surface.set_text_color(colors->colors[STYLE_WINDOW_TEXT]);
    select_color_pen(surface, *colors, STYLE_WINDOW_TEXT);
}

SurfaceSize graph_space(const Surface& surface) {
    const SurfaceMapping mapping = surface.mapping();
    return {mapping.width, mapping.height};
}

void select_color_pen(Surface& surface, const GraphStyle& style, int index) {
    surface.set_pen(entry_color(style, index), 1);
}

int char_width(Surface& surface) { return surface.font_metrics().char_width; }
int line_height(Surface& surface) { return surface.font_metrics().line_height; }
int text_width(Surface& surface, std::string_view text) { return surface.text_extent(text).width; }
int text_height(Surface& surface, std::string_view text) { return surface.text_extent(text).height; }

void draw_text_centered(Surface& surface, int x, int y, std::string_view text) {
    surface.draw_text({x - text_width(surface, text) / 2, y}, text);
}

void draw_text_vertical(Surface& surface, int x, int y, std::string_view text) {
    int step = line_height(surface);
    int top = y + step * static_cast<int>(text.size()) / 2;
    for (char c : text) {
        surface.draw_text({x, top}, std::string_view(&c, 1));
        top -= step;
    }
}

void draw_body_name(Surface& surface, int body, int x, int y, bool starred) {
    const std::string name = std::string(load_string(STR_FIRST_BODY_NAME + body)) + (starred ? "*" : "");
    draw_text_centered(surface, x, y + text_height(surface, name) / 2, name);
}

void draw_line(Surface& surface, int x1, int y1, int x2, int y2) { surface.draw_line({x1, y1}, {x2, y2}); }

void draw_frame(Surface& surface, int x1, int y1, int x2, int y2, bool raise, SurfaceColor color) {
    if (raise) {
        // One device pixel up, whatever the mapping: device rows grow downward.
        SurfaceMapping mapping = surface.mapping();
        SurfacePoint corner = to_device(mapping, {x1, y1});
        corner.y -= 1;
        corner = to_logical(mapping, corner);
        x1 = corner.x;
        y1 = corner.y;
    }
    const SurfacePoint outline[] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}};
    surface.save_state();
    surface.set_pen(color, 1);
    surface.draw_polyline(outline);
    surface.restore_state();
}

void draw_circle(Surface& surface, int x, int y, int r) {
    surface.save_state();
    surface.set_no_brush();
    surface.draw_ellipse({x - r, y + r}, {x + r, y - r});
    surface.restore_state();
}

void fill_rect(Surface& surface, int left, int top, int right, int bottom, SurfaceColor pen_color,
               SurfaceColor brush_color) {
    surface.save_state();
    surface.set_pen(pen_color, 1);
    surface.set_brush(brush_color);
    surface.draw_rectangle({left, top}, {right, bottom});
    surface.restore_state();
}

void fill_disc(Surface& surface, const GraphStyle& style, int x, int y, int r, int index, int hatch,
               bool transparent) {
    SurfaceColor color = entry_color(style, index);
    surface.save_state();
    if (hatch < 0)
        surface.set_brush(color);
    else
        surface.set_hatch_brush(color, static_cast<HatchStyle>(hatch));
    surface.set_pen(color, 1);
    surface.set_background_opaque(!transparent);
    // An empty box on the device draws nothing; the centre pixel below still
    // shows the disc as one dot.
    surface.draw_ellipse({x - r, y + r}, {x + r, y - r});
    surface.set_pixel({x, y}, color);
    surface.restore_state();
}

void draw_star(Surface& surface, const GraphStyle& style, int x, int y, int r) {
    fill_disc(surface, style, x, y, r, STYLE_STARS, -1, false);
}

void draw_body(Surface& surface, const GraphStyle& style, int index, int x, int y, int r, bool label,
               Surface* jet_trails, bool starred) {
    bool body = index >= 0 && index <= LAST_PLANET;
    if (&surface == jet_trails) {
        // The trail: a hollow circle in the body's pen where it has been.
        if (!body) return;
        surface.save_state();
        select_color_pen(surface, style, index);
        draw_circle(surface, x, y, r);
        surface.restore_state();
        return;
    }
    if (body) {
        fill_disc(surface, style, x, y, r, index, -1, false);
        if (index <= 1)
            draw_body_name(surface, index, x, y);
        else if (label)
            draw_body_name(surface, index, x + char_width(surface), y + line_height(surface), starred);
        if (jet_trails != nullptr) draw_body(*jet_trails, style, index, x, y, r, label, jet_trails);
    } else if (index == STYLE_PENUMBRA || index == STYLE_UMBRA) {
        fill_disc(surface, style, x, y, r, index, index == STYLE_PENUMBRA ? HATCH_HORIZONTAL : HATCH_VERTICAL,
                  true);
    }
}

void draw_moon(Surface& surface, const GraphStyle& style, int x, int y, int r, double lit,
               double bright_limb_degrees, Surface* jet_trails) {
    constexpr int MOON = id_of(Body::Moon);
    fill_disc(surface, style, x, y, r, MOON, -1, false);
    // Chords half a unit apart, across the disc from the dark limb (s = -c) to
    // the terminator (s = (1 - 2 lit) c), s along the bright limb's direction u
    // and q along w, its perpendicular.
    const double angle = bright_limb_degrees * std::numbers::pi / 180.0;
    const double ux = std::cos(angle), uy = std::sin(angle), wx = -uy, wy = ux;
    const double terminator = 1.0 - 2.0 * std::clamp(lit, 0.0, 1.0);
    surface.save_state();
    surface.set_pen(style.background, 2);  // 2 units: no gaps between chords at any angle
    for (double q = -r; q <= r; q += 0.5) {
        const double c = std::sqrt(std::max(0.0, double(r) * r - q * q));
        if ((terminator + 1.0) * c < 0.5) continue;  // nothing dark on this chord
        auto at = [&](double s) {
            return SurfacePoint{x + static_cast<int>(std::lround(s * ux + q * wx)),
                                y + static_cast<int>(std::lround(s * uy + q * wy))};
        };
        surface.draw_line(at(-c), at(terminator * c));
    }
    select_color_pen(surface, style, MOON);
    draw_circle(surface, x, y, r);
    surface.restore_state();
    draw_body_name(surface, MOON, x, y);
    if (jet_trails != nullptr) draw_body(*jet_trails, style, MOON, x, y, r, false, jet_trails);
}
