#pragma once
// The ecliptic movies (module EC_MOVIE): the solar system in heliocentric
// ecliptic coordinates.  The top view looks down on the ecliptic from its
// north pole, the Sun in the centre of the picture square, longitude 0 straight
// up and increasing counter-clockwise, with the zodiac's boundaries as radial
// lines.  The side view unrolls the ecliptic into a horizontal strip:
// longitude 0..360 degrees across, latitude -18..+18 degrees up the strip.
#include <cstdint>

#include "engine/calendar.h"
#include "engine/sky_engine.h"
#include "platform/surface.h"

struct GraphStyle;
struct MovieState;
struct SkyContext;

// One zodiac constellation along the ecliptic: its abbreviation (string id),
// the ecliptic longitude where it ends and how far back from that end its
// label stands (degrees).
struct ZodiacSign {
    int name_id;
    int ends_at;
    int label_back;
};
constexpr int ZODIAC_SIGN_COUNT = 13;
extern const ZodiacSign ZODIAC_SIGNS[ZODIAC_SIGN_COUNT];
// The longitude of a sign's label: ends_at - label_back brought into 0..360.
int zodiac_label_longitude(const ZodiacSign& sign);

// A body's heliocentric ecliptic place at a UT instant: longitude in 0..360
// and latitude in degrees, radius vector in AU.  Earth (body 2) is taken
// opposite the Sun's geocentric place (longitude + 180, latitude 0); the
// planets (3..10) come from the engine's planet_position.
struct EclipticPlace {
    double longitude = 0.0;
    double latitude = 0.0;
    double radius = 0.0;
};
EclipticPlace ecliptic_place(const SkyEngine& engine, int body, JulianDay t);

// Top view: logical units per AU, 0.02 (90 / view_angle) R with R half the
// picture side, so that at 90 degrees 1 AU lies 0.02 R from the Sun.
double ecliptic_top_scale(double view_angle, int picture);
// Top view: the point of a body at heliocentric longitude L and radius vector r:
// (R - rho sin L, R + rho cos L) with rho = r k, each rounded.
SurfacePoint ecliptic_top_point(double longitude, double radius, double view_angle, int picture);

// Side view: the strip for the font's character width c and line height h:
// left edge 9c, width W - 18c, top H - 12h, height H - 16h in a graph space of
// W x H (1000 x 750 on a 4 : 3 picture).
struct EclipticStrip {
    int left = 0;
    int width = 0;
    int top = 0;
    int height = 0;
};
EclipticStrip ecliptic_strip(int char_width, int line_height, SurfaceSize space);
// Side view: the point of heliocentric longitude L (0..360 across the strip)
// and latitude b (+18 degrees on the strip's top edge, -18 on its bottom).
SurfacePoint ecliptic_side_point(const EclipticStrip& strip, double longitude, double latitude);

// One tick of Ecliptic Top (movie.kind MOVIE_ECLIPTIC_TOP) or Ecliptic Side
// (MOVIE_ECLIPTIC_SIDE): frame 0 sets the time from the dialog, later frames
// step it by the time speed in days; draws the zodiac, the Sun, the chosen
// bodies of movie.params.planet_set (Earth to Pluto), their names with the
// label flag and, with jet trails, their trails; then the status panel.
void ecliptic_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                    const GraphStyle& style, std::uint32_t frame);
