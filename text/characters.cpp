#include "text/characters.h"

namespace text {

std::u32string CodePoints(std::string_view text)
{
    std::u32string codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int length = byte < 0x80 ? 1
            : (byte >> 5) == 0x6       ? 2
            : (byte >> 4) == 0xE       ? 3
            : (byte >> 3) == 0x1E      ? 4
                                       : 0;
        char32_t code = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F : byte & 0x07;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        valid = valid && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF) && !(length == 2 && code < 0x80)
            && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000);
        codes.push_back(valid ? code : U'\uFFFD');
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return codes;
}

std::string Utf8(std::u32string_view codes)
{
    std::string text;
    text.reserve(codes.size());
    for (const char32_t code : codes) {
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::string Chr(std::uint32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    return Utf8(std::u32string(1, static_cast<char32_t>(code)));
}

std::string Mid(std::string_view text, std::int64_t start, std::int64_t length)
{
    // A character is a lead byte with the continuation bytes that follow it.
    const auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    const auto nextCharacter = [&](std::size_t i) {
        ++i;
        while (i < text.size() && isContinuation(text[i]))
            ++i;
        return i;
    };
    std::size_t begin = 0;
    for (std::int64_t skipped = 1; skipped < start && begin < text.size(); ++skipped)
        begin = nextCharacter(begin);
    if (length < 0)
        return std::string(text.substr(begin));
    std::size_t end = begin;
    for (std::int64_t taken = 0; taken < length && end < text.size(); ++taken)
        end = nextCharacter(end);
    return std::string(text.substr(begin, end - begin));
}

} // namespace text
