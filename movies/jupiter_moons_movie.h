#pragma once
// The Jupiter moons movies (module JM_MOVIE): Jupiter in the centre of the
// picture square and its four large moons, Io, Europa, Ganymede and Callisto,
// at 30 Jupiter radii to the half-side.  The side view shows them as seen from
// the Earth (x along Jupiter's equator, y across it; a moon behind the disc is
// not drawn), the top view from above Jupiter's pole (x across, z towards the
// Earth, at the bottom, where the Earth's name stands).
#include <cstdint>

#include "engine/sky_engine.h"
#include "platform/surface.h"

struct GraphStyle;
struct MovieState;
struct SkyContext;

// Logical units per Jupiter radius: R / 30 with R half the picture side.
double jupiter_moons_scale(int picture);
// Jupiter's drawn radius, round(R / 30); a moon's is a third of it (whole units).
int jupiter_disc_radius(int picture);
// A moon's point: (round(R - x k), R - round(y k)) in the side view,
// (round(R - x k), R - round(z k)) in the top view.
SurfacePoint jupiter_moon_point(const JupiterSatellite& moon, bool top_view, int picture);

// One tick of Jupiter Moons Side (movie.kind MOVIE_JUPITER_SIDE) or
// Jupiter Moons Top (MOVIE_JUPITER_TOP): frame 0 sets the time from the
// dialog, later frames step it by the time speed in minutes; draws Jupiter,
// the moons of movie.params.moon_set (bit 0 Io ... bit 3 Callisto), their
// numbers with the label flag and, with jet trails, their trails; then the
// status panel with the moons' legend.
void jupiter_moons_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                         const GraphStyle& style, std::uint32_t frame);
