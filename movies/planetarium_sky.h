#pragma once
// The planetarium's deeper sky (module MOVIES): the atlas's stars to a
// magnitude limit, the constellations' stick figures and names, the stars'
// names, and the horizon view's ground and compass points.  The apparent
// places are computed on a movie's first frame and again once the simulated
// time has moved a day; every frame places and draws them.
#include "engine/calendar.h"
#include "movies/planetarium.h"
#include "movies/sky_view.h"

class Surface;
struct GraphStyle;
struct SkyAtlas;
struct SkyEngine;

// The number of the atlas's stars (brightest first) up to the magnitude limit.
int atlas_star_count(const SkyAtlas& atlas, double magnitude_limit);

// Apparent places of date at t (UT) of the atlas's stars to the limit, the
// figures' corners and the name places, into the state.
void refresh_atlas(const SkyEngine& engine, const SkyAtlas& atlas, double magnitude_limit, JulianDay t,
                   PlanetariumState& state);
// Screen places of them all for this frame's view.
void place_atlas(PlanetariumState& state, const SkyView& view);

// The stick figures (a segment drawn when both ends are in front; in the
// horizon view only its part above the horizon) and the names, in the figure
// colours.
void draw_constellations(Surface& frame, const GraphStyle& style, const SkyAtlas& atlas,
                         const PlanetariumState& state, const SkyView& view);
// The atlas's visible stars, each a dot of star_dot_radius in the stars'
// colour (also on the jet-trail surface when given), and with names the
// proper names of those brighter than magnitude 2 beside them.
void draw_atlas_stars(Surface& frame, const GraphStyle& style, const SkyAtlas& atlas, const PlanetariumState& state,
                      bool names, Surface* trails);
// The horizon view's ground, in its colour below the horizon; drawn over the
// sky, it hides what reaches below the horizon and leaves the rest.
void draw_ground(Surface& frame, const GraphStyle& style, const SkyView& view, double view_altitude);
// The eight compass points N, NE ... NW written under the horizon where it
// crosses them, with a short mark up to it.
void draw_compass_points(Surface& frame, const GraphStyle& style, const SkyView& view);
