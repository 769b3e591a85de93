#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Conversions between text and numbers, in plain C++: nothing here depends
// on the user's locale.
namespace text {

// The one double-to-integer conversion: truncates toward zero, NaN gives 0,
// values beyond the 32-bit range saturate to its ends.
std::int32_t ToInt32(double value);

// Leading spaces and tabs, an optional sign, digits, an optional '.' and
// digits, an optional exponent; stops at the first character that does not
// fit. No number gives 0; an overflow saturates to the largest finite double.
double Val(std::string_view text);
// How many of the text's leading characters Val reads as its number; 0 for
// a text it reads no number in.
std::size_t NumberLength(std::string_view text);

// Decimal text of a whole number: no leading spaces, zeros or plus sign.
std::string Str(std::int64_t value);

// Supports the patterns "0", "0.0", "0.00", ...: at least one digit before
// the '.' and exactly as many after it as the pattern has. Throws
// std::invalid_argument for any other pattern.
std::string Format(double value, std::string_view pattern);

} // namespace text
