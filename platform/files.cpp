#include "platform/files.h"

#include <fcntl.h>
#include <signal.h>
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
// The module's state: the data folder set in place of the program's (empty:
// none), and the write function that stands in for write(2) (tests).
struct FileState {
    std::string folder_override;
    WriteFunction write_function = nullptr;  // nullptr: write(2)
};
FileState files;

// The user's data folder's own part, below the XDG data home.
const char* const USER_FOLDER = "skyloom2";

// The folder the program looks in first: its own (a build tree), or the override.
std::string data_folder() { return files.folder_override.empty() ? program_folder() : files.folder_override; }

// An installed copy's data folder, share/skyloom2 under the prefix the
// program lies in: in bin/ (skyloom) or in libexec/skyloom2/ (skyloom-qt).
fs::path installed_data_folder() {
    fs::path prefix = fs::path(program_folder()).lexically_normal().parent_path();
    if (prefix.filename() == "libexec") prefix = prefix.parent_path();
    return prefix / "share" / USER_FOLDER;
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

std::string program_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

void set_data_folder(const std::string& folder) { files.folder_override = folder; }

std::string data_file_path(const std::string& name) {
    fs::path beside = fs::path(data_folder()) / name;
    if (!files.folder_override.empty()) return beside.string();
    std::error_code ec;
    if (fs::exists(beside, ec)) return beside.string();
    if (fs::is_directory(installed_data_folder(), ec)) return (installed_data_folder() / name).string();
    return beside.string();
}

std::FILE* open_data_file(const std::string& name, const char* mode) {
    return std::fopen(data_file_path(name).c_str(), mode);
}

std::string user_data_folder() {
    fs::path data_home = xdg_data_home();
    return data_home.empty() ? std::string() : (data_home / USER_FOLDER).string();
}

bool make_folder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec) return true;
    errno = ec.value();
    return false;
}

void set_write_function(WriteFunction function) { files.write_function = function; }

bool write_all(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const char* rest = text.data() + done;
        const std::size_t left = text.size() - done;
        long wrote = files.write_function ? files.write_function(descriptor, rest, left) : write(descriptor, rest, left);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote == 0) errno = ENOSPC;  // a write that takes nothing would never end
        if (wrote <= 0) return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

int create_unique_file(const std::string& folder, const std::string& prefix, std::string& path) {
    std::mt19937_64 random{std::random_device{}()};
    const std::string base = (fs::path(folder) / prefix).string() + "." + std::to_string(getpid()) + ".";
    constexpr int ATTEMPTS = 100;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        path = base + std::to_string(random() % 1000000000);
        int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

void remove_stale_temporaries(const std::string& folder, const std::string& prefix) {
    std::error_code ec;
    for (fs::directory_iterator entry(folder.empty() ? fs::path(".") : fs::path(folder), ec), end; !ec && entry != end;
         entry.increment(ec)) {
        const std::string name = entry->path().filename().string();
        if (name.size() <= prefix.size() + 1 || name.compare(0, prefix.size() + 1, prefix + ".") != 0) continue;
        const std::string rest = name.substr(prefix.size() + 1);
        const std::size_t dot = rest.find('.');
        if (dot == 0 || dot == std::string::npos || rest.find_first_not_of("0123456789.") != std::string::npos)
            continue;
        const long pid = std::strtol(rest.substr(0, dot).c_str(), nullptr, 10);
        if (pid > 0 && pid != getpid() && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            unlink(entry->path().c_str());
    }
}

namespace {

// A device or pipe at path: written straight into, as it cannot be replaced.
ReplaceResult write_into(const fs::path& path, const std::string& contents) {
    int descriptor = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (descriptor < 0) return ReplaceResult::WriteFailed;
    ReplaceResult result = write_all(descriptor, contents) ? ReplaceResult::Done : ReplaceResult::WriteFailed;
    int saved_errno = errno;
    if (close(descriptor) != 0 && result == ReplaceResult::Done) {
        result = ReplaceResult::CloseFailed;
        saved_errno = errno;
    }
    errno = saved_errno;
    return result;
}

}  // namespace

std::string output_temporary_prefix(const std::string& path) {
    return "." + fs::path(path).filename().string() + ".part";
}

ReplaceResult replace_file(const std::string& path, const std::string& temporary_prefix, const std::string& contents) {
    std::error_code ec;
    fs::path target = fs::is_symlink(path, ec) ? fs::weakly_canonical(path, ec) : fs::path(path);
    if (ec) target = path;
    struct stat old_file;
    const bool exists = stat(target.c_str(), &old_file) == 0;
    if (exists && !S_ISREG(old_file.st_mode) && !S_ISDIR(old_file.st_mode)) return write_into(target, contents);
    remove_stale_temporaries(target.parent_path().string(), temporary_prefix);
    std::string temporary;
    int descriptor = create_unique_file(target.parent_path().string(), temporary_prefix, temporary);
    if (descriptor < 0) return ReplaceResult::WriteFailed;
    if (exists) fchmod(descriptor, old_file.st_mode & 07777);
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

FileLock lock_file(const std::string& path, int wait_milliseconds) {
    FileLock lock;
    lock.descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (lock.descriptor < 0) {
        lock.error_number = errno;
        return lock;
    }
    // Tries again every POLL_MILLISECONDS until the time is up, so that a
    // copy that holds the lock (stopped in a debugger, say) never freezes
    // this one.  A file system without locks (some network ones) fails with
    // another error: go on unlocked rather than refuse every save; the
    // rename still keeps the file whole.
    constexpr int POLL_MILLISECONDS = 50;
    for (int waited = 0;; waited += POLL_MILLISECONDS) {
        if (flock(lock.descriptor, LOCK_EX | LOCK_NB) == 0 || (errno != EWOULDBLOCK && errno != EINTR)) {
            lock.state = FileLock::LOCKED;
            return lock;
        }
        if (waited >= wait_milliseconds) break;
        usleep(POLL_MILLISECONDS * 1000);
    }
    close(lock.descriptor);
    lock.descriptor = -1;
    lock.state = FileLock::BUSY;
    lock.error_number = EWOULDBLOCK;
    return lock;
}

void unlock_file(const FileLock& lock) {
    if (lock.descriptor >= 0) close(lock.descriptor);  // closing releases the lock
}
