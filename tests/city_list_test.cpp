// The city list: reading CITIES.DAT leniently, normalising and looking up
// names, the modified flag, saving (atomic, locked, never over an unreadable
// file, two processes at once), Latin-1 names, and the shipped list.
#include "app/city_list.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <cmath>
#include <functional>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/city_file.h"
#include "app/dialog_rules.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "message_recorder.h"
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

// Each test works in a fresh folder of its own: the shipped list in it
// stands for the program's data folder, share/ for $XDG_DATA_HOME.
class CityList : public ::testing::Test {
protected:
    fs::path folder, mine;
    Location location;

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "skyloom_cities_XXXXXX").string();
        folder = mkdtemp(pattern.data());
        mine = folder / "share" / "skyloom2";
        set_data_folder(folder.string());
        setenv("XDG_DATA_HOME", (folder / "share").c_str(), 1);
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
    void ship(const std::string& file_text) { std::ofstream(folder / "CITIES.DAT", std::ios::binary) << file_text; }
    void put_mine(const std::string& file_text) {
        fs::create_directories(mine);
        std::ofstream(mine / "MYCITIES.DAT", std::ios::binary) << file_text;
    }
    void load(const std::string& file_text) {
        ship(file_text);
        load_cities(location);
    }
    std::vector<std::string> names() {
        std::vector<std::string> list;
        for (int i = 0; i < city_count(); ++i) list.push_back(city_name(i));
        return list;
    }
    std::string saved() { return read_text(mine / "MYCITIES.DAT"); }
    std::string shipped_path() { return (folder / "CITIES.DAT").string(); }
};

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

const char* const ALPHA = "Alpha               |10|20|30|N| 40|50| 0|E| 100|2.00\n";
const char* const BETA = "Beta                |11|22|33|S| 44|55| 6|W|  -5|-3.50\n";
const std::string HEADER = "Skyloom 2 cities 1\n";

TEST(CityNames, Normalisation) {
    EXPECT_EQ(normalize_city_name("  Las   Vegas  "), "Las Vegas");
    EXPECT_EQ(normalize_city_name("Llanfairpwllgwyngyllgogerychwyrndrobwllllantysiliogogogoch"),
              "Llanfairpwllgwyngyllgogerychwy");  // cut to 30
    // Cutting at 30 leaves "Saint-Jean-sur-Richelieu City " whose blank goes too.
    EXPECT_EQ(normalize_city_name("Saint-Jean-sur-Richelieu City Hall"), "Saint-Jean-sur-Richelieu City");
    // Tabs and line ends are blanks; escape sequences and other controls show as '?'.
    EXPECT_EQ(normalize_city_name("Tab\t\tName\r"), "Tab Name");
    EXPECT_EQ(normalize_city_name("Red\x1B[31m\x9B" "1m\x7F"), "Red?[31m?1m?");
    // A "|" would end the name's field in CITIES.DAT and shift every field
    // after it when the file is read again (the set_location fuzz target's round trip catches it).
    EXPECT_EQ(normalize_city_name("Paris | France"), "Paris / France");
    // A normalised name normalises to itself.
    for (const char* name : {"Saint-Jean-sur-Richelieu City Hall", " a  b ", "123456789012345678901234567890 x", "\t\x01\x85 "})
        EXPECT_EQ(normalize_city_name(normalize_city_name(name)), normalize_city_name(name)) << name;
}

// Typed without accents: Latin-1 letters fold onto their plain letters.
TEST(CityNames, AccentsAndCaseFold) {
    EXPECT_EQ(without_accents_or_case("S\xE3o Paulo"), "sao paulo");
    EXPECT_EQ(without_accents_or_case("ASUNCI\xD3N"), "asuncion");
    EXPECT_EQ(without_accents_or_case("K\xF6ln \xC5rhus Z\xFCrich"), "koln arhus zurich");
    EXPECT_EQ(without_accents_or_case("Stra\xDF" "e \xC6r\xF8 \xDE\xF3rsh\xF6" "fn"), "strasse aero thorshofn");
    EXPECT_EQ(without_accents_or_case("\xD7\xF7 \xB0'|"), "\xD7\xF7 \xB0'|");  // signs stand
}

