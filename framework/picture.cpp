#include "framework/picture.h"

#include "framework/graphics.h"
#include "framework/image_scaling.h"

#include "raster/texture.h"

#include <QImage>
#include <QRegion>

#include <stdexcept>
#include <string>
#include <utility>

namespace fw {

struct Picture::ScaledCopy {
    QRect source;
    QSize size;
    QImage image;
    QRegion stale;
};

Picture::Picture(int width, int height, int depth)
{
    if (depth != 32)
        throw std::invalid_argument("Unsupported picture depth " + std::to_string(depth));
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        throw std::invalid_argument(
            "Picture size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
    texture_ = std::make_unique<raster::Texture>(width, height);
    image_ = std::make_unique<QImage>(texture_->Line(0), width, height, width, QImage::Format_Grayscale8);
    graphics_ = std::make_unique<fw::Graphics>(*texture_, [this](const QRegion &area) { Changed(area); });
}

Picture::~Picture() = default;

int Picture::Width() const
{
    return texture_->Width();
}

int Picture::Height() const
{
    return texture_->Height();
}

Graphics &Picture::Graphics()
{
    return *graphics_;
}

QImage Picture::Image() const
{
    return Greys().copy();
}

const QImage &Picture::Greys() const
{
    graphics_->Flush();
    return *image_;
}

void Picture::Changed(const QRegion &area)
{
    if (scaled_)
        scaled_->stale += area;
}

QImage Picture::Scaled(const QRect &source, const QSize &size) const
{
    const QImage &image = Greys();
    if (!scaled_ || scaled_->source != source || scaled_->size != size) {
        scaled_ = std::make_unique<ScaledCopy>(ScaledCopy{source, size, ScaleImage(image, source, size), QRegion()});
        return scaled_->image;
    }
    const QRegion stale = std::exchange(scaled_->stale, QRegion());
    // Most of it drawn again: scaled whole, with no copy of the parts.
    const QRect bounds = stale.boundingRect() & source;
    if (static_cast<qint64>(bounds.width()) * bounds.height() * 2 > static_cast<qint64>(source.width()) * source.height()) {
        scaled_->image = ScaleImage(image, source, size);
        return scaled_->image;
    }
    for (const QRect &area : stale) {
        if (!RescalePart(image, source, scaled_->image, area)) {
            scaled_->image = ScaleImage(image, source, size);
            break;
        }
    }
    return scaled_->image;
}

} // namespace fw
