#pragma once

#include <string>
#include <string_view>

namespace raster {

// The code points of UTF-8 text of any content: a byte that does not begin
// a well-formed sequence (overlong, a surrogate, beyond U+10FFFF) reads as
// one U+FFFD.
std::u32string CodePoints(std::string_view text);

// Code points as UTF-8; each must be a Unicode scalar value.
std::string Utf8(std::u32string_view codes);

} // namespace raster
