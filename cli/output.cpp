#include "cli/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

bool write_standard_output(const std::string& text) {
    struct stat target;
    const bool regular = fstat(STDOUT_FILENO, &target) == 0 && S_ISREG(target.st_mode);
    if (write_all(STDOUT_FILENO, text)) return true;
    const int error_number = errno;
    // Back to the length it had: whatever the file held before stays.
    const bool cut_back = !regular || ftruncate(STDOUT_FILENO, target.st_size) == 0;
    std::error_code ec;
    const std::string where = std::filesystem::read_symlink("/proc/self/fd/1", ec).string();
    std::fprintf(stderr, "Cannot write standard output (%s): %s%s\n", ec ? "?" : where.c_str(),
                 std::strerror(error_number), cut_back ? "" : "; what was written of it stays");
    return false;
}
