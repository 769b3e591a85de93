#include "framework/image_scaling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fw {

namespace {

// Adds a line of pixels to the sums of its columns; unaliased, so that the
// compiler vectorises it.
void AddRow(const std::uint32_t *__restrict pixels, std::uint32_t *__restrict redBlue, std::uint32_t *__restrict green,
    std::size_t count)
{
    for (std::size_t x = 0; x < count; ++x) {
        redBlue[x] += pixels[x] & 0x00FF00FF;
        green[x] += (pixels[x] >> 8) & 0xFF;
    }
}

// Each Factor x Factor block averaged exactly, rounded to the nearest
// level. Rows are first summed a whole line at a time, red and blue side by
// side in one word, so that the compiler vectorises it; faster than Qt's
// smooth scaling for the preview's whole factors.
template <int Factor> QImage BlockAverages(const QImage &image)
{
    const int width = image.width() / Factor;
    const int height = image.height() / Factor;
    QImage averaged(width, height, QImage::Format_RGB32);
    constexpr std::uint32_t kArea = Factor * Factor;
    const auto average = [](std::uint32_t sum) { return (sum + kArea / 2) / kArea; };
    std::vector<std::uint32_t> redBlue(static_cast<std::size_t>(width * Factor));
    std::vector<std::uint32_t> green(static_cast<std::size_t>(width * Factor));
    for (int y = 0; y < height; ++y) {
        std::fill(redBlue.begin(), redBlue.end(), 0);
        std::fill(green.begin(), green.end(), 0);
        for (int row = y * Factor; row < (y + 1) * Factor; ++row)
            AddRow(reinterpret_cast<const std::uint32_t *>(image.constScanLine(row)), redBlue.data(), green.data(),
                redBlue.size());
        auto *line = reinterpret_cast<std::uint32_t *>(averaged.scanLine(y));
        for (int x = 0; x < width; ++x) {
            std::uint32_t sums = 0;
            std::uint32_t greens = 0;
            for (int i = 0; i < Factor; ++i) {
                sums += redBlue[static_cast<std::size_t>(x * Factor + i)];
                greens += green[static_cast<std::size_t>(x * Factor + i)];
            }
            line[x] = 0xFF000000 | average(sums >> 16) << 16 | average(greens) << 8 | average(sums & 0xFFFF);
        }
    }
    return averaged;
}

// The whole factor by which ScaleImage shrinks `source` to `size` by block
// averages; 0 when it does not.
int BlockFactor(const QImage &image, const QRect &source, const QSize &size)
{
    const int factor = source.width() / std::max(size.width(), 1);
    const bool blocks = image.format() == QImage::Format_RGB32 && factor >= 2 && factor <= 8
        && source.width() / factor == size.width() && source.height() / factor == size.height();
    return blocks ? factor : 0;
}

QImage BlockAverages(const QImage &part, int factor)
{
    switch (factor) {
    case 2:
        return BlockAverages<2>(part);
    case 3:
        return BlockAverages<3>(part);
    case 4:
        return BlockAverages<4>(part);
    case 5:
        return BlockAverages<5>(part);
    case 6:
        return BlockAverages<6>(part);
    case 7:
        return BlockAverages<7>(part);
    default:
        return BlockAverages<8>(part);
    }
}

} // namespace

bool RescalePart(const QImage &image, const QRect &source, QImage &scaled, const QRect &changed)
{
    const int factor = BlockFactor(image, source, scaled.size());
    if (factor == 0)
        return false;
    // The output pixels whose blocks hold a changed pixel.
    const QRect area = (changed & source).translated(-source.topLeft());
    if (area.isEmpty())
        return true;
    const QRect blocks = QRect(QPoint(area.left() / factor, area.top() / factor),
                             QPoint(area.right() / factor, area.bottom() / factor))
        & scaled.rect();
    if (blocks.isEmpty())
        return true;
    const QImage averaged = BlockAverages(
        image.copy(QRect(source.topLeft() + blocks.topLeft() * factor, blocks.size() * factor)), factor);
    for (int y = 0; y < blocks.height(); ++y) {
        std::copy_n(reinterpret_cast<const std::uint32_t *>(averaged.constScanLine(y)), blocks.width(),
            reinterpret_cast<std::uint32_t *>(scaled.scanLine(blocks.top() + y)) + blocks.left());
    }
    return true;
}

void LightenLine(unsigned char *__restrict to, const unsigned char *__restrict from, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to[i] = std::max(to[i], from[i]);
}

QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size)
{
    const QImage part = source == image.rect() ? image : image.copy(source);
    if (part.size() == size)
        return part;
    if (const int factor = BlockFactor(part, part.rect(), size))
        return BlockAverages(part, factor);
    const bool shrinks = size.width() <= part.width() && size.height() <= part.height();
    // Qt's smooth scaling averages areas with vector code.
    return part.scaled(size, Qt::IgnoreAspectRatio, shrinks ? Qt::SmoothTransformation : Qt::FastTransformation);
}

} // namespace fw
