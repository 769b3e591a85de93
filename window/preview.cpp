#include "window/window1.h"

#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/graphics.h"
#include "framework/picture.h"

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
}

} // namespace vantor
