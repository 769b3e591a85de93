#include "window/flag_scope.h"
#include "window/window1.h"

#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"

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
        const FlagScope held(rendersHeld_);
        Find<fw::Listbox>("lstSizes").SetListIndex(placement.sizeRow);
        Find<fw::EditField>("edtDX").SetText(placement.dx);
        Find<fw::EditField>("edtDY").SetText(placement.dy);
    }
    UpdateFontMap();
}

} // namespace vantor
