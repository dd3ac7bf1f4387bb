// The city list: reading CITIES.DAT leniently, normalising and looking up
// names, the modified flag, saving (atomic, locked, never over an unreadable
// file, two processes at once), Latin-1 names, and the shipped list.
#include "app/location.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "test_files.h"

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
        errors_shown.clear(), questions_asked.clear();
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

TEST(CityNames, Normalisation) {
    EXPECT_EQ(normalize_city_name("  Las   Vegas  "), "Las Vegas");
    EXPECT_EQ(normalize_city_name("Llanfairpwllgwyngyllgogery"), "Llanfairpwllgwyngyll");  // cut to 20
    // Cutting at 20 leaves "North Carolina City " whose blank goes too.
    EXPECT_EQ(normalize_city_name("North Carolina City Hall"), "North Carolina City");
    // Tabs and line ends are blanks; escape sequences and other controls show as '?'.
    EXPECT_EQ(normalize_city_name("Tab\t\tName\r"), "Tab Name");
    EXPECT_EQ(normalize_city_name("Red\x1B[31m\x9B" "1m\x7F"), "Red?[31m?1m?");
    // A "|" would end the name's field in CITIES.DAT and shift every field
    // after it when the file is read again (the set_location fuzz target's round trip catches it).
    EXPECT_EQ(normalize_city_name("Paris | France"), "Paris / France");
    // A normalised name normalises to itself.
    for (const char* name : {"North Carolina City Hall", " a  b ", "12345678901234567890 x", "\t\x01\x85 "})
        EXPECT_EQ(normalize_city_name(normalize_city_name(name)), normalize_city_name(name)) << name;
}

// Leading and doubled separators are skipped; missing fields read as 0, North, West.
TEST_F(CityList, ReadingRules) {
    load("nowhere\n"
         "||Leading|1|2|3|N|4|5|6|E|7|8.5\n"
         "Doubled||1||2|3|s|4|5|6|e||7|-8.25\n"
         "Short|10|20\n"
         "|||\n"  // only separators: the list ends
         "Lost|1|1|1|N|1|1|1|W|1|1\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Leading", "Doubled", "Short"}));
    EXPECT_TRUE(errors_shown.empty());
    const CityRecord expected[] = {
        {"Leading", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 8.5, 7},
        {"Doubled", 1, 2, 3, COMPASS_SOUTH, 4, 5, 6, COMPASS_EAST, -8.25, 7},
        {"Short", 10, 20, 0, COMPASS_NORTH, 0, 0, 0, COMPASS_WEST, 0.0, 0},
    };
    for (const CityRecord& e : expected) EXPECT_EQ(find_city(e.name) ? *find_city(e.name) : CityRecord{}, e);
}

TEST_F(CityList, CurrentCityAndLocation) {
    load(std::string("  bETA  \n") + ALPHA + BETA);  // looked up whatever the case
    EXPECT_EQ(location.name, "Beta");
    EXPECT_NEAR(location.latitude, 11.0 + 22.0 / 60 + 33.0 / 3600, 1e-12);  // 11 22'33"
    EXPECT_EQ(location.latitude_hemisphere, COMPASS_SOUTH);
    store_city("M\xDCNCHEN", 48, 8, 0, COMPASS_NORTH, 11, 34, 0, COMPASS_EAST, 1.0, 520, true);
    EXPECT_EQ(find_city("m\xFCnchen"), find_city("M\xDCnchen"));  // Latin-1 capitals fold too
    load(std::string("Gamma\n") + ALPHA + BETA);  // names no city: the first is selected
    EXPECT_EQ(location.name, "Alpha");
    load(std::string("Beta\r\n") + ALPHA + "\r\n" + BETA);  // an empty line ends the list, also CR LF
    EXPECT_EQ(names(), std::vector<std::string>{"Alpha"});
}

TEST_F(CityList, MissingFileGivesOneNeutralCity) {
    load_cities(location);
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot load city location database: " +
                                                     (folder / "CITIES.DAT").string() +
                                                     " (No such file or directory)"});
    EXPECT_EQ(names(), std::vector<std::string>{"No name"});
    EXPECT_EQ(*find_city("No name"), (CityRecord{"No name"}));  // zeros, North, West
}

// A current city whose name is cut to 20 leaving a blank is still the
// current city, and its cut name finds it.
TEST_F(CityList, CutNamesStayTheCurrentCity) {
    load(std::string("North Carolina City Hall\n") + ALPHA + "North Carolina City Hall|35|46|0|N|78|38|0|W|96|-5\n");
    EXPECT_EQ(location.name, "North Carolina City");
    EXPECT_NE(find_city("North Carolina City"), nullptr);
    EXPECT_EQ(find_city("North Carolina City Hall"), find_city("north carolina city"));
}

