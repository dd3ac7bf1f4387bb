#pragma once
// The day/night movie (module DN_MOVIE): a world map over the whole drawing
// area with the sunlit part of the Earth shown inverted against the part in
// darkness.  The map is equirectangular, 180 degrees West at the left edge;
// the daylight is painted on a grid of 321 columns of longitude (360 degrees
// to 321 columns) and 175 rows of latitude, entry 0 at the top (north).
#include <cstdint>

#include "engine/calendar.h"

class Surface;
struct GraphStyle;
struct MovieState;
struct SkyContext;

constexpr int DAYLIGHT_COLUMNS = 321;    // columns of longitude over 360 degrees
constexpr int DAYLIGHT_BANDS = 175;      // entries of the band table, north to south
constexpr int DAYLIGHT_NONE = -1;        // an entry without a computed half-width
constexpr int DAYLIGHT_FULL_WIDTH = 160; // half of 321 columns: the whole latitude lit

// Speed indices of the speed scale ("Real Time" ... "1 Month", then "Paused").
enum DayNightSpeed : int {
    DN_REAL_TIME = 0,
    DN_ONE_HOUR = 1,
    DN_ONE_DAY = 2,
    DN_ONE_WEEK = 3,
    DN_ONE_MONTH = 4,
    DN_PAUSED = 5,
};

// The simulated instant t (UT) one tick later at speed index speed_index:
// real time adds the clock's progress since the previous tick (both clock
// readings as Julian days); 1 hour, 1 day and 1 week add 1/24, 1 and 7 days;
// 1 month keeps the day of month and time of day in the next calendar month
// (a day beyond the new month's length runs on into the month after, so
// January 31 goes to early March); paused keeps t.
JulianDay day_night_step(JulianDay t, int speed_index, JulianDay clock_now, JulianDay clock_previous);

// The subsolar point's column, 0..321: the Sun's east longitude counted from
// 180 degrees West, ((ra - gst) * 15 + 180) brought into 0..360, times 321/360.
// sun_ra_hours and gst_hours are the Sun's right ascension and the Greenwich
// sidereal time at the same instant.
double subsolar_column(double sun_ra_hours, double gst_hours);

// The band table for the Sun's declination (degrees, either signed or kept in
// [0, 360)): bands[i] is the half-width, in columns, of the sunlit part of
// latitude row i (row 0 at the north edge), centred on the subsolar column,
// or DAYLIGHT_NONE where no light falls.  The terminator is traced as the
// great circle 90 degrees from the subsolar point; the pole turned to the Sun
// gets full-width entries (the polar cap).
void daylight_bands(double sun_declination, int bands[DAYLIGHT_BANDS]);

// One tick of the day/night movie (see draw_movie_frame): advances the time
// by sky.speed_index (frame 0 sets it from the dialog), stretches the world
// map data/WORLDMAP.PNG into movie.world_map when there is none of the
// drawing's size (an unreadable map is fatal, 859 naming the file), paints the daylight
// bands and the two status lines, combines the map with exclusive-or and
// copies the frame to the window inverted.
void day_night_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                     const GraphStyle& style, std::uint32_t frame);
