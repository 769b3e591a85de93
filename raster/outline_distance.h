#pragma once

#include "raster/coverage.h"
#include "raster/pieces.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace raster {

// Where a row's centre line is inside, by the non-zero rule: between the
// pixels `from` (counted) and `to` (not).
struct Span {
    std::int32_t from;
    std::int32_t to;
};

// How far the centre of each pixel of a box lies from an outline's pieces,
// row after row from the top: measured only within `reach`, each pixel to
// the pieces that can be nearest to it, and where the row is inside. Given
// the channels of each piece (bits 1, 2 and 4 of `colours`), how far each
// pixel lies from each channel's pieces, and which piece is the nearest.
class OutlineDistance {
public:
    OutlineDistance(const std::vector<Piece> &pieces, const Box &box, float reach,
        const std::vector<std::uint8_t> *colours = nullptr);
    ~OutlineDistance();
    OutlineDistance(const OutlineDistance &) = delete;
    OutlineDistance &operator=(const OutlineDistance &) = delete;

    struct Row {
        // The squared distance of each pixel, first to last; Far() or more
        // where no piece lies within the reach. Pixels outside first..last
        // are beyond it. With channels, each channel's, and the piece each
        // measured pixel is nearest to.
        std::array<const float *, 3> squares;
        std::array<const std::uint32_t *, 3> nearest;
        std::int32_t first;
        std::int32_t last;
        const std::vector<Span> &inside;
    };
    Row Next();
    float Far() const;

private:
    struct Rows;
    std::unique_ptr<Rows> rows_;
    std::int32_t width_;
};

} // namespace raster
