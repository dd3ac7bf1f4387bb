// The day/night movie (module DN_MOVIE).
#include "movies/day_night.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/clock.h"
#include "engine/angles.h"
#include "format/format.h"
#include "graphs/drawing.h"
#include "movies/movie.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

const char* const WORLD_MAP_FILE = "WORLDMAP.PNG";
constexpr double SUN_COLUMNS_PER_DEGREE = 0.8916666666666667;       // 321 / 360
constexpr double TERMINATOR_COLUMNS_PER_DEGREE = 0.8888888888888888;  // 320 / 360
constexpr double ROWS_PER_DEGREE = 0.9722222222222222;               // 175 / 180
constexpr int TERMINATOR_POINTS = 100;         // steps of 1.8 degrees from -90 to 90
constexpr int CAP_EXTRA_ENTRIES = 3;           // full-width entries added past the cap
constexpr int GRID_INTERVALS = DAYLIGHT_COLUMNS - 1;  // columns 0..320 span the width
constexpr int BAND_HEIGHT = 5;                 // logical units of 750 up; bands overlap a little

// Stores the half-width of a terminator point of grid row `row` (0 south ...
// 175 north): its entry is 175 - row, so that the half-width of latitude b
// lands on latitude -b, where by the antipodal symmetry of the terminator it
// is the sunlit half-width.  A column of 0 is stored as 1.
void store_band(int bands[], int row, int column) {
    const int entry = DAYLIGHT_BANDS - row;
    if (entry < 0 || entry >= DAYLIGHT_BANDS) return;
    bands[entry] = column == 0 ? 1 : column;
}

// The pole turned to the Sun (the north for d >= 0) is lit all round: the
// entries without a half-width from that edge inwards, and three more.
void complete_polar_cap(double sun_declination, int bands[]) {
    const bool north = fold_latitude(sun_declination) >= 0.0;
    const int step = north ? 1 : -1;
    int i = north ? 0 : DAYLIGHT_BANDS - 1;
    for (; i >= 0 && i < DAYLIGHT_BANDS && bands[i] == DAYLIGHT_NONE; i += step) bands[i] = DAYLIGHT_FULL_WIDTH;
    for (int n = 0; n < CAP_EXTRA_ENTRIES && i >= 0 && i < DAYLIGHT_BANDS; ++n, i += step)
        bands[i] = DAYLIGHT_FULL_WIDTH;
}

// One run of grid columns first..last of band entry i, as the logical
// rectangle it covers, with the pen and brush already selected.
void paint_run(Surface& frame, int entry, int first, int last) {
    const SurfaceSize space = graph_space(frame);
    const int left = first * space.width / GRID_INTERVALS;
    const int bottom = (DAYLIGHT_BANDS - entry) * space.height / DAYLIGHT_BANDS - 1;
    const int width = (last - first) * space.width / GRID_INTERVALS + 1;
    // Taller bands on a taller graph space, so that they still overlap.
    const int height = (BAND_HEIGHT * space.height + GRAPH_HEIGHT - 1) / GRAPH_HEIGHT;
    frame.draw_rectangle({left, bottom}, {left + width, bottom + height});
}

// The sunlit bands in the window-text colour: each entry's 2w columns centred
// on the subsolar column, wrapping round the right edge into a second piece.
// A full-width entry covers the whole width: its 320 columns of 321 would
// leave the one column behind the Sun unlit.
void paint_bands(Surface& frame, const int bands[], int sun_column, SurfaceColor color) {
    frame.save_state();
    frame.set_pen(color, 1);
    frame.set_brush(color);
    for (int i = 0; i < DAYLIGHT_BANDS; ++i) {
        const int w = bands[i];
        if (w == DAYLIGHT_NONE) continue;
        if (w >= DAYLIGHT_FULL_WIDTH) {
            paint_run(frame, i, 0, GRID_INTERVALS);
            continue;
        }
        const int first = (sun_column - w + DAYLIGHT_COLUMNS) % DAYLIGHT_COLUMNS;
        const int last = first + 2 * w;
        if (last <= GRID_INTERVALS) {
            paint_run(frame, i, first, last);
        } else {
            paint_run(frame, i, first, GRID_INTERVALS);
            paint_run(frame, i, 0, last - DAYLIGHT_COLUMNS);
        }
    }
    frame.restore_state();
}

// The world map stretched over the whole graph space of an image of
// the window's kind: white outlines on black.  The surface keeps images
// upright under the upward y axis, so the map's north stays at the top.
std::unique_ptr<Surface> prepare_world_map(Surface& window, int width, int height) {
    std::unique_ptr<Surface> map = window.create_image(width, height);
    if (!map) fatal_error(MSG_GDI_ERROR, "DN_MOVIE", __LINE__);
    const std::string path = data_file_path(WORLD_MAP_FILE);
    const std::unique_ptr<Surface> source = map->load_image(path);
    if (!source) fatal_error_text(file_error_text(MSG_CANNOT_LOAD_WORLD_MAP, path, 0), "DN_MOVIE", __LINE__);
    setup_drawing(*map, DRAWING_GRAPH, width, height, nullptr);
    const SurfaceColor black = surface_color(0, 0, 0);
    const SurfaceSize space = graph_space(*map);
    fill_rect(*map, 0, 0, space.width, space.height, black, black);
    map->draw_image(*source, {0, 0}, {space.width, space.height});
    return map;
}

