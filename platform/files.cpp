#include "platform/files.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::string folder_override;

// Name of the scratch file that tells whether a folder takes new files.
const char* const WRITE_PROBE = ".skyloom2-write-probe";
// The user's data folder's own part, below the XDG data home.
const char* const USER_FOLDER = "skyloom2";

std::string program_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

// The folder the program looks in first: its own (a build tree), or the override.
std::string data_folder() {
    static const std::string program = program_folder();
    return folder_override.empty() ? program : folder_override;
}

// An installed copy's data folder: share/skyloom2 beside the program's bin/.
fs::path installed_data_folder() {
    static const fs::path installed = (fs::path(program_folder()) / ".." / "share" / USER_FOLDER).lexically_normal();
    return installed;
}

// True when a new file can be made in folder.  Trying is the only test that
// holds for every user (the superuser ignores permission bits, but not a
// read-only file system or a path that is no folder).
bool folder_takes_new_files(const fs::path& folder) {
    fs::path probe = folder / WRITE_PROBE;
    std::FILE* file = std::fopen(probe.c_str(), "w");
    if (file == nullptr) return false;
    std::fclose(file);
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or relative (the
// XDG base directory rules); empty when neither is known.
fs::path xdg_data_home() {
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home != nullptr && fs::path(data_home).is_absolute()) return data_home;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return {};
    return fs::path(home) / ".local" / "share";
}
}  // namespace

void set_data_folder(const std::string& folder) { folder_override = folder; }

std::string data_file_path(const std::string& name) {
    fs::path beside = fs::path(data_folder()) / name;
    if (!folder_override.empty()) return beside.string();
    std::error_code ec;
    if (fs::exists(beside, ec)) return beside.string();
    if (fs::is_directory(installed_data_folder(), ec)) return (installed_data_folder() / name).string();
    return beside.string();
}

std::FILE* open_data_file(const std::string& name, const char* mode) {
    return std::fopen(data_file_path(name).c_str(), mode);
}

std::string writable_data_file_path(const std::string& name) {
    const fs::path shipped = data_file_path(name);
    const bool beside_program = shipped == fs::path(data_folder()) / name;
    if (beside_program && folder_takes_new_files(data_folder())) return shipped.string();
    fs::path data_home = xdg_data_home();
    std::error_code ec;
    if (data_home.empty()) return shipped.string();
    fs::path user_folder = data_home / USER_FOLDER;
    fs::create_directories(user_folder, ec);
    if (ec) return shipped.string();
    fs::path user_file = user_folder / name;
    // Seed the user's copy once; a failed copy leaves the user's file missing,
    // which reads as a missing file.
    if (!fs::exists(user_file, ec) && fs::exists(shipped, ec)) fs::copy_file(shipped, user_file, ec);
    return user_file.string();
}
