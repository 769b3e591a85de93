#pragma once

#include <string>
#include <vector>

namespace vantor {

// The grid after a text fills its cells from `first` on, in grid order, a
// character (a grapheme cluster) each, white space other than the space
// left out.
struct CellFill {
    std::vector<std::string> cells;
    int first = 0;
    int filled = 0; // the cells given a character
    int leftOut = 0; // the characters beyond the last cell
};
CellFill FillCells(std::vector<std::string> cells, int first, const std::string &text);

// What the fill does, in words.
std::string FillNote(const CellFill &fill);

// The character sets Edit > Fill Cells offers to start from: a name and
// the text.
std::vector<std::pair<std::string, std::string>> CharacterSets();

} // namespace vantor
