// The one rule every dialog field and command-line option reads numbers by:
// plain decimal text, nothing that strtod, strtof or strtol would also take.
#include "format/numbers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Numbers, WholeNumbers) {
    EXPECT_EQ(read_whole_number("0"), 0);
    EXPECT_EQ(read_whole_number("+5"), 5);
    EXPECT_EQ(read_whole_number("-400"), -400);
    EXPECT_EQ(read_whole_number("007"), 7);
    EXPECT_EQ(read_whole_number("2147483647"), INT_MAX);
    EXPECT_EQ(read_whole_number("-2147483648"), INT_MIN);
    // Past the int range, blanks anywhere, a point, exponents, hexadecimal,
    // doubled or lone signs, and an empty field are not whole numbers.
    for (const char* text : {"2147483648", "-2147483649", " 5", "5 ", "5\t", "1 000", "5.0", "1e1", "0x5", "+-5",
                             "--5", "+", "-", "", "19x5", "\xD9\xA5"})
        EXPECT_FALSE(read_whole_number(text)) << '"' << text << '"';
}

TEST(Numbers, DecimalNumbers) {
    EXPECT_EQ(read_decimal_number("-104.98"), -104.98);
    EXPECT_EQ(read_decimal_number("+2"), 2.0);
    EXPECT_EQ(read_decimal_number(".5"), 0.5);
    EXPECT_EQ(read_decimal_number("-.25"), -0.25);
    EXPECT_EQ(read_decimal_number("5."), 5.0);
    EXPECT_EQ(read_decimal_number("-0"), 0.0);
    EXPECT_EQ(read_decimal_number("5.75"), 5.75);
    // What the time-zone field's strtof used to take, and the command line
    // refused: exponents, hexadecimal (also as a float), blanks, words.
    for (const char* text : {"1e1", "1E1", "1e400", "0x5", "0x1p3", " 5", "5 ", "inf", "-inf", "nan", "infinity",
                             "1,5", "1.2.3", ".", "-.", "+-5", "", "5h", "\xC2\xA0" "5"})
        EXPECT_FALSE(read_decimal_number(text)) << '"' << text << '"';
    // Digits past a double's range are refused, not read as infinity.
    EXPECT_FALSE(read_decimal_number("1" + std::string(400, '0')));
}

}  // namespace
