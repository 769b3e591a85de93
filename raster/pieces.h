#pragma once

#include "raster/coverage.h"
#include "raster/freetype.h"

#include <cmath>
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
    bool closes = false; // the last of its contour, the contour's first after it
    bool begins = false; // the first of a line or curve of the outline: a corner can be only here
    // Where it begins one, how far the outline turns there (radians, 0 to
    // pi): between the tangents of the line or curve before at its end and
    // of this one at its start.
    double turn = 0;
};

inline double Length(const Piece &p)
{
    return std::hypot(p.x1 - p.x0, p.y1 - p.y0);
}

// The outline (26.6, y up, from the origin) as straight pieces, contour by
// contour, each ending where the next piece of its contour begins, its
// curves flattened so finely that no point of them lies further than a
// 256th of a pixel from its pieces.
std::vector<Piece> Pieces(const FT_Outline &outline);

// The pieces' box of pixels, grown by `margin` pixels on every side.
Box PiecesBox(const std::vector<Piece> &pieces, std::int64_t margin);

} // namespace raster
