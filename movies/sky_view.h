#pragma once
// How the planetarium maps a sky direction into its square picture.  Two
// views:
// - the equatorial view (the movie's own): the view centre given by the two
//   angles of ViewCentre, north up, the view angle spanning the picture's
//   diagonal (project_direction);
// - the horizon view: the sky as seen standing at the observer's place,
//   facing an azimuth with the view's centre at an altitude, the zenith up and
//   the view angle spanning the picture's side, in the stereographic
//   projection (shapes of constellations kept); what is below the horizon is
//   not in view.
// Directions are unit vectors of sky_unit_vector (apparent places of date).
#include "movies/planetarium.h"

struct SkyView {
    bool horizon = false;
    ViewCentre centre;          // the equatorial view's centre
    double view_angle = 90.0;   // degrees
    int picture = 750;          // side S, logical units
    // Horizon view: rows east, north, up of a direction, from its sky_unit_vector
    // components; then rows right, up and forward on the picture.
    double to_horizontal[3][3] = {};
    double to_picture[3][3] = {};
    double scale = 0.0;         // logical units per unit of tan(distance / 2)
};

SkyView equatorial_view(const ViewCentre& centre, double view_angle, int picture);
// lst_degrees: local (apparent) sidereal time; latitude north positive;
// azimuth from north through east; altitude of the view's centre, degrees.
SkyView horizon_view(double lst_degrees, double latitude, double azimuth, double altitude, double view_angle,
                     int picture);

// A direction's altitude and azimuth (degrees; azimuth from north through
// east, 0..360) for the horizon view's observer.
struct HorizontalPlace {
    double altitude = 0.0;
    double azimuth = 0.0;
};
HorizontalPlace horizontal_place(const SkyView& view, const double direction[3]);
// The unit vector (of sky_unit_vector) of a horizontal direction.
void direction_of_horizontal(const SkyView& view, double altitude, double azimuth, double direction[3]);

// Where a direction lands, in logical units (doubles; the picture's centre is
// (S/2, S/2)); in_front is false for the horizon view's back hemisphere,
// where the stereographic picture is not used.
struct PicturePoint {
    double x = 0.0, y = 0.0;
    bool in_front = true;
};
PicturePoint picture_point(const SkyView& view, const double direction[3]);

// The screen place of project_direction for the equatorial view; for the
// horizon view in view means above the horizon and within the picture.
ScreenPlace project_on_view(const SkyView& view, const double direction[3]);

// The direction on screen, degrees counterclockwise from +x, in which the
// great circle from one sky direction toward another leaves it (the Moon's
// bright limb faces the Sun along it).
double screen_direction_toward(const SkyView& view, const double from[3], const double to[3]);

// The horizon on the horizon view's picture: the circle the stereographic
// projection makes of it (centre and radius, logical units; the sky is
// inside, the ground outside), or, with the view's centre on the horizon,
// the line y = S/2 (the ground below).
struct HorizonCircle {
    bool straight = false;
    double x = 0.0, y = 0.0, radius = 0.0;
};
HorizonCircle horizon_circle(const SkyView& view, double altitude);
