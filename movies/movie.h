#pragma once
// The movie framework (module MOVIES): what the six movies share.  A movie is
// drawn one frame per 250 ms tick in the graph space (W x H, graph_space;
// 1000 x 750 on a 4 : 3 picture): a square
// picture of side S anchored at the origin and a status panel of text lines
// to its right.  Every frame is drawn whole on an off-screen image and copied
// to the window in one transfer, so the picture never flickers.  The image is
// kept between frames and cleared for each rather than made anew.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/location.h"
#include "engine/sky_context.h"
#include "graphs/drawing.h"
#include "movies/planetarium.h"
#include "platform/surface.h"

struct SkyAtlas;
struct StarCatalogue;

// Numbers the movies for the shared frame buffer and status panel.
enum MovieKind : int {
    MOVIE_PLANETARIUM = 0,
    MOVIE_ECLIPTIC_TOP = 1,
    MOVIE_ECLIPTIC_SIDE = 2,
    MOVIE_JUPITER_SIDE = 3,
    MOVIE_JUPITER_TOP = 4,
    MOVIE_DAY_NIGHT = 5,
    MOVIE_BINARY_STAR = 6,
};

// What a movie starts from: its dialog's values.
struct MovieParams {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;  // local date and time of the first frame
    BodySet planet_set = EARTH_AND_PLANETS;  // ecliptic movies
    int moon_set = 0xF;                      // Jupiter's moons: bit 0 Io, 1 Europa, 2 Ganymede, 3 Callisto
    int label_planets = 1;                   // ecliptic and planetarium: names beside the bodies
    int planetarium_body = id_of(Body::Sun); // 0 Sun, 1 Moon, 3..10 planets, 11 the star
    int planetarium_not_tracking = 1;        // 1: the scroll bars pan the view
    BodySet planetarium_view_set = PLANETARIUM_VIEW;
    int planetarium_star = -1;               // index into the star catalogue, -1 none
    // The planetarium's stars from the deeper catalogue (SkyAtlas) to this
    // visual magnitude; false: STARS.DAT as it stands.
    bool atlas_stars = false;
    double magnitude_limit = 6.0;
    int binary_star = 0;                     // row of the binary-star table, 0..9
    int binary_star_year = 2000;             // the binary star's first year
};

// The running movie, kept between ticks.  The caller refreshes jet_trails and
// paused from the menus before each frame; the frame counter is the caller's.
struct MovieState {
    MovieKind kind = MOVIE_PLANETARIUM;
    MovieParams params;                    // the dialog's values at the start
    StarCatalogue* catalogue = nullptr;    // null: no stars to draw
    const SkyAtlas* atlas = nullptr;       // the deeper stars and the constellations; null: none
    JulianDay time = 0.0;                  // simulated instant, UT
    JulianDay start_time = 0.0;            // t0, UT
    JulianDay clock_previous = 0.0;        // local clock at the previous tick
    // 0: the local clock drives the planetarium; else each tick is taken to
    // last this long (seconds), for frames rendered faster than real time.
    double seconds_per_tick = 0.0;
    bool jet_trails = false;               // the Jet Trails item is checked
    bool paused = false;                   // the Pause item is checked
    bool constellations = false;           // planetarium: stick figures and names
    bool star_names = false;               // planetarium: the brightest stars' names
    // Set while the shown frame is drawn again for a printer or a file
    // (draw_movie_copy): the simulated time stands still and the frame is
    // drawn straight on that surface, its lines and text as they are.
    bool drawing_copy = false;
    std::unique_ptr<Surface> frame_buffer; // off-screen frame; null until the first frame
    std::unique_ptr<Surface> trails;       // jet-trail surface; null until needed
    std::unique_ptr<Surface> world_map;    // day/night: the world map stretched to the window; null until needed
    int year = 0;                          // binary star: the simulated year
    PlanetariumState planetarium;
};

// Side S of the square picture, logical units: min(H, W - 22 c) with c
// the character width of the system fixed font (22 c measured as the width
// of 22 characters), so that the status panel fits to its right.
int picture_size(Surface& surface);
// Logical y of status-panel line n (counted from 1) below base: base + h (1 - n)
// with h the line height.
int status_line_y(Surface& surface, int base, int line);

