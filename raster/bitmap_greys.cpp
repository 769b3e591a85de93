#include "raster/bitmap_greys.h"

#include FT_BITMAP_H

#include <algorithm>
#include <cmath>

namespace raster {

// The bitmap FreeType rendered, as 8-bit coverage: greys as they are,
// colour by its alpha, every other depth converted and stretched to 0..255.
std::vector<std::uint8_t> Greys(const FT_Bitmap &rendered)
{
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    const bool eightBits = rendered.pixel_mode == FT_PIXEL_MODE_GRAY || rendered.pixel_mode == FT_PIXEL_MODE_BGRA;
    if (!eightBits)
        Check(FT_Bitmap_Convert(Library(), &rendered, &converted, 1), "FT_Bitmap_Convert");
    const FT_Bitmap &bitmap = eightBits ? rendered : converted;
    const int levels = eightBits ? 256 : std::max<int>(bitmap.num_grays, 2);
    const auto width = static_cast<std::size_t>(bitmap.width);
    std::vector<std::uint8_t> bytes(width * bitmap.rows);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char *from = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t *to = bytes.data() + y * width;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_BGRA) {
            for (std::size_t x = 0; x < width; ++x)
                to[x] = from[4 * x + 3];
        } else if (levels == 256) {
            std::copy_n(from, width, to);
        } else {
            for (std::size_t x = 0; x < width; ++x)
                to[x] = static_cast<std::uint8_t>(from[x] * 255 / (levels - 1));
        }
    }
    FT_Bitmap_Done(Library(), &converted);
    return bytes;
}

// Coverage scaled by a factor, each pixel the mean of the source area it
// covers.
std::vector<std::uint8_t> Scaled(const std::vector<std::uint8_t> &from, std::int64_t width, std::int64_t height,
    double factor, std::int64_t toWidth, std::int64_t toHeight)
{
    std::vector<std::uint8_t> to(static_cast<std::size_t>(toWidth * toHeight));
    const auto spans = [factor](std::int64_t count, std::int64_t limit) {
        // For each target pixel, the source pixels it covers and how much.
        std::vector<std::vector<std::pair<std::int64_t, double>>> weights(static_cast<std::size_t>(count));
        for (std::int64_t i = 0; i < count; ++i) {
            const double start = i / factor;
            const double end = (i + 1) / factor;
            for (auto s = static_cast<std::int64_t>(std::floor(start)); s < end && s < limit; ++s) {
                const double overlap = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
                if (s >= 0 && overlap > 0)
                    weights[static_cast<std::size_t>(i)].emplace_back(s, overlap * factor);
            }
        }
        return weights;
    };
    const auto across = spans(toWidth, width);
    const auto down = spans(toHeight, height);
    for (std::int64_t y = 0; y < toHeight; ++y) {
        for (std::int64_t x = 0; x < toWidth; ++x) {
            double sum = 0;
            for (const auto &[sy, wy] : down[static_cast<std::size_t>(y)]) {
                for (const auto &[sx, wx] : across[static_cast<std::size_t>(x)])
                    sum += from[static_cast<std::size_t>(sy * width + sx)] * wx * wy;
            }
            to[static_cast<std::size_t>(y * toWidth + x)]
                = static_cast<std::uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    return to;
}

Coverage SlotCoverage(FT_GlyphSlot slot)
{
    Coverage coverage;
    coverage.bytes = Greys(slot->bitmap);
    coverage.pixels = Box{slot->bitmap_left, -slot->bitmap_top, slot->bitmap.width, slot->bitmap.rows};
    return coverage;
}

} // namespace raster
