#include "window/window1.h"

#include "fontmap/bmfont.h"

#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "framework/listbox.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace vantor {
namespace {

// The nearest whole number: BMFont readers take integers only.
std::int32_t Whole(double value)
{
    return fw::ToInt32(std::round(value));
}

} // namespace

// A character per cell holding one code point, placed so that each pixel
// lands where the texture has it relative to the cell's pen.
BMFont Window1::BMFontOf(const std::string &pageName, std::vector<std::string> &several)
{
    fw::Graphics &g = fw::NotNil(CurrentFontMap).Graphics();
    const auto &widths = Find<fw::Listbox>("lstWidths");
    BMFont font{Rendered.fontName, g.DrawnSize(), Rendered.bold, Rendered.italic, Whole(g.LineSpacing()),
        Whole(g.Ascent()), Rendered.textureSize, 2 * Rendered.fieldSpread, pageName, {}, {}};
    std::set<std::uint32_t> taken;
    for (int cell = 0; cell < widths.ListCount(); ++cell) {
        const std::string text = widths.Cell(cell, 0);
        const std::vector<std::uint32_t> codes = fw::ComposedCodePoints(text);
        if (codes.size() > 1 && std::find(several.begin(), several.end(), text) == several.end())
            several.push_back(text);
        // The first cell holding a character wins, as for the width table.
        if (codes.size() != 1 || !taken.insert(codes.front()).second)
            continue;
        const fw::Rect square = CellSquare(Rendered.textureSize, cell / kGridSide, cell % kGridSide);
        const Pen pen = CellPen(Rendered, cell / kGridSide, cell % kGridSide);
        // The glyph's ink, cut to its square: a rectangle never reaches into
        // a neighbour's square.
        const fw::Rect ink = g.DrawnInk(text, pen.x, pen.y);
        const int left = std::max(ink.left, square.left);
        const int top = std::max(ink.top, square.top);
        fw::Rect rect{left, top, std::min(ink.left + ink.width, square.left + square.width) - left,
            std::min(ink.top + ink.height, square.top + square.height) - top};
        if (ink.Empty() || rect.Empty()) {
            // Nothing to draw: an empty rectangle at a point of the square.
            rect = {std::clamp(pen.x, square.left, square.left + square.width - 1),
                std::clamp(pen.y, square.top, square.top + square.height - 1), 0, 0};
        }
        font.characters.push_back({codes.front(), text, rect, rect.left - pen.x, font.base - (pen.y - rect.top),
            Whole(fw::Val(widths.Cell(cell, 1)))});
    }

    std::vector<std::string> texts;
    for (const BMFont::Character &c : font.characters)
        texts.push_back(c.text);
    const std::vector<double> pairs = g.Kernings(texts);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
            if (const std::int32_t amount = Whole(pairs[i * texts.size() + j]); amount != 0)
                font.kernings.push_back({font.characters[i].id, font.characters[j].id, amount});
        }
    }
    return font;
}

} // namespace vantor
