#pragma once

#include <memory>

class QImage;
class QRect;
class QRegion;
class QSize;

namespace raster {
class Texture;
}

namespace fw {

class Graphics;

// An opaque picture of greys, 8 bits a pixel: what the program draws holds
// no colour. Reference counted by its users (std::shared_ptr). Qt sees it
// as Format_Grayscale8; the PNG and the clipboard turn it into 8-bit RGB.
class Picture {
public:
    static constexpr int kMaxSide = 16384;

    // Depth 32 is the one depth asked for (the greys are held in 8 bits); a
    // side outside 1..kMaxSide or another depth throws
    // std::invalid_argument. The pixels start black.
    Picture(int width, int height, int depth);
    ~Picture();
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    int Width() const;
    int Height() const;
    fw::Graphics &Graphics();

    // A copy of the pixels, with any drawing in progress finished.
    QImage Image() const;
    // The pixels themselves, with any drawing in progress finished: a view
    // that the next drawing changes and that dies with the picture; copy()
    // it to keep it.
    const QImage &Greys() const;
    // The source rectangle at `size` pixels, for a screen, as ScaleImage
    // makes it. The last one asked for is kept, and of it only what was
    // drawn again since is scaled again.
    QImage Scaled(const QRect &source, const QSize &size) const;

private:
    struct ScaledCopy;
    void Changed(const QRegion &area);

    std::unique_ptr<raster::Texture> texture_;
    std::unique_ptr<QImage> image_;
    std::unique_ptr<fw::Graphics> graphics_;
    mutable std::unique_ptr<ScaledCopy> scaled_;
};

} // namespace fw
