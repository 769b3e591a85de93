#include "window/sample_text.h"
#include "window/window1.h"

#include "framework/graphics.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantor {

// The recipe the README gives a user's renderer: cell (r, c) is the square
// CellSquare gives; its glyph's pen lies where the renderer put it, so the
// square is copied with that point at the line's pen, truncated to whole
// pixels, and the pen advances by the cell's width as a double.
SampleText::AtlasLine SampleText::DrawAtlasLine(
    Window1 &main, const std::string &text, std::int32_t margin, std::shared_ptr<fw::Picture> old)
{
    const Window1::RenderSettings &rendered = main.Rendered;
    const double pitch = rendered.textureSize * 0.1;
    const auto &widths = main.Find<fw::Listbox>("lstWidths");
    struct Glyph {
        int cell; // -1: no cell holds it
        double pen;
    };
    std::vector<Glyph> glyphs;
    AtlasLine line;
    double pen = margin;
    for (const std::string &character : fw::Graphemes(text)) {
        int cell = -1;
        for (int row = 0; row < widths.ListCount() && cell < 0; ++row) {
            if (widths.Cell(row, 0) == character)
                cell = row;
        }
        glyphs.push_back({cell, pen});
        if (cell < 0 && std::find(line.missing.begin(), line.missing.end(), character) == line.missing.end())
            line.missing.push_back(character);
        pen += cell < 0 ? pitch : fw::Val(widths.Cell(cell, 1));
    }
    line.length = pen - margin;
    line.characters = glyphs.size();

    // Room of a quarter cell above and below, for what reaches out of a cell.
    const std::int32_t room = fw::ToInt32(pitch / 4);
    const std::int32_t width = fw::ToInt32(std::clamp(pen + pitch + margin, 1.0, double{fw::Picture::kMaxSide}));
    // A character shows whole when its advance ends inside the picture.
    line.shown = glyphs.size();
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const double end = i + 1 < glyphs.size() ? glyphs[i + 1].pen : pen;
        if (end > width) {
            line.shown = i;
            break;
        }
    }
    const std::int32_t height = fw::ToInt32(pitch) + 2 * room;
    line.picture = old && old->Width() == width && old->Height() == height
        ? std::move(old)
        : std::make_shared<fw::Picture>(width, height, 32);
    fw::Graphics &g = line.picture->Graphics();
    g.SetForeColor(fw::RGB(0, 0, 0));
    g.FillRect(0, 0, width, height);
    g.SetForeColor(fw::RGB(128, 128, 128));
    const std::int32_t baseline = room + fw::ToInt32(pitch) - rendered.dy;
    line.baseline = baseline;
    for (const Glyph &glyph : glyphs) {
        const std::int32_t x = fw::ToInt32(std::floor(glyph.pen));
        if (glyph.cell < 0)
            continue;
        const int row = glyph.cell / Window1::kGridSide;
        const int column = glyph.cell % Window1::kGridSide;
        const fw::Rect square = Window1::CellSquare(rendered.textureSize, row, column);
        const Window1::Pen pen = Window1::CellPen(rendered, row, column);
        g.DrawPicture(fw::NotNil(main.CurrentFontMap), x - (pen.x - square.left), baseline - (pen.y - square.top),
            square.width, square.height, square.left, square.top, square.width, square.height, fw::Blend::Lighten);
    }
    if (rendered.fieldSpread > 0) {
        // As an engine's shader draws distance fields at 1:1: the edge at
        // 128, a pixel wide.
        std::array<std::uint8_t, 256> coverage{};
        for (int grey = 0; grey < 256; ++grey) {
            const double inside = 0.5 + (grey - 128) * rendered.fieldSpread / 128.0;
            coverage[static_cast<std::size_t>(grey)]
                = static_cast<std::uint8_t>(std::lround(std::clamp(inside, 0.0, 1.0) * 255));
        }
        g.MapGreys(coverage);
    }
    for (const Glyph &glyph : glyphs) {
        if (glyph.cell < 0) {
            g.DrawRect(fw::ToInt32(std::floor(glyph.pen)) - rendered.dx, baseline - fw::ToInt32(pitch) + rendered.dy,
                fw::ToInt32(pitch), fw::ToInt32(pitch));
        }
    }
    return line;
}

} // namespace vantor
