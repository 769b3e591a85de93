#include "window/flag_scope.h"
#include "window/window1.h"

#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/menu.h"
#include "framework/popup_menu.h"

#include <array>

namespace vantor {
namespace {

constexpr std::array<const char *, 4> kFieldItems{
    "ViewDistanceFieldOff", "ViewDistanceFieldSingle", "ViewDistanceFieldMulti", "ViewDistanceFieldTrue"};

} // namespace

Window1::Choices Window1::CurrentChoices() const
{
    Choices choices{Find<fw::Listbox>("lstFonts").Text(), Find<fw::Listbox>("lstSizes").ListIndex(),
        Find<fw::PopupMenu>("popTexSize").ListIndex(), Find<fw::EditField>("edtDX").Text(),
        Find<fw::EditField>("edtDY").Text(), Find<fw::CheckBox>("chkBold").Value(),
        Find<fw::CheckBox>("chkItalic").Value(), {}};
    for (const char *item : kFieldItems) {
        if (Chosen(item))
            choices.field = item;
    }
    return choices;
}

void Window1::Choose(const Choices &choices)
{
    // The history's own changes are no steps of it.
    const FlagScope stepsHeld(stepsHeld_);
    {
        // Each control's change would render: one render follows them all.
        const FlagScope held(rendersHeld_);
        if (!SelectFamily(choices.family))
            Find<fw::Listbox>("lstFonts").SetListIndex(-1);
        Find<fw::Listbox>("lstSizes").SetListIndex(choices.sizeRow);
        Find<fw::PopupMenu>("popTexSize").SetListIndex(choices.textureItem);
        Find<fw::EditField>("edtDX").SetText(choices.dx);
        Find<fw::EditField>("edtDY").SetText(choices.dy);
        Find<fw::CheckBox>("chkBold").SetValue(choices.bold);
        Find<fw::CheckBox>("chkItalic").SetValue(choices.italic);
        if (fw::MenuItem *field = MenuBar() ? MenuBar()->Lookup(choices.field) : nullptr)
            field->SetChecked(true);
    }
    UpdateFontMap();
}

} // namespace vantor
