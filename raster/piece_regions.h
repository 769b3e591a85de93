#pragma once

#include "raster/coverage.h"
#include "raster/pieces.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace raster {

// Where a pixel's centre can lie for a piece to be the nearest to it,
// within the reach: beside it, between the normals at its ends (its
// slab), or beyond an end, in the corner between its normal and its
// neighbour's, where the point they share is nearest. A convex polygon;
// its pixels measure their distance to one piece or to two.
struct Region {
    static constexpr int kMostPoints = 8;
    std::array<double, kMostPoints> x{};
    std::array<double, kMostPoints> y{};
    int count = 0;
    std::uint32_t segment = 0;
    std::uint32_t other = 0; // the same as `segment` when one is measured
    std::uint8_t channels = 7; // of a multi-channel field, the channels it measures in
    double top = 0;
    double bottom = 0;

    void Add(double px, double py)
    {
        x[static_cast<std::size_t>(count)] = px;
        y[static_cast<std::size_t>(count)] = py;
        ++count;
    }
    void Close()
    {
        top = *std::min_element(y.begin(), y.begin() + count);
        bottom = *std::max_element(y.begin(), y.begin() + count);
    }
};

// The regions of the pieces, from the box's corner, as far as they can
// reach it: each piece's slab, and where one piece meets the next, the
// corner beyond them on the outer side of the turn, whose nearest point is
// the one they share. A slight turn's corner is a sliver joined to the
// slab before it; a sharp one is a sector of its own. Where pieces do not
// meet, a disc about each loose end.
std::vector<Region> PieceRegions(const std::vector<Piece> &pieces, const Box &box, double reach);

// A disc about a loose end at (px, py) of the segment, within the reach.
Region LooseEnd(double px, double py, std::uint32_t segment, const Box &box, double reach);

} // namespace raster
