#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Small text and number helpers shared by the settings map, the cut adjuster and the preset reader.
namespace Q6 {

// The number at the start of a text: blanks skipped, optional sign, digits, optional point and
// digits; it ends at the first character that cannot continue it. No number gives 0. The point is
// the decimal separator whatever the locale. No exponent: "1e9" reads as 1.
double leadingNumber(std::string_view text);

// True when the whole text (after leading blanks) is one number as leadingNumber reads it.
bool isWholeNumber(std::string_view text);

// Nearest whole number, an exact half going to the even neighbour. Values beyond the range of
// int64 saturate.
std::int64_t roundHalfEven(double value);

// Upper-case hexadecimal without leading zeros ("0" for zero), left-filled with '0' to minDigits.
std::string hexUpper(std::uint64_t value, int minDigits = 1);

}  // namespace Q6
