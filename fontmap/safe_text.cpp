#include "fontmap/safe_text.h"

#include <cstdint>

namespace vantor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at `at`, and how many bytes it takes; a byte that does not
// begin a well-formed sequence (an overlong one, a surrogate, beyond
// U+10FFFF) is one U+FFFD.
std::pair<char32_t, std::size_t> Decoded(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return {kReplacement, 1};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {kReplacement, 1};
        code = code << 6 | (byte(i) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {kReplacement, 1};
    return {code, length};
}

void Append(std::string &to, char32_t code)
{
    if (code < 0x80) {
        to += static_cast<char>(code);
    } else if (code < 0x800) {
        to += static_cast<char>(0xC0 | code >> 6);
        to += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        to += static_cast<char>(0xE0 | code >> 12);
        to += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        to += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        to += static_cast<char>(0xF0 | code >> 18);
        to += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        to += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        to += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool Noncharacter(char32_t code)
{
    return (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
}

bool Control(char32_t code)
{
    return (code < 0x20 && code != '\t') || (code >= 0x7F && code <= 0x9F);
}

} // namespace

std::string XmlSafe(std::string_view text)
{
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = Decoded(text, at);
        at += length;
        if (!Control(code))
            Append(safe, Noncharacter(code) ? kReplacement : code);
    }
    return safe;
}

} // namespace vantor
