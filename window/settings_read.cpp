#include "window/window1.h"

#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/text.h"

#include <algorithm>

namespace vantor {

std::vector<std::string> Window1::Cells() const
{
    const auto &chars = Find<fw::Listbox>("lstChars");
    std::vector<std::string> cells;
    cells.reserve(kCellCount);
    for (int r = 0; r < kGridSide; ++r) {
        for (int c = 0; c < kGridSide; ++c)
            cells.push_back(chars.Cell(r, c));
    }
    return cells;
}

AtlasSettings Window1::ReadSettings() const
{
    AtlasSettings settings;
    settings.family = Find<fw::Listbox>("lstFonts").Text();
    settings.textureSize = fw::ToInt32(fw::Val(Find<fw::PopupMenu>("popTexSize").Text()));
    // Size and offsets are entered as for a 1024-pixel texture.
    const double scale = static_cast<double>(settings.textureSize) / 1024.0;
    // Offsets this far put every pen past what text is drawn from, so the
    // texture is the same, and the arithmetic on pens stays in range.
    const auto offset
        = [scale](double value) { return fw::ToInt32(std::clamp(value * scale, -kFarOffset, kFarOffset)); };
    settings.fontSize = fw::ToInt32(fw::Val(Find<fw::Listbox>("lstSizes").Text()) * scale);
    settings.dx = offset(fw::Val(Find<fw::EditField>("edtDX").Text()));
    settings.dy = offset(fw::Val(Find<fw::EditField>("edtDY").Text()));
    settings.bold = Find<fw::CheckBox>("chkBold").Value();
    settings.italic = Find<fw::CheckBox>("chkItalic").Value();
    settings.distanceField = ShowsDistanceField();
    settings.multiChannel = ShowsMultiChannelField();
    settings.cells = Cells();
    return settings;
}

} // namespace vantor
