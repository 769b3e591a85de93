#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {

// The settings of a render, in the texture's own pixels: the font family,
// its size and the texture's side, the offsets of every pen (dx right, dy
// up), bold and italic, distance fields or coverage, and the cells' texts
// in grid order; with fields, multi-channel ones if asked, whose export
// keeps the true distance beside the channels if asked.
struct AtlasSettings {
    std::string family;
    std::int32_t fontSize = 0;
    std::int32_t textureSize = 0;
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    bool bold = false;
    bool italic = false;
    bool distanceField = false;
    std::vector<std::string> cells;
    bool multiChannel = false;
    bool trueDistance = false;

    // A texture of red, green and blue besides its greys: a multi-channel
    // field.
    bool Coloured() const { return distanceField && multiChannel; }
    // How far either side of a glyph's edge its field reaches: 8 pixels at
    // 1024, scaled with the texture; 0 without fields.
    std::int32_t FieldSpread() const;

    friend bool operator==(const AtlasSettings &, const AtlasSettings &) = default;
};

// The spread of fields in a texture of that side.
std::int32_t FieldSpreadAt(std::int32_t textureSize);

} // namespace vantor
