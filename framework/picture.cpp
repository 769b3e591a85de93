#include "framework/picture.h"

#include "framework/graphics.h"
#include "framework/image_scaling.h"

#include <QImage>
#include <QRegion>

#include <sys/mman.h>

#include <new>
#include <utility>
#include <stdexcept>
#include <string>

namespace fw {
namespace {

struct Mapping {
    void *address;
    std::size_t bytes;
};

void Unmap(void *info)
{
    auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->address, mapping->bytes);
    delete mapping;
}

// Textures are up to 16 MiB. Mapped directly rather than taken from malloc,
// whose heap keeps a freed texture's memory resident (glibc raises its mmap
// threshold after the first one), they go back to the system when released;
// populated at once, they cost no page fault per 4 KiB later.
QImage MappedImage(int width, int height)
{
    const auto bytesPerLine = static_cast<std::size_t>(width) * 4;
    const std::size_t bytes = bytesPerLine * static_cast<std::size_t>(height);
    void *address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (address == MAP_FAILED)
        throw std::bad_alloc();
    return QImage(static_cast<uchar *>(address), width, height, static_cast<qsizetype>(bytesPerLine),
        QImage::Format_RGB32, Unmap, new Mapping{address, bytes});
}

} // namespace

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
    image_ = std::make_unique<QImage>(MappedImage(width, height));
    // RGB32 keeps 0xFF in the unused byte; a fresh mapping holds zeros.
    image_->fill(Qt::black);
    graphics_ = std::make_unique<fw::Graphics>(*image_, [this](const QRegion &area) { Changed(area); });
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

void Picture::Changed(const QRegion &area)
{
    if (scaled_)
        scaled_->stale += area;
}

QImage Picture::Scaled(const QRect &source, const QSize &size) const
{
    const QImage &image = Image();
    // A copy that would share the pixels is not kept: drawing on the
    // picture would then copy them all.
    if (source.size() == size)
        return ScaleImage(image, source, size);
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
