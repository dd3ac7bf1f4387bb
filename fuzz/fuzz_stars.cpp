// Fuzz target: STARS.DAT.  A file either loads as a catalogue whose every
// record names a string and a constellation of the table, or not at all.
#include "fuzz/fuzz_support.h"
#include "movies/star_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::put_file("STARS.DAT", std::string_view(reinterpret_cast<const char*>(data), size));
    std::unique_ptr<StarCatalogue> catalogue = load_star_catalogue();
    if (catalogue == nullptr) return 0;
    fuzz::require(size == STAR_FILE_SIZE && catalogue->stars.size() <= STAR_RECORDS, "only whole files load");
    for (const StarRecord& star : catalogue->stars) {
        fuzz::require(star.ra_hours >= 0.0 && star.ra_hours <= 24.0, "right ascension 0..24 h");
        fuzz::require(star.dec_degrees >= -90.0 && star.dec_degrees <= 90.0, "declination -90..90");
        fuzz::require(!star_name(star).empty() && !constellation_abbreviation(star).empty(), "names from the table");
    }
    for (int index : named_star_list(*catalogue))
        fuzz::require(!star_list_label(catalogue->stars[static_cast<std::size_t>(index)]).empty(), "list labels");
    find_named_star(*catalogue, "Sirius");
    return 0;
}
