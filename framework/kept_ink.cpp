#include "framework/kept_ink.h"

#include <cstdint>

namespace fw {
namespace {

constexpr qsizetype kMaxKeptBytes = 16 << 20;
constexpr qsizetype kMaxKeptTexts = 4096;

// v / 255 rounded to the nearest whole number, for v up to 255 * 255.
inline std::uint32_t DivideBy255(std::uint32_t v)
{
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// One line of pixels; unaliased, so that the compiler vectorises it.
void CompositeLine(std::uint32_t *__restrict pixels, const std::uint8_t *__restrict coverage, int count,
    std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    for (int x = 0; x < count; ++x) {
        const std::uint32_t a = coverage[x];
        const std::uint32_t rest = 255 - a;
        const std::uint32_t pixel = pixels[x];
        const std::uint32_t r = DivideBy255(red * a + ((pixel >> 16) & 0xFF) * rest);
        const std::uint32_t g = DivideBy255(green * a + ((pixel >> 8) & 0xFF) * rest);
        const std::uint32_t b = DivideBy255(blue * a + (pixel & 0xFF) * rest);
        pixels[x] = 0xFF000000 | r << 16 | g << 8 | b;
    }
}

} // namespace

void KeptInk::Keep(const QString &text, InkPointer ink)
{
    if (bytes_ > kMaxKeptBytes || inks_.size() >= kMaxKeptTexts) {
        inks_.clear();
        bytes_ = 0;
    }
    bytes_ += ink->coverage.sizeInBytes();
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
            ink.coverage.constScanLine(y - placed.top()) + (area.left() - placed.left()), area.width(), qRed(colour),
            qGreen(colour), qBlue(colour));
    }
}

} // namespace fw
