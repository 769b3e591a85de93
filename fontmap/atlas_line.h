#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace raster {
class Texture;
}

namespace vantor {

class Atlas;

// A line of text drawn as a user's renderer draws it from the texture and
// the width table (docs/using-the-atlas.md): for each character the square
// of the first cell holding it, lightening what is there, the pen advancing
// by that cell's width; a character no cell holds as an outlined box.
struct AtlasLine {
    std::shared_ptr<raster::Texture> picture;
    std::int32_t baseline = 0; // a quarter cell below the top, plus the cell's own
    double length = 0;
    std::vector<std::string> missing; // the characters no cell holds, once each
    std::size_t characters = 0;
    std::size_t shown = 0; // those that fit the widest picture, from the start
};

// At most this wide.
constexpr std::int32_t kWidestAtlasLine = 16384;

// The line with its pen starting `margin` pixels in; fields shown as a
// shader draws them at 1:1. Drawn into `last`, the picture of the line
// before, where it has the size needed.
AtlasLine DrawAtlasLine(
    const Atlas &atlas, const std::string &text, std::int32_t margin, std::shared_ptr<raster::Texture> last = nullptr);

// Whether `line`, drawn from `before`, is also the line `after` draws, so
// that it need not be drawn again: only dx changed, which moves every pen
// and glyph alike, every cell inks inside its square in both, the same
// around its pen, and no character lacks a cell (its box follows dx).
bool LineStays(const AtlasLine &line, const Atlas &before, const Atlas &after);

} // namespace vantor
