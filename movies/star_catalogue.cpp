// Loading the star catalogue STARS.DAT (see star_catalogue.h for the layout).
#include "movies/star_catalogue.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace {

constexpr std::size_t READ_CHUNK = 1024;
constexpr std::size_t HEADER_SIZE = 16;
constexpr std::size_t SECOND_MAGIC_OFFSET = 20866 * 4;

std::uint32_t read_u32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::int32_t read_i32(const unsigned char* at) {
    return static_cast<std::int32_t>(read_u32(at));
}

double read_f64(const unsigned char* at) {
    const std::uint64_t bits = read_u32(at) | static_cast<std::uint64_t>(read_u32(at + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The whole file, or an empty block when it is longer than a catalogue.
std::vector<unsigned char> read_whole(std::FILE* file) {
    std::vector<unsigned char> block(STAR_FILE_SIZE);
    std::size_t total = 0;
    unsigned char chunk[READ_CHUNK];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, READ_CHUNK, file);
        if (got == 0) break;
        if (total + got > STAR_FILE_SIZE) return {};
        std::memcpy(block.data() + total, chunk, got);
        total += got;
    }
    block.resize(total);
    return block;
}

// A record's numbers are checked before they are used as string ids or in
// arithmetic: a damaged file is no catalogue rather than wild reads.
bool star_in_range(const StarRecord& star) {
    return star.ra_hours >= 0.0 && star.ra_hours <= 24.0 && star.dec_degrees >= -90.0 &&
           star.dec_degrees <= 90.0 && star.name_number >= 0 && star.name_number <= STAR_NAME_COUNT &&
           star.constellation >= 0 && star.constellation < CONSTELLATION_COUNT;
}

std::unique_ptr<StarCatalogue> catalogue_from(std::FILE* file) {
    if (file == nullptr) return nullptr;
    const std::vector<unsigned char> block = read_whole(file);
    std::fclose(file);
    if (block.size() != STAR_FILE_SIZE || read_i32(block.data()) != STAR_FILE_MAGIC ||
        read_i32(block.data() + SECOND_MAGIC_OFFSET) != STAR_FILE_MAGIC) {
        return nullptr;
    }
    const std::int32_t count = read_i32(block.data() + 4);
    if (count < 0 || count > STAR_RECORDS) return nullptr;

    auto catalogue = std::make_unique<StarCatalogue>();
    catalogue->stars.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const unsigned char* record = block.data() + HEADER_SIZE + static_cast<std::size_t>(i) * STAR_RECORD_SIZE;
        StarRecord& star = catalogue->stars[static_cast<std::size_t>(i)];
        star.ra_hours = read_f64(record);
        star.dec_degrees = read_f64(record + 8);
        star.name_number = read_i32(record + 40);
        star.radius = record[52];
        star.constellation = read_i32(record + 64);
        if (!star_in_range(star)) return nullptr;
    }
    return catalogue;
}

}  // namespace

std::unique_ptr<StarCatalogue> load_star_catalogue() {
    return catalogue_from(open_data_file(std::string(load_string(STR_STARS_FILE_NAME)), "rb"));
}

std::string star_catalogue_error() {
    return file_error_text(MSG_STAR_DATABASE_MISSING, data_file_path(std::string(load_string(STR_STARS_FILE_NAME))), 0);
}

std::unique_ptr<StarCatalogue> load_star_catalogue_file(const std::string& path) {
    return catalogue_from(std::fopen(path.c_str(), "rb"));
}

std::string star_name(const StarRecord& star) {
    return std::string(load_string(STR_FIRST_STAR_NAME + star.name_number));
}

std::string constellation_abbreviation(const StarRecord& star) {
    return std::string(load_string(STR_FIRST_CONSTELLATION + star.constellation));
}

std::vector<int> named_star_list(const StarCatalogue& catalogue) {
    std::vector<int> list;
    for (int constellation = 0; constellation < CONSTELLATION_COUNT; ++constellation)
        for (std::size_t i = 0; i < catalogue.stars.size(); ++i)
            if (catalogue.stars[i].name_number != 0 && catalogue.stars[i].constellation == constellation)
                list.push_back(static_cast<int>(i));
    return list;
}

std::string star_list_label(const StarRecord& star) {
    return constellation_abbreviation(star) + "/" + star_name(star);
}

int find_named_star(const StarCatalogue& catalogue, const std::string& name) {
    for (int i : named_star_list(catalogue)) {
        const StarRecord& star = catalogue.stars[static_cast<std::size_t>(i)];
        if (same_text_ignoring_case(star_name(star), name) || same_text_ignoring_case(star_list_label(star), name))
            return i;
    }
    return -1;
}
