#pragma once

#include "raster/faces.h"
#include "raster/freetype.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace raster {

// A rectangle of whole pixels, y down; empty when width or height is not
// positive.
struct Box {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    Box Moved(std::int64_t x, std::int64_t y) const { return {left + x, top + y, width, height}; }
    Box United(const Box &other) const;
    Box Intersected(const Box &other) const;
    friend bool operator==(const Box &, const Box &) = default;
};

// A glyph drawn in greys: its coverage, 8 bits a pixel, lying at `pixels`
// from the pixel of its origin; `ink`, its pixels that are not 0.
struct Coverage {
    std::vector<std::uint8_t> bytes;
    Box pixels;
    Box ink;
};
using CoveragePointer = std::shared_ptr<const Coverage>;

// How glyphs are drawn at one size and style.
struct GlyphStyle {
    int pixelSize = 0;
    F26Dot6 boldStrength = 0; // an emboldened outline grows this much wider
    // Above 0, glyphs are drawn as the signed distance to their edge, over
    // this many pixels either side of it.
    int fieldSpread = 0;
};

// Glyphs drawn unhinted in greys, kept by face, glyph and the fraction of a
// pixel their origin lies at: outlines at that fraction, emboldened and
// slanted where their face asks; bitmaps of a strike as they are, a pixel
// wider for bold; colour glyphs by their alpha, scaled from their strike to
// the size; or each as its distance field. The same glyph is drawn the same
// whenever it is drawn.
class Glyphs {
public:
    explicit Glyphs(GlyphStyle style)
        : style_(style)
    {
    }
    // The glyph with its origin at (x, y) in 26.6; its boxes lie from the
    // whole pixel of the origin.
    CoveragePointer At(const StyledFace &face, unsigned glyph, F26Dot6 x, F26Dot6 y);
    // How far from its origin any glyph of the face can reach, in pixels.
    std::int64_t Reach(const StyledFace &face);

private:
    struct Key {
        const StyledFace *face;
        unsigned glyph;
        int fractionX;
        int fractionY;
        friend bool operator==(const Key &, const Key &) = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key &key) const;
    };
    Coverage Rendered(const StyledFace &face, unsigned glyph, int fractionX, int fractionY, int scale) const;
    CoveragePointer Draw(const StyledFace &face, unsigned glyph, int fractionX, int fractionY) const;

    GlyphStyle style_;
    std::unordered_map<Key, CoveragePointer, KeyHash> kept_;
    std::unordered_map<const StyledFace *, std::int64_t> reach_;
    std::size_t keptBytes_ = 0;
};

} // namespace raster
