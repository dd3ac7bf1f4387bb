// The numbered string table: well-known texts, gaps, and the layout rules of
// the two fixed-text reports (Introduction 700-777, Planet Data 600-640).
#include "resources/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>

namespace {

TEST(LoadString, WellKnownTextsAndGaps) {
    // The report texts 600-777 are checked whole through the golden reports.
    const struct { int id; std::string_view text; } cases[] = {
        {52, "Skyloom 2"},
        {62, "Skyloom 2 - Error"},
        {123, "Latitude cannot be greater than 60\xB0"},  // the single Latin-1 byte 0xB0, not a UTF-8 pair
        {174, "January"},
        {683, "%-20s  Latitude: %s %c  Longitude: %s %c"},
        {684, "Local Time = UT %c %s hours  Elevation: %d meters"},
        {690, "Internal error - please contact product support"},
        {1108, "SKY Printout #%d"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(load_string(c.id)), std::string(c.text)) << "id " << c.id;
    for (int id : {-1, 33, 61, 195, 588, 786, 867, 999, 1109, 100000})
        EXPECT_TRUE(load_string(id).empty()) << "id " << id << " gave \"" << load_string(id) << '"';
}

TEST(LoadString, IndexedFamiliesHaveNoGaps) {
    // Callers index these as base + number, so a hole shows as a blank name.
    const struct { int first, last; const char* what; } families[] = {
        {0, 32, "graph titles and captions"},   {94, 103, "binary stars"},
        {153, 168, "compass, phases, seasons"}, {174, 185, "months"},
        {500, 587, "constellations"},           {641, 698, "report formats and errors"},
        {800, 827, "meteor showers"},           {830, 852, "eclipse reports"},
        {870, 880, "bodies"},                   {1010, 1015, "day/night speeds"},
    };
    for (const auto& f : families)
        for (int id = f.first; id <= f.last; ++id)
            EXPECT_FALSE(load_string(id).empty()) << f.what << ": id " << id << " has no text";
}

// The two fixed-text reports: every line fits 80 columns; unused trailing
// lines are skip marks "!"; abbreviations (707-736) have their meaning from
// column 15; the planet lines (607-615) carry one degree sign and '#' as the
// decimal mark, replaced by the locale's separator when printed.
TEST(StaticReports, LayoutRules) {
    for (const auto& [first, last, unused] : {std::tuple{600, 640, 617}, std::tuple{700, 777, 737}}) {
        for (int id = first; id <= last; ++id) {
            EXPECT_LE(load_string(id).size(), 80u) << "id " << id;
            if (id >= unused) {
                EXPECT_EQ(load_string(id), "!") << "id " << id;
            }
        }
    }
    for (int id = 707; id <= 736; ++id) {
        if (id == 716) continue;  // "ILL FR," stands alone, continued on the next line
        const std::string_view line = load_string(id);
        ASSERT_GT(line.size(), 14u) << "id " << id;
        EXPECT_NE(line[0], ' ') << "id " << id;
        EXPECT_EQ(line[13], ' ') << "id " << id << ": abbreviation runs into the meaning";
        EXPECT_NE(line[14], ' ') << "id " << id << ": meaning does not start at column 15";
    }
    const char* planets[] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
    for (int k = 0; k < 9; ++k) {
        const std::string_view line = load_string(607 + k);
        EXPECT_EQ(line.substr(0, std::string_view(planets[k]).size()), planets[k]) << "id " << 607 + k;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\xB0'), 1) << "id " << 607 + k;
        EXPECT_EQ(line.find('.'), std::string_view::npos) << "id " << 607 + k << " uses '.' not '#'";
    }
}

}  // namespace
