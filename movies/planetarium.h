#pragma once
// The planetarium movie: the sky of the observer at a simulated instant, in
// the movie's square picture.  The view centre is kept as two angles in
// degrees, the horizontal h and the vertical v by which a sky direction is
// turned so that the centre comes onto the +z axis (about y by h, then about
// x by v; see rotate_vector).  For a centre at right ascension a (hours) and
// declination d (degrees): h = 180 - 15 a and v = 180 + d, modulo 360.
#include <cstdint>
#include <vector>

#include "engine/calendar.h"
#include "platform/scroll_bar.h"

class Surface;
struct GraphStyle;
struct MovieState;
struct SkyContext;

struct ViewCentre {
    double horizontal = 0.0;  // h, degrees
    double vertical = 0.0;    // v, degrees
};

ViewCentre view_centre_of(double ra_hours, double declination);
// The same from the direction's unit vector (x, y, z) of sky_unit_vector:
// h = atan2(x, -z); turning about y by h gives z' = -sqrt(x^2 + z^2); v = atan2(y, z').
ViewCentre view_centre_of_vector(const double v[3]);
// Back to right ascension, hours 0..24: ((180 - h) brought into 0..360) / 15.
double view_centre_ra_hours(const ViewCentre& centre);
// Back to declination, -90..90: fold_latitude(v - 180), so that panning past a
// pole comes back down the other side.
double view_centre_declination(const ViewCentre& centre);

// Where a sky direction lands in the picture of side `picture` (logical
// units) for a view centre and a field of view (degrees) spanning the
// picture's diagonal.
struct ScreenPlace {
    bool in_view = false;  // within half the view angle of the centre
    int x = 0;
    int y = 0;
};
ScreenPlace project_direction(const double direction[3], const ViewCentre& centre, double view_angle, int picture);

// One working record per body (index BodyId, 0 Sun ... 10 Pluto; the Earth
// is not drawn).
struct PlanetariumBody {
    double radius = 0.0;        // drawn radius, logical units
    int drawn_radius = 0;       // the same, rounded
    double illuminated = 0.0;   // fraction of the disc lit
    double shadow_u = 0.0;      // Moon: shadow-cone parameter u, Earth radii
    double parallax = 0.0;      // Moon: horizontal parallax, degrees
    double distance = 0.0;      // AU (Sun and planets)
    double direction[3] = {0.0, 0.0, 0.0};
    double sun_direction[3] = {0.0, 0.0, 0.0};  // Moon: the Sun's unit vector, for its lit side
    double bright_limb = 0.0;   // Moon: on screen, degrees counterclockwise from +x toward the Sun
    bool computed = false;      // a place has been computed
    bool visible = false;       // in view and within the picture
    int x = 0;
    int y = 0;
};
constexpr int PLANETARIUM_BODIES = 11;

// Tracking states: 0 tracking the chosen body, 1 not tracking and not yet
// started (the first frame centres the body), 2 not tracking, panned freely.
enum PlanetariumTracking : int { TRACKING_ON = 0, TRACKING_START = 1, TRACKING_OFF = 2 };

// A point of the deeper sky (an atlas star or a figure's corner) as the
// frame uses it.
struct PlacedPoint {
    double direction[3] = {0.0, 0.0, 0.0};  // apparent place of date, unit vector
    int x = 0, y = 0;
    bool visible = false;        // in view and within the picture
    bool in_front = false;       // on the side of the sky the projection uses
    bool above_horizon = false;  // horizon view: altitude 0 or more (always, in the equatorial view)
};

struct PlanetariumState {
    int tracking = TRACKING_START;
    PlanetariumBody bodies[PLANETARIUM_BODIES];
    PlanetariumBody shadow;  // the Earth's shadow centre; drawn_radius: the penumbra's
    int umbra_radius = 0;
    bool shadow_shown = false;
    JulianDay stars_time = 0.0;  // UT instant of the stars' stored directions
    // The atlas's stars and figure corners, in the atlas's order (figures
    // polyline after polyline) and the constellations' name places.
    std::vector<PlacedPoint> atlas_stars, figure_points, constellation_labels;
    JulianDay atlas_time = 0.0;  // UT instant of their stored directions
};

// Pans the view for a scroll-bar action, by view angle / 8 a line and twice
// that a page: up on the vertical bar moves the view north, left on the
// horizontal bar east; a released thumb moves it by its distance from 180.
// In the horizon view the same actions turn the view: up raises it (to the
// zenith at most, down to the horizon at least), left turns it left (the
// azimuth falls).
// Returns the thumb's new position, 180, or -1 while the thumb is dragged.
int pan_view(SkyContext& sky, ScrollBarKind bar, ScrollCode code, int thumb);

// One tick of the planetarium (see draw_movie_frame): advances the clock-driven
// time, recomputes the bodies due on this frame (one position per frame, all
// on frame 0; with turbo also the planets of the frame's parity), centres the
// view and draws stars, planets, Sun, transits, the Moon's lit part and the
// Earth's shadow.  Every star is placed on every frame, so the first frame and
// any jump of the view show the whole catalogue; the stars' apparent places
// are computed all at once on frame 0 and again once the time has moved a day.
void planetarium_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                       const GraphStyle& style, std::uint32_t frame);
