// The city list: reading CITIES.DAT leniently, normalising and looking up
// names, the modified flag, saving through CITIES.NEW, and the shipped list.
#include "app/location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/files.h"
#include "platform/messages.h"

namespace fs = std::filesystem;

// A city in a failure message: its fields in the order of a CITIES.DAT line.
void PrintTo(const CityRecord& c, std::ostream* out) {
    *out << '"' << c.name << "\" " << c.latitude_degrees << ' ' << c.latitude_minutes << ' ' << c.latitude_seconds
         << " h" << c.latitude_hemisphere << ' ' << c.longitude_degrees << ' ' << c.longitude_minutes << ' '
         << c.longitude_seconds << " h" << c.longitude_hemisphere << ' ' << c.elevation << "m " << c.time_zone << 'h';
}

namespace {

std::vector<std::string> errors_shown, questions_asked;  // message box texts, in order
bool answer_yes = false;

bool record_message(const char*, const char* text, MessageIcon icon) {
    (icon == ICON_QUESTION ? questions_asked : errors_shown).push_back(text);
    return icon == ICON_QUESTION ? answer_yes : true;
}

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test works in a fresh folder of its own, which stands for the program's folder.
class CityList : public ::testing::Test {
protected:
    fs::path folder;
    Location location;

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "skyloom_cities_XXXXXX").string();
        folder = mkdtemp(pattern.data());
        set_data_folder(folder.string());
        set_message_presenter(record_message);
        errors_shown.clear();
        questions_asked.clear();
        answer_yes = false;
    }
    void TearDown() override {
        free_cities();
        set_data_folder("");
        set_message_presenter(nullptr);
        fs::remove_all(folder);
    }
    void load(const std::string& file_text) {
        std::ofstream(folder / "CITIES.DAT", std::ios::binary) << file_text;
        load_cities(location);
    }
    std::vector<std::string> names() {
        std::vector<std::string> list;
        for (int i = 0; i < city_count(); ++i) list.push_back(city_name(i));
        return list;
    }
    std::string saved() { return read_text(folder / "CITIES.DAT"); }
};

const char* const ALPHA = "Alpha               |10|20|30|N| 40|50| 0|E| 100|2.00\n";
const char* const BETA = "Beta                |11|22|33|S| 44|55| 6|W|  -5|-3.50\n";

// Beta as the Set Location dialog hands it back, with its elevation.
void store_beta(int elevation) {
    store_city("Beta", 11, 22, 33, COMPASS_SOUTH, 44, 55, 6, COMPASS_WEST, -3.5, elevation, false);
}

TEST(CityNames, Normalisation) {
    const struct { const char* given; const char* expected; } cases[] = {
        {"  Las   Vegas  ", "Las Vegas"},                  // blanks trimmed, run shortened
        {"Ho \t Chi\tMinh", "Ho Chi\tMinh"},              // the last character of a run stays
        {"Llanfairpwllgwyngyllgogery", "Llanfairpwllgwyngyll"},  // cut to 20
        {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(normalize_city_name(c.given), c.expected) << '"' << c.given << '"';
}

TEST_F(CityList, ReadingRules) {
    load("nowhere\n"
         "||Leading|1|2|3|N|4|5|6|E|7|8.5\n"                    // separators before the name
         "Doubled||1||2|3|s|4|5|6|e||7|-8.25\n"                 // runs of separators count once
         "Short|10|20\n"                                        // missing fields: 0, North, West
         "Junk|12abc|x|-3|Q|200x|+5| 7|Z|-28m|5.75h\n"          // leading digits only
         "   |1|1|1|N|1|1|1|E|1|1\n"                            // a blank name is stored empty
         "Long" + std::string(70, ' ') + "|1|2|3|S|4|5|6|E|9|10.00\n"  // cut at 80 characters
         "After|1|0|0|N|2|0|0|W|3|4\n"
         "|||\n"                                                // only separators: the list ends
         "Lost|1|1|1|N|1|1|1|W|1|1\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Leading", "Doubled", "Short", "Junk", "", "Long", "After"}));
    EXPECT_TRUE(errors_shown.empty());
    EXPECT_FALSE(cities_modified());
    const CityRecord expected[] = {
        {"Leading", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 8.5, 7},
        {"Doubled", 1, 2, 3, COMPASS_SOUTH, 4, 5, 6, COMPASS_EAST, -8.25, 7},
        {"Short", 10, 20, 0, COMPASS_NORTH, 0, 0, 0, COMPASS_WEST, 0.0, 0},
        {"Junk", 12, 0, -3, COMPASS_NORTH, 200, 5, 7, COMPASS_WEST, 5.75, -28},
        // The seconds "3" stand in column 80; from the "S" on nothing is read,
        // and the next line is read as a line of its own.
        {"Long", 1, 2, 3, COMPASS_NORTH, 0, 0, 0, COMPASS_WEST, 0.0, 0},
        {"After", 1, 0, 0, COMPASS_NORTH, 2, 0, 0, COMPASS_WEST, 4.0, 3},
    };
    for (const CityRecord& e : expected) EXPECT_EQ(find_city(e.name) ? *find_city(e.name) : CityRecord{}, e);
}

