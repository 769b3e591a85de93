#include "raster/edge_colours.h"

#include "raster/contours.h"

#include <array>

namespace raster {
namespace {

constexpr std::uint8_t kRed = 1;
constexpr std::uint8_t kGreen = 2;
constexpr std::uint8_t kBlue = 4;
constexpr std::uint8_t kWhite = kRed | kGreen | kBlue;
constexpr std::array<std::uint8_t, 3> kCorners{kGreen | kBlue, kRed | kBlue, kRed | kGreen};

// Where a line or curve begins turning more than this (radians) from the
// one before, the outline has a corner.
constexpr double kCornerTurn = 0.1;

} // namespace

std::vector<std::uint8_t> EdgeColours(const std::vector<Piece> &pieces)
{
    const Contours contours(pieces);
    std::vector<std::uint8_t> colours(pieces.size(), kWhite);
    for (const auto &[first, last] : contours.spans) {
        std::vector<std::size_t> corners;
        for (std::size_t k = first; k <= last; ++k) {
            if (pieces[k].turn > kCornerTurn)
                corners.push_back(k);
        }
        const std::size_t count = last - first + 1;
        if (corners.size() == 1) {
            // A teardrop: magenta, white and yellow from the corner round,
            // so that its two sides share red only.
            if (count < 3)
                continue;
            for (std::size_t j = 0, k = corners.front(); j < count; ++j, k = contours.next[k])
                colours[k] = j < count / 3 ? kCorners[1] : j < 2 * count / 3 ? kWhite : kCorners[2];
            continue;
        }
        for (std::size_t e = 0; e < corners.size(); ++e) {
            std::uint8_t colour = kCorners[e % 3];
            // The last edge meets the first as well.
            if (e + 1 == corners.size() && e % 3 == 0 && e > 0)
                colour = kCorners[1];
            const std::size_t end = corners[(e + 1) % corners.size()];
            std::size_t k = corners[e];
            do {
                colours[k] = colour;
                k = contours.next[k];
            } while (k != end);
        }
    }
    return colours;
}

} // namespace raster
