#include "framework/image_scaling.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace fw {

namespace {

constexpr std::uint32_t Rgb32(std::uint32_t grey)
{
    return 0xFF000000U | grey * 0x010101U;
}

// Adds a line of greys to the sums of its columns; unaliased, so that the
// compiler vectorises it.
void AddRow(const std::uint8_t *__restrict greys, std::uint16_t *__restrict sums, std::size_t count)
{
    for (std::size_t x = 0; x < count; ++x)
        sums[x] = static_cast<std::uint16_t>(sums[x] + greys[x]);
}

// Each run of Factor column sums added, averaged over the block and written
// as RGB32; unaliased and without strides, so that the compiler vectorises
// it.
template <int Factor>
void AverageBlocks(const std::uint16_t *__restrict sums, std::uint32_t *__restrict line, std::size_t width)
{
    constexpr std::uint32_t kArea = Factor * Factor;
    for (std::size_t x = 0; x < width; ++x) {
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < Factor; ++i)
            sum += sums[x * Factor + i];
        line[x] = Rgb32((sum + kArea / 2) / kArea);
    }
}

// Fours, the preview of a 2048 texture: four sums read as one word.
template <>
void AverageBlocks<4>(const std::uint16_t *__restrict sums, std::uint32_t *__restrict line, std::size_t width)
{
    for (std::size_t x = 0; x < width; ++x) {
        std::uint64_t four;
        std::memcpy(&four, sums + 4 * x, sizeof four);
        const std::uint64_t pairs = (four & 0x0000FFFF0000FFFFULL) + ((four >> 16) & 0x0000FFFF0000FFFFULL);
        line[x] = Rgb32(static_cast<std::uint32_t>(((pairs & 0xFFFFFFFF) + (pairs >> 32) + 8) >> 4));
    }
}

// Each Factor x Factor block of the source averaged exactly, rounded to
// the nearest level, into `to` from (x, y): rows summed a whole line at a
// time, then each block's sums added; faster than Qt's smooth scaling for
// the preview's whole factors.
template <int Factor> void BlockAverages(const QImage &greys, const QRect &source, QImage &to, QPoint at)
{
    const int width = source.width() / Factor;
    const int height = source.height() / Factor;
    std::vector<std::uint16_t> sums(static_cast<std::size_t>(width * Factor));
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int row = y * Factor; row < (y + 1) * Factor; ++row)
            AddRow(greys.constScanLine(source.top() + row) + source.left(), sums.data(), sums.size());
        auto *line = reinterpret_cast<std::uint32_t *>(to.scanLine(at.y() + y)) + at.x();
        AverageBlocks<Factor>(sums.data(), line, static_cast<std::size_t>(width));
    }
}

// Pairs of rows, the preview of a 1024 texture: each block of four read
// straight from the two rows.
void PairAverages(const std::uint8_t *__restrict top, const std::uint8_t *__restrict bottom,
    std::uint32_t *__restrict line, std::size_t width)
{
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t sum = top[2 * x] + top[2 * x + 1] + bottom[2 * x] + bottom[2 * x + 1];
        line[x] = Rgb32((sum + 2) >> 2);
    }
}

void BlockAverages(const QImage &greys, const QRect &source, int factor, QImage &to, QPoint at)
{
    switch (factor) {
    case 1:
        return BlockAverages<1>(greys, source, to, at);
    case 2:
        for (int y = 0; y < source.height() / 2; ++y) {
            PairAverages(greys.constScanLine(source.top() + 2 * y) + source.left(),
                greys.constScanLine(source.top() + 2 * y + 1) + source.left(),
                reinterpret_cast<std::uint32_t *>(to.scanLine(at.y() + y)) + at.x(),
                static_cast<std::size_t>(source.width() / 2));
        }
        return;
    case 3:
        return BlockAverages<3>(greys, source, to, at);
    case 4:
        return BlockAverages<4>(greys, source, to, at);
    case 5:
        return BlockAverages<5>(greys, source, to, at);
    case 6:
        return BlockAverages<6>(greys, source, to, at);
    case 7:
        return BlockAverages<7>(greys, source, to, at);
    default:
        return BlockAverages<8>(greys, source, to, at);
    }
}

// The whole factor by which ScaleImage shrinks `source` to `size` by block
// averages, 1 for a copy; 0 when it does not.
int BlockFactor(const QRect &source, const QSize &size)
{
    const int factor = source.width() / std::max(size.width(), 1);
    const bool blocks = factor >= 1 && factor <= 8 && source.width() / factor == size.width()
        && source.height() / factor == size.height();
    return blocks ? factor : 0;
}

} // namespace

bool RescalePart(const QImage &greys, const QRect &source, QImage &scaled, const QRect &changed)
{
    const int factor = BlockFactor(source, scaled.size());
    if (factor == 0 || !greys.rect().contains(source) || greys.format() != QImage::Format_Grayscale8)
        return false;
    // The output pixels whose blocks hold a changed pixel.
    const QRect area = (changed & source).translated(-source.topLeft());
    if (area.isEmpty())
        return true;
    const QRect blocks = QRect(QPoint(area.left() / factor, area.top() / factor),
                             QPoint(area.right() / factor, area.bottom() / factor))
        & scaled.rect();
    if (!blocks.isEmpty()) {
        BlockAverages(greys, QRect(source.topLeft() + blocks.topLeft() * factor, blocks.size() * factor), factor,
            scaled, blocks.topLeft());
    }
    return true;
}

QImage ScaleImage(const QImage &greys, const QRect &source, const QSize &size)
{
    // Beyond the image is black: a source reaching out is taken from a copy.
    if (!greys.rect().contains(source))
        return ScaleImage(greys.copy(source), QRect(QPoint(), source.size()), size);
    if (greys.format() != QImage::Format_Grayscale8) {
        const bool enlarged = size.width() >= source.width() && size.height() >= source.height();
        return greys.copy(source)
            .scaled(size, Qt::IgnoreAspectRatio, enlarged ? Qt::FastTransformation : Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage scaled(size, QImage::Format_RGB32);
    if (scaled.isNull())
        return scaled;
    if (const int factor = BlockFactor(source, size)) {
        BlockAverages(greys, source, factor, scaled, QPoint());
        return scaled;
    }
    if (size.width() >= source.width() && size.height() >= source.height()) {
        // The nearest pixel, each source pixel repeated.
        std::vector<int> columns(static_cast<std::size_t>(size.width()));
        for (int x = 0; x < size.width(); ++x) {
            columns[static_cast<std::size_t>(x)]
                = source.left() + static_cast<int>(static_cast<qint64>(x) * source.width() / size.width());
        }
        for (int y = 0; y < size.height(); ++y) {
            const int row = source.top() + static_cast<int>(static_cast<qint64>(y) * source.height() / size.height());
            auto *to = reinterpret_cast<std::uint32_t *>(scaled.scanLine(y));
            if (y > 0
                && row
                    == source.top() + static_cast<int>(static_cast<qint64>(y - 1) * source.height() / size.height())) {
                std::copy_n(reinterpret_cast<const std::uint32_t *>(scaled.constScanLine(y - 1)), size.width(), to);
                continue;
            }
            const std::uint8_t *from = greys.constScanLine(row);
            for (int x = 0; x < size.width(); ++x)
                to[x] = Rgb32(from[columns[static_cast<std::size_t>(x)]]);
        }
        return scaled;
    }
    // Qt's smooth scaling averages areas with vector code, in 32 bits.
    return greys.copy(source)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace fw
