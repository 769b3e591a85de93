#pragma once

#include <memory>

class QImage;

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

    // The pixels, with any drawing in progress finished. Its cacheKey()
    // changes whenever the pixels are drawn again.
    const QImage &Image() const;

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<fw::Graphics> graphics_;
};

} // namespace fw
