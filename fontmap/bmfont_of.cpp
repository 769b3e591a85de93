#include "fontmap/atlas.h"
#include "fontmap/bmfont.h"
#include "fontmap/cell_names.h"
#include "fontmap/width_table.h"

#include "raster/texture.h"

#include "text/numbers.h"
#include "text/unicode.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace vantor {
namespace {

// The nearest whole number: BMFont readers take integers only.
std::int32_t Whole(double value)
{
    return text::ToInt32(std::round(value));
}

} // namespace

BMFont BMFontOf(const Atlas &atlas, const std::string &pageName, std::vector<std::string> &several)
{
    const AtlasSettings &settings = atlas.Settings();
    // The face drawn, which is another where the family's files cannot be
    // read.
    const std::string drawn = atlas.DrawnFamily();
    BMFont font{drawn.empty() ? settings.family : drawn, atlas.DrawnSize(), settings.bold, settings.italic,
        Whole(atlas.LineSpacing()), Whole(atlas.Ascent()), settings.textureSize, 2 * settings.FieldSpread(),
        settings.Coloured(), settings.Coloured() && settings.trueDistance, pageName, {}, {}};
    std::set<std::uint32_t> taken;
    for (int cell = 0; cell < static_cast<int>(settings.cells.size()); ++cell) {
        const std::string &text = atlas.Text(cell);
        const std::vector<std::uint32_t> codes = text::ComposedCodePoints(text);
        if (codes.size() > 1 && std::find(several.begin(), several.end(), text) == several.end())
            several.push_back(text);
        // The first cell holding a character wins, as for the width table.
        if (codes.size() != 1 || !taken.insert(codes.front()).second)
            continue;
        const raster::Box square = CellSquare(settings.textureSize, cell / kGridSide, cell % kGridSide);
        const Pen pen = atlas.PenOf(cell);
        // The glyph's ink, cut to its square: a rectangle never reaches into
        // a neighbour's square.
        raster::Box rect = atlas.DrawnInk(cell).Intersected(square);
        if (rect.Empty()) {
            // Nothing to draw: an empty rectangle at a point of the square.
            rect = {std::clamp<std::int64_t>(pen.x, square.left, square.left + square.width - 1),
                std::clamp<std::int64_t>(pen.y, square.top, square.top + square.height - 1), 0, 0};
        }
        // Advances are the table's widths, rounded as readers need them.
        const double advance = text::Val(WidthText(atlas.Widths()[static_cast<std::size_t>(cell)]));
        font.characters.push_back({codes.front(), cell, text, rect, static_cast<std::int32_t>(rect.left - pen.x),
            static_cast<std::int32_t>(font.base - (pen.y - rect.top)), Whole(advance)});
    }

    std::vector<std::string> texts;
    for (const BMFont::Character &c : font.characters)
        texts.push_back(c.text);
    const std::vector<double> pairs = atlas.Kernings(texts);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
            if (const std::int32_t amount = Whole(pairs[i * texts.size() + j]); amount != 0)
                font.kernings.push_back({font.characters[i].id, font.characters[j].id, amount});
        }
    }
    return font;
}

std::vector<std::uint8_t> BMFontPage(const Atlas &atlas)
{
    const raster::Texture &texture = atlas.Texture();
    std::vector<std::uint8_t> page(
        static_cast<std::size_t>(texture.Width()) * static_cast<std::size_t>(texture.Height()) * 4);
    std::uint8_t *to = page.data();
    for (int y = 0; y < texture.Height(); ++y) {
        const std::uint8_t *line = texture.Line(y);
        const std::uint8_t *colour = texture.Coloured() ? texture.ColourLine(y) : nullptr;
        const bool opaque = colour && !atlas.Settings().trueDistance;
        for (int x = 0; x < texture.Width(); ++x, to += 4) {
            if (colour)
                std::copy_n(colour + 3 * x, 3, to);
            else
                to[0] = to[1] = to[2] = 255;
            to[3] = opaque ? 255 : line[x];
        }
    }
    return page;
}

std::string EngineCaveats(const Atlas &atlas, const std::vector<std::string> &several)
{
    std::vector<std::string> lines;
    if (!several.empty())
        lines.push_back("Not exported, more than one character:" + NamedCells(several));
    const std::vector<raster::Box> inks = atlas.Inks();
    std::vector<std::string> overflowing;
    for (const int cell : OverflowingCells(atlas.Settings().textureSize, inks))
        overflowing.push_back(atlas.Text(cell));
    if (!overflowing.empty()) {
        lines.push_back(
            "Ink outside its cell, which engines cut off or draw beside a neighbour:" + NamedCells(overflowing)
            + ". View > Show Cell Overflow marks these cells; View > Fit Glyphs to "
              "Cells fits every glyph inside its cell.");
    }
    if (const std::string inkless = NoInkLines(CellsWithoutInk(atlas)); !inkless.empty())
        lines.push_back(inkless);
    const std::vector<std::string> &cells = atlas.Settings().cells;
    if (std::find(cells.begin(), cells.end(), " ") == cells.end())
        lines.push_back("No cell holds a space (U+0020): engines advance nothing between words.");
    std::string caveats;
    for (const std::string &line : lines)
        caveats += (caveats.empty() ? "" : "\n") + line;
    return caveats;
}

} // namespace vantor
