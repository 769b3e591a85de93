#include "window/window1.h"

#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/graphics.h"
#include "framework/listbox.h"
#include "framework/message.h"
#include "framework/picture.h"
#include "framework/text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vantor {
namespace {

constexpr int kGridSide = Window1::kGridSide;

// Each cell's ink at one size, around its pen, as the overflow marks see it.
struct Inks {
    std::vector<fw::Rect> boxes;
};

struct Offsets {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
};

// Where the ink of every cell but those left out lies inside its square with
// the pens at dx and dy.
bool AllInside(const Inks &inks, const std::vector<bool> &leftOut, const Window1::RenderSettings &settings)
{
    for (int cell = 0; cell < kGridSide * kGridSide; ++cell) {
        const fw::Rect &box = inks.boxes[static_cast<std::size_t>(cell)];
        if (leftOut[static_cast<std::size_t>(cell)] || box.Empty())
            continue;
        const Window1::Pen pen = Window1::CellPen(settings, cell / kGridSide, cell % kGridSide);
        const fw::Rect ink{pen.x + box.left, pen.y + box.top, box.width, box.height};
        if (Window1::Overflows(ink, Window1::CellSquare(settings.textureSize, cell / kGridSide, cell % kGridSide)))
            return false;
    }
    return true;
}

// The pens that centre the union of the inks in the first cell, to the
// pixel, if every cell's ink then lies inside its square. The cells' squares
// differ by a pixel and their pens' places in them too, so the pens next to
// the centred ones are tried as well, the most nearly centred first.
std::optional<Offsets> Centred(const Inks &inks, const std::vector<bool> &leftOut, Window1::RenderSettings settings)
{
    fw::Rect all;
    for (std::size_t cell = 0; cell < inks.boxes.size(); ++cell) {
        const fw::Rect &box = inks.boxes[cell];
        if (leftOut[cell] || box.Empty())
            continue;
        const int left = all.Empty() ? box.left : std::min(all.left, box.left);
        const int top = all.Empty() ? box.top : std::min(all.top, box.top);
        const int right = all.Empty() ? box.left + box.width : std::max(all.left + all.width, box.left + box.width);
        const int bottom = all.Empty() ? box.top + box.height : std::max(all.top + all.height, box.top + box.height);
        all = {left, top, right - left, bottom - top};
    }
    if (all.Empty())
        return std::nullopt;
    const fw::Rect first = Window1::CellSquare(settings.textureSize, 0, 0);
    // Left margin dx + left, right margin width - (dx + right): equal at
    // the ideal dx. The baseline of the first row lies at its height - dy.
    const double idealX = (first.width - all.width) / 2.0 - all.left;
    const double idealBaseline = (first.height - all.height) / 2.0 - all.top;
    const double pitch = settings.textureSize * 0.1;
    std::optional<Offsets> best;
    double bestOffCentre = 0;
    for (int stepX = -2; stepX <= 2; ++stepX) {
        for (int stepY = -2; stepY <= 2; ++stepY) {
            settings.dx = fw::ToInt32(std::round(idealX)) + stepX;
            settings.dy = fw::ToInt32(std::round(pitch - idealBaseline)) + stepY;
            if (!AllInside(inks, leftOut, settings))
                continue;
            const Window1::Pen pen = Window1::CellPen(settings, 0, 0);
            const double offCentre = std::abs(pen.x + all.left - (first.width - pen.x - all.left - all.width))
                + std::abs(pen.y + all.top - (first.height - pen.y - all.top - all.height));
            if (!best || offCentre < bestOffCentre) {
                best = Offsets{settings.dx, settings.dy};
                bestOffCentre = offCentre;
            }
        }
    }
    return best;
}

// A value as typed for a 1024 texture, which the texture's scale turns back
// into `value` pixels: the shortest decimal text that does.
std::string Entered(std::int32_t value, double scale)
{
    const double entered = value / scale;
    return entered == std::round(entered) ? fw::Str(static_cast<std::int64_t>(entered)) : fw::Format(entered, "0.0");
}

} // namespace