// Leading and doubled separators are skipped and blank lines pass over;
// every line that is not a whole city is named with its line and left out.
TEST_F(CityList, ReadingRulesAndFaults) {
    load("nowhere\n"
         "||Leading|1|2|3|N|4|5|6|E|7|8.5\n"
         "\n"
         "Doubled||1||2|3|s|4|5|6|e||7|-8.25\n"
         "   \r\n"
         "Short|10|20\n"                                    // line 6
         "|||\n"                                            // 7
         "Garbage line with no numbers at all\n"            // 8
         "Words|x|0|0|N|0|0|0|W|0|0\n"                      // 9
         "Huge zone|1|0|0|N|1|0|0|E|0|1e400\n"              // 10
         "Hex|1|0|0|N|1|0|0|E|0|0x5\n"                      // 11
         "Minutes|1|61|0|N|1|0|0|E|0|0\n"                   // 12
         "Pole|90|0|1|N|1|0|0|E|0|0\n"                      // 13
         "Letter|1|0|0|Q|1|0|0|E|0|0\n"                     // 14
         "Bin\x01ry|1|0|0|N|1|0|0|E|0|0\n"                  // 15
         "After|1|1|1|N|1|1|1|W|1|1\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Leading", "Doubled", "After"}));
    const CityRecord expected[] = {
        {"Leading", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 8.5, 7},
        {"Doubled", 1, 2, 3, COMPASS_SOUTH, 4, 5, 6, COMPASS_EAST, -8.25, 7},
    };
    for (const CityRecord& e : expected) EXPECT_EQ(find_city(e.name) ? *find_city(e.name) : CityRecord{}, e);
    ASSERT_EQ(errors_shown.size(), 1u);
    const std::string& text = errors_shown[0];
    const std::string at = "City location database " + shipped_path() + ", line ";
    EXPECT_NE(text.find(at + "6: the line has 3 fields where a city has 11; that line is left out"), std::string::npos) << text;
    EXPECT_NE(text.find(at + "7: the line has 0 fields"), std::string::npos) << text;
    EXPECT_NE(text.find(at + "8: the line has 1 fields"), std::string::npos) << text;
    EXPECT_NE(text.find(at + "9: the latitude degrees is not a number (\"x\")"), std::string::npos) << text;
    EXPECT_NE(text.find(at + "10: the time zone is not a number (\"1e400\")"), std::string::npos) << text;
    EXPECT_NE(text.find("... and 5 more lines with faults"), std::string::npos) << text;
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
    load(std::string("Beta\r\n") + ALPHA + "\r\n" + BETA);  // a blank line loses nothing, also CR LF
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_TRUE(errors_shown.empty());
}

TEST_F(CityList, MissingFileGivesOneNeutralCity) {
    load_cities(location);
    EXPECT_EQ(errors_shown, std::vector<std::string>{"Cannot load city location database: " + shipped_path() +
                                                     " (No such file or directory)"});
    EXPECT_EQ(names(), std::vector<std::string>{"No name"});
    EXPECT_EQ(*find_city("No name"), (CityRecord{"No name"}));  // zeros, North, West
}

// A current city whose name is cut to 30 leaving a blank is still the
// current city, and its cut name finds it.
TEST_F(CityList, CutNamesStayTheCurrentCity) {
    load(std::string("Saint-Jean-sur-Richelieu City Hall\n") + ALPHA +
         "Saint-Jean-sur-Richelieu City Hall|45|18|0|N|73|16|0|W|40|-5\n");
    EXPECT_EQ(location.name, "Saint-Jean-sur-Richelieu City");
    EXPECT_NE(find_city("Saint-Jean-sur-Richelieu City"), nullptr);
    EXPECT_EQ(find_city("Saint-Jean-sur-Richelieu City Hall"), find_city("saint-jean-sur-richelieu city"));
}

