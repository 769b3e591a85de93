#pragma once

#include "raster/glyphs.h"

#include <cstdint>
#include <vector>

namespace raster {

// Greys at `factor` times the size, lying at `pixels` from the pixel of
// the origin at that scale: what a glyph's field is measured on.
struct FineCoverage {
    std::vector<std::uint8_t> bytes;
    Box pixels;
    int factor = 4;
};

// The signed distance from each pixel's centre to the glyph's edge, where
// its fine coverage crosses half grey: 127.5 on the edge, brighter inside,
// darker outside, linear over `spread` pixels, 255 and 0 beyond. Measured
// on the fine pixels, at the centres of each pixel's middle ones.
Coverage DistanceField(const FineCoverage &fine, int spread);

// Coverage made `factor` times finer by bilinear interpolation, for glyphs
// that have no outline to draw finer: bitmaps and colour glyphs.
FineCoverage Finer(const Coverage &coverage, int factor);

} // namespace raster
