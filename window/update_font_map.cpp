#include "window/flag_scope.h"
#include "window/sample_text.h"
#include "window/window1.h"

#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"

#include <new>
#include <stdexcept>

namespace vantor {

void Window1::UpdateFontMap()
{
    if (rendersHeld_)
        return;
    NoteChoices();
    std::string failure;
    try {
        // The cells may hold megabytes: reading them can fail as drawing can.
        settings_ = ReadSettings();
        const AtlasSettings &settings = settings_;
        if (!settings.family.empty() && settings.fontSize > 0 && settings.textureSize > 0) {
            const FlagScope refreshing(refreshing_);
            CurrentFontMap = FontMap(CurrentFontMap, settings.family, settings.fontSize, settings.textureSize,
                settings.textureSize, settings.dx, settings.dy);
        }
    } catch (const std::bad_alloc &) {
        // Nothing is shown of what could not be drawn, and nothing can be
        // saved of it.
        CurrentFontMap.reset();
        atlas_.reset();
        inkNotice_.clear();
        Find<fw::Listbox>("lstWidths").DeleteAllRows();
        failure = "Not enough memory to draw " + Find<fw::Listbox>("lstFonts").Text() + " at size "
            + Find<fw::Listbox>("lstSizes").Text() + " on a " + Find<fw::PopupMenu>("popTexSize").Text()
            + " texture. A smaller size or texture may fit.";
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
