// The movie framework (module MOVIES).
#include "movies/movie.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/clock.h"
#include "engine/angles.h"
#include "movies/binary_star.h"
#include "movies/day_night.h"
#include "movies/ecliptic.h"
#include "movies/jupiter_moons_movie.h"
#include "format/format.h"
#include "platform/messages.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr int PANEL_CHARACTERS = 22;  // status-panel width, in character widths
constexpr double TURBO_FACTOR = 1000.0;
constexpr double MINUTES_PER_DAY = 1440.0;

// An image of width x height pixels put in the graph mapping and filled with
// the window colour.
void clear_movie_image(Surface& image, int width, int height, const GraphStyle& style) {
    setup_drawing(image, DRAWING_GRAPH, width, height, &style);
    const SurfaceSize space = graph_space(image);
    fill_rect(image, 0, 0, space.width, space.height, style.background, style.background);
}

// The frame buffer or trail surface: a cleared image of the window's kind.
std::unique_ptr<Surface> make_movie_image(Surface& window, int width, int height, const GraphStyle& style,
                                          int failure_message) {
    std::unique_ptr<Surface> image = window.create_image(width, height);
    if (!image) fatal_error(failure_message, "MOVIES", __LINE__);
    clear_movie_image(*image, width, height, style);
    return image;
}

void set_picture_clip(Surface& surface) {
    const int side = picture_size(surface);
    surface.set_clip_rect({1, side - 1}, {side - 1, 1});
}

const char* panel_title(MovieKind kind) {
    switch (kind) {
    case MOVIE_PLANETARIUM: return "Planetarium";
    case MOVIE_JUPITER_SIDE:
    case MOVIE_JUPITER_TOP: return "Jupiter & Moons";
    case MOVIE_BINARY_STAR: return "Binary Star";
    default: return "Ecliptic";
    }
}

std::string time_speed_line(const StatusPanel& panel, int time_speed) {
    char line[40];
    if (panel.paused) std::snprintf(line, sizeof line, "Time Speed: %s", "Paused");
    else std::snprintf(line, sizeof line, "Time Speed: %3d", time_speed);
    return line;
}

std::string view_angle_line(double view_angle) {
    return "View Angle: " + format_fixed(view_angle, 2, 2) + "\xB0";
}

// The planetarium's own lines 5, 6 and 9..17.
void planetarium_lines(const StatusPanel& panel, const SkyContext& sky, std::string lines[]) {
    const double gst = sky.engine->sidereal_time(panel.time);
    lines[5] = "GST:  " + format_angle(gst, false);
    lines[6] = "LST:  " + format_angle(gst_to_lst(gst, sky.location), false);
    lines[7] = "Julian Date (UT)";
    lines[8] = format_fixed(panel.time, 8, 2);
    lines[9] = "RA:  " + format_angle(panel.ra_hours, false);
    lines[10] = "DEC: " + format_angle(panel.declination, true);
    double azimuth = sky.view_azimuth, altitude = sky.view_altitude;
    if (!panel.horizon_view) {
        const Horizontal h =
            sky.engine->equatorial_to_horizontal(panel.time, {panel.ra_hours, panel.declination}, sky.location);
        azimuth = h.azimuth;
        altitude = h.altitude;
    }
    lines[12] = "Alt: " + format_angle(altitude, true);
    lines[13] = "Azi:" + format_angle(azimuth, true) + " (" + compass_point(azimuth) + ")";
    lines[14] = view_angle_line(sky.view_angle);
    lines[15] = time_speed_line(panel, sky.time_speed);
    lines[16] = sky.turbo ? "Turbo is On" : "Turbo is Off";
    lines[17] = panel.tracking ? "Tracking is On" : "Tracking is Off";
}

}  // namespace

int picture_size(Surface& surface) {
    // 22 characters measured as one text rather than 22 times a width rounded
    // down to whole logical units, so that the panel's longest lines ("Precise
    // calculations", the azimuth with its compass point) fit at any scale.
    const SurfaceSize space = graph_space(surface);
    return std::min(space.height, space.width - text_width(surface, std::string(PANEL_CHARACTERS, '0')));
}

int status_line_y(Surface& surface, int base, int line) {
    return base + line_height(surface) * (1 - line);
}

