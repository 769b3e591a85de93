#pragma once

#include "raster/pieces.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace raster {

// Each piece's neighbours in its contour, which closes on itself.
struct Contours {
    std::vector<std::size_t> previous;
    std::vector<std::size_t> next;
    std::vector<std::pair<std::size_t, std::size_t>> spans; // first and last piece

    explicit Contours(const std::vector<Piece> &pieces)
        : previous(pieces.size())
        , next(pieces.size())
    {
        std::size_t first = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (!pieces[i].closes && i + 1 != pieces.size())
                continue;
            for (std::size_t k = first; k <= i; ++k) {
                previous[k] = k == first ? i : k - 1;
                next[k] = k == i ? first : k + 1;
            }
            spans.emplace_back(first, i);
            first = i + 1;
        }
    }
};

} // namespace raster
