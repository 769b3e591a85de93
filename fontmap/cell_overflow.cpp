#include "window/window1.h"

#include "framework/exceptions.h"
#include "framework/listbox.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <algorithm>

namespace vantor {

fw::Rect Window1::CellSquare(std::int32_t textureSize, int row, int column)
{
    const double pitch = textureSize * 0.1;
    const std::int32_t left = fw::ToInt32(column * pitch);
    const std::int32_t top = fw::ToInt32(row * pitch);
    return {left, top, fw::ToInt32((column + 1) * pitch) - left, fw::ToInt32((row + 1) * pitch) - top};
}

Window1::Pen Window1::CellPen(const RenderSettings &rendered, int row, int column)
{
    const double pitch = rendered.textureSize * 0.1;
    return {fw::ToInt32(column * pitch + rendered.dx), fw::ToInt32((row + 1) * pitch - rendered.dy)};
}

bool Window1::ShowsCellOverflow() const
{
    const fw::MenuItem *item = MenuBar() ? MenuBar()->Lookup("ViewCellOverflow") : nullptr;
    return item && item->Checked();
}

void Window1::ViewCellOverflow_Action()
{
    // Renders again, so that where each cell's ink lies is known.
    UpdateFontMap();
}

bool Window1::Overflows(const fw::Rect &ink, const fw::Rect &cell)
{
    return !ink.Empty()
        && (ink.left < cell.left || ink.top < cell.top || ink.left + ink.width > cell.left + cell.width
            || ink.top + ink.height > cell.top + cell.height);
}

std::vector<int> Window1::OverflowingCells() const
{
    return OverflowingCells(CellInk);
}

std::vector<int> Window1::OverflowingCells(const std::vector<fw::Rect> &inks) const
{
    std::vector<int> cells;
    for (int i = 0; i < static_cast<int>(inks.size()); ++i) {
        if (Overflows(
                inks[static_cast<std::size_t>(i)], CellSquare(Rendered.textureSize, i / kGridSide, i % kGridSide)))
            cells.push_back(i);
    }
    return cells;
}

std::vector<std::string> Window1::CellsWithoutInk(const std::vector<fw::Rect> &inks) const
{
    const auto &chars = Find<fw::Listbox>("lstChars");
    std::vector<std::string> cells;
    for (std::size_t cell = 0; cell < inks.size(); ++cell) {
        const std::string text = chars.Cell(static_cast<int>(cell) / kGridSide, static_cast<int>(cell) % kGridSide);
        if (inks[cell].Empty() && fw::ShowsItself(text) && std::find(cells.begin(), cells.end(), text) == cells.end())
            cells.push_back(text);
    }
    return cells;
}

std::string Window1::NoInkLine(const std::vector<std::string> &cells)
{
    return "Draws no ink:" + NamedCells(cells)
        + ". The font has nothing of these that can be drawn here; they stay blank.";
}

std::vector<fw::Rect> Window1::InkOfLastRender()
{
    fw::Graphics &g = fw::NotNil(CurrentFontMap).Graphics();
    const auto &widths = Find<fw::Listbox>("lstWidths");
    std::vector<fw::Rect> inks;
    for (int cell = 0; cell < widths.ListCount(); ++cell) {
        const Pen pen = CellPen(Rendered, cell / kGridSide, cell % kGridSide);
        inks.push_back(g.InkRect(widths.Cell(cell, 0), pen.x, pen.y));
    }
    return inks;
}

} // namespace vantor
