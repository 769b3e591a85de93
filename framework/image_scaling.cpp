#include "framework/image_scaling.h"

namespace fw {

QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size)
{
    const QImage part = source == image.rect() ? image : image.copy(source);
    if (part.size() == size)
        return part;
    const bool shrinks = size.width() <= part.width() && size.height() <= part.height();
    // Qt's smooth scaling averages areas with vector code, faster than a
    // plain block average here.
    return part.scaled(size, Qt::IgnoreAspectRatio, shrinks ? Qt::SmoothTransformation : Qt::FastTransformation);
}

} // namespace fw
