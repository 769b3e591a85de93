#pragma once

#include "raster/coverage.h"

#include <string>
#include <vector>

namespace vantor {

class Atlas;

// Cell texts as a message lists them, each after a space: readable, and cut
// short when long.
std::string NamedCells(const std::vector<std::string> &texts);

// The cells whose ink reaches outside their square, in grid order, of inks
// given in grid order.
std::vector<int> OverflowingCells(std::int32_t textureSize, const std::vector<raster::Box> &inks);

// The texts of the cells, once each, that should show (they hold more than
// white space) but whose ink, given in grid order, is empty.
std::vector<std::string> CellsWithoutInk(const std::vector<std::string> &cells, const std::vector<raster::Box> &inks);
// What a message says of such cells.
std::string NoInkLine(const std::vector<std::string> &cells);

// The cells of a render that should show but draw no ink on its texture,
// by why: dx and dy put their glyphs off it, or the font draws nothing of
// them. Their texts once each, in grid order, and how many cells.
struct InklessCells {
    std::vector<std::string> offTexture;
    std::vector<std::string> undrawn;
    int offTextureCount = 0;
    int undrawnCount = 0;
};
InklessCells CellsWithoutInk(const Atlas &atlas);
// What a message says of them, a line for each reason; empty for none.
std::string NoInkLines(const InklessCells &cells);
// What the preview says of them, in counts; empty for none.
std::string NoInkNotice(const InklessCells &cells);

} // namespace vantor
