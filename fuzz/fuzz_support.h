#pragma once
// What the fuzz targets share: a scratch folder that stands for the program's
// folder, a way to put the input there as a data file, message boxes that
// say nothing, and a check that stops the run when a property fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files.h"
#include "platform/messages.h"

namespace fuzz {

// The scratch folder, made once per process, set as the data folder and
// removed at exit: in $TMPDIR, else /dev/shm (so that the saves' syncs cost
// nothing), else /tmp.
inline const std::string& scratch_folder() {
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/dev/shm") + "/skyloom_fuzz_XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            pattern = "/tmp/skyloom_fuzz_XXXXXX";
            if (mkdtemp(pattern.data()) == nullptr) std::abort();
        }
        // Removed at exit; a plain array, since the string may be gone by then.
        static char made[4096];
        std::snprintf(made, sizeof made, "%s", pattern.c_str());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        set_data_folder(pattern);
        // The user's data folder: share/skyloom2 inside it.
        setenv("XDG_DATA_HOME", (pattern + "/share").c_str(), 1);
        set_message_presenter([](const char*, const char*, MessageIcon icon) { return icon != ICON_QUESTION; });
        return pattern;
    }();
    return folder;
}

// Writes bytes as the file at path.
inline void write_file(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Writes bytes as the file name inside the scratch folder.
inline void put_file(const std::string& name, std::string_view bytes) { write_file(scratch_folder() + "/" + name, bytes); }

// The user's data folder (made when missing) and its file name's path.
inline std::string user_path(const std::string& name) {
    const std::string folder = scratch_folder() + "/share/skyloom2";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder + "/" + name;
}

// Writes bytes as the file name in the user's data folder.
inline void put_user_file(const std::string& name, std::string_view bytes) { write_file(user_path(name), bytes); }

// The bytes of the file name in the user's data folder; empty when it is not there.
inline std::string user_file_text(const std::string& name) {
    std::FILE* file = std::fopen(user_path(name).c_str(), "rb");
    std::string text;
    if (file == nullptr) return text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    std::fclose(file);
    return text;
}

// The input cut into pieces at line ends; missing pieces are empty.
inline std::vector<std::string> lines(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string> pieces(count);
    std::size_t piece = 0;
    for (std::size_t i = 0; i < size && piece < count; ++i) {
        if (data[i] == '\n') ++piece;
        else pieces[piece].push_back(static_cast<char>(data[i]));
    }
    return pieces;
}

// A property that must hold: report it and stop, so that the fuzzer keeps the input.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

}  // namespace fuzz
