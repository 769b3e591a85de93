#pragma once

#include "raster/coverage.h"
#include "raster/faces.h"
#include "raster/freetype.h"
#include "raster/lru_cache.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace raster {

// How glyphs are drawn at one size and style.
struct GlyphStyle {
    int pixelSize = 0;
    F26Dot6 boldStrength = 0; // an emboldened outline grows this much wider
    // Above 0, glyphs are drawn as the signed distance to their edge, over
    // this many pixels either side of it.
    int fieldSpread = 0;
    // With a field: an outline's in three channels besides, whose median
    // keeps corners sharp.
    bool multiChannel = false;
};

// Glyphs drawn unhinted in greys, kept by face, glyph and the fraction of a
// pixel their origin lies at: outlines at that fraction, emboldened and
// slanted where their face asks, a colour glyph's layers together; bitmaps
// of a strike as they are, a pixel wider for bold; colour bitmaps by their
// alpha, scaled from their strike to the size; or each as its distance
// field. The same glyph is drawn the same whenever it is drawn. A glyph too
// large to keep whole (an outline box of tens of thousands of pixels) is
// drawn only where it meets the area asked for, in runs.
class Glyphs {
public:
    // What is drawn is kept in the cache.
    Glyphs(LruCache &cache, GlyphStyle style)
        : style_(style)
        , kept_(cache)
        , large_(cache)
        , reach_(cache)
    {
    }
    // The glyph with its origin at (x, y) in 26.6, as far as it can show in
    // `area`; its boxes lie from the whole pixel of the origin.
    CoveragePointer At(const StyledFace &face, unsigned glyph, F26Dot6 x, F26Dot6 y, const Box &area);
    // For a glyph too large to keep whole, where its pixels can lie from
    // its origin's pixel, whatever the fraction; empty for any other.
    Box Large(const StyledFace &face, unsigned glyph);
    // How far from its origin any glyph of the face can reach, in pixels.
    std::int64_t Reach(const StyledFace &face);

private:
    struct Key {
        const StyledFace *face;
        unsigned glyph;
        int fractionX;
        int fractionY;
        Box clip; // of a large glyph, from its origin's pixel
        bool operator<(const Key &other) const;
    };
    // Calls `use` with each outline that draws the glyph, in turn, ready to
    // be drawn at the fraction; false when there is none.
    template <class Use>
    bool ForEachOutline(const StyledFace &face, unsigned glyph, int fractionX, int fractionY, Use &&use) const;
    Coverage Outline(const StyledFace &face, unsigned glyph, int fractionX, int fractionY) const;
    Coverage OutlineIn(const StyledFace &face, unsigned glyph, int fractionX, int fractionY, const Box &clip) const;
    Coverage Bitmap(const StyledFace &face, unsigned glyph) const;
    CoveragePointer Draw(const Key &key) const;

    GlyphStyle style_;
    Cached<Key, const Coverage> kept_;
    Cached<std::pair<const StyledFace *, unsigned>, const Box> large_;
    Cached<const StyledFace *, const std::int64_t> reach_;
};

} // namespace raster
