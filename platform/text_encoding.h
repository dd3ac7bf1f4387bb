#pragma once
// The program's texts are single-byte Latin-1 (one byte a column, the degree
// sign is 0xB0); the terminal, files and the toolkit speak UTF-8.
#include <string>
#include <string_view>

std::string latin1_to_utf8(std::string_view latin1);
// Characters outside Latin-1 become the replacement.
std::string utf8_to_latin1(std::string_view utf8, char replacement = '?');
// The exact Latin-1 text of utf8; false when utf8 is not valid UTF-8 or has
// a character beyond U+00FF (then latin1 is left as it was).
bool utf8_to_latin1_exact(std::string_view utf8, std::string& latin1);

// A control character: C0 (0x00-0x1F), DEL (0x7F) or C1 (0x80-0x9F).
bool is_control_character(char c);
// Latin-1 text as UTF-8 for a terminal: every control character but line
// feed and form feed (the reports' page end) shows as '?', so that no text
// from a file or the user can move the cursor or start an escape sequence.
std::string latin1_to_terminal(std::string_view latin1);

// The small letter of a Latin-1 character: A-Z and the accented capitals
// 0xC0-0xDE (except the multiplication sign 0xD7) fold onto their small
// letters; every other character stands.
unsigned char latin1_lower(char c);
// Two Latin-1 texts equal but for the case of their letters.
bool same_text_ignoring_case(std::string_view a, std::string_view b);
// Latin-1 text as it is compared when typed without accents: small letters,
// the accented letters as their plain ones (S\xE3o as sao), \xDF as "ss",
// \xC6/\xE6 as "ae", \xDE/\xFE as "th"; every other character stands.
std::string without_accents_or_case(std::string_view latin1);
