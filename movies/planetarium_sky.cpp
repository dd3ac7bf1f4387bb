// The planetarium's deeper sky: atlas stars, constellations, ground (see
// planetarium_sky.h).
#include "movies/planetarium_sky.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/angles.h"
#include "engine/sky_engine.h"
#include "graphs/drawing.h"
#include "movies/sky_atlas.h"
#include "platform/surface.h"

namespace {

constexpr double NAMED_STAR_MAGNITUDE = 2.0;  // --star-names: the stars brighter than this

void apparent_direction(const SkyEngine& engine, const SkyPoint& place, JulianDay t, double direction[3]) {
    const Equatorial seen = engine.star_place(2000, {place.ra_hours, place.dec_degrees}, t);
    sky_unit_vector(seen.ra_hours, seen.dec, direction);
}

void place_point(PlacedPoint& point, const SkyView& view) {
    const ScreenPlace place = project_on_view(view, point.direction);
    point.x = place.x;
    point.y = place.y;
    point.visible = place.in_view && place.x >= 0 && place.x <= view.picture && place.y >= 0 &&
                    place.y <= view.picture;
    const PicturePoint exact = picture_point(view, point.direction);
    point.in_front = exact.in_front;
    point.above_horizon = !view.horizon || horizontal_place(view, point.direction).altitude >= 0.0;
    if (point.in_front) {  // lines end where the view puts them, not where an in-view test would
        point.x = static_cast<int>(std::lround(exact.x));
        point.y = static_cast<int>(std::lround(exact.y));
    }
}

// A figure's segment from a corner above the horizon to one below it, drawn
// up to the horizon: the point of the chord between them at altitude 0.
void draw_to_horizon(Surface& frame, const SkyView& view, const PlacedPoint& above, const PlacedPoint& below) {
    const double a = horizontal_place(view, above.direction).altitude;
    const double b = horizontal_place(view, below.direction).altitude;
    const double t = sin_deg(a) / (sin_deg(a) - sin_deg(b));  // the chord's height is linear in t
    double crossing[3];
    for (int i = 0; i < 3; ++i) crossing[i] = above.direction[i] + t * (below.direction[i] - above.direction[i]);
    const double length = std::sqrt(dot3(crossing, crossing));
    for (double& c : crossing) c /= length;
    const PicturePoint end = picture_point(view, crossing);
    draw_line(frame, above.x, above.y, static_cast<int>(std::lround(end.x)), static_cast<int>(std::lround(end.y)));
}

}  // namespace

int atlas_star_count(const SkyAtlas& atlas, double magnitude_limit) {
    int count = 0;
    while (count < static_cast<int>(atlas.stars.size()) && atlas.stars[count].magnitude <= magnitude_limit) ++count;
    return count;
}

void refresh_atlas(const SkyEngine& engine, const SkyAtlas& atlas, double magnitude_limit, JulianDay t,
                   PlanetariumState& state) {
    state.atlas_stars.resize(static_cast<std::size_t>(atlas_star_count(atlas, magnitude_limit)));
    for (std::size_t i = 0; i < state.atlas_stars.size(); ++i)
        apparent_direction(engine, atlas.stars[i].place, t, state.atlas_stars[i].direction);
    state.figure_points.clear();
    state.constellation_labels.clear();
    for (const Constellation& constellation : atlas.constellations) {
        state.constellation_labels.emplace_back();
        apparent_direction(engine, constellation.label, t, state.constellation_labels.back().direction);
        for (const auto& polyline : constellation.figure)
            for (const SkyPoint& corner : polyline) {
                state.figure_points.emplace_back();
                apparent_direction(engine, corner, t, state.figure_points.back().direction);
            }
    }
}

void place_atlas(PlanetariumState& state, const SkyView& view) {
    for (auto* points : {&state.atlas_stars, &state.figure_points, &state.constellation_labels})
        for (PlacedPoint& point : *points) place_point(point, view);
}

void draw_constellations(Surface& frame, const GraphStyle& style, const SkyAtlas& atlas,
                         const PlanetariumState& state, const SkyView& view) {
    frame.save_state();
    frame.set_pen(style.figure_lines, 1);
    std::size_t corner = 0;
    for (const Constellation& constellation : atlas.constellations)
        for (const auto& polyline : constellation.figure) {
            for (std::size_t i = 0; i + 1 < polyline.size() && corner + i + 1 < state.figure_points.size(); ++i) {
                const PlacedPoint& a = state.figure_points[corner + i];
                const PlacedPoint& b = state.figure_points[corner + i + 1];
                if (a.in_front && b.in_front && a.above_horizon && b.above_horizon)
                    draw_line(frame, a.x, a.y, b.x, b.y);
                else if (a.in_front && b.in_front && (a.above_horizon || b.above_horizon))
                    draw_to_horizon(frame, view, a.above_horizon ? a : b, a.above_horizon ? b : a);
            }
            corner += polyline.size();
        }
    frame.set_text_color(style.figure_names);
    frame.set_background_opaque(false);
    for (std::size_t i = 0; i < atlas.constellations.size() && i < state.constellation_labels.size(); ++i) {
        const PlacedPoint& label = state.constellation_labels[i];
        if (label.visible) draw_text_centered(frame, label.x, label.y, atlas.constellations[i].name);
    }
    frame.restore_state();
}

