#include "window/window1.h"

#include "framework/menu.h"

#include <algorithm>

namespace vantor {

bool Window1::ShowsDistanceField() const
{
    const fw::MenuItem *item = MenuBar() ? MenuBar()->Lookup("ViewDistanceField") : nullptr;
    return item && item->Checked();
}

void Window1::ViewDistanceField_Action()
{
    UpdateFontMap();
}

std::int32_t Window1::FieldSpread(std::int32_t textureSize)
{
    return std::max(textureSize / 128, 1);
}

} // namespace vantor
