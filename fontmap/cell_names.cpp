#include "fontmap/cell_names.h"

#include "fontmap/atlas.h"
#include "fontmap/grid.h"

#include "text/characters.h"
#include "text/unicode.h"

#include <algorithm>

namespace vantor {

std::string NamedCells(const std::vector<std::string> &texts)
{
    constexpr int kLongest = 16;
    std::string names;
    for (const std::string &text : texts) {
        const std::string start = text::Mid(text, 1, kLongest);
        names += " " + text::ReadableName(start) + (start.size() < text.size() ? "\xE2\x80\xA6" : "");
    }
    return names;
}

std::vector<int> OverflowingCells(std::int32_t textureSize, const std::vector<raster::Box> &inks)
{
    std::vector<int> cells;
    for (int cell = 0; cell < static_cast<int>(inks.size()); ++cell) {
        if (Overflows(
                inks[static_cast<std::size_t>(cell)], CellSquare(textureSize, cell / kGridSide, cell % kGridSide)))
            cells.push_back(cell);
    }
    return cells;
}

std::vector<std::string> CellsWithoutInk(const std::vector<std::string> &cells, const std::vector<raster::Box> &inks)
{
    std::vector<std::string> named;
    for (std::size_t cell = 0; cell < std::min(cells.size(), inks.size()); ++cell) {
        if (inks[cell].Empty() && text::ShowsItself(cells[cell])
            && std::find(named.begin(), named.end(), cells[cell]) == named.end())
            named.push_back(cells[cell]);
    }
    return named;
}

std::string NoInkLine(const std::vector<std::string> &cells)
{
    return "Draws no ink:" + NamedCells(cells)
        + ". The font has nothing of these that can be drawn here; they stay blank.";
}

InklessCells CellsWithoutInk(const Atlas &atlas)
{
    InklessCells inkless;
    const std::vector<std::string> &cells = atlas.Settings().cells;
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
        if (!atlas.DrawnInk(static_cast<int>(cell)).Empty() || !text::ShowsItself(cells[cell]))
            continue;
        const bool off = atlas.InksNearItsPen(static_cast<int>(cell));
        std::vector<std::string> &named = off ? inkless.offTexture : inkless.undrawn;
        ++(off ? inkless.offTextureCount : inkless.undrawnCount);
        if (std::find(named.begin(), named.end(), cells[cell]) == named.end())
            named.push_back(cells[cell]);
    }
    return inkless;
}

std::string NoInkLines(const InklessCells &cells)
{
    std::string lines;
    if (!cells.offTexture.empty())
        lines = "Off the texture:" + NamedCells(cells.offTexture)
            + ". dx and dy put their glyphs outside it; they stay blank.";
    if (!cells.undrawn.empty())
        lines += (lines.empty() ? "" : "\n") + NoInkLine(cells.undrawn);
    return lines;
}

namespace {

std::string CellCount(int count)
{
    return std::to_string(count) + (count == 1 ? " cell draws" : " cells draw");
}

} // namespace

std::string NoInkNotice(const InklessCells &cells)
{
    std::string notice;
    if (cells.offTextureCount > 0)
        notice = CellCount(cells.offTextureCount) + " no ink: dx and dy put their glyphs off the texture.";
    if (cells.undrawnCount > 0)
        notice += (notice.empty() ? "" : "\n") + CellCount(cells.undrawnCount)
            + " no ink: the font has nothing of them to draw here.";
    return notice;
}

} // namespace vantor
