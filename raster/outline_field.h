#pragma once

#include "raster/coverage.h"
#include "raster/pieces.h"

#include <vector>

namespace raster {

// The signed distance from the centre of each pixel of `box` to the
// outline: 127.5 on it, brighter inside (by the non-zero rule), linear over
// `spread` pixels either side, 255 and 0 beyond. Only what lies within the
// spread of a piece is measured; the rest is inside or outside. Held whole,
// or in runs for a box too large for that.
Coverage OutlineFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread, bool inRuns);

} // namespace raster