JulianDay movie_start_time(int day, int month, int year, double local_hours, const Location& location) {
    const JulianDay reading = julian_day(day, month, year) + local_hours / 24.0;
    return julian_day(day, month, year) + (local_hours - reading_offset_hours(location, reading)) / 24.0;
}

JulianDay dialog_start_time(const MovieState& movie, const Location& location) {
    const MovieParams& p = movie.params;
    return movie_start_time(p.day, p.month, p.year, p.hour + p.minute / 60.0, location);
}

JulianDay movie_clock_now(const MovieState& movie) {
    return movie.seconds_per_tick > 0.0 ? movie.clock_previous + movie.seconds_per_tick / 86400.0 : ut_now();
}

JulianDay step_clock_time(JulianDay t, JulianDay clock_now, JulianDay clock_previous, int time_speed, bool turbo) {
    const double factor = turbo ? time_speed * TURBO_FACTOR : time_speed;
    return t + (clock_now - clock_previous) * factor;
}

double movie_time_step(MovieKind kind, int time_speed) {
    switch (kind) {
    case MOVIE_ECLIPTIC_TOP:
    case MOVIE_ECLIPTIC_SIDE: return time_speed;
    case MOVIE_JUPITER_SIDE:
    case MOVIE_JUPITER_TOP: return time_speed / MINUTES_PER_DAY;
    default: return 0.0;
    }
}

void step_movie_time(MovieState& movie, MovieKind kind, const SkyContext& sky, std::uint32_t frame) {
    if (movie.drawing_copy) return;
    if (frame == 0) movie.time = movie.start_time = dialog_start_time(movie, sky.location);
    else movie.time += movie_time_step(kind, sky.time_speed);
}

void start_movie(MovieState& movie, MovieKind kind, const MovieParams& params, StarCatalogue* catalogue) {
    movie.kind = kind;
    movie.params = params;
    movie.catalogue = catalogue;
    movie.planetarium = PlanetariumState{};
    movie.planetarium.tracking = params.planetarium_not_tracking ? TRACKING_START : TRACKING_ON;
    discard_movie_trails(movie);
}

void discard_movie_trails(MovieState& movie) {
    movie.frame_buffer.reset();
    movie.trails.reset();
    movie.world_map.reset();
}

Surface& begin_frame(Surface& window, int width, int height, MovieKind kind, MovieState& movie,
                     const GraphStyle& style) {
    if (movie.drawing_copy) {
        clear_movie_image(window, width, height, style);
        window.save_state();
        const SurfaceSize space = graph_space(window);
        if (movie.jet_trails && movie.trails) window.draw_image(*movie.trails, {0, 0}, {space.width, space.height});
        return window;
    }
    std::unique_ptr<Surface>& frame = movie.frame_buffer;
    if (!frame || frame->device_size() != SurfaceSize{width, height})
        frame = make_movie_image(window, width, height, style, MSG_GDI_ERROR);
    else
        clear_movie_image(*frame, width, height, style);
    frame->save_state();  // end_frame brings it back, dropping this frame's clip region
    if (movie.jet_trails) {
        if (!movie.trails) {
            movie.trails = make_movie_image(window, width, height, style, MSG_NO_TRAIL_MEMORY);
            if (kind != MOVIE_ECLIPTIC_SIDE) set_picture_clip(*movie.trails);
        }
        frame->copy_from(*movie.trails, COPY_SOURCE);
    }
    return *frame;
}

void outline_and_clip_picture(Surface& frame, const GraphStyle& style) {
    const int side = picture_size(frame);
    draw_frame(frame, 0, 0, side, side, true, style.colors[STYLE_WINDOW_TEXT]);
    set_picture_clip(frame);
}

void end_frame(Surface& window, Surface& frame, CopyMode mode) {
    if (&frame != &window) window.copy_from(frame, mode);
    frame.restore_state();
}

StatusPanel movie_panel(MovieKind kind, const MovieState& movie) {
    StatusPanel panel;
    panel.kind = kind;
    panel.paused = movie.paused;
    panel.time = movie.time;
    return panel;
}

