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

} // namespace vantor
