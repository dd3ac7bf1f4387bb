#include "platform/text_encoding.h"

#include <utility>

std::string latin1_to_utf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() + latin1.size() / 8);
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

namespace {

// Decodes the UTF-8 sequence at utf8[i]: its code point and length in bytes;
// false for a malformed, overlong or truncated sequence.
bool decode_utf8(std::string_view utf8, size_t i, unsigned& code, int& length) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    int extra = c < 0x80 ? 0 : c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (extra < 0 || i + extra >= utf8.size()) return false;
    code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k <= extra; ++k) {
        unsigned char d = static_cast<unsigned char>(utf8[i + k]);
        if ((d & 0xC0) != 0x80) return false;
        code = (code << 6) | (d & 0x3F);
    }
    static constexpr unsigned SMALLEST[] = {0, 0x80, 0x800, 0x10000};
    length = extra + 1;
    return code >= SMALLEST[extra] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

}  // namespace

std::string utf8_to_latin1(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        unsigned code = 0;
        int length = 1;
        bool valid = decode_utf8(utf8, i, code, length);
        out += valid && code <= 0xFF ? static_cast<char>(code) : replacement;
        i += valid ? static_cast<size_t>(length) : 1;
    }
    return out;
}

bool utf8_to_latin1_exact(std::string_view utf8, std::string& latin1) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned code = 0;
        int length = 1;
        if (!decode_utf8(utf8, i, code, length) || code > 0xFF) return false;
        out += static_cast<char>(code);
        i += static_cast<size_t>(length);
    }
    latin1 = std::move(out);
    return true;
}

bool is_control_character(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u < 0x20 || (u >= 0x7F && u < 0xA0);
}

std::string latin1_to_terminal(std::string_view latin1) {
    std::string shown(latin1);
    for (char& c : shown)
        if (is_control_character(c) && c != '\n' && c != '\f') c = '?';
    return latin1_to_utf8(shown);
}

unsigned char latin1_lower(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return u + 32;
    return u;
}

bool same_text_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (latin1_lower(a[i]) != latin1_lower(b[i])) return false;
    return true;
}

std::string without_accents_or_case(std::string_view latin1) {
    // The plain letters of the small letters 0xE0-0xFF (after latin1_lower);
    // '*' marks the letters written with two, '.' the signs that stand.
    static constexpr char PLAIN[] = "aaaaaa*ceeeeiiiidnooooo.ouuuuy*y";
    std::string out;
    out.reserve(latin1.size());
    for (char c : latin1) {
        const unsigned char lower = latin1_lower(c);
        if (lower == 0xDF) out += "ss";
        else if (lower < 0xE0 || PLAIN[lower - 0xE0] == '.') out += static_cast<char>(lower);
        else if (PLAIN[lower - 0xE0] == '*') out += lower == 0xE6 ? "ae" : "th";
        else out += PLAIN[lower - 0xE0];
    }
    return out;
}
