#pragma once
// Data files live beside the program file.
#include <cstdio>
#include <string>

// Full path of name in the program's folder.
std::string data_file_path(const std::string& name);
// Opens that file with the given stdio mode; nullptr when it cannot be opened.
std::FILE* open_data_file(const std::string& name, const char* mode);
// Overrides the folder (tests, and a command-line --data-dir).  Empty restores the program's.
void set_data_folder(const std::string& folder);