// "Day/Night" (with "(Precise calculations)" from the precise engine) at y = 2h and the date, time and speed line at y = h, x = c,
// on a box of the window colour a character clear of them on the right and a
// quarter line above, so that no coastline runs through them.
void draw_status_lines(Surface& frame, JulianDay t, const SkyContext& sky, const GraphStyle& style) {
    double local_day = 0.0;
    int month = 0, year = 0;
    calendar_date(ut_to_clock(sky.location, t), local_day, month, year);
    const std::string date = format_date(static_cast<int>(local_day), month, year);
    const std::string time = format_hours_minutes(frac(local_day) * 24.0);
    const std::string speed(load_string(STR_FIRST_SPEED + sky.speed_index));
    char line[96];
    std::snprintf(line, sizeof line, std::string(load_string(STR_DAY_NIGHT_STATUS)).c_str(), date.c_str(),
                  time.c_str(), speed.c_str());
    std::string title(load_string(STR_DAY_NIGHT));
    if (sky.engine->precise) title += "  (" + std::string(load_string(STR_PRECISE_CALCULATIONS)) + ")";
    const int c = char_width(frame);
    const int h = line_height(frame);
    const int right = 2 * c + std::max(text_width(frame, title), text_width(frame, line));
    fill_rect(frame, 0, 2 * h + h / 4, right, 0, style.background, style.background);
    frame.draw_text({c, 2 * h}, title);
    frame.draw_text({c, h}, line);
}

}  // namespace

JulianDay day_night_step(JulianDay t, int speed_index, JulianDay clock_now, JulianDay clock_previous) {
    switch (speed_index) {
    case DN_REAL_TIME: return t + (clock_now - clock_previous);
    case DN_ONE_HOUR: return t + 1.0 / 24.0;
    case DN_ONE_DAY: return t + 1.0;
    case DN_ONE_WEEK: return t + 7.0;
    case DN_ONE_MONTH: {
        double day = 0.0;  // with the time of day as its fraction
        int month = 0, year = 0;
        calendar_date(t, day, month, year);
        if (++month > 12) {
            month = 1;
            ++year;
        }
        return julian_day(day, month, year);
    }
    default: return t;  // paused
    }
}

double subsolar_column(double sun_ra_hours, double gst_hours) {
    return normalize_degrees((sun_ra_hours - gst_hours) * 15.0 + 180.0) * SUN_COLUMNS_PER_DEGREE;
}

void daylight_bands(double sun_declination, int bands[DAYLIGHT_BANDS]) {
    std::fill(bands, bands + DAYLIGHT_BANDS, DAYLIGHT_NONE);
    // The terminator as a great circle: with the Sun turned to the pole of a
    // frame, the point of that frame's latitude phi lies at latitude b and at
    // a degrees of longitude from the subsolar meridian.
    const double s = sin_deg(-sun_declination);
    const double k = cos_deg(-sun_declination);
    int previous_row = 0, previous_column = 0;
    for (int n = 0; n <= TERMINATOR_POINTS; ++n) {
        const double phi = -90.0 + 1.8 * n;
        const double b = asin_deg(sin_deg(phi) * k);
        const double a = atan2_deg(-sin_deg(phi) * s, cos_deg(phi));
        const int column = static_cast<int>(a * TERMINATOR_COLUMNS_PER_DEGREE);
        const int row = static_cast<int>((b + 90.0) * -ROWS_PER_DEGREE + DAYLIGHT_BANDS);
        if (n > 0 && row != previous_row) {
            // Fill the rows from the previous point's up to (not including)
            // this one's along the line between their columns.
            const int q = (column - previous_column) / (row - previous_row);
            const int step = row > previous_row ? 1 : -1;
            for (int r = previous_row; r != row; r += step)
                store_band(bands, r, previous_column + round_to_int((r - previous_row) * q));
        } else if (n > 0) {
            store_band(bands, row, column);
        }
        previous_row = row;
        previous_column = column;
    }
    complete_polar_cap(sun_declination, bands);
}

void day_night_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                     const GraphStyle& style, std::uint32_t frame) {
    const JulianDay clock = movie_clock_now(movie);
    if (frame == 0)
        movie.time = movie.start_time = dialog_start_time(movie, sky.location);
    else
        movie.time = day_night_step(movie.time, sky.speed_index, clock, movie.clock_previous);
    movie.clock_previous = clock;
    if (!movie.world_map || movie.world_map->device_size() != SurfaceSize{width, height})
        movie.world_map = prepare_world_map(window, width, height);

    Surface& buffer = begin_frame(window, width, height, MOVIE_DAY_NIGHT, movie, style);
    const SunPlace sun = sky.engine->sun_place(movie.time, APPARENT_PLACE);
    const int sun_column = static_cast<int>(subsolar_column(sun.ra_hours, sky.engine->sidereal_time(movie.time)));
    int bands[DAYLIGHT_BANDS];
    daylight_bands(sun.dec, bands);
    paint_bands(buffer, bands, sun_column, style.colors[STYLE_WINDOW_TEXT]);

    // The map's white outlines flip what lies under them; the inverted copy
    // then shows the bands (text colour) light and the night dark, and the
    // status lines, drawn over the map, light on a dark box.
    buffer.copy_from(*movie.world_map, COPY_XOR);
    draw_status_lines(buffer, movie.time, sky, style);
    end_frame(window, buffer, COPY_INVERTED);
}
