#include "window/window1.h"

#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/fonts.h"
#include "framework/graphics.h"
#include "framework/picture.h"
#include "framework/text.h"

namespace vantor {

void Window1::ShowPreview()
{
    // Unscaled, the texture can be moved over; a texture of another side
    // shows from its top left corner again.
    auto &canvas = Find<fw::Canvas>("cnvPreview");
    const int side = CurrentFontMap && !Find<fw::CheckBox>("chkToFit").Value() ? CurrentFontMap->Width() : 0;
    if (CurrentFontMap && CurrentFontMap->Width() != previewSide_)
        canvas.SetPan(0, 0);
    previewSide_ = CurrentFontMap ? CurrentFontMap->Width() : 0;
    canvas.SetPannedSize(side, side);
    canvas.SetAccessibleDescription(PreviewNotice());
    canvas.Refresh();
}

std::string Window1::PreviewNotice() const
{
    if (fw::FontCount() == 0)
        return "No fonts are installed: fontconfig finds none. Install one (Debian's fonts-dejavu-core, for "
               "one) and come back to this window.";
    if (!vanishedFamily_.empty())
        return vanishedFamily_ + " is no longer installed. Pick a font from the list.";
    if (!atlas_)
        return {};
    const std::string font = atlas_->FontNotice();
    return font.empty() || inkNotice_.empty() ? font + inkNotice_ : font + "\n" + inkNotice_;
}

void Window1::cnvPreview_Paint(fw::Graphics &g)
{
    // Over the texture, on screen only.
    const auto notice = [&g, this] { g.DrawNotice(PreviewNotice()); };
    if (!CurrentFontMap) {
        notice();
        return;
    }
    const fw::Picture &texture = *CurrentFontMap;
    const auto &canvas = Find<fw::Canvas>("cnvPreview");
    const bool fitted = Find<fw::CheckBox>("chkToFit").Value();
    // Unscaled, from where the user moved the view to.
    const int x = fitted ? 0 : -canvas.PanX();
    const int y = fitted ? 0 : -canvas.PanY();
    if (fitted) {
        g.DrawPicture(texture, 0, 0, canvas.Width(), canvas.Height(), 0, 0, texture.Width(), texture.Height());
    } else {
        constexpr int kOwnSize = fw::Graphics::kNotGiven;
        g.DrawPicture(texture, x, y, kOwnSize, kOwnSize, 0, 0, kOwnSize, kOwnSize);
    }
    if (!ShowsCellOverflow()) {
        notice();
        return;
    }
    // On screen only: the texture itself stays white on black.
    const double scale = fitted ? static_cast<double>(canvas.Width()) / texture.Width() : 1.0;
    g.SetForeColor(fw::RGB(255, 0, 0));
    for (const int cell : OverflowingCells()) {
        const raster::Box square = CellSquare(texture.Width(), cell / kGridSide, cell % kGridSide);
        const std::int32_t left = fw::ToInt32(static_cast<double>(square.left) * scale);
        const std::int32_t top = fw::ToInt32(static_cast<double>(square.top) * scale);
        g.DrawRect(x + left, y + top, fw::ToInt32(static_cast<double>(square.left + square.width) * scale) - left,
            fw::ToInt32(static_cast<double>(square.top + square.height) * scale) - top);
    }
    notice();
}

} // namespace vantor
