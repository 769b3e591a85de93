#pragma once

#include <QImage>

namespace fw {

// The `source` rectangle of an image of greys (Format_Grayscale8) at
// `size` pixels, as RGB32 for a screen: area-averaged when shrinking (each
// output pixel within one level of its block's exact average; by a whole
// factor of 2 to 8, exactly, dropping the edge pixels that fill no whole
// block), and the nearest pixel when enlarging, so that an enlarged texture
// shows its pixels. An image in colour is scaled by Qt alike, smoothly or
// to the nearest pixel.
QImage ScaleImage(const QImage &greys, const QRect &source, const QSize &size);

// Makes `scaled`, which ScaleImage gave for this source and size, what it
// would give now that the pixels in `changed` were drawn again, scaling
// only the part that depends on them. False where ScaleImage's result
// cannot be made by parts (or the image is in colour): then `scaled` is as
// it was.
bool RescalePart(const QImage &greys, const QRect &source, QImage &scaled, const QRect &changed);

} // namespace fw
