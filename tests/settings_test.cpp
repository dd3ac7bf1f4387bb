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

#include "app/city_list.h"
#include "platform/files.h"
#include "platform/qt/settings_qt.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

fs::path config_home, data_home;  // temporary stand-ins for the user's homes, set in main()

fs::path make_temporary_folder(const char* stem) {
    std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "_XXXXXX")).string();
    return mkdtemp(pattern.data());
}

// Every store must behave alike: the in-memory one and the settings file.
struct StoreCase { const char* name; void (*install)(); };

class SettingsStore : public ::testing::TestWithParam<StoreCase> {
protected:
    void SetUp() override { GetParam().install(); }
    void TearDown() override { install_memory_settings_store(); }
};

TEST_P(SettingsStore, RoundTripLatin1AndTheEightyCharacterCut) {
    EXPECT_EQ(read_setting("Never Written"), "");
    ASSERT_TRUE(write_setting("Main Star", "1,2,3"));
    ASSERT_TRUE(write_setting("Caf\xE9", "45\xB0 N"));  // e acute, degree sign
    EXPECT_EQ(read_setting("Main Star"), "1,2,3");
    EXPECT_EQ(read_setting("Caf\xE9"), "45\xB0 N");
    const std::string eighty(80, '7');  // values are cut by the 81-byte read buffer
    ASSERT_TRUE(write_setting("Long", eighty + "X"));
    EXPECT_EQ(read_setting("Long"), eighty);
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStore,
                         ::testing::Values(StoreCase{"memory", install_memory_settings_store},
                                           StoreCase{"settings_file", install_qt_settings_store}),
                         [](const auto& info) { return std::string(info.param.name); });

// Hand-edited values without quotes read as written; an unwritable folder fails the write.
TEST(SettingsFile, ReadsHandEditsAndReportsAFailedWrite) {
    install_qt_settings_store();
    const fs::path folder = config_home / "Vantorel", aside = config_home / "aside";
    fs::create_directories(folder);
    std::ofstream(folder / "Skyloom 2.conf", std::ios::binary) << "[General]\nPenumbra=10,20,30\n";
    EXPECT_EQ(read_setting("Penumbra"), "10,20,30");
    fs::rename(folder, aside);
    std::ofstream(folder) << "not a folder";
    EXPECT_FALSE(write_setting("Io", "4,5,6"));
    fs::remove(folder);
    fs::rename(aside, folder);
    install_memory_settings_store();
}

const char* const SHIPPED_CITIES =
    "Beta\n"
    "Beta                |11|22|33|S| 44|55| 6|W|  -5|-3.50\n";

// An installed copy (read-only program folder) saves the user's cities in the
// user's data folder and leaves the shipped list alone.
TEST(UserDataFolder, CitiesOfAnInstalledCopyAreSavedInTheUsersFolder) {
    const fs::path base = make_temporary_folder("skyloom_user_data"), program = base / "program";
    fs::permissions(base, static_cast<fs::perms>(0755));
    fs::create_directory(program);
    std::ofstream(program / "CITIES.DAT", std::ios::binary) << SHIPPED_CITIES;
    fs::create_directory(base / "data");
    fs::permissions(base / "data", fs::perms::all);
    setenv("XDG_DATA_HOME", (base / "data").c_str(), 1);
    set_data_folder(program.string());
    fs::permissions(program, static_cast<fs::perms>(0555));
    const bool root = geteuid() == 0;  // the superuser writes anywhere, so it works as "nobody"
    if (root) { ASSERT_EQ(seteuid(65534), 0); }
    Location location;
    load_cities(location);
    store_city("Gamma", 1, 2, 3, COMPASS_NORTH, 4, 5, 6, COMPASS_EAST, 1.0, 50, false);
    EXPECT_TRUE(save_cities());
    if (root) { ASSERT_EQ(seteuid(0), 0); }
    EXPECT_EQ(location.name, "Beta");
    EXPECT_EQ(current_city_name(), "Gamma");
    EXPECT_EQ(read_text(program / "CITIES.DAT"), SHIPPED_CITIES);
    EXPECT_EQ(read_text(base / "data" / "skyloom2" / "MYCITIES.DAT"),
              "Skyloom 2 cities 1\ncurrent|Gamma\ncity|Gamma               | 1| 2| 3|N|  4| 5| 6|E|  50|1.00\n");
    free_cities();
    set_data_folder("");
    setenv("XDG_DATA_HOME", data_home.c_str(), 1);
    fs::permissions(program, fs::perms::all);
    fs::remove_all(base);
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
