#include "framework/picture.h"

#include "framework/graphics.h"
#include "framework/image_scaling.h"

#include <QImage>
#include <QRegion>

#include <stdexcept>
#include <string>
#include <utility>

namespace fw {
namespace {

void CheckSize(int width, int height)
{
    if (width < 1 || height < 1 || width > Picture::kMaxSide || height > Picture::kMaxSide)
        throw std::invalid_argument(
            "Picture size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
}

} // namespace

struct Picture::ScaledCopy {
    QRect source;
    QSize size;
    QImage image;
};

Picture::Picture(int width, int height, int depth)
{
    if (depth != 32)
        throw std::invalid_argument("Unsupported picture depth " + std::to_string(depth));
    CheckSize(width, height);
    image_ = std::make_unique<QImage>(width, height, QImage::Format_Grayscale8);
    image_->fill(0);
}

Picture::Picture(int width, int height, std::shared_ptr<const std::uint8_t> greys, bool colour)
    : pixels_(std::move(greys))
{
    CheckSize(width, height);
    image_ = colour ? std::make_unique<QImage>(pixels_.get(), width, height, 3 * width, QImage::Format_RGB888)
                    : std::make_unique<QImage>(pixels_.get(), width, height, width, QImage::Format_Grayscale8);
}

Picture::Picture(const QImage &greys)
    : image_(std::make_unique<QImage>(greys.convertToFormat(QImage::Format_Grayscale8)))
{
    CheckSize(image_->width(), image_->height());
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

const void *Picture::Pixels() const
{
    return image_->constBits();
}

void Picture::Changed(const std::vector<Rect> &areas)
{
    if (!scaled_)
        return;
    // Scaled again now, while the greys just drawn are still in the cache:
    // three to four times faster than when the paint that follows asks.
    QRegion stale;
    for (const Rect &area : areas)
        stale += QRect(area.left, area.top, area.width, area.height);
    const QImage &image = View();
    const QRect &source = scaled_->source;
    // Most of it drawn again: scaled whole, with no copy of the parts.
    const QRect bounds = stale.boundingRect() & source;
    if (static_cast<qint64>(bounds.width()) * bounds.height() * 2
        > static_cast<qint64>(source.width()) * source.height()) {
        stale = source;
    }
    for (const QRect &area : stale) {
        if (!RescalePart(image, source, scaled_->image, area)) {
            scaled_->image = ScaleImage(image, source, scaled_->size);
            return;
        }
    }
}

QImage Picture::Image() const
{
    return image_->copy();
}

const QImage &Picture::View() const
{
    return *image_;
}

QImage Picture::Scaled(const QRect &source, const QSize &size) const
{
    if (!scaled_ || scaled_->source != source || scaled_->size != size)
        scaled_ = std::make_unique<ScaledCopy>(ScaledCopy{source, size, ScaleImage(View(), source, size)});
    return scaled_->image;
}

} // namespace fw
