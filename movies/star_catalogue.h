#pragma once
// The planetarium's star catalogue, STARS.DAT: read once at start-up and kept
// until exit.  The file is exactly 83472 bytes, little-endian:
//   0      int32 magic number 302630100
//   4      int32 number of stars in use (at most 1159)
//   8      8 bytes unused
//   16     1159 records of 72 bytes (StarRecord), the first ones in use
//   83464  int32 magic number again (the file's 32-bit word 20866)
//   83468  4 bytes unused
// A record: 0 double RA (hours, J2000); 8 double Dec (degrees, J2000);
// 16 3 doubles working; 40 int32 name number; 44, 48 int32 working;
// 52 uint8 dot radius (logical units); 56, 60 int32 working;
// 64 int32 constellation number.  The working fields are not read: the
// planetarium fills them in as it goes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>


constexpr std::size_t STAR_FILE_SIZE = 83472;
constexpr std::int32_t STAR_FILE_MAGIC = 302630100;
constexpr int STAR_RECORDS = 1159;
constexpr int STAR_RECORD_SIZE = 72;
constexpr int STAR_NAME_COUNT = 277;             // name numbers 1..277: strings 201..477
constexpr int CONSTELLATION_COUNT = 88;

struct StarRecord {
    double ra_hours = 0.0;       // right ascension, equinox 2000.0
    double dec_degrees = 0.0;    // declination, equinox 2000.0
    int name_number = 0;         // 0: no name
    int radius = 0;              // dot radius, logical units
    int constellation = 0;       // 0..87
    // Working fields of the planetarium.
    double direction[3] = {0.0, 0.0, 0.0};  // unit vector at the movie's date
    bool visible = false;                   // in view in the last frame
    int screen_x = 0;
    int screen_y = 0;
};

struct StarCatalogue {
    std::vector<StarRecord> stars;  // the records in use, in file order
};

// Reads STARS.DAT from beside the program file.  Null when the file is
// missing, not exactly 83472 bytes, lacks either magic number, claims more
// stars than it holds, or has a record whose right ascension is outside
// 0..24 h, declination outside -90..90 degrees (NaN included), name number
// outside 0..277 or constellation outside 0..87.
std::unique_ptr<StarCatalogue> load_star_catalogue();
// "Cannot load star database: PATH", naming the file load_star_catalogue reads.
std::string star_catalogue_error();
// The same from a given path (the command line and tests).
std::unique_ptr<StarCatalogue> load_star_catalogue_file(const std::string& path);

// The star's name (string 200 + name number) and its constellation's
// abbreviation (string 500 + constellation number).
std::string star_name(const StarRecord& star);
std::string constellation_abbreviation(const StarRecord& star);

// The Planetarium dialog's star list: the record indices of the named stars,
// in constellation order and, within a constellation, in catalogue order.
std::vector<int> named_star_list(const StarCatalogue& catalogue);
// A star as that list shows it: constellation abbreviation and name, "Ori/Betelgeuse".
std::string star_list_label(const StarRecord& star);
// The record index of the named star called name (its list label or its name,
// either case); -1 when no star has it.
int find_named_star(const StarCatalogue& catalogue, const std::string& name);
