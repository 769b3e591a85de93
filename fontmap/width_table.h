#pragma once

#include <string>
#include <vector>

namespace vantor {

class Atlas;

// An advance as the width list and the table give it: rounded to a tenth of
// a pixel, two decimals, "." as the decimal mark.
std::string WidthText(double advance);

// The width table of a render: per cell in grid order, its text, TAB, its
// width, CR.
std::string WidthTable(const Atlas &atlas);

} // namespace vantor
