#pragma once

#include "raster/face_list.h"
#include "raster/freetype.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace raster {

// A glyph of a laid out text: its face, its index there, and where its
// origin lies from the pen, x to the right and y down, in 26.6.
struct PlacedGlyph {
    const StyledFace *face = nullptr;
    unsigned index = 0;
    F26Dot6 x = 0;
    F26Dot6 y = 0;
    // Where its advance starts, or the glyph before's when that lies
    // further (a kerning larger than an advance): never less.
    F26Dot6 pen = 0;
};

// A text laid out once on one line, its glyphs left to right as they show.
struct Shaped {
    std::vector<PlacedGlyph> glyphs;
    F26Dot6 advance = 0;
    std::vector<const StyledFace *> faces; // those of its glyphs, once each
};

// A glyph as HarfBuzz shapes it, in its face's own units.
struct UnitGlyph {
    const StyledFace *face = nullptr;
    unsigned index = 0;
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0; // up
    std::int32_t xAdvance = 0;
};

// A text shaped at no size in particular: in each face's units, the same
// for every size of a style.
struct UnitShaped {
    std::vector<UnitGlyph> glyphs;
    std::vector<const StyledFace *> faces; // those of its glyphs, once each
};

// Shapes the text, UTF-8 of any content, as HarfBuzz does: each cluster in
// the face the list gives it, runs of one face, script and direction shaped
// together with the font's kerning, with or without ligatures, right-to-left
// runs in their order.
UnitShaped ShapeInUnits(FaceList &faces, std::string_view text, bool ligatures);

// How a shaped text is laid out at a size.
struct Layout {
    int pixelSize = 0;
    // Each glyph that advances grows by this much: a synthetic bold.
    F26Dot6 boldGrowth = 0;
};

// The shaped text at a size: each glyph's advance and offsets in its units
// scaled to the size in 26.6, rounded, as hb-shape gives them; a face of
// bitmaps only advances as its strike for the size does.
Shaped AtSize(const UnitShaped &shaped, const Layout &layout);

} // namespace raster
