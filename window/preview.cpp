#include "window/window1.h"

#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/graphics.h"
#include "framework/picture.h"
#include "framework/text.h"

namespace vantor {

void Window1::cnvPreview_Paint(fw::Graphics &g)
{
    if (!CurrentFontMap)
        return;
    const fw::Picture &texture = *CurrentFontMap;
    if (Find<fw::CheckBox>("chkToFit").Value()) {
        const auto &canvas = Find<fw::Canvas>("cnvPreview");
        g.DrawPicture(texture, 0, 0, canvas.Width(), canvas.Height(), 0, 0, texture.Width(), texture.Height());
    } else {
        constexpr int kOwnSize = fw::Graphics::kNotGiven;
        g.DrawPicture(texture, 0, 0, kOwnSize, kOwnSize, 0, 0, kOwnSize, kOwnSize);
    }
    if (!ShowsCellOverflow())
        return;
    // On screen only: the texture itself stays white on black.
    const double scale = Find<fw::CheckBox>("chkToFit").Value()
        ? static_cast<double>(Find<fw::Canvas>("cnvPreview").Width()) / texture.Width()
        : 1.0;
    g.SetForeColor(fw::RGB(255, 0, 0));
    for (const int cell : OverflowingCells()) {
        const raster::Box square = CellSquare(texture.Width(), cell / kGridSide, cell % kGridSide);
        const std::int32_t left = fw::ToInt32(static_cast<double>(square.left) * scale);
        const std::int32_t top = fw::ToInt32(static_cast<double>(square.top) * scale);
        g.DrawRect(left, top, fw::ToInt32(static_cast<double>(square.left + square.width) * scale) - left,
            fw::ToInt32(static_cast<double>(square.top + square.height) * scale) - top);
    }
}

} // namespace vantor
