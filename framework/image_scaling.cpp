#include "framework/image_scaling.h"

#include <cstdint>
#include <vector>

namespace fw {

namespace {

// With red and blue in two 16-bit lanes of one word, a block of up to 256
// pixels sums without carries between the lanes.
constexpr int kMaxBoxSamples = 256;

QImage ShrinkByBlocks(const QImage &image, int factorX, int factorY)
{
    QImage out(image.width() / factorX, image.height() / factorY, QImage::Format_RGB32);
    const int samples = factorX * factorY;
    std::vector<std::uint32_t> redBlue(static_cast<std::size_t>(out.width()));
    std::vector<std::uint32_t> green(static_cast<std::size_t>(out.width()));
    for (int outY = 0; outY < out.height(); ++outY) {
        std::fill(redBlue.begin(), redBlue.end(), 0);
        std::fill(green.begin(), green.end(), 0);
        for (int row = 0; row < factorY; ++row) {
            const auto *line = reinterpret_cast<const std::uint32_t *>(image.constScanLine(outY * factorY + row));
            for (int outX = 0; outX < out.width(); ++outX) {
                const std::uint32_t *block = line + outX * factorX;
                std::uint32_t rb = 0;
                std::uint32_t g = 0;
                for (int i = 0; i < factorX; ++i) {
                    rb += block[i] & 0x00FF00FFu;
                    g += (block[i] >> 8) & 0xFFu;
                }
                redBlue[static_cast<std::size_t>(outX)] += rb;
                green[static_cast<std::size_t>(outX)] += g;
            }
        }
        auto *target = reinterpret_cast<std::uint32_t *>(out.scanLine(outY));
        const std::uint32_t half = static_cast<std::uint32_t>(samples) / 2;
        const auto n = static_cast<std::uint32_t>(samples);
        for (int outX = 0; outX < out.width(); ++outX) {
            const std::uint32_t rb = redBlue[static_cast<std::size_t>(outX)];
            const std::uint32_t red = ((rb >> 16) + half) / n;
            const std::uint32_t blue = ((rb & 0xFFFFu) + half) / n;
            const std::uint32_t g = (green[static_cast<std::size_t>(outX)] + half) / n;
            target[outX] = 0xFF000000u | (red << 16) | (g << 8) | blue;
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
