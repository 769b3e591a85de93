#pragma once

#include "raster/coverage.h"

#include <cstdint>

namespace vantor {

// The texture's fixed grid: 10 by 10 cells, each a tenth of the texture's
// side.
constexpr int kGridSide = 10;
constexpr int kCellCount = kGridSide * kGridSide;

// Cell (row, column) of a texture: from the column's and row's start,
// truncated, to the next one's.
raster::Box CellSquare(std::int32_t textureSize, int row, int column);

// The left end of a cell's baseline: its square's bottom left corner moved
// by the offsets, dx right and dy up.
struct Pen {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
Pen CellPen(std::int32_t textureSize, std::int32_t dx, std::int32_t dy, int row, int column);

// Whether any glyph can reach a texture from the pen: from far beyond, none
// can, and FreeType's coordinates must stay far from their limits.
bool WithinReach(const Pen &pen);

// Whether ink (empty: none) reaches outside the cell's square.
bool Overflows(const raster::Box &ink, const raster::Box &square);

} // namespace vantor