// The user's file holds what the user added, changed and removed, in the
// city line format; the shipped list is never written.  A city stored with
// the shipped values again leaves the user's file.
TEST_F(CityList, SavedUserFileHoldsOnlyTheUsersCities) {
    const std::string shipped = std::string("Alpha\n") + ALPHA + BETA;
    load(shipped);
    store_city("  Sample   City ", 39, 44, 21, COMPASS_NORTH, 104, 59, 3, COMPASS_WEST, -7.0, 200, false);
    store_city("BETA", 3, 0, 0, COMPASS_NORTH, 3, 0, 0, COMPASS_EAST, 3.0, 3, false);
    ASSERT_TRUE(remove_city("alpha"));
    EXPECT_FALSE(remove_city("Atlantis"));
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), HEADER + "current|BETA\n"
                       "city|Sample City         |39|44|21|N|104|59| 3|W| 200|-7.00\n"
                       "city|BETA                | 3| 0| 0|N|  3| 0| 0|E|   3|3.00\n"
                       "removed|Alpha\n");
    EXPECT_EQ(read_text(folder / "CITIES.DAT"), shipped);
    EXPECT_FALSE(cities_modified());
    load_cities(location);
    EXPECT_EQ(names(), (std::vector<std::string>{"BETA", "Sample City"}));
    EXPECT_EQ(location.name, "BETA");
    store_city("Beta", 11, 22, 33, COMPASS_SOUTH, 44, 55, 6, COMPASS_WEST, -3.5, -5, false);
    add_city(CityRecord{"Alpha", 10, 20, 30, COMPASS_NORTH, 40, 50, 0, COMPASS_EAST, 2.0, 100});
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), HEADER + "current|BETA\ncity|Sample City         |39|44|21|N|104|59| 3|W| 200|-7.00\n");
    EXPECT_EQ(std::vector<std::string>(), other_files(mine, {"MYCITIES.DAT", "MYCITIES.LCK"}));
}

// An upgrade: the new shipped list corrects Beta and adds Delta; the user's
// own change of Alpha, added Gamma and removed Epsilon stay the user's.
TEST_F(CityList, ShippedCorrectionsReachTheUser) {
    put_mine(HEADER + "current|Gamma\n"
                      "city|Alpha               | 1| 0| 0|N|  1| 0| 0|E|   1|1.00\n"
                      "city|Gamma               | 5| 0| 0|N|  5| 0| 0|E|   5|5.00| zone=Europe/Paris |note=later\n"
                      "removed|Epsilon\n");
    load(std::string("Alpha\n") + ALPHA + "Beta                |12| 0| 0|S| 44| 0| 0|W|   0|-3.00\n" +
         "Delta               | 7| 0| 0|N|  7| 0| 0|E|   0|1.00\n" +
         "Epsilon             | 8| 0| 0|N|  8| 0| 0|E|   0|1.00\n");
    EXPECT_TRUE(errors_shown.empty()) << errors_shown[0];
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}));
    EXPECT_EQ(location.name, "Gamma");
    EXPECT_EQ(find_city("Alpha")->latitude_degrees, 1);
    EXPECT_EQ(find_city("Beta")->latitude_degrees, 12);
    EXPECT_EQ(find_city("Gamma")->zone, "Europe/Paris");
    EXPECT_EQ(find_city("Gamma")->extra_fields, "note=later");
    EXPECT_EQ(location.zone, "Europe/Paris");
    EXPECT_EQ(city_origin(*find_city("Alpha")), CityOrigin::CHANGED);
    EXPECT_EQ(city_origin(*find_city("Beta")), CityOrigin::SHIPPED);
    EXPECT_EQ(city_origin(*find_city("Gamma")), CityOrigin::ADDED);
    // A later version's field survives this version's save, also of a changed city.
    store_city("Gamma", 6, 0, 0, COMPASS_NORTH, 5, 0, 0, COMPASS_EAST, 5.0, 5, false, "Europe/Berlin");
    ASSERT_TRUE(save_cities());
    EXPECT_NE(saved().find("city|Gamma               | 6| 0| 0|N|  5| 0| 0|E|   5|5.00|zone=Europe/Berlin|note=later\n"),
              std::string::npos) << saved();
}

