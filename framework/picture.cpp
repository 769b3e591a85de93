#include "framework/picture.h"

#include "framework/graphics.h"

#include <QImage>

#include <stdexcept>
#include <string>

namespace fw {

Picture::Picture(int width, int height, int depth)
{
    if (depth != 32)
        throw std::invalid_argument("Unsupported picture depth " + std::to_string(depth));
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        throw std::invalid_argument(
            "Picture size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
    image_ = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
    if (image_->isNull())
        throw std::bad_alloc();
    image_->fill(Qt::black);
    graphics_ = std::make_unique<fw::Graphics>(*image_);
}

Picture::~Picture() = default;

int Picture::Width() const
{
    return image_->width();
}

int Picture::Height() const
{
    return image_->height();
}

Graphics &Picture::Graphics()
{
    return *graphics_;
}

const QImage &Picture::Image() const
{
    graphics_->Flush();
    return *image_;
}

} // namespace fw
