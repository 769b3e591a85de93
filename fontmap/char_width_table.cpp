#include "window/window1.h"

#include "framework/listbox.h"
#include "framework/text.h"

namespace vantor {

void Window1::lstWidths_Open()
{
    auto &widths = Find<fw::Listbox>("lstWidths");
    widths.SetHeading(0, "Char");
    widths.SetHeading(1, "Width");
}

std::string Window1::CharWidthTable() const
{
    const auto &widths = Find<fw::Listbox>("lstWidths");
    const std::string tab = fw::Chr(9);
    const std::string lineEnd = fw::Chr(13);
    std::string table;
    for (int row = 0; row < widths.ListCount(); ++row) {
        table += widths.Cell(row, 0);
        table += tab;
        table += widths.Cell(row, 1);
        table += lineEnd;
    }
    return table;
}

} // namespace vantor
