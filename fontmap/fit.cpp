#include "fontmap/fit.h"

#include "fontmap/atlas_engine.h"
#include "fontmap/cell_names.h"
#include "fontmap/grid.h"

#include "raster/font.h"

#include "text/numbers.h"

#include <algorithm>
#include <cmath>

namespace vantor {
namespace {

// Each cell's ink at one size, from its pen.
using Inks = std::vector<raster::Box>;

struct Offsets {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
};

// Where the ink of every cell but those left out lies inside its square with
// the pens at dx and dy.
bool AllInside(const Inks &inks, const std::vector<bool> &leftOut, const AtlasSettings &settings)
{
    for (int cell = 0; cell < static_cast<int>(inks.size()); ++cell) {
        const raster::Box &box = inks[static_cast<std::size_t>(cell)];
        if (leftOut[static_cast<std::size_t>(cell)] || box.Empty())
            continue;
        const Pen pen = CellPen(settings.textureSize, settings.dx, settings.dy, cell / kGridSide, cell % kGridSide);
        if (Overflows(box.Moved(pen.x, pen.y), CellSquare(settings.textureSize, cell / kGridSide, cell % kGridSide)))
            return false;
    }
    return true;
}

// The pens that centre the union of the inks in the first cell, to the
// pixel, if every cell's ink then lies inside its square. The cells' squares
// differ by a pixel and their pens' places in them too, so the pens next to
// the centred ones are tried as well, the most nearly centred first.
std::optional<Offsets> Centred(const Inks &inks, const std::vector<bool> &leftOut, AtlasSettings settings)
{
    raster::Box all;
    for (std::size_t cell = 0; cell < inks.size(); ++cell) {
        if (!leftOut[cell])
            all = all.United(inks[cell]);
    }
    if (all.Empty())
        return std::nullopt;
    const raster::Box first = CellSquare(settings.textureSize, 0, 0);
    // Left margin dx + left, right margin width - (dx + right): equal at
    // the ideal dx. The baseline of the first row lies at its height - dy.
    const double idealX = static_cast<double>(first.width - all.width) / 2.0 - static_cast<double>(all.left);
    const double idealBaseline = static_cast<double>(first.height - all.height) / 2.0 - static_cast<double>(all.top);
    const double pitch = settings.textureSize * 0.1;
    std::optional<Offsets> best;
    std::int64_t bestOffCentre = 0;
    for (int stepX = -2; stepX <= 2; ++stepX) {
        for (int stepY = -2; stepY <= 2; ++stepY) {
            settings.dx = text::ToInt32(std::round(idealX)) + stepX;
            settings.dy = text::ToInt32(std::round(pitch - idealBaseline)) + stepY;
            if (!AllInside(inks, leftOut, settings))
                continue;
            const Pen pen = CellPen(settings.textureSize, settings.dx, settings.dy, 0, 0);
            const std::int64_t offCentre = std::abs(pen.x + all.left - (first.width - pen.x - all.left - all.width))
                + std::abs(pen.y + all.top - (first.height - pen.y - all.top - all.height));
            if (!best || offCentre < bestOffCentre) {
                best = Offsets{settings.dx, settings.dy};
                bestOffCentre = offCentre;
            }
        }
    }
    return best;
}

} // namespace

Fitted FitGlyphs(AtlasEngine &engine, const AtlasSettings &settings, const std::vector<std::int32_t> &sizes)
{
    // Of a font of bitmaps only, the sizes it draws as they are: its strikes.
    std::vector<std::size_t> drawn;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::shared_ptr<raster::Font> font = engine.FontAt(settings, sizes[i]);
        if (font && font->DrawnSize() == sizes[i])
            drawn.push_back(i);
    }
    if (drawn.empty())
        return {std::nullopt, 0, 0, "Nothing changed: the font draws none of the sizes in the list as it is."};
    const auto sizeAt = [&](std::size_t candidate) { return sizes[drawn[candidate]]; };
    // The glyphs' ink boxes at a size: no size is rendered to search. Of a
    // text longer than the texture, only what lies within a texture's side
    // of its pen: that is more than its square holds already.
    const auto inksAt = [&](std::size_t candidate) {
        const std::shared_ptr<raster::Font> font = engine.FontAt(settings, sizeAt(candidate));
        Inks inks;
        for (const std::string &text : settings.cells)
            inks.push_back(font->InkNearPen(text, settings.textureSize));
        return inks;
    };
    // Cells whose ink is larger than their square at the smallest size can
    // never fit: they are left out. With no ink at all, there is nothing to
    // fit; cells that should show and draw nothing are named either way.
    const Inks smallest = inksAt(0);
    const std::vector<std::string> inkless = CellsWithoutInk(settings.cells, smallest);
    const std::string noInk = inkless.empty() ? "" : "\n" + NoInkLine(inkless);
    if (std::all_of(smallest.begin(), smallest.end(), [](const raster::Box &box) { return box.Empty(); }))
        return {std::nullopt, 0, 0, inkless.empty() ? "" : "Nothing changed: no cell draws any ink." + noInk};
    std::vector<bool> leftOut(settings.cells.size(), false);
    std::vector<std::string> named;
    for (std::size_t cell = 0; cell < settings.cells.size(); ++cell) {
        const raster::Box square
            = CellSquare(settings.textureSize, static_cast<int>(cell) / kGridSide, static_cast<int>(cell) % kGridSide);
        leftOut[cell] = smallest[cell].width > square.width || smallest[cell].height > square.height;
        if (leftOut[cell] && std::find(named.begin(), named.end(), settings.cells[cell]) == named.end())
            named.push_back(settings.cells[cell]);
    }
    const auto fitAt = [&](std::size_t candidate, const Inks &inks) {
        AtlasSettings at = settings;
        at.fontSize = sizeAt(candidate);
        return Centred(inks, leftOut, at);
    };
    const std::string tooLarge
        = named.empty() ? "" : "Too large for their cells even at the smallest size, left out:" + NamedCells(named);
    std::optional<Offsets> offsets = fitAt(0, smallest);
    if (!offsets) {
        return {std::nullopt, 0, 0,
            "Nothing changed: at no offsets does every cell's ink lie inside its square, even at the smallest size."
                + (named.empty() ? "" : " " + tooLarge) + noInk};
    }
    // Larger glyphs fit less: the largest size that fits, by halving.
    std::size_t fits = 0;
    std::size_t overflows = drawn.size();
    while (overflows - fits > 1) {
        const std::size_t middle = (fits + overflows) / 2;
        if (const std::optional<Offsets> found = fitAt(middle, inksAt(middle))) {
            fits = middle;
            offsets = found;
        } else {
            overflows = middle;
        }
    }
    return {
        drawn[fits], offsets->dx, offsets->dy, tooLarge.empty() && !noInk.empty() ? noInk.substr(1) : tooLarge + noInk};
}

} // namespace vantor
