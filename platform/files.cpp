#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <random>
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
// read-only file system or a path that is no folder).  The probe has a name
// of its own, so that it never opens, truncates or removes a file or link
// that is already there.
bool folder_takes_new_files(const fs::path& folder) {
    std::string probe;
    int descriptor = create_unique_file(folder.string(), WRITE_PROBE, probe);
    if (descriptor < 0) return false;
    close(descriptor);
    unlink(probe.c_str());
    return true;
}

// Writes all of text to descriptor; false (errno set) on a failed or short write.
bool write_all(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t wrote = write(descriptor, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// Syncs a folder, so that a rename in it survives a crash.
void sync_folder(const fs::path& folder) {
    int descriptor = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    fsync(descriptor);
    close(descriptor);
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

int create_unique_file(const std::string& folder, const std::string& prefix, std::string& path) {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string base = (fs::path(folder) / prefix).string() + "." + std::to_string(getpid()) + ".";
    constexpr int ATTEMPTS = 100;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        path = base + std::to_string(random() % 1000000000);
        int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

ReplaceResult replace_file(const std::string& path, const std::string& temporary_prefix, const std::string& contents) {
    std::error_code ec;
    fs::path target = fs::is_symlink(path, ec) ? fs::weakly_canonical(path, ec) : fs::path(path);
    if (ec) target = path;
    std::string temporary;
    int descriptor = create_unique_file(target.parent_path().string(), temporary_prefix, temporary);
    if (descriptor < 0) return ReplaceResult::WriteFailed;
    struct stat old_file;
    if (stat(target.c_str(), &old_file) == 0) fchmod(descriptor, old_file.st_mode & 07777);
    ReplaceResult result = ReplaceResult::Done;
    if (!write_all(descriptor, contents) || fsync(descriptor) != 0) result = ReplaceResult::WriteFailed;
    int saved_errno = errno;
    if (close(descriptor) != 0 && result == ReplaceResult::Done) {
        result = ReplaceResult::CloseFailed;
        saved_errno = errno;
    }
    if (result == ReplaceResult::Done && rename(temporary.c_str(), target.c_str()) != 0) {
        result = ReplaceResult::RenameFailed;
        saved_errno = errno;
    }
    if (result != ReplaceResult::Done) {
        unlink(temporary.c_str());
        errno = saved_errno;
        return result;
    }
    sync_folder(target.parent_path());
    return result;
}

int lock_file(const std::string& path) {
    int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) return -1;
    // Waits through signals.  A file system without locks (some network ones)
    // fails here: go on unlocked rather than refuse every save; the rename
    // still keeps the file whole.
    while (flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {
    }
    return descriptor;
}

void unlock_file(int descriptor) {
    if (descriptor >= 0) close(descriptor);  // closing releases the lock
}
