#include "raster/field_correction.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace raster {
namespace {

float Median(float a, float b, float c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// Where the filtered true distance lies further than this (pixels) from
// the edge and the channels' median, filtered between pixels as a reader
// filters them, falls on its other side, the pixels around it are wrong; a
// corner's sharpness is nearer than this. A median merely near the edge is
// not wrong: near an inner corner the filtered true distance is itself too
// far from it.
constexpr float kClash = 0.5F;

// Every channel at least this far on one side counts as well inside or
// outside: between the points looked at, a median nearer may cross.
constexpr float kMargin = 0.125F;

// What a pixel says of the squares of four it corners. Each a square's
// four share, it cannot clash anywhere between them: every channel and the
// true distance well inside, or well outside; the true distance no further
// from the edge than a corner's sharpness; or two channels each within the
// clash of the true distance from below, and two from above, at all four
// (filtered, a channel less the true distance is least or most at a
// corner, so the median stays within the clash of the true distance).
constexpr std::uint16_t kWellInside = 1 << 6;
constexpr std::uint16_t kWellOutside = 1 << 7;
constexpr std::uint16_t kNearTheEdge = 1 << 8;

std::uint16_t Side(const ChannelDistances &field, std::size_t pixel)
{
    const float *c = field.channels.data() + pixel * 3;
    const float d = field.distances[pixel];
    std::uint16_t side = 0;
    for (int k = 0; k < 3; ++k) {
        side |= static_cast<std::uint16_t>((c[k] >= d - kClash ? 1 : 0) << k);
        side |= static_cast<std::uint16_t>((c[k] <= d + kClash ? 1 : 0) << (k + 3));
    }
    return static_cast<std::uint16_t>(side | (d >= 0 && std::min({c[0], c[1], c[2]}) >= kMargin ? kWellInside : 0)
        | (d < 0 && std::max({c[0], c[1], c[2]}) <= -kMargin ? kWellOutside : 0)
        | (std::abs(d) <= kClash ? kNearTheEdge : 0));
}

bool TwoOrMore(unsigned bits)
{
    return (bits & (bits - 1)) != 0;
}

bool CannotClash(std::uint16_t shared)
{
    return (shared & (kWellInside | kWellOutside | kNearTheEdge)) != 0
        || (TwoOrMore(shared & 7U) && TwoOrMore((shared >> 3) & 7U));
}

} // namespace

void CorrectClashes(ChannelDistances &field, std::int64_t width, std::int64_t height)
{
    const auto at = [width](std::int64_t x, std::int64_t y) { return static_cast<std::size_t>(y * width + x); };
    std::vector<std::uint16_t> sides(field.distances.size());
    for (std::size_t i = 0; i < sides.size(); ++i)
        sides[i] = Side(field, i);
    // Whether the filtered median and true distance at a point between the
    // pixels, weighted so, fall on two sides by more than the clash.
    const auto clashes = [&](const std::array<std::size_t, 4> &pixels, const std::array<float, 4> &weights) {
        float r = 0;
        float g = 0;
        float b = 0;
        float d = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            r += weights[i] * field.channels[pixels[i] * 3];
            g += weights[i] * field.channels[pixels[i] * 3 + 1];
            b += weights[i] * field.channels[pixels[i] * 3 + 2];
            d += weights[i] * field.distances[pixels[i]];
        }
        return std::abs(d) > kClash && (d >= 0 ? Median(r, g, b) : -Median(r, g, b)) < 0;
    };
    // Each square by its top left pixel; at first all, then those beside a
    // pixel the round before corrected.
    std::vector<std::uint8_t> due(field.distances.size(), 1);
    std::vector<std::size_t> wrong;
    // Points across each square of four pixels' centres, as finely as a
    // reader magnifying four times meets them, its corners included.
    constexpr int kSteps = 4;
    constexpr int kMostRounds = 4;
    for (int round = 0; round < kMostRounds; ++round) {
        wrong.clear();
        for (std::int64_t y = 0; y < height; ++y) {
            for (std::int64_t x = 0; x < width; ++x) {
                if (due[at(x, y)] == 0)
                    continue;
                due[at(x, y)] = 0;
                const std::int64_t right = std::min(x + 1, width - 1);
                const std::int64_t below = std::min(y + 1, height - 1);
                const std::array<std::size_t, 4> pixels{at(x, y), at(right, y), at(x, below), at(right, below)};
                if (CannotClash(sides[pixels[0]] & sides[pixels[1]] & sides[pixels[2]] & sides[pixels[3]]))
                    continue;
                for (int sy = 0; sy < kSteps; ++sy) {
                    for (int sx = 0; sx < kSteps; ++sx) {
                        const float fx = static_cast<float>(sx) / kSteps;
                        const float fy = static_cast<float>(sy) / kSteps;
                        const std::array<float, 4> weights{(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
                        if (!clashes(pixels, weights))
                            continue;
                        for (std::size_t i = 0; i < 4; ++i) {
                            if (weights[i] > 0)
                                wrong.push_back(pixels[i]);
                        }
                    }
                }
            }
        }
        if (wrong.empty())
            return;
        for (const std::size_t i : wrong) {
            std::fill_n(field.channels.begin() + static_cast<std::ptrdiff_t>(i * 3), 3, field.distances[i]);
            sides[i] = Side(field, i);
            // The squares it corners.
            const auto x = static_cast<std::int64_t>(i) % width;
            const auto y = static_cast<std::int64_t>(i) / width;
            for (std::int64_t sy = std::max<std::int64_t>(y - 1, 0); sy <= y; ++sy) {
                for (std::int64_t sx = std::max<std::int64_t>(x - 1, 0); sx <= x; ++sx)
                    due[at(sx, sy)] = 1;
            }
        }
    }
}

} // namespace raster
