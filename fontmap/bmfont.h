#pragma once

#include "raster/coverage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {

// A bitmap font in the terms of AngelCode's BMFont: one page, the texture;
// whole numbers only, as engines read them.
struct BMFont {
    struct Character {
        std::uint32_t id = 0;
        int cell = 0; // the first holding it, in grid order
        std::string text;
        raster::Box rect;
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
    bool multiChannel = false; // the field in red, green and blue
    bool trueDistance = false; // and, multi-channel, the true distance in alpha
    std::string page;
    std::vector<Character> characters;
    std::vector<Kerning> kernings;
};

class Atlas;

// A render as a BMFont naming its page: a character per cell holding one
// code point (after composition), the first cell holding it winning, placed
// so that each pixel lands where the texture has it relative to the cell's
// pen; `several` gets the texts of cells of more than one, once each.
BMFont BMFontOf(const Atlas &atlas, const std::string &pageName, std::vector<std::string> &several);

// The page: the texture as 8-bit RGBA, white with the texture's grey as
// alpha, so that an engine tints it any colour; a multi-channel field's
// colour, opaque, as readers that take the least of the channels' median
// and alpha need it, or with the true distance as alpha where asked; rows
// from the top.
std::vector<std::uint8_t> BMFontPage(const Atlas &atlas);

// One message naming what an engine drawing from the export will get
// wrong: the cells of several characters (`several`), which it lacks, the
// cells whose ink leaves their square, the cells that draw no ink, and a
// missing space. Empty when there is nothing to say.
std::string EngineCaveats(const Atlas &atlas, const std::vector<std::string> &several);

// The text format, which most engines read; no byte-order mark, so that
// readers telling formats apart by content see "info face=".
std::string BMFontText(const BMFont &font);
// The XML format, which browser engines read, in UTF-8, every attribute
// value escaped.
std::string BMFontXml(const BMFont &font);

} // namespace vantor
