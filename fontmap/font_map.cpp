#include "window/window1.h"

#include "window/sample_text.h"

#include "framework/check_box.h"
#include "framework/graphics.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <cmath>

namespace vantor {

std::shared_ptr<fw::Picture> Window1::FontMap(std::shared_ptr<fw::Picture> oldMap, const std::string &fontName,
    std::int32_t fontSize, std::int32_t mapWidth, std::int32_t mapHeight, std::int32_t dx, std::int32_t dy)
{
    std::shared_ptr<fw::Picture> map = std::move(oldMap);
    if (!map || map->Width() != mapWidth || map->Height() != mapHeight)
        map = std::make_shared<fw::Picture>(mapWidth, mapHeight, 32);
    fw::Graphics &g = map->Graphics();
    auto &chars = Find<fw::Listbox>("lstChars");
    auto &widths = Find<fw::Listbox>("lstWidths");
    widths.DeleteAllRows();
    const bool trackInk = ShowsCellOverflow() || fw::GetImplicitWindow(SampleText::kClassName);
    CellInk.clear();

    g.SetForeColor(fw::RGB(0, 0, 0));
    g.FillRect(0, 0, g.Width(), g.Height());
    g.SetForeColor(fw::RGB(255, 255, 255));
    g.SetTextFont(fontName);
    g.SetTextSize(fontSize);
    g.SetBold(Find<fw::CheckBox>("chkBold").Value());
    g.SetItalic(Find<fw::CheckBox>("chkItalic").Value());
    g.SetDistanceField(ShowsDistanceField() ? FieldSpread(mapWidth) : 0);

    // A fixed grid, not a packing: every cell is a tenth of the width square.
    RenderSettings grid;
    grid.textureSize = mapWidth;
    grid.dx = dx;
    grid.dy = dy;
    for (int r = 0; r < kGridSide; ++r) {
        for (int c = 0; c < kGridSide; ++c) {
            const auto [x, y] = CellPen(grid, r, c);
            const std::string text = chars.Cell(r, c);
            widths.AddRow(text);
            const int row = widths.LastIndex();
            // The text laid out once, as it is drawn: ten copies would kern
            // with each other and join. Tenths of a pixel, rounded as
            // StringWidth rounds.
            const double tenths = std::round(g.TextWidth(text) * 10);
            widths.SetCell(row, 1, fw::Format(tenths * 0.1, "0.00"));
            g.DrawString(text, x, y);
            if (trackInk)
                CellInk.push_back(g.InkRect(text, x, y));
        }
    }
    return map;
}

} // namespace vantor
