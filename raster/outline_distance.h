#pragma once

#include "raster/coverage.h"
#include "raster/pieces.h"

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
// the pieces that can be nearest to it, and where the row is inside; and,
// asked `which`, the piece nearest to each.
class OutlineDistance {
public:
    OutlineDistance(const std::vector<Piece> &pieces, const Box &box, float reach, bool which = false);
    ~OutlineDistance();
    OutlineDistance(const OutlineDistance &) = delete;
    OutlineDistance &operator=(const OutlineDistance &) = delete;

    struct Row {
        // The squared distance of each pixel, first to last; Far() or more
        // where no piece lies within the reach. Pixels outside first..last
        // are beyond it.
        const float *squares;
        const std::uint32_t *nearest; // asked: the piece each measured pixel is nearest to
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