// Long names are cut to 20, typed names normalised; of two twins only the first is updated.
TEST_F(CityList, SavedLinesKeepTheExactFormat) {
    load(std::string("Alpha\n") + ALPHA + "An overly long city name here|1|2|3|N|4|5|6|W|7|8\n" +
         "Twin|1|0|0|N|1|0|0|E|1|1\nTwin|2|0|0|N|2|0|0|E|2|2\n");
    store_city("  Sample   City ", 39, 44, 21, COMPASS_NORTH, 104, 59, 3, COMPASS_WEST, -7.0, 200, false);
    store_city("TWIN", 3, 0, 0, COMPASS_NORTH, 3, 0, 0, COMPASS_EAST, 3.0, 3, false);
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), "TWIN\n"
                       "Alpha               |10|20|30|N| 40|50| 0|E| 100|2.00\n"
                       "An overly long city | 1| 2| 3|N|  4| 5| 6|W|   7|8.00\n"
                       "TWIN                | 3| 0| 0|N|  3| 0| 0|E|   3|3.00\n"
                       "Twin                | 2| 0| 0|N|  2| 0| 0|E|   2|2.00\n"
                       "Sample City         |39|44|21|N|104|59| 3|W| 200|-7.00\n");
    EXPECT_FALSE(fs::exists(folder / "CITIES.NEW"));
    EXPECT_FALSE(cities_modified());
}

// Selecting another city and pressing OK without changing a field still counts as a change.
TEST_F(CityList, ModifiedFlagAndTheExitQuestion) {
    load(std::string("Alpha\n") + ALPHA + BETA);
    store_city("Alpha", 10, 20, 30, COMPASS_NORTH, 40, 50, 0, COMPASS_EAST, 2.0, 100, false);
    EXPECT_FALSE(cities_modified());
    save_cities_if_modified();
    EXPECT_TRUE(questions_asked.empty());
    store_city("Beta", 11, 22, 33, COMPASS_SOUTH, 44, 55, 6, COMPASS_WEST, -3.5, -5, false);
    EXPECT_TRUE(cities_modified());
    save_cities_if_modified();  // answered No
    EXPECT_EQ(questions_asked, std::vector<std::string>{"Save city location database?"});
    EXPECT_EQ(saved(), std::string("Alpha\n") + ALPHA + BETA);
    answer_yes = true;
    save_cities_if_modified();
    EXPECT_EQ(saved(), std::string("Beta\n") + ALPHA + BETA);
    EXPECT_FALSE(cities_modified());
}

// The files a folder holds besides the given ones.
std::vector<std::string> other_files(const fs::path& folder, std::vector<std::string> expected) {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(folder))
        if (std::find(expected.begin(), expected.end(), entry.path().filename()) == expected.end())
            others.push_back(entry.path().filename());
    return others;
}

