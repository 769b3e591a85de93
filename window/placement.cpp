#include "window/window1.h"

#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/standard_edit.h"

#include <memory>
#include <string>

namespace vantor {

Window1::Placement Window1::CurrentPlacement() const
{
    return {Find<fw::Listbox>("lstSizes").ListIndex(), Find<fw::EditField>("edtDX").Text(),
        Find<fw::EditField>("edtDY").Text()};
}

void Window1::Place(const Placement &placement)
{
    {
        // Each control's change would render: one render follows all three.
        rendersHeld_ = true;
        const std::unique_ptr<bool, void (*)(bool *)> release(&rendersHeld_, [](bool *held) { *held = false; });
        Find<fw::Listbox>("lstSizes").SetListIndex(placement.sizeRow);
        Find<fw::EditField>("edtDX").SetText(placement.dx);
        Find<fw::EditField>("edtDY").SetText(placement.dy);
    }
    UpdateFontMap();
}

std::vector<std::string> Window1::SettingsBesidesPlacement() const
{
    // The cells by how often they were edited: they may hold megabytes.
    return {Find<fw::Listbox>("lstFonts").Text(), Find<fw::PopupMenu>("popTexSize").Text(),
        Find<fw::CheckBox>("chkBold").Value() ? "bold" : "", Find<fw::CheckBox>("chkItalic").Value() ? "italic" : "",
        ShowsDistanceField() ? "field" : "", std::to_string(cellEdits_)};
}

void Window1::RememberFit(const Placement &before)
{
    const Placement after = CurrentPlacement();
    // The step applies only while the rest stays as the fit found it.
    const auto state = [this, rest = SettingsBesidesPlacement()](const Placement &placement) {
        return CurrentPlacement() == placement && SettingsBesidesPlacement() == rest;
    };
    fw::SetProgramStep({[state, after] { return state(after); }, [state, before] { return state(before); },
        [this, before] { Place(before); }, [this, after] { Place(after); }});
}

} // namespace vantor