// The full copy of the list an earlier version kept in the user's folder
// becomes the user's own cities once: the user's additions and changes
// stay, what is still as shipped follows the shipped list, the copy is kept
// as CITIES.OLD.  With the prefix ~/.local that folder holds the shipped
// list itself, which is not a copy.
TEST_F(CityList, FullCopyOfAnEarlierVersionIsMigratedOnce) {
    fs::create_directories(mine);
    std::ofstream(mine / "CITIES.DAT") << "Mine\n" << ALPHA << BETA << "Mine                | 1| 2| 3|N|  4| 5| 6|W|   7|8.00\n";
    load(std::string("Alpha\n") + ALPHA + "Beta                |12| 0| 0|S| 44| 0| 0|W|   0|-3.00\n");
    EXPECT_TRUE(errors_shown.empty());
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Mine"}));
    EXPECT_EQ(location.name, "Mine");
    EXPECT_EQ(saved(), HEADER + "current|Mine\ncity|" + BETA + "city|Mine                | 1| 2| 3|N|  4| 5| 6|W|   7|8.00\n");
    EXPECT_FALSE(fs::exists(mine / "CITIES.DAT"));
    EXPECT_TRUE(fs::exists(mine / "CITIES.OLD"));
    EXPECT_FALSE(cities_modified());

    free_cities();
    fs::remove_all(folder / "share");
    set_data_folder(mine.string());  // installed into ~/.local: the shipped list is in the user's folder
    fs::create_directories(mine);
    std::ofstream(mine / "CITIES.DAT") << "Alpha\n" << ALPHA;
    load_cities(location);
    EXPECT_FALSE(fs::exists(mine / "MYCITIES.DAT"));
    EXPECT_EQ(names(), std::vector<std::string>{"Alpha"});
}

// A first run writes nothing: no copy of the list, no folder.
TEST_F(CityList, FirstRunWritesNothing) {
    load(std::string("Alpha\n") + ALPHA);
    EXPECT_FALSE(fs::exists(folder / "share"));
    EXPECT_EQ(city_count(), 1);
}

// A save that cannot write its text (files may not grow past 10 bytes here)
// leaves the user's file as it was and no temporary file behind.
TEST_F(CityList, FailedSaveLeavesTheOldFileAndNoTemporary) {
    const std::string original = HEADER + "city|" + BETA;
    put_mine(original);
    load(std::string("Alpha\n") + ALPHA);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    const int status = in_child([] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10, 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        return save_cities() ? 0 : 1;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(saved(), original);
    EXPECT_EQ(other_files(mine, {"MYCITIES.DAT", "MYCITIES.LCK"}), std::vector<std::string>{});
    EXPECT_TRUE(cities_modified());
}

// A user's file that cannot be read (here a folder), or that has a line
// that cannot be read, is reported with its path and never saved over.
TEST_F(CityList, DamagedUserFileIsNeverSavedOver) {
    fs::create_directories(mine / "MYCITIES.DAT");
    std::ofstream(mine / "MYCITIES.DAT" / "keep") << "the user's";
    load(std::string("Alpha\n") + ALPHA);
    ASSERT_EQ(errors_shown.size(), 1u);
    EXPECT_NE(errors_shown[0].find((mine / "MYCITIES.DAT").string()), std::string::npos) << errors_shown[0];
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    EXPECT_FALSE(save_cities());
    EXPECT_EQ(errors_shown.back(), "City location database " + (mine / "MYCITIES.DAT").string() +
                                       " could not be read whole, so it is not saved over until it is corrected");
    EXPECT_EQ(read_text(mine / "MYCITIES.DAT" / "keep"), "the user's");
    EXPECT_TRUE(cities_modified());

    free_cities();
    fs::remove_all(mine);
    const std::string damaged = HEADER + "city|" + BETA + "city|Nan zone|1|0|0|N|1|0|0|E|0|nan\n" + "city|" + ALPHA;
    put_mine(damaged);
    errors_shown.clear();
    load_cities(location);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta"}));
    ASSERT_EQ(errors_shown.size(), 1u);
    EXPECT_EQ(errors_shown[0], "City location database " + (mine / "MYCITIES.DAT").string() +
                                   ", line 3: the time zone is not a number (\"nan\"); that line is left out");
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    EXPECT_FALSE(save_cities());
    EXPECT_EQ(saved(), damaged);

    // A notes file in its place (a link, say) is not a file of cities.
    free_cities();
    put_mine("Shopping: milk, eggs\n12 | 13 | 14\n");
    errors_shown.clear();
    load_cities(location);
    ASSERT_EQ(errors_shown.size(), 1u);
    EXPECT_NE(errors_shown[0].find("line 1: not a file of cities"), std::string::npos) << errors_shown[0];
    EXPECT_EQ(names(), std::vector<std::string>{"Alpha"});
    EXPECT_FALSE(save_cities());
    EXPECT_EQ(saved(), "Shopping: milk, eggs\n12 | 13 | 14\n");
}

// Cities another copy of the program saved after this one loaded stay when
// this one saves; of a city both changed, this save's values win.
TEST_F(CityList, SaveKeepsWhatAnotherCopySavedMeanwhile) {
    load(std::string("Alpha\n") + ALPHA + BETA);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    store_city("Beta", 12, 0, 0, COMPASS_SOUTH, 44, 0, 0, COMPASS_WEST, -3.0, 0, false);
    put_mine(HEADER + "current|Delta\n"
                      "city|Beta                | 1| 0| 0|S|  1| 0| 0|W|   0|0.00\n"
                      "city|Delta               | 5| 0| 0|N|  5| 0| 0|E|   0|1.00\n");
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), HEADER + "current|Beta\n"
                                "city|Beta                |12| 0| 0|S| 44| 0| 0|W|   0|-3.00\n"
                                "city|Delta               | 5| 0| 0|N|  5| 0| 0|E|   0|1.00\n"
                                "city|Gamma               | 1| 2| 3|N|  4| 5| 6|W|   0|0.00\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}));
}

