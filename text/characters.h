#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Characters of UTF-8 text, in plain C++.
namespace text {

// The code points of UTF-8 text of any content: a byte that does not begin
// a well-formed sequence (overlong, a surrogate, beyond U+10FFFF) reads as
// one U+FFFD.
std::u32string CodePoints(std::string_view text);

// Code points as UTF-8; each must be a Unicode scalar value.
std::string Utf8(std::u32string_view codes);

// One character, UTF-8 encoded; codes outside Unicode give U+FFFD.
std::string Chr(std::uint32_t code);

// `length` characters (not bytes) from the 1-based character `start`.
std::string Mid(std::string_view text, std::int64_t start, std::int64_t length);

} // namespace text
