#pragma once

#include "raster/pieces.h"

#include <cstdint>
#include <vector>

namespace raster {

// Which of red, green and blue (bits 1, 2 and 4) measure each piece: the
// outline's edges coloured so that at each corner two edges meet that share
// one channel only. A contour without corners is white; one with a single
// corner is split in three.
std::vector<std::uint8_t> EdgeColours(const std::vector<Piece> &pieces);

} // namespace raster
