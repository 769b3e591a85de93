#include "framework/kept_ink.h"

#include <cstdint>
#include <cstring>

namespace fw {
namespace {

constexpr qsizetype kMaxKeptBytes = 6 << 20;
constexpr qsizetype kMaxKeptTexts = 4096;

// For two components held 16 bits apart, each up to 255 * 255: each
// divided by 255 and rounded to the nearest whole number.
inline std::uint32_t DivideBy255(std::uint32_t pair)
{
    pair += 0x00800080;
    return ((pair + ((pair >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

// One line of pixels, two components at a time. Most of a text's box is
// uncovered: sixteen bytes of coverage at a time are skipped while they are
// all zero.
void CompositeLine(std::uint32_t *__restrict pixels, const std::uint8_t *__restrict coverage, int count, QRgb colour)
{
    const std::uint32_t full = 0xFF000000 | colour;
    const std::uint32_t redBlue = full & 0x00FF00FF;
    const std::uint32_t alphaGreen = (full >> 8) & 0x00FF00FF;
    int x = 0;
    while (x < count) {
        if (x + 16 <= count) {
            std::uint64_t first;
            std::uint64_t second;
            std::memcpy(&first, coverage + x, sizeof first);
            std::memcpy(&second, coverage + x + 8, sizeof second);
            if ((first | second) == 0) {
                x += 16;
                continue;
            }
        }
        const std::uint32_t a = coverage[x];
        if (a == 255) {
            pixels[x] = full;
        } else if (a != 0) {
            const std::uint32_t rest = 255 - a;
            const std::uint32_t pixel = pixels[x];
            const std::uint32_t rb = DivideBy255(redBlue * a + (pixel & 0x00FF00FF) * rest);
            const std::uint32_t ag = DivideBy255(alphaGreen * a + ((pixel >> 8) & 0x00FF00FF) * rest);
            pixels[x] = ag << 8 | rb;
        }
        ++x;
    }
}

} // namespace

void KeptInk::Keep(const QString &text, InkPointer ink)
{
    const qsizetype size = ink->coverage.sizeInBytes();
    if (size > kMaxKeptBytes)
        return;
    if (bytes_ + size > kMaxKeptBytes || inks_.size() >= kMaxKeptTexts) {
        inks_.clear();
        bytes_ = 0;
    }
    bytes_ += size;
    inks_.insert(text, std::move(ink));
}

void CompositeInk(QImage &picture, const Ink &ink, QPoint pen, QRgb colour, const QRect &clip)
{
    const QRect placed = ink.Placed(pen);
    const QRect area = placed & clip & picture.rect();
    if (area.isEmpty())
        return;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        CompositeLine(reinterpret_cast<std::uint32_t *>(picture.scanLine(y)) + area.left(),
            ink.coverage.constScanLine(y - placed.top()) + (area.left() - placed.left()), area.width(), colour);
    }
}

} // namespace fw
