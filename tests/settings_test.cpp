// The settings store (in memory and in the per-user settings file) and the
// user's data folder for the files the user rewrites (the city list).
#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/location.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/qt/settings_qt.h"

namespace fs = std::filesystem;

namespace {

// Temporary folders standing for the user's configuration and data homes,
// set in main() before anything reads the environment.
fs::path config_home;
fs::path data_home;

fs::path make_temporary_folder(const char* stem) {
    std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "_XXXXXX")).string();
    return mkdtemp(pattern.data());
}

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path settings_file() { return config_home / "Vantorel" / "Skyloom 2.conf"; }

// Every store must behave alike: each test runs on the in-memory store and on
// the settings file.
struct StoreCase {
    const char* name;
    void (*install)();
};

class SettingsStore : public ::testing::TestWithParam<StoreCase> {
protected:
    void SetUp() override { GetParam().install(); }
    void TearDown() override { install_memory_settings_store(); }
};

TEST_P(SettingsStore, NeverWrittenKeyReadsEmpty) {
    EXPECT_EQ(read_setting("Never Written"), "");
}

TEST_P(SettingsStore, RoundTripOfTheColourKeys) {
    // Keys are object names, some with a blank; values are "%d,%d,%d" texts.
    struct Case { const char* key; const char* value; };
    const Case cases[] = {
        {"Sun", "255,0,0"}, {"Main Star", "1,2,3"}, {"Callisto", "255,0,255"}, {"Stars", "0,0,0"},
    };
    for (const Case& c : cases) ASSERT_TRUE(write_setting(c.key, c.value)) << c.key;
    for (const Case& c : cases) EXPECT_EQ(read_setting(c.key), c.value) << c.key;
    ASSERT_TRUE(write_setting("Sun", "9,8,7"));  // a second write replaces the value
    EXPECT_EQ(read_setting("Sun"), "9,8,7");
}

TEST_P(SettingsStore, ValuesAreCutByThe81ByteReadBuffer) {
    const std::string digits = "0123456789";
    std::string eighty;
    for (int i = 0; i < 8; ++i) eighty += digits;
    ASSERT_EQ(eighty.size(), 80u);
    struct Case { std::string written, read; };
    const Case cases[] = {
        {eighty, eighty},                     // exactly 80: whole
        {eighty + "X", eighty},               // 81: the last character is lost
        {eighty + eighty + eighty, eighty},   // much longer: the first 80
        {"", ""},                             // an empty value reads as a missing one
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(write_setting("Long", c.written));
        EXPECT_EQ(read_setting("Long"), c.read) << "written " << c.written.size() << " characters";
    }
}

TEST_P(SettingsStore, Latin1TextSurvives) {
    const std::string value = "45\xB0 N, \xC9t\xE9";  // degree sign, E acute, e acute
    ASSERT_TRUE(write_setting("Caf\xE9", value));
    EXPECT_EQ(read_setting("Caf\xE9"), value);
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStore,
                         ::testing::Values(StoreCase{"memory", install_memory_settings_store},
                                           StoreCase{"settings_file", install_qt_settings_store}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MemorySettingsStore, InstallingEmptiesIt) {
    install_memory_settings_store();
    ASSERT_TRUE(write_setting("Sun", "1,2,3"));
    install_memory_settings_store();
    EXPECT_EQ(read_setting("Sun"), "");
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { install_qt_settings_store(); }
    void TearDown() override { install_memory_settings_store(); }
};

TEST_F(SettingsFile, LivesInTheUsersConfigurationFolder) {
    ASSERT_TRUE(write_setting("Umbra", "128,128,128"));
    ASSERT_TRUE(fs::exists(settings_file()));
    std::string text = read_text(settings_file());
    EXPECT_NE(text.find("Umbra"), std::string::npos) << text;
    EXPECT_NE(text.find("128,128,128"), std::string::npos) << text;
}

TEST_F(SettingsFile, HandEditedValueWithoutQuotesReadsAsWritten) {
    ASSERT_TRUE(write_setting("Penumbra", "1,1,1"));  // makes the file
    std::ofstream(settings_file(), std::ios::binary) << "[General]\nPenumbra=10,20,30\nEuropa=7\n";
    EXPECT_EQ(read_setting("Penumbra"), "10,20,30");
    EXPECT_EQ(read_setting("Europa"), "7");
}

TEST_F(SettingsFile, WriteFailsWhenTheFileCannotBeMade) {
    ASSERT_TRUE(write_setting("Io", "1,2,3"));
    // The organisation folder becomes a plain file: no settings file can be written in it.
    fs::path folder = settings_file().parent_path();
    fs::path aside = config_home / "aside";
    fs::rename(folder, aside);
    std::ofstream(folder) << "not a folder";
    EXPECT_FALSE(write_setting("Io", "4,5,6"));
    fs::remove(folder);
    fs::rename(aside, folder);
}

// The user's data folder.  Each test has a program folder and a data home of
// its own; a read-only program folder is what an installed copy has.
class UserDataFolder : public ::testing::Test {
protected:
    fs::path base, program, user;
    std::vector<std::string> errors_shown;

    void SetUp() override {
        base = make_temporary_folder("skyloom_user_data");
        fs::permissions(base, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        program = base / "program";
        fs::create_directory(program);
        fs::create_directory(base / "data");
        fs::permissions(base / "data", fs::perms::all);
        setenv("XDG_DATA_HOME", (base / "data").c_str(), 1);
        user = base / "data" / "skyloom2";
        set_data_folder(program.string());
        set_message_presenter(nullptr);
    }
    void TearDown() override {
        free_cities();
        set_data_folder("");
        setenv("XDG_DATA_HOME", data_home.c_str(), 1);
        fs::permissions(program, fs::perms::all);
        fs::remove_all(base);
    }
    void ship(const std::string& name, const std::string& text) {
        std::ofstream(program / name, std::ios::binary) << text;
    }
    // Runs work with the program folder read-only to us, as an installed copy
    // is to its users.  The superuser writes anywhere, so it works as "nobody" then.
    template <typename Work>
    void as_installed_copy(Work work) {
        fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        const bool root = geteuid() == 0;
        if (root) {
            ASSERT_EQ(seteuid(65534), 0);
        }
        work();
        if (root) {
            ASSERT_EQ(seteuid(0), 0);
        }
    }
};

const char* const SHIPPED_CITIES =
    "Beta\n"
    "Alpha               |10|20|30|N| 40|50| 0|E| 100|2.00\n"
    "Beta                |11|22|33|S| 44|55| 6|W|  -5|-3.50\n";

TEST_F(UserDataFolder, WritableProgramFolderKeepsTheFilesBesideTheProgram) {
    ship("CITIES.DAT", SHIPPED_CITIES);
    EXPECT_EQ(writable_data_file_path("CITIES.DAT"), (program / "CITIES.DAT").string());
    EXPECT_FALSE(fs::exists(user));
    // The writability test leaves nothing behind.
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(program)) entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1);
}