// Two processes saving at once, over and over, always leave the whole file
// of one of them: each stores the city "Twice" with its own values.
TEST_F(CityList, TwoProcessesSavingAtOnceLeaveOneWholeFile) {
    ship(std::string("Alpha\n") + ALPHA + BETA);
    const std::string from_first = HEADER + "current|Twice\ncity|Twice               | 1| 0| 0|N|  1| 0| 0|E|   1|1.00\n";
    const std::string from_second = HEADER + "current|Twice\ncity|Twice               | 2| 0| 0|S|  2| 0| 0|W|   2|-2.00\n";
    constexpr int ROUNDS = 20;
    for (int round = 0; round < ROUNDS; ++round) {
        fs::remove_all(mine);
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
        EXPECT_EQ(other_files(mine, {"MYCITIES.DAT", "MYCITIES.LCK"}), std::vector<std::string>{});
    }
}

// Another copy holding the lock makes a save give up after a few seconds
// with a message, rather than wait for ever.
TEST_F(CityList, ALockHeldElsewhereIsWaitedForBriefly) {
    load(std::string("Alpha\n") + ALPHA);
    fs::create_directories(mine);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        FileLock lock = lock_file((mine / "MYCITIES.LCK").string(), 0);
        if (write(ready[1], "x", 1) != 1 || lock.state != FileLock::LOCKED) std::_Exit(1);
        pause();
        std::_Exit(0);
    }
    char go;
    ASSERT_EQ(read(ready[0], &go, 1), 1);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    const auto began = std::chrono::steady_clock::now();
    EXPECT_FALSE(save_cities());
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_GE(waited, 2.0);
    EXPECT_LT(waited, 10.0);
    ASSERT_FALSE(errors_shown.empty());
    EXPECT_EQ(errors_shown.back(), "Another Skyloom is saving the cities (" + (mine / "MYCITIES.LCK").string() +
                                       " is locked); nothing was saved, try again in a moment");
    EXPECT_TRUE(save_cities());  // the holder is gone
}

// Temporary files of a save killed in the middle (kill -9) are removed by
// the next save; those of a process still running stay.
TEST_F(CityList, TemporariesOfDeadProcessesAreRemoved) {
    load(std::string("Alpha\n") + ALPHA);
    fs::create_directories(mine);
    pid_t dead = fork();
    if (dead == 0) std::_Exit(0);
    waitpid(dead, nullptr, 0);
    const std::string gone = "MYCITIES.NEW." + std::to_string(dead) + ".12345";
    const std::string old_gone = "CITIES.NEW." + std::to_string(dead) + ".7";
    const std::string alive = "MYCITIES.NEW." + std::to_string(getppid()) + ".1";
    for (const std::string& name : {gone, old_gone, alive}) std::ofstream(mine / name) << std::string(1000, 'x');
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_WEST, 0.0, 0, false);
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(other_files(mine, {"MYCITIES.DAT", "MYCITIES.LCK"}), std::vector<std::string>{alive});
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

