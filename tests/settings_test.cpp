// The settings store (in memory and in the per-user settings file) and the
// user's data folder for the files the user rewrites (the city list).
#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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
fs::path config_home, data_home;

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
struct StoreCase { const char* name; void (*install)(); };

class SettingsStore : public ::testing::TestWithParam<StoreCase> {
protected:
    void SetUp() override { GetParam().install(); }
    void TearDown() override { install_memory_settings_store(); }
};

TEST_P(SettingsStore, RoundTripOfTheColourKeysLatin1AndLongValues) {
    EXPECT_EQ(read_setting("Never Written"), "");
    // Keys are object names, some with a blank; values are "%d,%d,%d" texts.
    const struct { const char* key; const char* value; } cases[] = {
        {"Sun", "255,0,0"}, {"Main Star", "1,2,3"}, {"Stars", "0,0,0"},
        {"Caf\xE9", "45\xB0 N, \xC9t\xE9"},  // degree sign, E acute, e acute
    };
    for (const auto& c : cases) ASSERT_TRUE(write_setting(c.key, c.value)) << c.key;
    for (const auto& c : cases) EXPECT_EQ(read_setting(c.key), c.value) << c.key;
    ASSERT_TRUE(write_setting("Sun", "9,8,7"));  // a second write replaces the value
    EXPECT_EQ(read_setting("Sun"), "9,8,7");
    // Values are cut by the 81-byte read buffer.
    std::string eighty;
    while (eighty.size() < 80) eighty += "0123456789";
    const struct { std::string written, read; } long_values[] = {
        {eighty, eighty},                    // exactly 80: whole
        {eighty + "X", eighty},              // 81: the last character is lost
        {eighty + eighty + eighty, eighty},  // much longer: the first 80
        {"", ""},                            // an empty value reads as a missing one
    };
    for (const auto& c : long_values) {
        ASSERT_TRUE(write_setting("Long", c.written));
        EXPECT_EQ(read_setting("Long"), c.read) << "written " << c.written.size() << " characters";
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStore,
                         ::testing::Values(StoreCase{"memory", install_memory_settings_store},
                                           StoreCase{"settings_file", install_qt_settings_store}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFile, LivesInTheUsersConfigurationFolderReadsHandEditsAndCanFail) {
    install_memory_settings_store();  // a new memory store starts empty
    ASSERT_TRUE(write_setting("Sun", "1,2,3"));
    install_memory_settings_store();
    EXPECT_EQ(read_setting("Sun"), "");
    install_qt_settings_store();
    ASSERT_TRUE(write_setting("Umbra", "128,128,128"));
    const std::string text = read_text(settings_file());
    EXPECT_NE(text.find("Umbra"), std::string::npos) << text;
    EXPECT_NE(text.find("128,128,128"), std::string::npos) << text;
    // A value written by hand without quotes reads as written.
    std::ofstream(settings_file(), std::ios::binary) << "[General]\nPenumbra=10,20,30\nEuropa=7\n";
    EXPECT_EQ(read_setting("Penumbra"), "10,20,30");
    EXPECT_EQ(read_setting("Europa"), "7");
    // The organisation folder becomes a plain file: no settings file can be written in it.
    const fs::path folder = settings_file().parent_path(), aside = config_home / "aside";
    fs::rename(folder, aside);
    std::ofstream(folder) << "not a folder";
    EXPECT_FALSE(write_setting("Io", "4,5,6"));
    fs::remove(folder);
    fs::rename(aside, folder);
    install_memory_settings_store();
}

const char* const SHIPPED_CITIES =
    "Beta\n"
    "Alpha               |10|20|30|N| 40|50| 0|E| 100|2.00\n"
    "Beta                |11|22|33|S| 44|55| 6|W|  -5|-3.50\n";

// The user's data folder.  Each test has a program folder with the shipped
// city list and a data home of its own; a read-only program folder is what an
// installed copy has.
class UserDataFolder : public ::testing::Test {
protected:
    fs::path base, program, user;

    void SetUp() override {
        base = make_temporary_folder("skyloom_user_data");
        fs::permissions(base, static_cast<fs::perms>(0755));
        program = base / "program";
        fs::create_directory(program);
        std::ofstream(program / "CITIES.DAT", std::ios::binary) << SHIPPED_CITIES;
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
    // Runs work with the program folder read-only to us, as an installed copy
    // is to its users.  The superuser writes anywhere, so it works as "nobody" then.
    template <typename Work>
    void as_installed_copy(Work work) {
        fs::permissions(program, static_cast<fs::perms>(0555));
        const bool root = geteuid() == 0;
        if (root) { ASSERT_EQ(seteuid(65534), 0); }
        work();
        if (root) { ASSERT_EQ(seteuid(0), 0); }
    }
};

// A writable program folder keeps the files beside the program; an installed
// copy uses the user's copy and never replaces it with the shipped one.
TEST_F(UserDataFolder, WritableProgramFolderOrTheUsersCopy) {
    EXPECT_EQ(writable_data_file_path("CITIES.DAT"), (program / "CITIES.DAT").string());
    EXPECT_FALSE(fs::exists(user));
    // The writability test leaves nothing behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 1);
    fs::create_directories(user);
    std::ofstream(user / "CITIES.DAT", std::ios::binary) << "Mine\n";
    fs::permissions(user / "CITIES.DAT", fs::perms::all);
    as_installed_copy([] { writable_data_file_path("CITIES.DAT"); });
    EXPECT_EQ(read_text(user / "CITIES.DAT"), "Mine\n");
}

TEST_F(UserDataFolder, PathsThatAreNoWritableFolderUseTheUsersFolder) {
    // Neither a file nor /proc takes new files; nothing is shipped there.  A
    // relative XDG_DATA_HOME is ignored, as the XDG base directory rules say.
    const std::string not_folders[] = {(program / "CITIES.DAT").string(), "/proc"};
    for (const std::string& folder : not_folders) {
        set_data_folder(folder);
        EXPECT_EQ(writable_data_file_path("NOTHING.DAT"), (user / "NOTHING.DAT").string()) << folder;
        EXPECT_FALSE(fs::exists(user / "NOTHING.DAT")) << folder;
    }
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
    EXPECT_EQ(read_text(user / "CITIES.DAT"), std::string("Gamma\n") + (SHIPPED_CITIES + 5) +
                                                  "Gamma               | 1| 2| 3|N|  4| 5| 6|E|  50|1.00\n");
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
