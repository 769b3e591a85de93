#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Conversions between text and numbers. All text is UTF-8 and nothing here
// depends on the user's locale.
namespace fw {

// The one double-to-integer conversion: truncates toward zero, NaN gives 0,
// values beyond the 32-bit range saturate to its ends.
std::int32_t ToInt32(double value);

// Leading spaces and tabs, an optional sign, digits, an optional '.' and
// digits, an optional exponent; stops at the first character that does not
// fit. No number gives 0; an overflow saturates to the largest finite double.
double Val(std::string_view text);

// Decimal text of a whole number: no leading spaces, zeros or plus sign.
std::string Str(std::int64_t value);

// Supports the patterns "0", "0.0", "0.00", ...: at least one digit before
// the '.' and exactly as many after it as the pattern has. Throws
// std::invalid_argument for any other pattern.
std::string Format(double value, std::string_view pattern);

// One character, UTF-8 encoded; codes outside Unicode give U+FFFD.
std::string Chr(std::uint32_t code);

// `length` characters (not bytes) from the 1-based character `start`.
std::string Mid(std::string_view text, std::int64_t start, std::int64_t length);

// The user-perceived characters of a text: a base with its combining marks,
// an emoji with its modifiers, a CR LF pair.
std::vector<std::string> Graphemes(std::string_view text);

// The text's code points, in Unicode normalization form C (a base and its
// combining mark become one precomposed character where there is one).
std::vector<std::uint32_t> ComposedCodePoints(std::string_view text);

// A character or cell text as a person can read it in a sentence: what can
// be seen as itself, each code point that cannot (a control or format
// character, a space) named "U+0009", apart by spaces ("D U+200D"); text
// written from right to left isolated in its direction.
std::string ReadableName(std::string_view character);

// Whether the text holds a character that shows itself: anything but
// spaces, controls and format characters.
bool ShowsItself(std::string_view text);

// Whether the text is white space alone, as a line break, a TAB or a space
// is.
bool IsWhiteSpace(std::string_view text);

// String equality as the framework compares names: letter case is ignored.
bool SameText(std::string_view a, std::string_view b);

} // namespace fw
