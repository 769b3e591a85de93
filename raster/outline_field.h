#pragma once

#include "raster/coverage.h"
#include "raster/freetype.h"

#include <cstdint>
#include <vector>

namespace raster {

// A straight piece of an outline, in pixels from the pixel of the glyph's
// origin, y down.
struct Piece {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
};

// The outline (26.6, y up, from the origin) as straight pieces, its curves
// flattened so finely that no point of them lies further than a 256th of a
// pixel from its pieces.
std::vector<Piece> Pieces(const FT_Outline &outline);

// The pieces' box of pixels, grown by `margin` pixels on every side.
Box PiecesBox(const std::vector<Piece> &pieces, std::int64_t margin);

// The signed distance from the centre of each pixel of `box` to the
// outline: 128 on it, brighter inside (by the non-zero rule), linear over
// `spread` pixels either side, 255 and 0 beyond. Only what lies within the
// spread of a piece is measured; the rest is inside or outside. Held whole,
// or in runs for a box too large for that.
Coverage OutlineFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread, bool inRuns);

} // namespace raster