std::string Window1::FitGlyphsToCells()
{
    const auto &sizes = Find<fw::Listbox>("lstSizes");
    if (!CurrentFontMap || Find<fw::Listbox>("lstFonts").Text().empty() || sizes.ListCount() == 0)
        return {};
    RenderSettings settings = Rendered;
    settings.bold = Find<fw::CheckBox>("chkBold").Value();
    settings.italic = Find<fw::CheckBox>("chkItalic").Value();
    const double scale = settings.textureSize / 1024.0;
    std::vector<std::string> texts;
    for (int cell = 0; cell < kGridSide * kGridSide; ++cell)
        texts.push_back(Find<fw::Listbox>("lstChars").Cell(cell / kGridSide, cell % kGridSide));

    // The glyphs' outline boxes at a size: no size is rendered to search.
    fw::Picture scratch(1, 1, 32);
    fw::Graphics &g = scratch.Graphics();
    g.SetTextFont(Find<fw::Listbox>("lstFonts").Text());
    g.SetBold(settings.bold);
    g.SetItalic(settings.italic);
    // A field reaches beyond the ink, and must stay in its square too.
    g.SetDistanceField(settings.fieldSpread);
    // Sizes as the renderer gets them from the list's rows, smallest first;
    // of a font of bitmaps only, those it draws as they are, its strikes.
    const auto sizeOf = [&](int row) { return fw::ToInt32(fw::Val(sizes.Cell(row, 0)) * scale); };
    std::vector<int> rows;
    for (int row = 0; row < sizes.ListCount(); ++row) {
        g.SetTextSize(sizeOf(row));
        if (g.DrawnSize() == sizeOf(row))
            rows.push_back(row);
    }
    if (rows.empty())
        return "Nothing changed: the font draws none of the sizes in the list as it is.";
    const auto sizeAt = [&](int candidate) { return sizeOf(rows[static_cast<std::size_t>(candidate)]); };
    const auto inksAt = [&](int candidate) {
        g.SetTextSize(sizeAt(candidate));
        Inks inks;
        for (const std::string &text : texts)
            inks.boxes.push_back(g.InkRect(text, 0, 0));
        return inks;
    };
    // Cells whose ink is larger than their square at the smallest size can
    // never fit: they are left out. With no ink at all, there is nothing to
    // fit; cells that should show and draw nothing are named either way.
    const Inks smallest = inksAt(0);
    const std::vector<std::string> inkless = CellsWithoutInk(smallest.boxes);
    const std::string noInk = inkless.empty() ? "" : "\n" + NoInkLine(inkless);
    if (std::all_of(smallest.boxes.begin(), smallest.boxes.end(), [](const fw::Rect &box) { return box.Empty(); }))
        return inkless.empty() ? "" : "Nothing changed: no cell draws any ink." + noInk;
    std::vector<bool> leftOut(texts.size(), false);
    std::vector<std::string> named;
    for (std::size_t cell = 0; cell < texts.size(); ++cell) {
        const fw::Rect square
            = CellSquare(settings.textureSize, static_cast<int>(cell) / kGridSide, static_cast<int>(cell) % kGridSide);
        const fw::Rect &box = smallest.boxes[cell];
        leftOut[cell] = box.width > square.width || box.height > square.height;
        if (leftOut[cell] && std::find(named.begin(), named.end(), texts[cell]) == named.end())
            named.push_back(texts[cell]);
    }
    const auto fitAt = [&](int row, const Inks &inks) {
        settings.fontSize = sizeAt(row);
        return Centred(inks, leftOut, settings);
    };
    const std::string tooLarge
        = named.empty() ? "" : "Too large for their cells even at the smallest size, left out:" + NamedCells(named);
    std::optional<Offsets> offsets = fitAt(0, smallest);
    if (!offsets) {
        return "Nothing changed: at no offsets does every cell's ink lie inside its square, even at the smallest size."
            + (named.empty() ? "" : " " + tooLarge) + noInk;
    }
    // Larger glyphs fit less: the largest size that fits, by halving.
    int fits = 0;
    int overflows = static_cast<int>(rows.size());
    while (overflows - fits > 1) {
        const int middle = (fits + overflows) / 2;
        if (const std::optional<Offsets> found = fitAt(middle, inksAt(middle))) {
            fits = middle;
            offsets = found;
        } else {
            overflows = middle;
        }
    }
    const Placement before = CurrentPlacement();
    Place({rows[static_cast<std::size_t>(fits)], Entered(offsets->dx, scale), Entered(offsets->dy, scale)});
    if (CurrentPlacement() != before)
        RememberFit(before);
    return tooLarge.empty() && !noInk.empty() ? noInk.substr(1) : tooLarge + noInk;
}

void Window1::ViewFitGlyphs_Action()
{
    const std::string outcome = FitGlyphsToCells();
    if (!outcome.empty())
        fw::ShowMessage(outcome);
}

} // namespace vantor
