#pragma once
// The planetarium's deeper sky: every star to magnitude 6.0 (STARS6.DAT, about
// 5 000 stars) and the constellations' stick figures and names (CONSTEL.DAT),
// both made by tools/make_sky_atlas.py from the d3-celestial data (Hipparcos,
// equinox J2000).  Text files in Latin-1, one record a line, '#' a comment:
//   STARS6.DAT   HIP RA(hours) Dec(degrees) V(magnitude) [proper name]
//   CONSTEL.DAT  C ABBR RA Dec Name          the name and where it is written
//                L ABBR RA Dec RA Dec ...    one polyline of the figure
// Loaded when a movie first needs it and kept until exit.
#include <memory>
#include <string>
#include <vector>

struct SkyPoint {
    double ra_hours = 0.0;     // equinox J2000
    double dec_degrees = 0.0;  // equinox J2000
};

struct AtlasStar {
    SkyPoint place;
    double magnitude = 0.0;  // visual
    int hipparcos = 0;
    std::string name;        // proper name, Latin-1; empty for most
};

struct Constellation {
    std::string abbreviation;  // IAU: "Ori"
    std::string name;          // "Orion"
    SkyPoint label;            // where the name is written
    std::vector<std::vector<SkyPoint>> figure;  // polylines of the stick figure
};

struct SkyAtlas {
    std::vector<AtlasStar> stars;  // brightest first
    std::vector<Constellation> constellations;
};

// Reads STARS6.DAT and CONSTEL.DAT from the data folder.  Null when either
// is missing or a record is malformed (a number that is not one, right
// ascension outside 0..24 h, declination outside -90..90 degrees, a figure
// line of an unnamed constellation or with an odd count of numbers).
std::unique_ptr<SkyAtlas> load_sky_atlas();
// The same from the two files' paths (tests).
std::unique_ptr<SkyAtlas> load_sky_atlas_files(const std::string& stars_path, const std::string& constellations_path);
// "Cannot load star database: PATH" naming the atlas's star file.
std::string sky_atlas_error();

// The dot radius of a star of this magnitude, logical units: 5 for the
// brightest (Sirius), one less a magnitude, 0 (a single pixel) from 3.5.
int star_dot_radius(double magnitude);