TEST_F(CityList, CurrentCityAndLocation) {
    load(std::string("  bETA  \n") + ALPHA + BETA);
    EXPECT_EQ(current_city_name(), "bETA");
    EXPECT_EQ(std::tuple(location.name, location.latitude_hemisphere, location.longitude_hemisphere,
                         location.elevation, location.time_zone),
              std::tuple("Beta", COMPASS_SOUTH, COMPASS_WEST, -5, -3.5));
    EXPECT_NEAR(location.latitude, 11.0 + 22.0 / 60 + 33.0 / 3600, 1e-12);  // 11 22'33"
    EXPECT_NEAR(location.longitude, 44.918333333333, 1e-9);               // 44 55'06"
    EXPECT_EQ(find_city("  BETA "), find_city("beta"));
    EXPECT_EQ(find_city("Gamma"), nullptr);
    store_city("M\xDCNCHEN", 48, 8, 0, COMPASS_NORTH, 11, 34, 0, COMPASS_EAST, 1.0, 520, true);
    ASSERT_NE(find_city("m\xFCnchen"), nullptr);
    EXPECT_EQ(find_city("m\xFCnchen"), find_city("M\xDCnchen"));  // Latin-1 capitals fold too

    load(std::string("Gamma\n") + ALPHA + BETA);  // names no city: the first is selected
    EXPECT_EQ(std::pair(current_city_name(), location.name), std::pair(std::string("Alpha"), std::string("Alpha")));
    EXPECT_NEAR(location.latitude, 10.341666666667, 1e-9);
    EXPECT_FALSE(cities_modified());
    load(std::string("Beta\r\n") + ALPHA + "\r\n" + BETA);  // an empty line ends the list, also CR LF
    EXPECT_EQ(names(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(current_city_name(), "Alpha");
}

TEST_F(CityList, MissingFileGivesOneNeutralCity) {
    load_cities(location);
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot load city location database"});
    EXPECT_EQ(names(), std::vector<std::string>{"No name"});
    EXPECT_EQ(*find_city("No name"), (CityRecord{"No name"}));  // zeros, North, West
    EXPECT_EQ(std::tuple(location.name, location.latitude_hemisphere, location.longitude_hemisphere,
                         location.latitude + location.longitude + location.time_zone),
              std::tuple("No name", COMPASS_NORTH, COMPASS_WEST, 0.0));
    EXPECT_FALSE(cities_modified());
}

TEST_F(CityList, SavedLinesKeepTheExactFormat) {
    load(std::string("Alpha\n") + ALPHA + "An overly long city name here|1|2|3|N|4|5|6|W|7|8\n" +
         "Twin|1|0|0|N|1|0|0|E|1|1\nTwin|2|0|0|N|2|0|0|E|2|2\n");
    EXPECT_EQ(city_name(1), "An overly long city ");  // cut after normalising: the blank stays
    store_city("  Sample   City ", 39, 44, 21, COMPASS_NORTH, 104, 59, 3, COMPASS_WEST, -7.0, 200, false);
    store_city("A name of twenty-five ch", 0, 0, 0, COMPASS_SOUTH, 0, 0, 0, COMPASS_EAST, 12.0, -400, false);
    store_city("TWIN", 3, 0, 0, COMPASS_NORTH, 3, 0, 0, COMPASS_EAST, 3.0, 3, false);  // the first twin
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), "TWIN\n"
                       "Alpha               |10|20|30|N| 40|50| 0|E| 100|2.00\n"
                       "An overly long city | 1| 2| 3|N|  4| 5| 6|W|   7|8.00\n"
                       "TWIN                | 3| 0| 0|N|  3| 0| 0|E|   3|3.00\n"
                       "Twin                | 2| 0| 0|N|  2| 0| 0|E|   2|2.00\n"
                       "Sample City         |39|44|21|N|104|59| 3|W| 200|-7.00\n"
                       "A name of twenty-fiv| 0| 0| 0|S|  0| 0| 0|E|-400|12.00\n");
    EXPECT_FALSE(fs::exists(folder / "CITIES.NEW"));
    EXPECT_FALSE(cities_modified());
}

TEST_F(CityList, ModifiedFlagAndTheExitQuestion) {
    load(std::string("Alpha\n") + ALPHA + BETA);
    // OK on the current city with nothing changed.
    store_city("Alpha", 10, 20, 30, COMPASS_NORTH, 40, 50, 0, COMPASS_EAST, 2.0, 100, false);
    EXPECT_FALSE(cities_modified());
    save_cities_if_modified();
    EXPECT_TRUE(questions_asked.empty());
    // The same city typed in lower case: still the current city, but its name changed.
    store_city("alpha", 10, 20, 30, COMPASS_NORTH, 40, 50, 0, COMPASS_EAST, 2.0, 100, false);
    EXPECT_TRUE(cities_modified());
    EXPECT_EQ(std::pair(current_city_name(), city_name(0)), std::pair(std::string("Alpha"), std::string("alpha")));
    ASSERT_TRUE(save_cities());
    // Selecting Beta and pressing OK without changing a field; the exit question answered No.
    store_beta(-5);
    EXPECT_TRUE(cities_modified());
    EXPECT_EQ(std::pair(current_city_name(), city_count()), std::pair(std::string("Beta"), 2));
    save_cities_if_modified();
    EXPECT_EQ(questions_asked, std::vector<std::string>{"Save city location database?"});
    EXPECT_EQ(saved(), std::string("Alpha\n") + "alpha" + (ALPHA + 5) + BETA);
    answer_yes = true;
    save_cities_if_modified();
    EXPECT_EQ(saved(), std::string("Beta\n") + "alpha" + (ALPHA + 5) + BETA);
    EXPECT_FALSE(cities_modified());
    store_beta(-4);  // a changed field of the current city
    EXPECT_TRUE(cities_modified());
}

