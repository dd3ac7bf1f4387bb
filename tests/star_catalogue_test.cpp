// The star catalogue: the shipped STARS.DAT against published star places, and
// the files that must be turned away.
#include "movies/star_catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

// A folder of this run alone under the temporary folder (concurrent runs do not meet).
std::filesystem::path scratch_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skyloom_stars_XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    return pattern;
}

const std::string shipped = std::string(SKYLOOM_SOURCE_DIR) + "/data/STARS.DAT";

const StarRecord* find_named(const StarCatalogue& catalogue, const std::string& name) {
    for (const StarRecord& star : catalogue.stars)
        if (star.name_number != 0 && star_name(star) == name) return &star;
    return nullptr;
}

// Hipparcos places (J2000); the Planetarium dialog needs exactly 284 named
// stars, and the names fill strings 201..477.
TEST(StarCatalogue, ShippedFileHoldsPublishedPlacesAndTheNamedStars) {
    std::unique_ptr<StarCatalogue> catalogue = load_star_catalogue_file(shipped);
    ASSERT_NE(catalogue, nullptr);
    struct Place { const char* name; const char* constellation; double ra_hours, dec; };
    const Place places[] = {
        {"Sirius", "CMa", 6 + 45 / 60.0 + 8.9 / 3600, -(16 + 42 / 60.0 + 58 / 3600.0)},
        {"Vega", "Lyr", 18 + 36 / 60.0 + 56.3 / 3600, 38 + 47 / 60.0 + 1 / 3600.0},
        {"Canopus", "Car", 6 + 23 / 60.0 + 57.1 / 3600, -(52 + 41 / 60.0 + 45 / 3600.0)},
    };
    for (const Place& p : places) {
        const StarRecord* star = find_named(*catalogue, p.name);
        ASSERT_NE(star, nullptr) << p.name;
        EXPECT_NEAR(star->ra_hours, p.ra_hours, 0.2 / 3600) << p.name;
        EXPECT_NEAR(star->dec_degrees, p.dec, 2.0 / 3600) << p.name;
        EXPECT_EQ(constellation_abbreviation(*star), p.constellation) << p.name;
    }
    int named = 0;
    std::set<int> numbers;
    for (const StarRecord& star : catalogue->stars) {
        ASSERT_TRUE(star.constellation >= 0 && star.constellation < CONSTELLATION_COUNT);
        if (star.name_number != 0) ++named, numbers.insert(star.name_number);
    }
    EXPECT_LE(catalogue->stars.size(), 1159u);
    EXPECT_EQ(named, 284);
    EXPECT_EQ(numbers.size(), 277u);
    EXPECT_EQ(*numbers.rbegin(), 277);
    EXPECT_GT(find_named(*catalogue, "Sirius")->radius, find_named(*catalogue, "Polaris")->radius);
}

// A wrong size, magic word or record count, a record out of range, or a
// missing file, loads nothing.
TEST(StarCatalogue, RejectsBadFiles) {
    std::ifstream in(shipped, std::ios::binary);
    const std::vector<char> good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(good.size(), STAR_FILE_SIZE);
    struct Case { const char* what; std::size_t length; int flip; };  // flip: byte to alter, or -1
    const Case cases[] = {
        {"83471 bytes", 83471, -1},           {"83473 bytes", 83473, -1},
        {"wrong second magic word", 83472, 83464}, {"wrong first magic word", 83472, 0},
        {"truncated", 5000, -1},              {"count past the records", 83472, 5},
    };
    // Records whose numbers would index past the string table or are no
    // numbers at all: a name number near INT_MAX (string 200 + n overflows),
    // constellation 88, a NaN right ascension.
    struct Patch { const char* what; std::size_t offset; std::vector<unsigned char> bytes; };
    const std::size_t first_record = 16;
    const Patch patches[] = {
        {"name number 2147483600", first_record + 40, {0xD0, 0xFF, 0xFF, 0x7F}},
        {"name number 278", first_record + 40, {22, 1, 0, 0}},
        {"name number -1", first_record + 40, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"constellation 88", first_record + 64, {88, 0, 0, 0}},
        {"constellation 2147483647", first_record + 64, {0xFF, 0xFF, 0xFF, 0x7F}},
        {"right ascension NaN", first_record, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}},
        {"declination 1e300", first_record + 8, {0x9C, 0x75, 0x00, 0x88, 0x3C, 0xE4, 0x37, 0x7E}},
    };
    const std::filesystem::path folder = scratch_folder();
    const auto path = folder / "STARS.DAT";
    for (const Case& c : cases) {
        std::vector<char> bytes = good;
        bytes.resize(c.length, 0);
        if (c.flip >= 0) bytes[static_cast<std::size_t>(c.flip)] ^= 0x10;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(load_star_catalogue_file(path.string()), nullptr) << c.what;
    }
    for (const Patch& p : patches) {
        std::vector<char> bytes = good;
        std::copy(p.bytes.begin(), p.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(p.offset));
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(load_star_catalogue_file(path.string()), nullptr) << p.what;
    }
    std::filesystem::remove(path);
    EXPECT_EQ(load_star_catalogue_file(path.string()), nullptr) << "missing file";
    std::filesystem::remove_all(folder);
}

// At start-up STARS.DAT is read from the data folder, and its absence is no error.
TEST(StarCatalogue, StartUpLoadReadsStarsDatBesideTheProgram) {
    const std::filesystem::path folder = scratch_folder();
    set_data_folder(folder.string());
    EXPECT_EQ(load_star_catalogue(), nullptr) << "no STARS.DAT in the folder";
    std::filesystem::copy_file(shipped, folder / "STARS.DAT", std::filesystem::copy_options::overwrite_existing);
    const std::unique_ptr<StarCatalogue> catalogue = load_star_catalogue();
    EXPECT_NE(catalogue, nullptr);
    set_data_folder("");
    std::filesystem::remove_all(folder);
}

}  // namespace
