#pragma once
// A whole file's bytes, for tests that compare what a program or a save wrote.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string read_text(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
