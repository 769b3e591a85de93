#pragma once

#include <QImage>

namespace fw {

// The `source` rectangle of an image at `size` pixels: a plain copy when the
// sizes match, area-averaged when shrinking (each output pixel within one
// level of its block's exact average), and the nearest pixel when enlarging,
// so that an enlarged texture shows its pixels.
QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size);

} // namespace fw