void draw_status_panel(Surface& frame, const GraphStyle& style, const StatusPanel& panel, const SkyContext& sky) {
    constexpr int LINES = 19;  // lines 1..18; index 0 unused
    std::string lines[LINES];
    double local_day = 0.0;
    int month = 0, year = 0;
    calendar_date(ut_to_clock(sky.location, panel.time), local_day, month, year);
    lines[1] = panel_title(panel.kind);
    lines[3] = "Date: " + format_date(static_cast<int>(local_day), month, year);
    lines[4] = "Time: " + format_hours_minutes(frac(local_day) * 24.0);
    switch (panel.kind) {
    case MOVIE_PLANETARIUM:
        planetarium_lines(panel, sky, lines);
        break;
    case MOVIE_BINARY_STAR:
        lines[2] = panel.star_name;
        [[fallthrough]];
    case MOVIE_ECLIPTIC_TOP:
        lines[6] = "Julian Date (UT)";
        lines[7] = format_fixed(panel.time, 8, 2);
        lines[11] = view_angle_line(sky.view_angle);
        lines[12] = time_speed_line(panel, sky.time_speed);
        if (panel.kind == MOVIE_BINARY_STAR) {
            lines[8] = "Theta: " + format_fixed(panel.position_angle, 5, 1) + "\xB0";
            lines[9] = "Rho: " + format_fixed(panel.separation, 5, 3) + "\"";
        }
        break;
    case MOVIE_ECLIPTIC_SIDE:
    case MOVIE_JUPITER_SIDE:
    case MOVIE_JUPITER_TOP:
        lines[6] = "Julian Date (UT)";
        lines[7] = format_fixed(panel.time, 8, 2);
        lines[9] = time_speed_line(panel, sky.time_speed);
        if (panel.kind != MOVIE_ECLIPTIC_SIDE) {
            lines[11] = "1:  Io";
            lines[12] = "2:  Europa";
            lines[13] = "3:  Ganymede";
            lines[14] = "4:  Callisto";
        }
        break;
    case MOVIE_DAY_NIGHT: break;  // it draws its own two lines
    }
    if (sky.engine->precise)
        lines[panel.kind == MOVIE_BINARY_STAR ? 14 : 2] = load_string(STR_PRECISE_CALCULATIONS);
    // Below the planetarium's last line; in the ecliptic views on line 10, free
    // in both and above the side view's strip.
    if (panel.pluto_approximate)
        lines[panel.kind == MOVIE_PLANETARIUM ? 18 : 10] = load_string(STR_PLUTO_APPROXIMATE);
    frame.save_state();
    frame.set_text_color(style.colors[STYLE_WINDOW_TEXT]);
    frame.set_background(style.background);
    frame.set_background_opaque(true);
    const int x = picture_size(frame) + char_width(frame);
    const int base =
        panel.kind == MOVIE_ECLIPTIC_SIDE ? graph_space(frame).height - line_height(frame) : picture_size(frame);
    for (int n = 1; n < LINES; ++n)
        if (!lines[n].empty()) frame.draw_text({x, status_line_y(frame, base, n)}, lines[n]);
    frame.restore_state();
}

void draw_movie_frame(Surface& target, int width, int height, MovieState& movie, SkyContext& sky,
                      const GraphStyle& style, std::uint32_t frame) {
    using FrameFunction = void (*)(Surface&, int, int, MovieState&, SkyContext&, const GraphStyle&, std::uint32_t);
    // By MovieKind.
    static constexpr FrameFunction FRAMES[] = {
        planetarium_frame,   ecliptic_frame,  ecliptic_frame,    jupiter_moons_frame,
        jupiter_moons_frame, day_night_frame, binary_star_frame,
    };
    setup_drawing(target, DRAWING_GRAPH, width, height, nullptr);
    FRAMES[movie.kind](target, width, height, movie, sky, style, frame);
}

void draw_movie_copy(Surface& target, int width, int height, MovieState& movie, SkyContext sky,
                     const GraphStyle& style, std::uint32_t frame) {
    if (!movie.frame_buffer) return;
    if (movie.kind == MOVIE_DAY_NIGHT) {
        setup_drawing(target, DRAWING_TEXT, width, height, nullptr);
        target.draw_image(*movie.frame_buffer, {0, 0}, {width, height});
        return;
    }
    movie.drawing_copy = true;
    draw_movie_frame(target, width, height, movie, sky, style, frame);
    movie.drawing_copy = false;
}