// A list in UTF-8 whose cities carry other names: a name typed finds its
// city by its name, else by another name, else either without accents; a
// city of the user's named like another name stays the user's.
const std::string RENAMED_LIST = "Greenwich\n"
                                 "Greenwich           |51|28|40|N|  0| 0| 5|W|  46|0.00|zone=Europe/London\n"
                                 "Kyiv                |50|27|17|N| 30|31|26|E| 187|2.00|zone=Europe/Kyiv|aka=Kiev\n"
                                 "Cologne             |50|56| 0|N|  6|57| 0|E|  58|1.00|aka=K\xC3\xB6ln;Koeln|zone=Europe/Berlin\n"
                                 "S\xC3\xA3o Paulo           |23|32|51|S| 46|38|10|W| 769|-3.00\n";

TEST_F(CityList, OtherNamesAndAccentsFindTheirCity) {
    load(RENAMED_LIST);
    ASSERT_TRUE(errors_shown.empty()) << errors_shown[0];
    EXPECT_EQ(names(), (std::vector<std::string>{"Greenwich", "Kyiv", "Cologne", "S\xE3o Paulo"}));
    const struct { const char* typed; const char* found; } typed[] = {
        {"kyiv", "Kyiv"}, {"KIEV", "Kyiv"}, {"Koeln", "Cologne"}, {"K\xF6ln", "Cologne"}, {"koln", "Cologne"},
        {"S\xE3o Paulo", "S\xE3o Paulo"}, {"sao paulo", "S\xE3o Paulo"}, {"SAO PAULO", "S\xE3o Paulo"},
        {"  Sao   Paulo ", "S\xE3o Paulo"},
    };
    for (const auto& t : typed) {
        const CityRecord* city = find_city(t.typed);
        ASSERT_NE(city, nullptr) << t.typed;
        EXPECT_EQ(city->name, t.found) << t.typed;
    }
    EXPECT_EQ(find_city("Kie"), nullptr);
    EXPECT_EQ(find_city("Paulo"), nullptr);
    EXPECT_EQ(other_city_names(*find_city("Cologne")), (std::vector<std::string>{"K\xF6ln", "Koeln"}));
    // Set Location takes a city typed by another name as that city.
    Location placed;
    const LocationEntry kiev{"kiev", "50", "27", "17", COMPASS_NORTH, "30", "31", "26", COMPASS_EAST, "187", "2"};
    EXPECT_EQ(apply_location_entry(kiev, placed).message_id, 0);
    EXPECT_EQ(placed.name, "Kyiv");
    const LocationEntry home{"home town", "1", "0", "0", COMPASS_NORTH, "2", "0", "0", COMPASS_EAST, "3", "0"};
    EXPECT_EQ(apply_location_entry(home, placed).message_id, 0);
    EXPECT_EQ(placed.name, "home town");
}

// The user's file of an earlier version, in Latin-1, names shipped cities
// that were renamed since: the current city and a removed one follow the
// rename, a city of the user's called Kiev stays the user's and is what
// "Kiev" finds.  Saving writes UTF-8.
TEST_F(CityList, UsersCitiesSurviveRenamedShippedCities) {
    put_mine(HEADER + "current|Koeln\n" + "removed|Sao Paulo\n");
    load(RENAMED_LIST);
    EXPECT_EQ(location.name, "Cologne");
    EXPECT_EQ(current_city_name(), "Cologne");
    EXPECT_EQ(names(), (std::vector<std::string>{"Greenwich", "Kyiv", "Cologne"}));
    free_cities();

    put_mine(HEADER + "current|Kiev\n" + "city|Kiev                |50|26|0|N|30|31|0|E|179|2.00\n" +
             "city|Z\xFCrich              |47|22|0|N|8|33|0|E|408|1.00\n");
    load(RENAMED_LIST);
    ASSERT_TRUE(errors_shown.empty()) << errors_shown[0];
    EXPECT_EQ(names(), (std::vector<std::string>{"Greenwich", "Kyiv", "Cologne", "S\xE3o Paulo", "Kiev", "Z\xFCrich"}));
    EXPECT_EQ(location.name, "Kiev");
    EXPECT_EQ(find_city("kiev")->latitude_minutes, 26);
    EXPECT_EQ(city_origin(*find_city("Kiev")), CityOrigin::ADDED);
    EXPECT_EQ(city_origin(*find_city("Kyiv")), CityOrigin::SHIPPED);
    EXPECT_EQ(find_city("zurich")->name, "Z\xFCrich");
    store_city("Gen\xE8ve", 46, 12, 0, COMPASS_NORTH, 6, 9, 0, COMPASS_EAST, 1.0, 375, false);
    ASSERT_TRUE(save_cities());
    EXPECT_NE(saved().find("city|Z\xC3\xBCrich              |47|22| 0|N|  8|33| 0|E| 408|1.00\n"), std::string::npos)
        << saved();
    EXPECT_NE(saved().find("current|Gen\xC3\xA8ve\n"), std::string::npos) << saved();
    free_cities();
    load(RENAMED_LIST);
    EXPECT_EQ(location.name, "Gen\xE8ve");
    EXPECT_EQ(find_city("zurich")->name, "Z\xFCrich");
}

