#pragma once

#include "raster/coverage.h"
#include "raster/pieces.h"

#include <vector>

namespace raster {

// A multi-channel field in pixels, inside positive, each value within the
// reach: red, green and blue of each pixel in turn, each the signed
// pseudo-distance to the nearest edge of that channel (beyond an edge's
// ends, to the line it ends along), so that their median keeps corners
// sharp; and the true signed distance of each pixel. Where the channels
// would draw an edge that is not there, between pixels or at one, the
// pixels take the true distance in all three.
struct ChannelDistances {
    std::vector<float> channels;
    std::vector<float> distances;
};
ChannelDistances MultiChannelDistances(const std::vector<Piece> &pieces, const Box &box, float reach);

// The field in greys: the true distance as the single-channel field gives
// it in `bytes`, and the three channels, 127.5 on their edges and linear
// over `spread` pixels, in `colour`.
Coverage MultiChannelFieldCoverage(const std::vector<Piece> &pieces, const Box &box, int spread);

} // namespace raster
