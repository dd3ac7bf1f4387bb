#pragma once
// The program's texts are single-byte Latin-1 (one byte a column, the degree
// sign is 0xB0); the terminal, files and the toolkit speak UTF-8.
#include <string>
#include <string_view>

std::string latin1_to_utf8(std::string_view latin1);
// Characters outside Latin-1 become '?'.
std::string utf8_to_latin1(std::string_view utf8);