TEST_F(UserDataFolder, ReadOnlyProgramFolderSeedsTheUsersCopy) {
    ship("CITIES.DAT", SHIPPED_CITIES);
    std::string path;
    as_installed_copy([&] { path = writable_data_file_path("CITIES.DAT"); });
    EXPECT_EQ(path, (user / "CITIES.DAT").string());
    EXPECT_EQ(read_text(user / "CITIES.DAT"), SHIPPED_CITIES);
}

TEST_F(UserDataFolder, UsersCopyIsNotReplacedByTheShippedOne) {
    ship("CITIES.DAT", SHIPPED_CITIES);
    fs::create_directories(user);
    std::ofstream(user / "CITIES.DAT", std::ios::binary) << "Mine\n";
    fs::permissions(user / "CITIES.DAT", fs::perms::all);
    as_installed_copy([] { writable_data_file_path("CITIES.DAT"); });
    EXPECT_EQ(read_text(user / "CITIES.DAT"), "Mine\n");
}

TEST_F(UserDataFolder, PathsThatAreNoWritableFolderUseTheUsersFolder) {
    // Neither a file nor /proc takes new files; nothing is shipped there.
    ship("CITIES.DAT", SHIPPED_CITIES);
    const std::string not_folders[] = {(program / "CITIES.DAT").string(), "/proc"};
    for (const std::string& folder : not_folders) {
        set_data_folder(folder);
        EXPECT_EQ(writable_data_file_path("NOTHING.DAT"), (user / "NOTHING.DAT").string()) << folder;
        EXPECT_FALSE(fs::exists(user / "NOTHING.DAT")) << folder;
    }
}

TEST_F(UserDataFolder, RelativeDataHomeFallsBackToTheHomeFolder) {
    // A relative XDG_DATA_HOME is ignored, as the XDG base directory rules say.
    const char* old_home = std::getenv("HOME");
    std::string saved_home = old_home ? old_home : "";
    setenv("HOME", base.c_str(), 1);
    setenv("XDG_DATA_HOME", "relative/data", 1);
    set_data_folder("/proc");
    EXPECT_EQ(writable_data_file_path("CITIES.DAT"),
              (base / ".local" / "share" / "skyloom2" / "CITIES.DAT").string());
    setenv("HOME", saved_home.c_str(), 1);
}

TEST_F(UserDataFolder, CityListOfAnInstalledCopyIsSavedInTheUsersCopy) {
    ship("CITIES.DAT", SHIPPED_CITIES);
    Location location;
    bool saved = false;
    as_installed_copy([&] {
        load_cities(location);
        store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 1.0, 50, false);
        saved = save_cities();
    });
    EXPECT_EQ(location.name, "Beta");
    EXPECT_TRUE(saved);
    EXPECT_EQ(read_text(program / "CITIES.DAT"), SHIPPED_CITIES);  // the shipped list is untouched
    EXPECT_EQ(read_text(user / "CITIES.DAT"),
              std::string("Gamma\n") + (SHIPPED_CITIES + 5) + "Gamma               | 1| 2| 3|N|  4| 5| 6|E|  50|1.00\n");
    EXPECT_FALSE(fs::exists(user / "CITIES.NEW"));
}

}  // namespace

int main(int argc, char** argv) {
    config_home = make_temporary_folder("skyloom_config");
    data_home = make_temporary_folder("skyloom_data");
    setenv("XDG_CONFIG_HOME", config_home.c_str(), 1);
    setenv("XDG_DATA_HOME", data_home.c_str(), 1);
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    fs::remove_all(config_home);
    fs::remove_all(data_home);
    return result;
}