// Runs body in a child process and gives its exit status (-1 when it did not exit).
int in_child(const std::function<int()>& body) {
    pid_t child = fork();
    if (child == 0) std::_Exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A save that cannot write its text (files may not grow past 10 bytes here)
// leaves CITIES.DAT as it was and no temporary file behind.
TEST_F(CityList, FailedSaveLeavesTheOldFileAndNoTemporary) {
    const std::string original = std::string("Alpha\n") + ALPHA;
    load(original);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    const int status = in_child([] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10, 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        return save_cities() ? 0 : 1;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(saved(), original);
    EXPECT_EQ(other_files(folder, {"CITIES.DAT", "CITIES.LCK"}), std::vector<std::string>{});
    EXPECT_TRUE(cities_modified());
}

// A CITIES.DAT that is there but cannot be read (here a folder) is reported
// with its path and never saved over.
TEST_F(CityList, UnreadableFileIsNeverSavedOver) {
    fs::create_directory(folder / "CITIES.DAT");
    std::ofstream(folder / "CITIES.DAT" / "keep") << "the user's";
    load_cities(location);
    ASSERT_EQ(errors_shown.size(), 1u);
    EXPECT_NE(errors_shown[0].find((folder / "CITIES.DAT").string()), std::string::npos) << errors_shown[0];
    EXPECT_EQ(names(), std::vector<std::string>{"No name"});
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    EXPECT_FALSE(save_cities());
    EXPECT_NE(errors_shown.back().find("not saved over"), std::string::npos) << errors_shown.back();
    EXPECT_EQ(read_text(folder / "CITIES.DAT" / "keep"), "the user's");
    EXPECT_TRUE(cities_modified());
}

// A city line with a value out of range (a NaN time zone, 61 minutes, an
// elevation past Everest) is left out with a message naming the line; the
// file is then not saved over, so the line is not lost.
TEST_F(CityList, OutOfRangeLinesAreLeftOutAndKept) {
    const std::string text = std::string("Alpha\n") + ALPHA + "Nan zone|1|0|0|N|1|0|0|E|0|nan\n" +
                             "Minutes|1|61|0|N|1|0|0|E|0|0\nHigh|1|0|0|N|1|0|0|E|9000|0\n" +
                             "Pole|90|0|1|N|1|0|0|E|0|0\nInfinite|1|0|0|N|1|0|0|E|0|-inf\n" + BETA;
    load(text);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(errors_shown, std::vector<std::string>{"City location database " + (folder / "CITIES.DAT").string() +
                                                     ", line 3: a value out of range; that city is left out"});
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    EXPECT_FALSE(save_cities());
    EXPECT_EQ(saved(), text);
}

// Cities another copy of the program saved after this one loaded stay when
// this one saves; of a city both changed, this save's values win.
TEST_F(CityList, SaveKeepsWhatAnotherCopySavedMeanwhile) {
    load(std::string("Alpha\n") + ALPHA + BETA);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    store_city("Beta", 12, 0, 0, COMPASS_SOUTH, 44, 0, 0, COMPASS_WEST, -3.0, 0, false);
    std::ofstream(folder / "CITIES.DAT") << "Delta\n" << ALPHA
                                         << "Beta                | 1| 0| 0|S|  1| 0| 0|W|   0|0.00\n"
                                         << "Delta               | 5| 0| 0|N|  5| 0| 0|E|   0|1.00\n";
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), std::string("Beta\n") + ALPHA +
                           "Beta                |12| 0| 0|S| 44| 0| 0|W|   0|-3.00\n"
                           "Delta               | 5| 0| 0|N|  5| 0| 0|E|   0|1.00\n"
                           "Gamma               | 1| 2| 3|N|  4| 5| 6|W|   0|0.00\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}));
}

// Two processes saving at once, over and over, always leave the whole file
// of one of them: each stores the city "Twice" with its own values.
TEST_F(CityList, TwoProcessesSavingAtOnceLeaveOneWholeFile) {
    const std::string original = std::string("Alpha\n") + ALPHA + BETA;
    const std::string from_first = std::string("Twice\n") + ALPHA + BETA +
                                   "Twice               | 1| 0| 0|N|  1| 0| 0|E|   1|1.00\n";
    const std::string from_second = std::string("Twice\n") + ALPHA + BETA +
                                    "Twice               | 2| 0| 0|S|  2| 0| 0|W|   2|-2.00\n";
    constexpr int ROUNDS = 20;
    for (int round = 0; round < ROUNDS; ++round) {
        std::ofstream(folder / "CITIES.DAT", std::ios::binary) << original;
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        pid_t children[2];
        for (int copy = 0; copy < 2; ++copy) {
            children[copy] = fork();
            if (children[copy] != 0) continue;
            close(start[1]);
            Location place;
            load_cities(place);
            char go;
            if (read(start[0], &go, 1) != 0) std::_Exit(3);  // both wait here until the pipe closes
            if (copy == 0) store_city("Twice", 1, 0, 0, COMPASS_NORTH, 1, 0, 0, COMPASS_EAST, 1.0, 1, false);
            else store_city("Twice", 2, 0, 0, COMPASS_SOUTH, 2, 0, 0, COMPASS_WEST, -2.0, 2, false);
            std::_Exit(save_cities() ? 0 : 1);
        }
        close(start[0]);
        close(start[1]);
        for (pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const std::string result = saved();
        EXPECT_TRUE(result == from_first || result == from_second) << "round " << round << ":\n" << result;
        EXPECT_EQ(other_files(folder, {"CITIES.DAT", "CITIES.LCK"}), std::vector<std::string>{});
    }
}

// The folder test never opens an existing name: a link where a fixed probe
// name used to be leaves its target whole.
TEST_F(CityList, WriteProbeNeverFollowsALink) {
    std::ofstream(folder / "target") << "precious";
    fs::create_symlink(folder / "target", folder / ".skyloom2-write-probe");
    EXPECT_EQ(writable_data_file_path("CITIES.DAT"), (folder / "CITIES.DAT").string());
    EXPECT_EQ(read_text(folder / "target"), "precious");
    EXPECT_EQ(other_files(folder, {"target", ".skyloom2-write-probe"}), std::vector<std::string>{});
}

// Latin-1 names from the file are found by their UTF-8 spelling.
TEST_F(CityList, Latin1NamesMatchTheirUtf8Spelling) {
    load("S\xE3o Paulo\nS\xE3o Paulo|23|33|0|S|46|38|0|W|760|-3\n");
    std::string latin1;
    ASSERT_TRUE(utf8_to_latin1_exact("S\xC3\xA3o Paulo", latin1));
    EXPECT_NE(find_city(latin1), nullptr);
    EXPECT_EQ(location.name, "S\xE3o Paulo");
    EXPECT_FALSE(utf8_to_latin1_exact("\xC5\x81\xC3\xB3" "d\xC5\xBA", latin1));  // "Lodz" with a Polish L
    EXPECT_FALSE(utf8_to_latin1_exact("S\xE3o", latin1));                      // Latin-1, not UTF-8
    EXPECT_FALSE(utf8_to_latin1_exact("\xC0\xAF", latin1));                   // overlong "/"
    EXPECT_EQ(latin1_to_terminal("a\x1B[2Jb\x9B\x7F\f\n\xE3"), "a?[2Jb??\f\n\xC3\xA3");
}

// The shipped list loads, holds every town of 100 000 people under a name of its
// own, has known places where they are (half-hour and 45-minute zones among
// them), and saves byte for byte.
TEST_F(CityList, ShippedList) {
    const fs::path shipped = fs::path(SKYLOOM_SOURCE_DIR) / "data" / "CITIES.DAT";
    const std::string text = read_text(shipped);
    fs::copy_file(shipped, folder / "CITIES.DAT");
    load_cities(location);
    ASSERT_TRUE(errors_shown.empty());
    EXPECT_GE(city_count(), 3000);
    std::set<std::string> names;
    for (int i = 0; i < city_count(); ++i) {
        std::string lower = city_name(i);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(names.insert(lower).second) << "two cities named " << city_name(i);
    }
    // Signed degrees (north and east positive): centres from Wikipedia, tolerance in
    // minutes of arc; standard time zones from the IANA database.
    const struct { const char* name; double latitude, longitude, time_zone, tolerance_arcmin; } places[] = {
        {"Greenwich", 51 + 28 / 60.0 + 40 / 3600.0, -5 / 3600.0, 0.0, 0.1},
        {"Buenos Aires", -(34 + 36 / 60.0 + 12 / 3600.0), -(58 + 22 / 60.0 + 54 / 3600.0), -3.0, 1},
        {"Kathmandu", 27 + 42 / 60.0, 85 + 19 / 60.0, 5.75, 1},
        {"Denver", 39 + 44 / 60.0 + 21 / 3600.0, -(104 + 59 / 60.0 + 3 / 3600.0), -7.0, 1},
        {"Delhi", 28 + 36 / 60.0 + 36 / 3600.0, 77 + 13 / 60.0 + 48 / 3600.0, 5.5, 5},
        {"St. John's", 47 + 33 / 60.0 + 40 / 3600.0, -(52 + 42 / 60.0 + 45 / 3600.0), -3.5, 3},
        {"Adelaide", -(34 + 55 / 60.0 + 44 / 3600.0), 138 + 36 / 60.0 + 3 / 3600.0, 9.5, 3},
        {"Tehran", 35 + 41 / 60.0 + 21 / 3600.0, 51 + 23 / 60.0 + 24 / 3600.0, 3.5, 3},
        {"Kabul", 34 + 31 / 60.0 + 31 / 3600.0, 69 + 10 / 60.0 + 42 / 3600.0, 4.5, 3},
        {"Yangon", 16 + 47 / 60.0 + 43 / 3600.0, 96 + 9 / 60.0 + 36 / 3600.0, 6.5, 3},
        // namesakes: the state's code, or the country's
        {"Springfield IL", 39 + 47 / 60.0 + 54 / 3600.0, -(89 + 39 / 60.0 + 1 / 3600.0), -6.0, 3},
        {"Cambridge US", 42 + 22 / 60.0 + 25 / 3600.0, -(71 + 6 / 60.0 + 38 / 3600.0), -5.0, 3},
    };
    for (const auto& p : places) {
        const CityRecord* city = find_city(p.name);
        ASSERT_NE(city, nullptr) << p.name;
        const Location l = location_from_city(*city);
        EXPECT_NEAR(signed_latitude(l), p.latitude, p.tolerance_arcmin / 60) << p.name;
        EXPECT_NEAR(signed_longitude(l), p.longitude, p.tolerance_arcmin / 60) << p.name;
        EXPECT_DOUBLE_EQ(l.time_zone, p.time_zone) << p.name;
    }
    store_city("Greenwich", 51, 28, 40, COMPASS_NORTH, 0, 0, 5, COMPASS_WEST, 0.0, 46, false);
    EXPECT_FALSE(cities_modified());
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), text);
}

}  // namespace
