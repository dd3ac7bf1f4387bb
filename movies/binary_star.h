#pragma once
// The binary star movie (module BS_MOVIE): the apparent orbit of the
// companion of one of ten visual double stars around its main star, year by
// year, with north up and east to the left as on the sky.
#include <cstdint>

class Surface;
struct GraphStyle;
struct MovieState;
struct SkyContext;

// The orbital elements of one binary star (Campbell elements of its apparent
// orbit, as in the Sixth Catalog of Orbits of Visual Binary Stars).
struct BinaryStarOrbit {
    double period = 0.0;             // P, years
    double periastron = 0.0;         // T, year of periastron passage
    double periastron_argument = 0.0;  // omega, degrees
    double eccentricity = 0.0;       // e
    double semi_major_axis = 0.0;    // a, arc seconds
    double inclination = 0.0;        // i, degrees
    double node = 0.0;               // Omega, position angle of the node, degrees
    int name_id = 0;                 // string id of the star's name
};

constexpr int BINARY_STAR_COUNT = 10;
constexpr int BINARY_STAR_FIRST_YEAR = -4000;
constexpr int BINARY_STAR_LAST_YEAR = 32000;

// The table row (0 eta Coronae Borealis ... 9 Antares, the dialog's list
// order); a row outside 0..9 is fatal.
const BinaryStarOrbit& binary_star_orbit(int row);

// The companion's place at the (whole or fractional) year for table row
// `row`: position angle theta in degrees [0, 360), counted from north
// through east, and separation rho in arc seconds.
void binary_star_position(double year, double& theta, double& rho, int row);

// The year one tick later: year + time_speed, kept within -4000..32000 (a
// step that would leave the open range goes to -4000 from a year below 1,
// else to 32000).
int step_binary_star_year(int year, int time_speed);

// One tick of the binary star movie (see draw_movie_frame): advances
// movie.year (frame 0 takes the dialog's binary_star_year), draws the status
// panel, the axes, the circle of the view angle, the compass letters, the
// main star (colour 12) and the companion (colour 13), and with jet trails
// the companion's outline circle on the trail surface.
void binary_star_frame(Surface& window, int width, int height, MovieState& movie, SkyContext& sky,
                       const GraphStyle& style, std::uint32_t frame);
