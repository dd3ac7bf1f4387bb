#include "format/numbers.h"

#include <charconv>
#include <string>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The text after its sign, when the rest is digits with at most
// points_allowed decimal points and at least one digit; empty otherwise.
std::string_view unsigned_part(std::string_view text, int points_allowed) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    int digits = 0, points = 0;
    for (char c : text) {
        if (is_digit(c)) ++digits;
        else if (c == '.' && ++points <= points_allowed) continue;
        else return {};
    }
    return digits > 0 ? text : std::string_view{};
}

}  // namespace

std::optional<int> read_whole_number(std::string_view text) {
    std::string_view digits = unsigned_part(text, 0);
    if (digits.empty()) return std::nullopt;
    // from_chars takes the minus sign but not the plus.
    std::string_view signed_digits = text.front() == '-' ? text : digits;
    int value = 0;
    auto [end, error] = std::from_chars(signed_digits.data(), signed_digits.data() + signed_digits.size(), value);
    if (error != std::errc() || end != signed_digits.data() + signed_digits.size()) return std::nullopt;
    return value;
}

std::optional<double> read_decimal_number(std::string_view text) {
    std::string_view digits = unsigned_part(text, 1);
    if (digits.empty()) return std::nullopt;
    // from_chars wants a digit before the point: "-.5" is read as "-0.5".
    std::string plain = text.front() == '-' ? "-0" : "0";
    plain.append(digits);
    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value;
}
