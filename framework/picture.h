#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class QImage;
class QRect;
class QSize;

namespace fw {

struct Rect;

// An opaque picture of greys, 8 bits a pixel, or, for the one texture that
// holds colour (a multi-channel field), of red, green and blue, 8 bits
// each. Reference counted by its users (std::shared_ptr). Qt sees it as
// Format_Grayscale8 or Format_RGB888; the PNG and the clipboard are 8-bit
// RGB.
class Picture {
public:
    static constexpr int kMaxSide = 16384;

    // Depth 32 is the one depth asked for (the greys are held in 8 bits); a
    // side outside 1..kMaxSide or another depth throws
    // std::invalid_argument. The pixels start black.
    Picture(int width, int height, int depth);
    // The greys, or with `colour` the red, green and blue, of a picture
    // drawn elsewhere, rows one after the other, kept alive while the
    // picture lives. When they are drawn again, Changed says where.
    Picture(int width, int height, std::shared_ptr<const std::uint8_t> greys, bool colour = false);
    // A picture of an image's greys (Format_Grayscale8).
    explicit Picture(const QImage &greys);
    ~Picture();
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    int Width() const;
    int Height() const;
    // Where its greys lie: pictures of the same greys give the same.
    const void *Pixels() const;
    // The greys shown there were drawn again.
    void Changed(const std::vector<Rect> &areas);

    // A copy of the pixels.
    QImage Image() const;
    // The pixels themselves: a view that the next drawing changes and that
    // dies with the picture; copy() it to keep it.
    const QImage &View() const;
    // The source rectangle at `size` pixels, for a screen, as ScaleImage
    // makes it. The last one asked for is kept, and Changed scales again
    // only what was drawn again.
    QImage Scaled(const QRect &source, const QSize &size) const;

private:
    struct ScaledCopy;

    std::shared_ptr<const std::uint8_t> pixels_;
    std::unique_ptr<QImage> image_;
    mutable std::unique_ptr<ScaledCopy> scaled_;
};

} // namespace fw
