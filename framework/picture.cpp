#include "framework/picture.h"

#include "framework/graphics.h"

#include <QImage>

#include <sys/mman.h>

#include <new>
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
