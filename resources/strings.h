#pragma once
// The system's texts, one numbered table.  Texts are single-byte Latin-1
// (the degree sign is byte 0xB0), exactly as reports and messages show them.
#include <string_view>

// The text of string id, or an empty view when the id has no text.
std::string_view load_string(int id);
