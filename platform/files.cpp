#include "platform/files.h"

#include <filesystem>
#include <system_error>

namespace {
std::string folder_override;

std::string program_folder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}
}  // namespace

void set_data_folder(const std::string& folder) { folder_override = folder; }

std::string data_file_path(const std::string& name) {
    static const std::string program = program_folder();
    const std::string& folder = folder_override.empty() ? program : folder_override;
    return (std::filesystem::path(folder) / name).string();
}

std::FILE* open_data_file(const std::string& name, const char* mode) {
    return std::fopen(data_file_path(name).c_str(), mode);
}
