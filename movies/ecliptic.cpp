// The ecliptic movies, top and side (module EC_MOVIE).
#include "movies/ecliptic.h"

#include <algorithm>
#include <string>

#include "engine/angles.h"
#include "engine/approximate_places.h"
#include "engine/bodies.h"
#include "format/format.h"
#include "graphs/drawing.h"
#include "movies/movie.h"
#include "resources/strings.h"

const ZodiacSign ZODIAC_SIGNS[ZODIAC_SIGN_COUNT] = {
    {506, 52, 12},   // Ari
    {577, 89, 18},   // Tau
    {537, 117, 14},  // Gem
    {511, 137, 10},  // Cnc
    {545, 173, 18},  // Leo
    {585, 217, 22},  // Vir
    {548, 240, 11},  // Lib
    {572, 247, 3},   // Sco
    {558, 266, 9},   // Oph
    {571, 299, 16},  // Sgr
    {515, 327, 14},  // Cap
    {503, 351, 12},  // Aqr
    {565, 28, 18},   // Psc
};

namespace {

constexpr double TOP_SCALE_AT_90 = 0.02;  // picture half-sides per AU at view angle 90
constexpr double STRIP_LATITUDE = 18.0;   // degrees at the side strip's top and bottom edges
constexpr double PISCES_AGAIN = 355.5;    // Pisces spans both ends of the strip

// The top view's point at distance rho (logical units) from the centre
// (centre, centre) in the direction of ecliptic longitude L: 0 straight up,
// increasing counter-clockwise.
SurfacePoint polar_point(int centre, double rho, double longitude) {
    return {round_to_int(centre - rho * sin_deg(longitude)), round_to_int(centre + rho * cos_deg(longitude))};
}

// A text centred horizontally on x and vertically on y.
void draw_text_centred_on(Surface& surface, int x, int y, std::string_view text) {
    draw_text_centered(surface, x, y + text_height(surface, text) / 2, text);
}

void draw_top_background(Surface& frame, const GraphStyle& style) {
    const int picture = picture_size(frame);
    const int centre = picture / 2;
    const int c = char_width(frame);
    frame.save_state();
    select_color_pen(frame, style, STYLE_WINDOW_TEXT);
    for (const ZodiacSign& sign : ZODIAC_SIGNS) {
        const SurfacePoint end = polar_point(centre, centre, sign.ends_at);
        draw_line(frame, centre, centre, end.x, end.y);
        const SurfacePoint label = polar_point(centre, centre - 3 * c, zodiac_label_longitude(sign));
        draw_text_centred_on(frame, label.x, label.y, load_string(sign.name_id));
    }
    draw_circle(frame, centre, centre, centre);
    frame.restore_state();
    draw_body(frame, style, id_of(Body::Sun), centre, centre, 2 * c, false, nullptr);
}

void draw_side_background(Surface& frame, const GraphStyle& style, const EclipticStrip& strip) {
    const int c = char_width(frame);
    const int h = line_height(frame);
    const int right = strip.left + strip.width;
    const int bottom = strip.top - strip.height;
    const int middle = strip.top - strip.height / 2;
    draw_frame(frame, strip.left, strip.top, right, bottom, false, style.colors[STYLE_WINDOW_TEXT]);
    frame.save_state();
    select_color_pen(frame, style, STYLE_WINDOW_TEXT);
    draw_line(frame, strip.left, middle, right, middle);
    const struct { double latitude; int y; } levels[] = {
        {STRIP_LATITUDE, strip.top}, {-STRIP_LATITUDE, bottom}, {0.0, middle}};
    for (const auto& level : levels)
        frame.draw_text({right + c, level.y + h / 2}, format_fixed(level.latitude, 3, 1) + "\xB0");
    auto label = [&](double longitude, int name_id) {
        draw_text_centered(frame, ecliptic_side_point(strip, longitude, 0.0).x, bottom - 2 * h, load_string(name_id));
    };
    for (const ZodiacSign& sign : ZODIAC_SIGNS) {
        const int x = ecliptic_side_point(strip, sign.ends_at, 0.0).x;
        draw_line(frame, x, strip.top, x, bottom);
        label(zodiac_label_longitude(sign), sign.name_id);
    }
    label(PISCES_AGAIN, ZODIAC_SIGNS[ZODIAC_SIGN_COUNT - 1].name_id);
    frame.restore_state();
}

}  // namespace

