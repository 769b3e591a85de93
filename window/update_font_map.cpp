#include "window/sample_text.h"
#include "window/window1.h"

#include "framework/canvas.h"
#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/text.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace vantor {

void Window1::UpdateFontMap()
{
    if (rendersHeld_)
        return;
    const std::string fontName = Find<fw::Listbox>("lstFonts").Text();
    const double size = fw::Val(Find<fw::Listbox>("lstSizes").Text());
    const double dx = fw::Val(Find<fw::EditField>("edtDX").Text());
    const double dy = fw::Val(Find<fw::EditField>("edtDY").Text());
    const std::int32_t textureSize = fw::ToInt32(fw::Val(Find<fw::PopupMenu>("popTexSize").Text()));
    std::string failure;

    if (!fontName.empty() && size > 0.0 && textureSize > 0) {
        // Size and offsets are entered as for a 1024-pixel texture.
        const double scale = static_cast<double>(textureSize) / 1024.0;
        // Offsets this far put every pen past what text is drawn from, so the
        // texture is the same, and the arithmetic on pens stays in range.
        const auto offset
            = [scale](double value) { return fw::ToInt32(std::clamp(value * scale, -kFarOffset, kFarOffset)); };
        try {
            CurrentFontMap = FontMap(
                CurrentFontMap, fontName, fw::ToInt32(size * scale), textureSize, textureSize, offset(dx), offset(dy));
        } catch (const std::bad_alloc &) {
            // Nothing is shown of what could not be drawn, and nothing can be
            // saved of it.
            CurrentFontMap.reset();
            atlas_.reset();
            Find<fw::Listbox>("lstWidths").DeleteAllRows();
            failure = "Not enough memory to draw " + fontName + " at size " + Find<fw::Listbox>("lstSizes").Text()
                + " on a " + fw::Str(textureSize) + " texture. A smaller size or texture may fit.";
        }
    }

    const bool haveTexture = CurrentFontMap != nullptr;
    for (const char *button : {"btnSave", "btnCopy", "btnSaveWidths", "btnCopyWidths"})
        Find<fw::PushButton>(button).SetEnabled(haveTexture);
    EnableExportItems(haveTexture);
    ShowPreview();
    if (fw::Window *sample = fw::GetImplicitWindow(SampleText::kClassName))
        static_cast<SampleText &>(*sample).Update();
    if (!failure.empty())
        throw std::runtime_error(failure);
}

} // namespace vantor
