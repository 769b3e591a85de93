#include "window/window1.h"

#include "fontmap/cell_names.h"

#include "framework/canvas.h"
#include "framework/menu.h"

namespace vantor {

bool Window1::ShowsCellOverflow() const
{
    const fw::MenuItem *item = MenuBar() ? MenuBar()->Lookup("ViewCellOverflow") : nullptr;
    return item && item->Checked();
}

void Window1::ViewCellOverflow_Action()
{
    Find<fw::Canvas>("cnvPreview").Refresh();
}

std::vector<int> Window1::OverflowingCells() const
{
    return atlas_ ? vantor::OverflowingCells(atlas_->Settings().textureSize, atlas_->Inks()) : std::vector<int>{};
}

bool Window1::ShowsDistanceField() const
{
    return Chosen("ViewDistanceFieldSingle") || ShowsMultiChannelField();
}

bool Window1::ShowsMultiChannelField() const
{
    return Chosen("ViewDistanceFieldMulti") || KeepsTrueDistance();
}

bool Window1::KeepsTrueDistance() const
{
    return Chosen("ViewDistanceFieldTrue");
}

bool Window1::Chosen(std::string_view item) const
{
    const fw::MenuItem *found = MenuBar() ? MenuBar()->Lookup(item) : nullptr;
    return found && found->Checked();
}

void Window1::ViewDistanceField_Action()
{
    UpdateFontMap();
}

} // namespace vantor