void draw_atlas_stars(Surface& frame, const GraphStyle& style, const SkyAtlas& atlas, const PlanetariumState& state,
                      bool names, Surface* trails) {
    for (std::size_t i = 0; i < state.atlas_stars.size(); ++i) {
        const PlacedPoint& star = state.atlas_stars[i];
        if (!star.visible) continue;
        const int radius = star_dot_radius(atlas.stars[i].magnitude);
        draw_star(frame, style, star.x, star.y, radius);
        if (trails) draw_star(*trails, style, star.x, star.y, radius);
    }
    if (!names) return;
    frame.save_state();
    frame.set_text_color(style.figure_names);
    frame.set_background_opaque(false);
    const int gap = char_width(frame) / 2;
    for (std::size_t i = 0; i < state.atlas_stars.size(); ++i) {
        const AtlasStar& star = atlas.stars[i];
        const PlacedPoint& place = state.atlas_stars[i];
        if (!place.visible || star.name.empty() || star.magnitude >= NAMED_STAR_MAGNITUDE) continue;
        // Beside the dot, centred on its height (text hangs below its y).
        frame.draw_text({place.x + star_dot_radius(star.magnitude) + gap, place.y + text_height(frame, star.name) / 2},
                        star.name);
    }
    frame.restore_state();
}

void draw_ground(Surface& frame, const GraphStyle& style, const SkyView& view, double view_altitude) {
    const HorizonCircle horizon = horizon_circle(view, view_altitude);
    // The ground is what lies below the horizon's arc across the picture (the
    // circle is always wider than the picture, its top above it): a polygon
    // along the arc, closed below the picture, so that jet trails and
    // whatever is drawn in the sky stay.
    constexpr int ARC_POINTS = 240;
    const double margin = 2.0, low = -margin, left = -margin, right = view.picture + margin;
    std::vector<SurfacePoint> ground;
    if (horizon.straight) {
        ground = {{static_cast<int>(left), static_cast<int>(horizon.y)},
                  {static_cast<int>(right), static_cast<int>(horizon.y)}};
    } else {
        const double reach = std::acos(std::fmin(1.0, (right - horizon.x) / horizon.radius));
        for (int i = 0; i <= ARC_POINTS; ++i) {
            // From the left edge round the circle's lower side to the right edge.
            const double t = M_PI + reach + (M_PI - 2.0 * reach) * i / ARC_POINTS;
            ground.push_back({static_cast<int>(std::lround(horizon.x + horizon.radius * std::cos(t))),
                              static_cast<int>(std::lround(std::fmax(low, horizon.y + horizon.radius * std::sin(t))))});
        }
    }
    ground.push_back({static_cast<int>(right), static_cast<int>(low)});
    ground.push_back({static_cast<int>(left), static_cast<int>(low)});
    frame.save_state();
    frame.set_pen(style.ground, 1);
    frame.set_brush(style.ground);
    frame.draw_polygon(ground);
    frame.restore_state();
}

void draw_compass_points(Surface& frame, const GraphStyle& style, const SkyView& view) {
    static const char* const POINTS[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    frame.save_state();
    frame.set_text_color(style.colors[STYLE_WINDOW_TEXT]);
    frame.set_background_opaque(false);
    frame.set_pen(style.colors[STYLE_WINDOW_TEXT], 1);
    const int tick = char_width(frame) / 2;
    for (int i = 0; i < 8; ++i) {
        double direction[3];
        direction_of_horizontal(view, 0.0, 45.0 * i, direction);
        const PicturePoint point = picture_point(view, direction);
        if (!point.in_front || point.x < 0 || point.x > view.picture || point.y < 0 || point.y > view.picture)
            continue;
        const int x = static_cast<int>(std::lround(point.x)), y = static_cast<int>(std::lround(point.y));
        draw_line(frame, x, y, x, y - tick);
        draw_text_centered(frame, x, y - tick, POINTS[i]);
    }
    frame.restore_state();
}