// The simulated instant (UT) of a movie's first frame: the dialog's local
// date and time (local_hours = hour + minute / 60) on the location's clock (clock_to_ut).
JulianDay movie_start_time(int day, int month, int year, double local_hours, const Location& location);
// The first frame's instant from the movie's dialog parameters.
JulianDay dialog_start_time(const MovieState& movie, const Location& location);
// The local clock of this tick as a Julian day: the real clock, or the
// previous tick's reading plus seconds_per_tick when that is set.
JulianDay movie_clock_now(const MovieState& movie);
// The clock-driven step of the planetarium: t advances by the local clock's
// progress since the previous tick times the time speed, 1000 times more
// with turbo; speed 0 stands still, a negative speed runs backwards.
JulianDay step_clock_time(JulianDay t, JulianDay clock_now, JulianDay clock_previous, int time_speed, bool turbo);
// The fixed step per tick, days, of the movies that do not follow the clock:
// the ecliptic movies time_speed days, Jupiter's moons time_speed minutes;
// 0 for the others.
double movie_time_step(MovieKind kind, int time_speed);
// The simulated time of the movies with a fixed step: frame 0 sets it from
// the dialog, each later frame adds movie_time_step.
void step_movie_time(MovieState& movie, MovieKind kind, const SkyContext& sky, std::uint32_t frame);

// Starts a movie: keeps its kind, its parameters and the star catalogue,
// sets the planetarium's tracking state (0 tracking, 1 not yet started) and
// drops the frame buffer and jet trails.  The first frame then sets the
// simulated time.
void start_movie(MovieState& movie, MovieKind kind, const MovieParams& params, StarCatalogue* catalogue);
// Drops the screen bitmaps: the frame buffer, the jet-trail surface and the
// day/night world map (zoom, resize): the next frame makes a new buffer, with
// trails starts an empty trail surface and stretches the map again.
void discard_movie_trails(MovieState& movie);

// The frame buffer: an off-screen image of the window's kind and size in the
// graph mapping, filled with the window colour; made on the first frame (or
// when the window's size changed) and cleared on the next ones.  With jet
// trails on it also makes the trail surface when there is none (clipped to
// the picture square except for the ecliptic side view) and copies it in.
// Failures are fatal (693 "GDI error"; 866 for the trail surface).  While
// drawing a copy, the window itself is set up and cleared so, and returned.
Surface& begin_frame(Surface& window, int width, int height, MovieKind kind, MovieState& movie,
                     const GraphStyle& style);
// The picture square's outline in the window-text colour and its clip
// region, the square less its one-unit border, selected on the frame.
void outline_and_clip_picture(Surface& frame, const GraphStyle& style);
// Copies the frame (the graph space's area) to the window in one transfer, in
// the given mode (nothing to copy when the frame is the window), and brings
// back the frame's drawing state of begin_frame (no clip region).
void end_frame(Surface& window, Surface& frame, CopyMode mode = COPY_SOURCE);

// What the status panel shows besides the context.
struct StatusPanel {
    MovieKind kind = MOVIE_PLANETARIUM;
    bool tracking = false;        // planetarium: "Tracking is On"
    bool paused = false;          // "Time Speed: Paused"
    JulianDay time = 0.0;         // simulated instant, UT
    double ra_hours = 0.0;        // planetarium view centre
    double declination = 0.0;
    bool horizon_view = false;    // planetarium: Alt and Azi are the view's own
    double position_angle = 0.0;  // binary star, degrees
    double separation = 0.0;      // binary star, arc seconds
    std::string star_name;        // binary star
    // Pluto is shown at a place its series does not hold for (pluto_approximate):
    // "Pluto* approximate" on the line below the panel's last.
    bool pluto_approximate = false;
};
// The panel of a movie at its simulated time, with the Pause item's state.
StatusPanel movie_panel(MovieKind kind, const MovieState& movie);
// The column of text lines at x = S + c beside the picture, in the
// window-text colour on the window colour.
void draw_status_panel(Surface& frame, const GraphStyle& style, const StatusPanel& panel, const SkyContext& sky);

// One tick of the running movie on the window surface (width x height
// pixels): advances the simulated time (frame 0 sets it from the dialog),
// draws the frame off-screen and copies it over.  Writes the planetarium's
// view centre back into sky.
void draw_movie_frame(Surface& target, int width, int height, MovieState& movie, SkyContext& sky,
                      const GraphStyle& style, std::uint32_t frame);
// The last frame drawn (frame, not yet followed by another) drawn again on
// target, width x height pixels, at the same simulated instant, for a
// printer's page or an SVG, PDF or PNG file: straight on target, so that
// lines and text stay vectors on a page or in SVG and PDF.  The day/night
// movie, a map whose outlines flip the daylight under them pixel by pixel,
// is its last frame's image stretched over target.  Nothing is drawn before
// the movie's first frame.  The window's frame buffer and the trails are kept.
void draw_movie_copy(Surface& target, int width, int height, MovieState& movie, SkyContext sky,
                     const GraphStyle& style, std::uint32_t frame);
