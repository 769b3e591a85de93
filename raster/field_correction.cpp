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

// Where the channels' median, filtered between pixels as a reader filters
// them, falls on the other side of the edge from the true distance by more
// than this (pixels), the pixels around it are wrong; a corner's sharpness
// is nearer than this.
constexpr float kClash = 0.5F;

// Nearly on the edge counts as not settled: between the points looked at,
// the median may cross. Only a median on the other side is wrong: near an
// inner corner the filtered true distance is itself too far from the edge,
// and a margin there would take the corner's sharpness away.
constexpr float kMargin = 0.125F;

// Whether no point between the four pixels can clash: every channel and the
// true distance well on one side at each, or the true distance nowhere
// further from the edge than a corner's sharpness.
bool Settled(const ChannelDistances &field, const std::array<std::size_t, 4> &pixels)
{
    bool inside = true;
    bool outside = true;
    bool near = true;
    for (const std::size_t pixel : pixels) {
        const float *c = field.channels.data() + pixel * 3;
        const float d = field.distances[pixel];
        inside = inside && d >= 0 && std::min({c[0], c[1], c[2]}) >= kMargin;
        outside = outside && d < 0 && std::max({c[0], c[1], c[2]}) <= -kMargin;
        near = near && std::abs(d) <= kClash;
    }
    return inside || outside || near;
}

} // namespace

void CorrectClashes(ChannelDistances &field, std::int64_t width, std::int64_t height)
{
    const auto at = [width](std::int64_t x, std::int64_t y) { return static_cast<std::size_t>(y * width + x); };
    std::vector<std::uint8_t> wrong(field.distances.size());
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
    // Points across each square of four pixels' centres, as finely as a
    // reader magnifying four times meets them, its corners included.
    constexpr int kSteps = 4;
    constexpr int kMostRounds = 4;
    for (int round = 0; round < kMostRounds; ++round) {
        bool any = false;
        for (std::int64_t y = 0; y < height; ++y) {
            for (std::int64_t x = 0; x < width; ++x) {
                const std::int64_t right = std::min(x + 1, width - 1);
                const std::int64_t below = std::min(y + 1, height - 1);
                const std::array<std::size_t, 4> pixels{at(x, y), at(right, y), at(x, below), at(right, below)};
                if (Settled(field, pixels))
                    continue;
                for (int sy = 0; sy < kSteps; ++sy) {
                    for (int sx = 0; sx < kSteps; ++sx) {
                        const float fx = static_cast<float>(sx) / kSteps;
                        const float fy = static_cast<float>(sy) / kSteps;
                        const std::array<float, 4> weights{(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
                        if (!clashes(pixels, weights))
                            continue;
                        for (std::size_t i = 0; i < 4; ++i)
                            wrong[pixels[i]] |= weights[i] > 0 ? 1 : 0;
                        any = true;
                    }
                }
            }
        }
        if (!any)
            return;
        for (std::size_t i = 0; i < wrong.size(); ++i) {
            if (wrong[i] != 0)
                std::fill_n(field.channels.begin() + static_cast<std::ptrdiff_t>(i * 3), 3, field.distances[i]);
        }
    }
}

} // namespace raster
