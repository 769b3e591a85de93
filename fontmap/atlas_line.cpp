#include "fontmap/atlas_line.h"

#include "fontmap/atlas.h"
#include "fontmap/width_table.h"

#include "raster/texture.h"

#include "text/numbers.h"
#include "text/unicode.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantor {

// Cell (r, c) is the square CellSquare gives; its glyph's pen lies where the
// renderer put it, so the square is copied with that point at the line's
// pen, truncated to whole pixels, and the pen advances by the cell's width
// as the table gives it.
AtlasLine DrawAtlasLine(
    const Atlas &atlas, const std::string &text, std::int32_t margin, std::shared_ptr<raster::Texture> last)
{
    const AtlasSettings &settings = atlas.Settings();
    const double pitch = settings.textureSize * 0.1;
    struct Glyph {
        int cell; // -1: no cell holds it
        double pen;
    };
    std::vector<Glyph> glyphs;
    AtlasLine line;
    double pen = margin;
    for (const std::string &character : text::Graphemes(text)) {
        const auto found = std::find(settings.cells.begin(), settings.cells.end(), character);
        const int cell = found == settings.cells.end() ? -1 : static_cast<int>(found - settings.cells.begin());
        glyphs.push_back({cell, pen});
        if (cell < 0 && std::find(line.missing.begin(), line.missing.end(), character) == line.missing.end())
            line.missing.push_back(character);
        pen += cell < 0 ? pitch : text::Val(WidthText(atlas.Widths()[static_cast<std::size_t>(cell)]));
    }
    line.length = pen - margin;
    line.characters = glyphs.size();

    // Room of a quarter cell above and below, for what reaches out of a cell.
    const std::int32_t room = text::ToInt32(pitch / 4);
    const std::int32_t width = text::ToInt32(std::clamp(pen + pitch + margin, 1.0, double{kWidestAtlasLine}));
    // A character shows whole when its advance ends inside the picture.
    line.shown = glyphs.size();
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const double end = i + 1 < glyphs.size() ? glyphs[i + 1].pen : pen;
        if (end > width) {
            line.shown = i;
            break;
        }
    }
    const std::int32_t height = text::ToInt32(pitch) + 2 * room;
    // A picture the size of the last is cleared rather than made anew: the
    // line is drawn again at every render.
    if (last && last->Width() == width && last->Height() == height) {
        last->Fill(last->Bounds(), 0);
        line.picture = std::move(last);
    } else {
        line.picture = std::make_shared<raster::Texture>(width, height);
    }
    raster::Texture &picture = *line.picture;
    const std::int32_t baseline = room + text::ToInt32(pitch) - settings.dy;
    line.baseline = baseline;
    for (const Glyph &glyph : glyphs) {
        if (glyph.cell < 0)
            continue;
        const raster::Box square = CellSquare(settings.textureSize, glyph.cell / kGridSide, glyph.cell % kGridSide);
        const Pen at = atlas.PenOf(glyph.cell);
        picture.Lighten(atlas.Texture(), square, text::ToInt32(std::floor(glyph.pen)) - (at.x - square.left),
            baseline - (at.y - square.top));
    }
    if (settings.distanceField) {
        // As an engine's shader draws distance fields at 1:1: the edge at
        // half, a pixel wide.
        std::array<std::uint8_t, 256> coverage{};
        for (int grey = 0; grey < 256; ++grey) {
            const double inside = 0.5 + (grey - 127.5) * settings.FieldSpread() / 127.5;
            coverage[static_cast<std::size_t>(grey)]
                = static_cast<std::uint8_t>(std::lround(std::clamp(inside, 0.0, 1.0) * 255));
        }
        picture.Map(coverage);
    }
    for (const Glyph &glyph : glyphs) {
        if (glyph.cell < 0) {
            picture.Outline({text::ToInt32(std::floor(glyph.pen)) - settings.dx,
                                baseline - text::ToInt32(pitch) + settings.dy, text::ToInt32(pitch), text::ToInt32(pitch)},
                128);
        }
    }
    return line;
}

bool LineStays(const AtlasLine &line, const Atlas &before, const Atlas &after)
{
    AtlasSettings moved = before.Settings();
    moved.dx = after.Settings().dx;
    if (moved != after.Settings() || !line.missing.empty())
        return false;
    for (int cell = 0; cell < kCellCount; ++cell) {
        const raster::Box square = CellSquare(moved.textureSize, cell / kGridSide, cell % kGridSide);
        const raster::Box was = before.Ink(cell);
        const raster::Box is = after.Ink(cell);
        const Pen from = before.PenOf(cell);
        const Pen to = after.PenOf(cell);
        if (Overflows(was, square) || Overflows(is, square) || was.Empty() != is.Empty()
            || (!is.Empty() && was.Moved(to.x - from.x, to.y - from.y) != is))
            return false;
    }
    return true;
}

} // namespace vantor
