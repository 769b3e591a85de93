#include "framework/image_scaling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fw {

namespace {

// Adds a line of greys to the sums of its columns; unaliased, so that the
// compiler vectorises it.
void AddRow(const std::uint8_t *__restrict greys, std::uint16_t *__restrict sums, std::size_t count)
{
    for (std::size_t x = 0; x < count; ++x)
        sums[x] = static_cast<std::uint16_t>(sums[x] + greys[x]);
}

// Each Factor x Factor block of greys averaged exactly, rounded to the
// nearest level: rows summed a whole line at a time, then each block's
// sums added; faster than Qt's smooth scaling for the preview's whole
// factors.
template <int Factor> QImage BlockAverages(const QImage &image, const QRect &source)
{
    const int width = source.width() / Factor;
    const int height = source.height() / Factor;
    QImage averaged(width, height, QImage::Format_Grayscale8);
    constexpr std::uint32_t kArea = Factor * Factor;
    std::vector<std::uint16_t> sums(static_cast<std::size_t>(width * Factor));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int row = y * Factor; row < (y + 1) * Factor; ++row)
            AddRow(image.constScanLine(source.top() + row) + source.left(), sums.data(), sums.size());
        std::uint8_t *line = averaged.scanLine(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t sum = 0;
            for (int i = 0; i < Factor; ++i)
                sum += sums[static_cast<std::size_t>(x * Factor + i)];
            line[x] = static_cast<std::uint8_t>((sum + kArea / 2) / kArea);
        }
    }
    return averaged;
}

// The whole factor by which ScaleImage shrinks `source` to `size` by block
// averages; 0 when it does not.
int BlockFactor(const QImage &image, const QRect &source, const QSize &size)
{
    const int factor = source.width() / std::max(size.width(), 1);
    const bool blocks = image.format() == QImage::Format_Grayscale8 && factor >= 2 && factor <= 8
        && source.width() / factor == size.width() && source.height() / factor == size.height();
    return blocks ? factor : 0;
}

QImage BlockAverages(const QImage &image, const QRect &source, int factor)
{
    switch (factor) {
    case 2:
        return BlockAverages<2>(image, source);
    case 3:
        return BlockAverages<3>(image, source);
    case 4:
        return BlockAverages<4>(image, source);
    case 5:
        return BlockAverages<5>(image, source);
    case 6:
        return BlockAverages<6>(image, source);
    case 7:
        return BlockAverages<7>(image, source);
    default:
        return BlockAverages<8>(image, source);
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
    const QImage averaged
        = BlockAverages(image, QRect(source.topLeft() + blocks.topLeft() * factor, blocks.size() * factor), factor);
    for (int y = 0; y < blocks.height(); ++y)
        std::copy_n(averaged.constScanLine(y), blocks.width(), scaled.scanLine(blocks.top() + y) + blocks.left());
    return true;
}

void LightenLine(unsigned char *__restrict to, const unsigned char *__restrict from, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to[i] = std::max(to[i], from[i]);
}

QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size)
{
    if (const int factor = BlockFactor(image, source, size))
        return BlockAverages(image, source, factor);
    // A copy: the image may be a view of pixels that are drawn on later.
    const QImage part = image.copy(source);
    if (part.size() == size)
        return part;
    const bool shrinks = size.width() <= part.width() && size.height() <= part.height();
    // Qt's smooth scaling averages areas with vector code, in 32 bits.
    return part.scaled(size, Qt::IgnoreAspectRatio, shrinks ? Qt::SmoothTransformation : Qt::FastTransformation)
        .convertToFormat(part.format());
}

} // namespace fw
