#pragma once
// Reading the numbers the user types: one rule for every dialog field and
// every command-line option, in every locale.  A number is plain decimal
// text: an optional sign, then digits with at most one decimal point
// ("-104.98", "+2", ".5"); no blanks, exponents, hexadecimal, "inf" or "nan".
// Whole numbers take no decimal point.
#include <optional>
#include <string_view>

// The value of a whole number in the int range; nullopt for anything else.
std::optional<int> read_whole_number(std::string_view text);
// The value of a decimal number (at least one digit, at most one point);
// nullopt for anything else.  The point is ".": a dialog puts the locale's
// separator back to "." first.
std::optional<double> read_decimal_number(std::string_view text);
