#pragma once

#include <QImage>

namespace fw {

// The `source` rectangle of an image at `size` pixels: a plain copy when the
// sizes match, area-averaged when shrinking (each output pixel within one
// level of its block's exact average; by a whole factor of 2 to 8, exactly,
// dropping the edge pixels that fill no whole block), and the nearest pixel
// when enlarging, so that an enlarged texture shows its pixels.
QImage ScaleImage(const QImage &image, const QRect &source, const QSize &size);

// Each byte of `to` the larger of it and the one of `from`: for RGB32, each
// colour component lightened and the opaque alpha kept.
void LightenLine(unsigned char *__restrict to, const unsigned char *__restrict from, int bytes);

} // namespace fw
