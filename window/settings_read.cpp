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

std::int32_t Window1::PixelSize(const std::string &entered, std::int32_t textureSize)
{
    // Sizes are entered as for a 1024-pixel texture.
    return fw::ToInt32(fw::Val(entered) * (static_cast<double>(textureSize) / 1024.0));
}

AtlasSettings Window1::ReadSettings() const
{
    AtlasSettings settings;
    settings.family = Find<fw::Listbox>("lstFonts").Text();
    settings.textureSize = fw::ToInt32(fw::Val(Find<fw::PopupMenu>("popTexSize").Text()));
    // Offsets too, and they are held to kFarOffset.
    const double scale = static_cast<double>(settings.textureSize) / 1024.0;
    const auto offset
        = [scale](double value) { return fw::ToInt32(std::clamp(value * scale, -kFarOffset, kFarOffset)); };
    settings.fontSize = PixelSize(Find<fw::Listbox>("lstSizes").Text(), settings.textureSize);
    settings.dx = offset(fw::Val(Find<fw::EditField>("edtDX").Text()));
    settings.dy = offset(fw::Val(Find<fw::EditField>("edtDY").Text()));
    settings.bold = Find<fw::CheckBox>("chkBold").Value();
    settings.italic = Find<fw::CheckBox>("chkItalic").Value();
    settings.distanceField = ShowsDistanceField();
    settings.multiChannel = ShowsMultiChannelField();
    settings.trueDistance = KeepsTrueDistance();
    settings.cells = Cells();
    return settings;
}

} // namespace vantor
