#include "window/flag_scope.h"
#include "window/window1.h"

#include "framework/fonts.h"
#include "framework/listbox.h"
#include "framework/text.h"

namespace vantor {

void Window1::lstFonts_Open()
{
    // What a start chooses is no step to take back; nor in the lists below.
    const FlagScope stepsHeld(stepsHeld_);
    auto &fonts = Find<fw::Listbox>("lstFonts");
    fonts.SetHeading(0, "Fonts");
    for (int i = 0; i <= fw::FontCount() - 1; ++i) {
        fonts.AddRow(fw::Font(i));
        // Each match selects itself: the last "Courier" would win.
        if (fw::SameText(fw::Font(i), "Courier"))
            fonts.SetListIndex(i);
    }
    // Where no family is named Courier (Debian has none), the one fontconfig
    // draws for it, so that the first start shows a texture.
    if (fonts.ListIndex() < 0)
        SelectFamily(fw::FontDrawnFor("Courier"));
}

void Window1::lstFonts_Change()
{
    if (!Find<fw::Listbox>("lstFonts").Text().empty())
        vanishedFamily_.clear();
    UpdateFontMap();
}

bool Window1::SelectFamily(const std::string &family)
{
    auto &fonts = Find<fw::Listbox>("lstFonts");
    for (int i = 0; i < fonts.ListCount(); ++i) {
        if (fonts.Cell(i, 0) == family) {
            fonts.SetListIndex(i);
            return true;
        }
    }
    return false;
}

void Window1::InstalledFontsChanged()
{
    auto &fonts = Find<fw::Listbox>("lstFonts");
    const std::string chosen = fonts.Text();
    // The list changed under the user: no step of theirs.
    const FlagScope stepsHeld(stepsHeld_);
    {
        // The list is filled anew in one step: one render follows.
        const FlagScope held(rendersHeld_);
        fonts.DeleteAllRows();
        for (int i = 0; i < fw::FontCount(); ++i)
            fonts.AddRow(fw::Font(i));
        // The family chosen, or the one chosen before it was removed, where
        // it is there now; where none was ever chosen (no font was
        // installed), the one a start takes.
        const std::string wanted = chosen.empty() ? vanishedFamily_ : chosen;
        if (wanted.empty())
            SelectFamily(fw::FontDrawnFor("Courier"));
        else if (!SelectFamily(wanted))
            vanishedFamily_ = wanted;
    }
    // The family chosen may draw otherwise now, or be gone.
    UpdateFontMap();
}

} // namespace vantor
