#include "framework/image_scaling.h"

#include <bit>
#include <cstdint>
#include <vector>

namespace fw {

namespace {

// With red and blue in two 16-bit lanes of one word, a block of up to 256
// pixels sums without carries between the lanes.
constexpr int kMaxBoxSamples = 256;

QImage ShrinkByBlocks(const QImage &image, int factorX, int factorY)
{
    const int sourceWidth = image.width();
    const int width = sourceWidth / factorX;
    const int height = image.height() / factorY;
    QImage out(width, height, QImage::Format_RGB32);
    const auto samples = static_cast<std::uint32_t>(factorX * factorY);
    const std::uint32_t half = samples / 2;
    // Blocks are usually 2 x 2 or 4 x 4: a shift then divides exactly, and
    // three divisions per pixel were most of the cost.
    const bool powerOfTwo = (samples & (samples - 1)) == 0;
    const int shift = std::countr_zero(samples);
    const auto average = [&](std::uint32_t sum) { return powerOfTwo ? (sum + half) >> shift : (sum + half) / samples; };
    // Column sums over a band of factorY rows first: a plain loop over whole
    // rows, which the compiler vectorises.
    std::vector<std::uint32_t> redBlue(static_cast<std::size_t>(sourceWidth));
    std::vector<std::uint32_t> green(static_cast<std::size_t>(sourceWidth));
    for (int outY = 0; outY < height; ++outY) {
        std::fill(redBlue.begin(), redBlue.end(), 0);
        std::fill(green.begin(), green.end(), 0);
        for (int row = 0; row < factorY; ++row) {
            const auto *line = reinterpret_cast<const std::uint32_t *>(image.constScanLine(outY * factorY + row));
            for (int x = 0; x < sourceWidth; ++x) {
                redBlue[static_cast<std::size_t>(x)] += line[x] & 0x00FF00FFu;
                green[static_cast<std::size_t>(x)] += line[x] & 0x0000FF00u;
            }
        }
        auto *target = reinterpret_cast<std::uint32_t *>(out.scanLine(outY));
        const std::uint32_t *rbColumn = redBlue.data();
        const std::uint32_t *gColumn = green.data();
        for (int outX = 0; outX < width; ++outX) {
            std::uint32_t rb = 0;
            std::uint32_t g = 0;
            for (int i = 0; i < factorX; ++i) {
                rb += *rbColumn++;
                g += *gColumn++;
            }
            target[outX] = 0xFF000000u | (average(rb >> 16) << 16) | (average(g >> 8) << 8) | average(rb & 0xFFFFu);
        }
    }
    return out;
}

} // namespace

QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size)
{
    const QImage part = source == image.rect() ? image : image.copy(source);
    if (part.size() == size)
        return part;
    const bool shrinks = size.width() <= part.width() && size.height() <= part.height();
    if (!shrinks)
        return part.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const bool wholeFactors = part.width() % size.width() == 0 && part.height() % size.height() == 0;
    const int factorX = part.width() / size.width();
    const int factorY = part.height() / size.height();
    if (wholeFactors && factorX * factorY <= kMaxBoxSamples && part.format() == QImage::Format_RGB32)
        return ShrinkByBlocks(part, factorX, factorY);
    return part.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace fw
