#pragma once
// The program's texts are single-byte Latin-1 (one byte a column, the degree
// sign is 0xB0); the terminal, files and the toolkit speak UTF-8.
#include <string>
#include <string_view>

std::string latin1_to_utf8(std::string_view latin1);
// Characters outside Latin-1 become the replacement.
std::string utf8_to_latin1(std::string_view utf8, char replacement = '?');

// The small letter of a Latin-1 character: A-Z and the accented capitals
// 0xC0-0xDE (except the multiplication sign 0xD7) fold onto their small
// letters; every other character stands.
unsigned char latin1_lower(char c);
// Two Latin-1 texts equal but for the case of their letters.
bool same_text_ignoring_case(std::string_view a, std::string_view b);
