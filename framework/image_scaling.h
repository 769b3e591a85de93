#pragma once

#include <QImage>

namespace fw {

// The `source` rectangle of an RGB32 image at `size` pixels: a plain copy
// when the sizes match, the exact average of each block when shrinking by
// whole factors, area-averaged for other shrinks, and the nearest pixel when
// enlarging, so that an enlarged texture shows its pixels.
QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size);

} // namespace fw
