// The Jupiter moons movies, side and top (module JM_MOVIE).
#include "movies/jupiter_moons_movie.h"

#include <cstdio>

#include "engine/bodies.h"
#include "graphs/drawing.h"
#include "movies/movie.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr double RADII_TO_EDGE = 30.0;  // Jupiter radii from the centre to the square's edge
constexpr int JUPITER_COLOR = id_of(Body::Jupiter);
constexpr int FIRST_MOON_COLOR = 16;    // Io; then Europa, Ganymede, Callisto

}  // namespace

double jupiter_moons_scale(int picture) {
    return (picture / 2) / RADII_TO_EDGE;
}

int jupiter_disc_radius(int picture) {
    return round_to_int(jupiter_moons_scale(picture));
}

SurfacePoint jupiter_moon_point(const JupiterSatellite& moon, bool top_view, int picture) {
    const int centre = picture / 2;
    const double k = jupiter_moons_scale(picture);
    return {round_to_int(centre - moon.x * k), centre - round_to_int((top_view ? moon.z : moon.y) * k)};
}

void jupiter_moons_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                         const GraphStyle& style, std::uint32_t frame) {
    const bool top = movie.kind == MOVIE_JUPITER_TOP;
    const MovieKind kind = top ? MOVIE_JUPITER_TOP : MOVIE_JUPITER_SIDE;
    const MovieParams& params = movie.params;
    step_movie_time(movie, kind, sky, frame);

    Surface& buffer = begin_frame(window, width, height, kind, movie, style);
    draw_status_panel(buffer, style, movie_panel(kind, movie), sky);
    outline_and_clip_picture(buffer, style);

    const JupiterSatellites moons = sky.engine->jupiter_satellites(movie.time);
    const int picture = picture_size(buffer);
    const int centre = picture / 2;
    const int c = char_width(buffer);
    const int h = line_height(buffer);
    if (top) draw_text_centered(buffer, centre, 5 * h / 4, load_string(STR_FIRST_BODY_NAME + id_of(Body::Earth)));
    const int disc = jupiter_disc_radius(picture);
    fill_disc(buffer, style, centre, centre, disc, JUPITER_COLOR, -1, false);
    Surface* trails = movie.jet_trails ? movie.trails.get() : nullptr;
    for (int i = 0; i < JUPITER_SATELLITE_COUNT; ++i) {
        if ((params.moon_set >> i & 1) == 0 || (!top && !moons[i].visible)) continue;
        const SurfacePoint at = jupiter_moon_point(moons[i], top, picture);
        if (params.label_planets != 0) {
            char number[4];
            std::snprintf(number, sizeof number, "%1d", i + 1);
            const int label_y = top && moons[i].z > 0.0 ? at.y + h : at.y - h;
            buffer.draw_text({at.x + c, label_y}, number);
        }
        fill_disc(buffer, style, at.x, at.y, disc / 3, FIRST_MOON_COLOR + i, -1, false);
        if (trails) {
            trails->save_state();
            select_color_pen(*trails, style, FIRST_MOON_COLOR + i);
            draw_circle(*trails, at.x, at.y, disc / 3);
            trails->restore_state();
        }
    }
    end_frame(window, buffer);
}
