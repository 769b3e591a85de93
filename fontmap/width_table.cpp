#include "fontmap/width_table.h"

#include "fontmap/atlas.h"

#include "framework/text.h"

#include <cmath>

namespace vantor {

std::string WidthText(double advance)
{
    return fw::Format(std::round(advance * 10) * 0.1, "0.00");
}

std::string WidthTable(const Atlas &atlas)
{
    const std::string tab = fw::Chr(9);
    const std::string lineEnd = fw::Chr(13);
    std::string table;
    for (std::size_t cell = 0; cell < atlas.Widths().size(); ++cell)
        table += atlas.Text(static_cast<int>(cell)) + tab + WidthText(atlas.Widths()[cell]) + lineEnd;
    return table;
}

} // namespace vantor
