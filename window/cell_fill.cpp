#include "window/cell_fill.h"

#include "fontmap/grid.h"

#include "framework/text.h"

namespace vantor {
namespace {

std::string Range(char32_t first, char32_t last)
{
    std::string text;
    for (char32_t code = first; code <= last; ++code)
        text += fw::Chr(code);
    return text;
}

} // namespace

CellFill FillCells(std::vector<std::string> cells, int first, const std::string &text)
{
    CellFill fill{std::move(cells), first, 0, 0};
    int cell = first;
    for (const std::string &character : fw::Graphemes(text)) {
        if (character != " " && fw::IsWhiteSpace(character))
            continue;
        if (cell < static_cast<int>(fill.cells.size())) {
            fill.cells[static_cast<std::size_t>(cell++)] = character;
            ++fill.filled;
        } else {
            ++fill.leftOut;
        }
    }
    return fill;
}

std::string FillNote(const CellFill &fill)
{
    if (fill.filled == 0)
        return "No characters to fill the cells with.";
    const std::string cells = fill.filled == 1 ? "1 cell" : fw::Str(fill.filled) + " cells";
    if (fill.leftOut > 0) {
        return "Fills the " + cells + " from the selected one to the last; " + fw::Str(fill.leftOut)
            + (fill.leftOut == 1 ? " character" : " characters") + " more than there are cells are left out.";
    }
    const int rest = static_cast<int>(fill.cells.size()) - fill.filled;
    return "Fills " + cells + " from the selected one on"
        + (rest == 0 ? "." : "; the other " + fw::Str(rest) + " keep their text.");
}

std::vector<std::pair<std::string, std::string>> CharacterSets()
{
    return {{"The default characters", Range(' ', '~') + "?????"}, {"ASCII 32 to 126", Range(' ', '~')},
        {"Latin-1 letters and signs (U+00A0 to U+00FF)", Range(0xA0, 0xFF)},
        {"Digits and punctuation",
            Range('0', '9') + Range('!', '/') + Range(':', '@') + Range('[', '`') + Range('{', '~')},
        {"Greek", Range(0x391, 0x3A1) + Range(0x3A3, 0x3A9) + Range(0x3B1, 0x3C9)},
        {"Cyrillic", Range(0x410, 0x44F) + fw::Chr(0x401) + fw::Chr(0x451)}};
}

} // namespace vantor
