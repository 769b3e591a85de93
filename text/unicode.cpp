#include "text/unicode.h"

#include "text/characters.h"

#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace text {
namespace {

struct TextCloser {
    void operator()(UText *text) const { utext_close(text); }
};
struct BreakCloser {
    void operator()(UBreakIterator *breaks) const { ubrk_close(breaks); }
};

std::u16string Utf16(std::u32string_view codes)
{
    std::u16string units;
    units.reserve(codes.size());
    for (const char32_t code : codes) {
        if (code < 0x10000) {
            units += static_cast<char16_t>(code);
        } else {
            units += static_cast<char16_t>(0xD7C0 + (code >> 10));
            units += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
        }
    }
    return units;
}

// A character that shows nothing of itself: a control or format character,
// a space, or none at all.
bool Unseen(char32_t code)
{
    switch (u_charType(static_cast<UChar32>(code))) {
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR:
    case U_SURROGATE:
    case U_UNASSIGNED:
    case U_SPACE_SEPARATOR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
        return true;
    default:
        return false;
    }
}

bool RightToLeft(char32_t code)
{
    switch (u_charDirection(static_cast<UChar32>(code))) {
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
    case U_RIGHT_TO_LEFT_EMBEDDING:
    case U_RIGHT_TO_LEFT_OVERRIDE:
    case U_RIGHT_TO_LEFT_ISOLATE:
        return true;
    default:
        return false;
    }
}

} // namespace

std::vector<std::string> Graphemes(std::string_view text)
{
    // Bytes that are no UTF-8 become U+FFFD first, each one a character.
    const std::string valid = Utf8(CodePoints(text));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UText, TextCloser> utf8(
        utext_openUTF8(nullptr, valid.data(), static_cast<int64_t>(valid.size()), &status));
    const std::unique_ptr<UBreakIterator, BreakCloser> breaks(ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status));
    ubrk_setUText(breaks.get(), utf8.get(), &status);
    std::vector<std::string> graphemes;
    if (U_FAILURE(status)) {
        // Without ICU's data, a character each.
        for (const char32_t code : CodePoints(valid))
            graphemes.push_back(Utf8(std::u32string(1, code)));
        return graphemes;
    }
    for (int32_t start = ubrk_first(breaks.get()), end = 0; (end = ubrk_next(breaks.get())) != UBRK_DONE; start = end)
        graphemes.push_back(valid.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    return graphemes;
}

std::vector<std::uint32_t> ComposedCodePoints(std::string_view text)
{
    const std::u16string units = Utf16(CodePoints(text));
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2 *nfc = unorm2_getNFCInstance(&status);
    std::u16string composed(units.size() + 16, u'\0');
    int32_t length = 0;
    if (U_SUCCESS(status)) {
        length = unorm2_normalize(nfc, units.data(), static_cast<int32_t>(units.size()), composed.data(),
            static_cast<int32_t>(composed.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            status = U_ZERO_ERROR;
            composed.resize(static_cast<std::size_t>(length));
            length = unorm2_normalize(nfc, units.data(), static_cast<int32_t>(units.size()), composed.data(),
                static_cast<int32_t>(composed.size()), &status);
        }
    }
    if (U_FAILURE(status)) {
        const std::u32string codes = CodePoints(text);
        return std::vector<std::uint32_t>(codes.begin(), codes.end());
    }
    std::vector<std::uint32_t> codes;
    for (int32_t i = 0; i < length;) {
        UChar32 code = 0;
        U16_NEXT(composed.data(), i, length, code);
        codes.push_back(static_cast<std::uint32_t>(code));
    }
    return codes;
}

bool ShowsItself(std::string_view text)
{
    const std::u32string codes = CodePoints(text);
    return std::any_of(codes.begin(), codes.end(), [](char32_t code) { return !Unseen(code); });
}

bool IsWhiteSpace(std::string_view text)
{
    const std::u32string codes = CodePoints(text);
    return !codes.empty() && std::all_of(codes.begin(), codes.end(), [](char32_t code) {
        return u_isUWhiteSpace(static_cast<UChar32>(code));
    });
}

std::string ReadableName(std::string_view character)
{
    std::string name;
    std::u32string seen;
    // Right-to-left text is isolated in its own direction, so that the
    // sentence around it keeps its order.
    const auto add = [&name](const std::string &part) { name += (name.empty() ? "" : " ") + part; };
    const auto endSeen = [&] {
        if (seen.empty())
            return;
        const bool isolated = std::any_of(seen.begin(), seen.end(), RightToLeft);
        add(isolated ? Utf8(U"\u2068" + seen + U"\u2069") : Utf8(seen));
        seen.clear();
    };
    for (const char32_t code : CodePoints(character)) {
        if (Unseen(code)) {
            endSeen();
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
            add(number);
        } else {
            seen += code;
        }
    }
    endSeen();
    return name;
}

bool SameText(std::string_view a, std::string_view b)
{
    const std::u32string left = CodePoints(a);
    const std::u32string right = CodePoints(b);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char32_t x, char32_t y) {
        return u_foldCase(static_cast<UChar32>(x), U_FOLD_CASE_DEFAULT)
            == u_foldCase(static_cast<UChar32>(y), U_FOLD_CASE_DEFAULT);
    });
}

} // namespace text
