#include "fontmap/safe_text.h"

#include "text/characters.h"

namespace vantor {
namespace {

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
    std::u32string safe;
    for (const char32_t code : text::CodePoints(text)) {
        if (!Control(code))
            safe += Noncharacter(code) ? U'\uFFFD' : code;
    }
    return text::Utf8(safe);
}

} // namespace vantor
