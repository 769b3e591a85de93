#include "fontmap/grid.h"

#include "text/numbers.h"

#include <cmath>

namespace vantor {

raster::Box CellSquare(std::int32_t textureSize, int row, int column)
{
    const double pitch = textureSize * 0.1;
    const std::int32_t left = text::ToInt32(column * pitch);
    const std::int32_t top = text::ToInt32(row * pitch);
    return {left, top, text::ToInt32((column + 1) * pitch) - left, text::ToInt32((row + 1) * pitch) - top};
}

Pen CellPen(std::int32_t textureSize, std::int32_t dx, std::int32_t dy, int row, int column)
{
    const double pitch = textureSize * 0.1;
    return {text::ToInt32(column * pitch + dx), text::ToInt32((row + 1) * pitch - dy)};
}

bool WithinReach(const Pen &pen)
{
    constexpr double kFarthest = 1 << 24;
    return std::abs(static_cast<double>(pen.x)) <= kFarthest && std::abs(static_cast<double>(pen.y)) <= kFarthest;
}

bool Overflows(const raster::Box &ink, const raster::Box &square)
{
    return !ink.Empty() && !square.Contains(ink);
}

} // namespace vantor