TEST_F(CityList, FailedSaveLeavesTheOldFile) {
    const std::string original = std::string("Alpha\n") + ALPHA;
    load(original);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    fs::create_directory(folder / "CITIES.NEW");  // CITIES.NEW cannot be created
    EXPECT_FALSE(save_cities());
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot save city location database"});
    EXPECT_EQ(saved(), original);
    EXPECT_TRUE(cities_modified());
    fs::remove(folder / "CITIES.NEW");  // now the rename fails: CITIES.DAT is a busy folder
    fs::rename(folder / "CITIES.DAT", folder / "old");
    fs::create_directories(folder / "CITIES.DAT" / "inside");
    EXPECT_FALSE(save_cities());
    EXPECT_EQ(errors_shown.size(), 2u);
    EXPECT_TRUE(fs::is_directory(folder / "CITIES.DAT"));
    EXPECT_TRUE(cities_modified());
}

// The list that ships with the program: loadable, names unique and within the
// dialog's ranges, saved back byte for byte, and known places where they are.
TEST_F(CityList, ShippedList) {
    const fs::path shipped = fs::path(SKYLOOM_SOURCE_DIR) / "data" / "CITIES.DAT";
    const std::string text = read_text(shipped);
    fs::copy_file(shipped, folder / "CITIES.DAT");
    load_cities(location);
    ASSERT_TRUE(errors_shown.empty());
    EXPECT_GE(city_count(), 300);
    EXPECT_EQ(current_city_name(), "Greenwich");
    std::set<const CityRecord*> distinct;
    for (const std::string& name : names()) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(normalize_city_name(name), name);
        const CityRecord& c = *find_city(name);  // the first of any names equal but for case
        EXPECT_TRUE(distinct.insert(&c).second) << "two cities named " << name;
        const double fields[][3] = {  // value, lowest, highest
            {double(c.latitude_degrees), 0, 90}, {double(c.latitude_minutes), 0, 59},
            {double(c.latitude_seconds), 0, 59}, {double(c.longitude_degrees), 0, 180},
            {double(c.longitude_minutes), 0, 59}, {double(c.longitude_seconds), 0, 59},
            {double(c.elevation), -400, 8900},    {c.time_zone, -12, 12}};
        for (const auto& f : fields) EXPECT_TRUE(f[0] >= f[1] && f[0] <= f[2]) << ::testing::PrintToString(c);
    }
    // Signed degrees (north and east positive): city centres from Wikipedia
    // (tolerances in minutes of arc: sources differ a little), standard time
    // zones from the IANA database (Nepal's is UT+5:45).
    const struct { const char* name; double latitude, longitude, time_zone, tolerance_arcmin; } places[] = {
        {"Greenwich", 51 + 28 / 60.0 + 40 / 3600.0, -5 / 3600.0, 0.0, 0.1},
        {"Tokyo", 35 + 41 / 60.0, 139 + 41 / 60.0, 9.0, 1},
        {"Buenos Aires", -(34 + 36 / 60.0 + 12 / 3600.0), -(58 + 22 / 60.0 + 54 / 3600.0), -3.0, 1},
        {"Sydney", -(33 + 52 / 60.0 + 4 / 3600.0), 151 + 12 / 60.0 + 36 / 3600.0, 10.0, 1},
        {"Kathmandu", 27 + 42 / 60.0, 85 + 19 / 60.0, 5.75, 1},
    };
    for (const auto& p : places) {
        const CityRecord* city = find_city(p.name);
        ASSERT_NE(city, nullptr) << p.name;
        const Location l = location_from_city(*city);
        EXPECT_NEAR(signed_latitude(l), p.latitude, p.tolerance_arcmin / 60) << p.name;
        EXPECT_NEAR(signed_longitude(l), p.longitude, p.tolerance_arcmin / 60) << p.name;
        EXPECT_DOUBLE_EQ(l.time_zone, p.time_zone) << p.name;
    }
    // Saving the list unchanged writes the same bytes: the generator and the
    // program agree on the format, and no line was cut at 80 characters.
    store_city("Greenwich", 51, 28, 40, COMPASS_NORTH, 0, 0, 5, COMPASS_WEST, 0.0, 46, false);
    EXPECT_FALSE(cities_modified());
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), text);
}

}  // namespace
