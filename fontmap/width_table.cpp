#include "fontmap/width_table.h"

#include "fontmap/atlas.h"

#include "text/numbers.h"

#include <cmath>

namespace vantor {

std::string WidthText(double advance)
{
    return text::Format(std::round(advance * 10) * 0.1, "0.00");
}

std::string WidthTable(const Atlas &atlas)
{
    std::string table;
    for (std::size_t cell = 0; cell < atlas.Widths().size(); ++cell) {
        table += atlas.Text(static_cast<int>(cell));
        table += '\t';
        table += WidthText(atlas.Widths()[cell]);
        table += '\r';
    }
    return table;
}

} // namespace vantor