// The shipped list loads without a fault, holds every town of 100 000 people
// under a name of its own and has known places where they are (half-hour
// and 45-minute zones among them); an unchanged list saves as no city of the user's.
TEST_F(CityList, ShippedList) {
    const fs::path shipped = fs::path(SKYLOOM_SOURCE_DIR) / "data" / "CITIES.DAT";
    fs::copy_file(shipped, folder / "CITIES.DAT");
    load_cities(location);
    ASSERT_TRUE(errors_shown.empty()) << errors_shown[0];
    EXPECT_GE(city_count(), 4000);
    EXPECT_LE(city_count(), 6000);
    std::set<std::string> names;
    for (int i = 0; i < city_count(); ++i)
        EXPECT_TRUE(names.insert(without_accents_or_case(city_name(i))).second) << "two cities named " << city_name(i);
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
    // The names people type, with or without accents, and the older
    // spellings, find their cities; districts and second entries are gone.
    const struct { const char* typed; const char* name; } typed[] = {
        {"Osaka", "Osaka"}, {"Osaka-shi", "Osaka"}, {"Milan", "Milan"}, {"Milano", "Milan"}, {"Kyiv", "Kyiv"},
        {"Kiev", "Kyiv"}, {"Cologne", "Cologne"}, {"Koeln", "Cologne"}, {"K\xF6ln", "Cologne"},
        {"New York", "New York"}, {"New York City", "New York"}, {"Washington", "Washington"},
        {"S\xE3o Paulo", "S\xE3o Paulo"}, {"Sao Paulo", "S\xE3o Paulo"}, {"Ciudad Juarez", "Ciudad Ju\xE1rez"},
        {"Asuncion", "Asunci\xF3n"}, {"Sendai-shi", "Sendai"}, {"Warsaw", "Warsaw"},
    };
    for (const auto& t : typed) {
        const CityRecord* city = find_city(t.typed);
        ASSERT_NE(city, nullptr) << t.typed;
        EXPECT_EQ(city->name, t.name) << t.typed;
    }
    for (const char* district : {"Srodmiescie", "Kreuzberg", "Eixample", "Prenzlauer Berg"})
        EXPECT_EQ(find_city(district), nullptr) << district;
    store_city("Greenwich", 51, 28, 40, COMPASS_NORTH, 0, 0, 5, COMPASS_WEST, 0.0, 46, false, "Europe/London");
    EXPECT_FALSE(cities_modified());
    ASSERT_TRUE(save_cities());
    EXPECT_EQ(saved(), HEADER);
}

// The zone each line of the shipped list names (zone=), by the city's
// name in Latin-1, read from the file as it stands.
std::map<std::string, std::string> shipped_zones(const std::string& text) {
    std::map<std::string, std::string> zones;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);  // the current city
    while (std::getline(lines, line)) {
        std::string latin1, name = line.substr(0, line.find('|'));
        EXPECT_TRUE(utf8_to_latin1_exact(name, latin1)) << line;
        latin1 = normalize_city_name(latin1);
        const std::size_t zone = line.find("|zone=");
        EXPECT_NE(zone, std::string::npos) << "no zone: " << line;
        if (zone != std::string::npos) zones[latin1] = line.substr(zone + 6, line.find('|', zone + 1) - zone - 6);
    }
    return zones;
}

