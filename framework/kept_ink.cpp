#include "framework/kept_ink.h"

#include <cstdint>
#include <cstring>

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

// One line of pixels. Most of a text's box is uncovered: eight bytes of
// coverage at a time are skipped while they are all zero.
void CompositeLine(std::uint32_t *__restrict pixels, const std::uint8_t *__restrict coverage, int count,
    std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    const std::uint32_t full = 0xFF000000 | red << 16 | green << 8 | blue;
    int x = 0;
    while (x < count) {
        if (x + 8 <= count) {
            std::uint64_t eight;
            std::memcpy(&eight, coverage + x, sizeof eight);
            if (eight == 0) {
                x += 8;
                continue;
            }
        }
        const std::uint32_t a = coverage[x];
        if (a == 255) {
            pixels[x] = full;
        } else if (a != 0) {
            const std::uint32_t rest = 255 - a;
            const std::uint32_t pixel = pixels[x];
            const std::uint32_t r = DivideBy255(red * a + ((pixel >> 16) & 0xFF) * rest);
            const std::uint32_t g = DivideBy255(green * a + ((pixel >> 8) & 0xFF) * rest);
            const std::uint32_t b = DivideBy255(blue * a + (pixel & 0xFF) * rest);
            pixels[x] = 0xFF000000 | r << 16 | g << 8 | b;
        }
        ++x;
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
