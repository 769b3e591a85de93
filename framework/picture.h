#pragma once

#include <memory>

class QImage;
class QRect;
class QRegion;
class QSize;

namespace fw {

class Graphics;

// An opaque RGB picture. Reference counted by its users (std::shared_ptr).
class Picture {
public:
    static constexpr int kMaxSide = 16384;

    // Depth 32 is the one depth supported; a side outside 1..kMaxSide or
    // another depth throws std::invalid_argument. The pixels start black.
    Picture(int width, int height, int depth);
    ~Picture();
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    int Width() const;
    int Height() const;
    fw::Graphics &Graphics();

    // The pixels, with any drawing in progress finished.
    const QImage &Image() const;
    // The source rectangle at `size` pixels, as ScaleImage makes it. The last
    // one asked for is kept, and of it only what was drawn again since is
    // scaled again.
    QImage Scaled(const QRect &source, const QSize &size) const;

private:
    struct ScaledCopy;
    void Changed(const QRegion &area);

    std::unique_ptr<QImage> image_;
    std::unique_ptr<fw::Graphics> graphics_;
    mutable std::unique_ptr<ScaledCopy> scaled_;
};

} // namespace fw
