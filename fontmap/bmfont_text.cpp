#include "window/window1.h"

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

struct Character {
    std::uint32_t id;
    std::string text;
    fw::Rect rect;
    std::int32_t xoffset;
    std::int32_t yoffset;
    std::int32_t xadvance;
};

// The nearest whole number: BMFont readers take integers only.
std::int32_t Whole(double value)
{
    return fw::ToInt32(std::round(value));
}

} // namespace

// The format of AngelCode's BMFont text files, as engines read it: one page,
// the texture; a character per cell holding one code point, placed so that
// each pixel lands where the texture has it relative to the cell's pen.
std::string Window1::BMFontText(const std::string &pageName, std::vector<std::string> &several)
{
    fw::Graphics &g = fw::NotNil(CurrentFontMap).Graphics();
    const auto &widths = Find<fw::Listbox>("lstWidths");
    const std::int32_t base = Whole(g.Ascent());
    std::vector<Character> characters;
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
        characters.push_back({codes.front(), text, rect, rect.left - pen.x, base - (pen.y - rect.top),
            Whole(fw::Val(widths.Cell(cell, 1)))});
    }

    std::string face = Rendered.fontName;
    std::replace(face.begin(), face.end(), '"', '\'');
    const std::string size = fw::Str(Rendered.textureSize);
    std::string fnt = "info face=\"" + face + "\" size=" + fw::Str(Rendered.fontSize)
        + " bold=" + fw::Str(Rendered.bold) + " italic=" + fw::Str(Rendered.italic)
        + " charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=0,0\n";
    fnt += "common lineHeight=" + fw::Str(Whole(g.LineSpacing())) + " base=" + fw::Str(base) + " scaleW=" + size
        + " scaleH=" + size + " pages=1 packed=0 alphaChnl=0 redChnl=4 greenChnl=4 blueChnl=4\n";
    fnt += "page id=0 file=\"" + pageName + "\"\n";
    fnt += "chars count=" + fw::Str(static_cast<std::int64_t>(characters.size())) + "\n";
    for (const Character &c : characters) {
        fnt += "char id=" + fw::Str(c.id) + " x=" + fw::Str(c.rect.left) + " y=" + fw::Str(c.rect.top)
            + " width=" + fw::Str(c.rect.width) + " height=" + fw::Str(c.rect.height) + " xoffset=" + fw::Str(c.xoffset)
            + " yoffset=" + fw::Str(c.yoffset) + " xadvance=" + fw::Str(c.xadvance) + " page=0 chnl=15\n";
    }
    std::vector<std::string> texts;
    for (const Character &c : characters)
        texts.push_back(c.text);
    const std::vector<double> pairs = g.Kernings(texts);
    std::string kernings;
    std::int64_t count = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        for (std::size_t j = 0; j < characters.size(); ++j) {
            const std::int32_t amount = Whole(pairs[i * characters.size() + j]);
            if (amount == 0)
                continue;
            kernings += "kerning first=" + fw::Str(characters[i].id) + " second=" + fw::Str(characters[j].id)
                + " amount=" + fw::Str(amount) + "\n";
            ++count;
        }
    }
    if (count > 0)
        fnt += "kernings count=" + fw::Str(count) + "\n" + kernings;
    return fnt;
}

} // namespace vantor
