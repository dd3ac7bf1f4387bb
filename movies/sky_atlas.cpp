// Loading the planetarium's deeper star catalogue and constellation figures
// (see sky_atlas.h for the files).
#include "movies/sky_atlas.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/files.h"
#include "platform/messages.h"
#include "resources/string_ids.h"

namespace {

const char STARS_FILE[] = "STARS6.DAT";
const char CONSTELLATIONS_FILE[] = "CONSTEL.DAT";

// A number in the C locale's form; false for anything else.
bool read_number(std::istringstream& line, double& value) {
    std::string word;
    if (!(line >> word)) return false;
    const char* end = word.data() + word.size();
    auto [stop, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool read_point(std::istringstream& line, SkyPoint& point) {
    return read_number(line, point.ra_hours) && read_number(line, point.dec_degrees) && point.ra_hours >= 0.0 &&
           point.ra_hours <= 24.0 && point.dec_degrees >= -90.0 && point.dec_degrees <= 90.0;
}

// The rest of the line after one blank, as it stands.
std::string rest_of(std::istringstream& line) {
    std::string rest;
    std::getline(line >> std::ws, rest);
    return rest;
}

bool data_line(const std::string& line) { return !line.empty() && line[0] != '#'; }

bool read_stars(std::ifstream& file, SkyAtlas& atlas) {
    for (std::string text; std::getline(file, text);) {
        if (!data_line(text)) continue;
        std::istringstream line(text);
        AtlasStar star;
        double hipparcos = 0.0;
        if (!read_number(line, hipparcos) || !read_point(line, star.place) || !read_number(line, star.magnitude))
            return false;
        star.hipparcos = static_cast<int>(hipparcos);
        star.name = rest_of(line);
        atlas.stars.push_back(std::move(star));
    }
    return !atlas.stars.empty();
}

bool read_constellations(std::ifstream& file, SkyAtlas& atlas) {
    for (std::string text; std::getline(file, text);) {
        if (!data_line(text)) continue;
        std::istringstream line(text);
        std::string kind, abbreviation;
        line >> kind >> abbreviation;
        if (kind == "C") {
            Constellation constellation;
            constellation.abbreviation = abbreviation;
            if (!read_point(line, constellation.label)) return false;
            constellation.name = rest_of(line);
            atlas.constellations.push_back(std::move(constellation));
            continue;
        }
        if (kind != "L") return false;
        Constellation* owner = nullptr;
        for (Constellation& c : atlas.constellations)
            if (c.abbreviation == abbreviation) owner = &c;
        std::vector<SkyPoint> polyline;
        for (SkyPoint point; line >> std::ws, !line.eof();) {
            if (!read_point(line, point)) return false;
            polyline.push_back(point);
        }
        if (!owner || polyline.size() < 2) return false;
        owner->figure.push_back(std::move(polyline));
    }
    return !atlas.constellations.empty();
}

}  // namespace

std::unique_ptr<SkyAtlas> load_sky_atlas_files(const std::string& stars_path, const std::string& constellations_path) {
    std::ifstream stars(stars_path, std::ios::binary), constellations(constellations_path, std::ios::binary);
    auto atlas = std::make_unique<SkyAtlas>();
    if (!stars || !constellations || !read_stars(stars, *atlas) || !read_constellations(constellations, *atlas))
        return nullptr;
    return atlas;
}

std::unique_ptr<SkyAtlas> load_sky_atlas() {
    return load_sky_atlas_files(data_file_path(STARS_FILE), data_file_path(CONSTELLATIONS_FILE));
}

std::string sky_atlas_error() {
    return file_error_text(MSG_STAR_DATABASE_MISSING, data_file_path(STARS_FILE), 0);
}


int star_dot_radius(double magnitude) {
    constexpr double FAINTEST_WITH_A_DISC = 3.5;
    constexpr int BRIGHTEST_RADIUS = 5;
    if (magnitude >= FAINTEST_WITH_A_DISC) return 0;
    return std::min(BRIGHTEST_RADIUS, 1 + static_cast<int>(FAINTEST_WITH_A_DISC - magnitude));
}