int zodiac_label_longitude(const ZodiacSign& sign) {
    const int longitude = sign.ends_at - sign.label_back;
    return longitude < 0 ? longitude + 360 : longitude;
}

EclipticPlace ecliptic_place(const SkyEngine& engine, int body, JulianDay t) {
    EclipticPlace place;
    if (body == id_of(Body::Earth)) {
        const SunPlace sun = engine.sun_place(t, GEOMETRIC_PLACE);
        place.radius = sun.distance_au;
        place.longitude = normalize_degrees(sun.longitude + 180.0);
    } else {
        const PlanetPlace planet = engine.planet_place(body, t, PLANET_WITHOUT_EQUATORIAL);
        place.latitude = planet.helio_latitude;
        place.radius = planet.radius_au;
        place.longitude = normalize_degrees(planet.helio_longitude);
    }
    if (place.longitude >= 360.0) place.longitude -= 360.0;  // -0 comes back as 360
    return place;
}

double ecliptic_top_scale(double view_angle, int picture) {
    return TOP_SCALE_AT_90 * (90.0 / view_angle) * (picture / 2);
}

SurfacePoint ecliptic_top_point(double longitude, double radius, double view_angle, int picture) {
    // A body far outside the square is clipped wherever it lies; keeping its
    // distance within twice the picture keeps the point in int range.
    const double distance = std::min(radius * ecliptic_top_scale(view_angle, picture), 2.0 * picture);
    return polar_point(picture / 2, distance, longitude);
}

EclipticStrip ecliptic_strip(int char_width, int line_height, SurfaceSize space) {
    return {9 * char_width, space.width - 18 * char_width, space.height - 12 * line_height,
            space.height - 16 * line_height};
}

SurfacePoint ecliptic_side_point(const EclipticStrip& strip, double longitude, double latitude) {
    const int x = round_to_int(strip.left + strip.width * longitude / 360.0);
    const double up = tan_deg(-latitude) / tan_deg(STRIP_LATITUDE) + 1.0;
    return {x, strip.top - round_to_int(up * strip.height / 2.0)};
}

void ecliptic_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                    const GraphStyle& style, std::uint32_t frame) {
    const bool top = movie.kind == MOVIE_ECLIPTIC_TOP;
    const MovieKind kind = top ? MOVIE_ECLIPTIC_TOP : MOVIE_ECLIPTIC_SIDE;
    const MovieParams& params = movie.params;
    step_movie_time(movie, kind, sky, frame);

    Surface& buffer = begin_frame(window, width, height, kind, movie, style);
    const EclipticStrip strip = ecliptic_strip(char_width(buffer), line_height(buffer), graph_space(buffer));
    if (top) draw_top_background(buffer, style);
    else draw_side_background(buffer, style, strip);
    StatusPanel panel = movie_panel(kind, movie);
    panel.pluto_approximate = pluto_approximate(*sky.engine, params.planet_set, movie.time, movie.time);
    draw_status_panel(buffer, style, panel, sky);
    if (top) outline_and_clip_picture(buffer, style);

    const int picture = picture_size(buffer);
    const int radius = char_width(buffer) / 2;
    Surface* trails = movie.jet_trails ? movie.trails.get() : nullptr;
    for (int body = id_of(Body::Earth); body <= id_of(Body::Pluto); ++body) {
        if (!params.planet_set.contains(body)) continue;
        const EclipticPlace place = ecliptic_place(*sky.engine, body, movie.time);
        const SurfacePoint at = top ? ecliptic_top_point(place.longitude, place.radius, sky.view_angle, picture)
                                    : ecliptic_side_point(strip, place.longitude, place.latitude);
        draw_body(buffer, style, body, at.x, at.y, radius, params.label_planets != 0, trails,
                  panel.pluto_approximate && body == id_of(Body::Pluto));
    }
    end_frame(window, buffer);
}
