#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What Unicode says of characters, by ICU: segments, normal forms,
// categories.
namespace text {

// The user-perceived characters of a text: a base with its combining marks,
// an emoji with its modifiers, a CR LF pair. A byte that is no UTF-8 is a
// U+FFFD of its own.
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

// Whether two names are the same but for letter case (by simple case
// folding, a character for a character).
bool SameText(std::string_view a, std::string_view b);

} // namespace text