// Every shipped city carries the zone of current boundaries and its current
// standard offset: the changes since the older list as the IANA database
// records them (China's single zone for Guangdong and Tibet; Saratov,
// Ulyanovsk, Astrakhan and the Altai Krai's +4/+7 of 2016; Punta Arenas'
// -3 of 2016; Ciudad Juarez's mountain time of 2022; Paraguay's permanent
// -3 of October 2024).  No two cities of one zone lie within 3 km of each
// other (no district beside its town), but for Jerusalem and East
// Jerusalem, the capitals of two countries.
TEST_F(CityList, ShippedListZonesAndOneEntryPerTown) {
    const fs::path shipped = fs::path(SKYLOOM_SOURCE_DIR) / "data" / "CITIES.DAT";
    fs::copy_file(shipped, folder / "CITIES.DAT");
    load_cities(location);
    ASSERT_TRUE(errors_shown.empty()) << errors_shown[0];
    const std::map<std::string, std::string> zones = shipped_zones(read_text(shipped));
    EXPECT_EQ(static_cast<int>(zones.size()), city_count());
    const struct { const char* name; const char* zone; double time_zone; } published[] = {
        {"Zhanjiang", "Asia/Shanghai", 8}, {"Zhongshan", "Asia/Shanghai", 8}, {"Lhasa", "Asia/Shanghai", 8},
        {"Saratov", "Europe/Saratov", 4}, {"Ulyanovsk", "Europe/Ulyanovsk", 4},
        {"Astrakhan", "Europe/Astrakhan", 4}, {"Barnaul", "Asia/Barnaul", 7},
        {"Ciudad Ju\xE1rez", "America/Ciudad_Juarez", -7}, {"Punta Arenas", "America/Punta_Arenas", -3},
        {"Asunci\xF3n", "America/Asuncion", -3}, {"Ciudad del Este", "America/Asuncion", -3},
        {"New York", "America/New_York", -5}, {"Washington", "America/New_York", -5},
        {"Denver", "America/Denver", -7}, {"Kyiv", "Europe/Kyiv", 2}, {"Osaka", "Asia/Tokyo", 9},
        {"Milan", "Europe/Rome", 1}, {"Cologne", "Europe/Berlin", 1}, {"S\xE3o Paulo", "America/Sao_Paulo", -3},
        {"Kathmandu", "Asia/Kathmandu", 5.75}, {"Adelaide", "Australia/Adelaide", 9.5},
        {"Greenwich", "Europe/London", 0},
    };
    for (const auto& p : published) {
        const CityRecord* city = find_city(p.name);
        ASSERT_NE(city, nullptr) << p.name;
        EXPECT_EQ(city->time_zone, p.time_zone) << p.name;
        ASSERT_EQ(zones.count(city->name), 1u) << p.name;
        EXPECT_EQ(zones.at(city->name), p.zone) << p.name;
    }
    struct Place { double latitude, longitude; std::string name, zone; };
    std::vector<Place> places;
    for (int i = 0; i < city_count(); ++i) {
        const Location l = location_from_city(*find_city(city_name(i)));
        places.push_back({signed_latitude(l), signed_longitude(l), city_name(i), zones.at(city_name(i))});
    }
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.latitude < b.latitude; });
    constexpr double NEAR_KM = 3.0, EARTH_RADIUS_KM = 6371.0, RADIANS = M_PI / 180.0;
    for (std::size_t i = 0; i < places.size(); ++i)
        for (std::size_t j = i + 1; j < places.size() && places[j].latitude - places[i].latitude < 0.05; ++j) {
            const Place &a = places[i], &b = places[j];
            const double h = std::pow(std::sin((b.latitude - a.latitude) * RADIANS / 2), 2) +
                             std::cos(a.latitude * RADIANS) * std::cos(b.latitude * RADIANS) *
                                 std::pow(std::sin((b.longitude - a.longitude) * RADIANS / 2), 2);
            const double km = 2 * EARTH_RADIUS_KM * std::asin(std::sqrt(h));
            // Two countries' capitals, each kept: Israel's and Palestine's.
            const bool two_capitals = a.name.find("Jerusalem") != std::string::npos &&
                                      b.name.find("Jerusalem") != std::string::npos;
            EXPECT_FALSE(a.zone == b.zone && km < NEAR_KM && !two_capitals)
                << a.name << " and " << b.name << ": " << km << " km";
        }
}

}  // namespace
