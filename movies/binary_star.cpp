// The binary star movie (module BS_MOVIE).
#include "movies/binary_star.h"

#include <algorithm>
#include <string>

#include "engine/angles.h"
#include "engine/calendar.h"
#include "graphs/drawing.h"
#include "movies/movie.h"
#include "platform/messages.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int STYLE_MAIN_STAR = 12;
constexpr int STYLE_COMPANION = 13;
// At view angle v a separation of v / 2.5 arc seconds reaches the circle.
constexpr double SEPARATION_SCALE = 2.5;

// P (years), T (year), omega, e, a (arc seconds), i, Omega (degrees), name.
const BinaryStarOrbit ORBITS[BINARY_STAR_COUNT] = {
    {41.623, 1934.008, 219.907, 0.2763, 0.907, 59.025, 23.717, 94},   // eta Coronae Borealis
    {171.37, 1836.433, 252.88, 0.8808, 3.746, 146.05, 31.78, 95},     // gamma Virginis
    {480.0, 1889.6, 268.59, 0.497, 11.9939, 34.76, 278.42, 96},       // eta Cassiopeiae
    {1508.6, 2070.6, 47.3, 0.07, 2.728, 72.0, 155.5, 97},             // zeta Orionis
    {50.09, 1894.13, 147.27, 0.5923, 7.5, 136.53, 44.57, 98},         // Sirius
    {1200.0, 1437.0, 57.19, 0.11, 6.9753, 63.28, 18.38, 99},          // delta Geminorum
    {420.07, 1965.3, 261.43, 0.33, 6.295, 115.94, 40.47, 100},        // Castor
    {40.65, 1927.6, 269.8, 0.4, 4.548, 35.7, 284.3, 101},             // Procyon
    {79.92, 1955.56, 231.56, 0.516, 17.583, 79.24, 204.868, 102},     // alpha Centauri
    {900.0, 1889.0, 0.0, 0.0, 3.21, 86.3, 273.0, 103},                // Antares
};

// The compass letter of string id (its first character) with its top-left
// corner at (x, y).
void draw_compass_letter(Surface& frame, int id, int x, int y) {
    frame.draw_text({x, y}, load_string(id).substr(0, 1));
}

// Axes, circle and compass letters about the centre (r, r) in the
// window-text colour; east is on the left as on the sky.
void draw_sky_frame(Surface& frame, const GraphStyle& style, int r) {
    const int c = char_width(frame);
    const int h = line_height(frame);
    frame.save_state();
    select_color_pen(frame, style, STYLE_WINDOW_TEXT);
    draw_line(frame, r, 0, r, 2 * r);
    draw_line(frame, 0, r, 2 * r, r);
    draw_circle(frame, r, r, r);
    frame.set_text_color(style.colors[STYLE_WINDOW_TEXT]);
    draw_compass_letter(frame, STR_COMPASS_FIRST + 0, r - c / 2, r - h / 2 + r);
    draw_compass_letter(frame, STR_COMPASS_FIRST + 4, r - c / 2, r + 3 * h / 2 - r);
    draw_compass_letter(frame, STR_COMPASS_FIRST + 2, r + c / 2 - r, r + h / 2);
    draw_compass_letter(frame, STR_COMPASS_FIRST + 6, r - 3 * c / 2 + r, r + h / 2);
    frame.restore_state();
}

}  // namespace

const BinaryStarOrbit& binary_star_orbit(int row) {
    if (row < 0 || row >= BINARY_STAR_COUNT) fatal_error(MSG_INTERNAL_ERROR, "BS_MOVIE", __LINE__);
    return ORBITS[row];
}

void binary_star_position(double year, double& theta, double& rho, int row) {
    const BinaryStarOrbit& orbit = binary_star_orbit(row);
    const double e = orbit.eccentricity;
    const double mean_anomaly = normalize_degrees(360.0 / orbit.period * (year - orbit.periastron));
    const double eccentric_anomaly = solve_kepler(mean_anomaly, e);
    const double r = radius_vector(orbit.semi_major_axis, e, eccentric_anomaly);
    // At E = 180 the half-angle formula meets tan 90: the companion is then at apastron.
    const double nu =
        eccentric_anomaly > 179.5 && eccentric_anomaly < 180.5 ? 180.0 : true_anomaly(e, eccentric_anomaly);
    // Project the orbit onto the sky: u is the argument of latitude, counted
    // in the orbit plane from the node.
    const double u = orbit.periastron_argument + nu;
    theta = normalize_degrees(atan2_deg(cos_deg(u), sin_deg(u) * cos_deg(orbit.inclination)) + orbit.node);
    rho = r * cos_deg(u) / cos_deg(theta - orbit.node);
}

int step_binary_star_year(int year, int time_speed) {
    const int next = year + time_speed;
    if (next > BINARY_STAR_FIRST_YEAR && next < BINARY_STAR_LAST_YEAR) return next;
    return year < 1 ? BINARY_STAR_FIRST_YEAR : BINARY_STAR_LAST_YEAR;
}

void binary_star_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                       const GraphStyle& style, std::uint32_t frame) {
    const int row = movie.params.binary_star;
    if (!movie.drawing_copy)
        movie.year = frame == 0 ? movie.params.binary_star_year : step_binary_star_year(movie.year, sky.time_speed);
    double theta = 0.0, rho = 0.0;
    binary_star_position(movie.year, theta, rho, row);
    movie.time = julian_day(1.0, 1, movie.year);

    Surface& buffer = begin_frame(window, width, height, MOVIE_BINARY_STAR, movie, style);
    StatusPanel panel = movie_panel(MOVIE_BINARY_STAR, movie);
    panel.position_angle = theta;
    panel.separation = rho;
    panel.star_name = std::string(load_string(binary_star_orbit(row).name_id));
    draw_status_panel(buffer, style, panel, sky);
    outline_and_clip_picture(buffer, style);

    const int r = picture_size(buffer) / 2;
    const int c = char_width(buffer);
    draw_sky_frame(buffer, style, r);
    // Position angle 0 is straight up (north), 90 to the left (east).
    // A companion far outside the circle is clipped wherever it lies; within
    // twice the picture its point stays in int range.
    const double d = std::min(r / sky.view_angle * rho * SEPARATION_SCALE, 4.0 * r);
    const int x = static_cast<int>(r - d * cos_deg(theta - 90.0));
    const int y = static_cast<int>(r - d * sin_deg(theta - 90.0));
    fill_disc(buffer, style, r, r, c, STYLE_MAIN_STAR, -1, false);
    fill_disc(buffer, style, x, y, c, STYLE_COMPANION, -1, false);
    if (movie.jet_trails && movie.trails) {
        Surface& trails = *movie.trails;
        trails.save_state();
        select_color_pen(trails, style, STYLE_COMPANION);
        draw_circle(trails, x, y, c);
        trails.restore_state();
    }
    end_frame(window, buffer);
}
