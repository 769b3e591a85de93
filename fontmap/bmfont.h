#pragma once

#include "framework/graphics.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {

// A bitmap font in the terms of AngelCode's BMFont: one page, the texture;
// whole numbers only, as engines read them.
struct BMFont {
    struct Character {
        std::uint32_t id = 0;
        std::string text;
        fw::Rect rect;
        std::int32_t xoffset = 0;
        std::int32_t yoffset = 0;
        std::int32_t xadvance = 0;
    };
    struct Kerning {
        std::uint32_t first = 0;
        std::uint32_t second = 0;
        std::int32_t amount = 0;
    };
    std::string face;
    std::int32_t size = 0;
    bool bold = false;
    bool italic = false;
    std::int32_t lineHeight = 0;
    std::int32_t base = 0;
    std::int32_t scale = 0; // scaleW and scaleH: the square texture's side
    // Above 0, the page holds signed distance fields spanning this many
    // pixels, twice the spread.
    std::int32_t distanceRange = 0;
    std::string page;
    std::vector<Character> characters;
    std::vector<Kerning> kernings;
};

// The text format, which most engines read; no byte-order mark, so that
// readers telling formats apart by content see "info face=".
std::string BMFontText(const BMFont &font);
// The XML format, which browser engines read, in UTF-8, every attribute
// value escaped.
std::string BMFontXml(const BMFont &font);

} // namespace vantor
