#include "raster/font.h"

#include "raster/fonts.h"

#include <hb-ot.h>

#include <algorithm>
#include <cmath>

namespace raster {
namespace {

// A synthetic bold grows each glyph by a 24th of the size, as FreeType's
// own emboldening does.
F26Dot6 BoldStrength(int pixelSize)
{
    return std::llround(std::max(pixelSize, 1) * static_cast<double>(kOnePixel) / 24);
}

// About what a thing kept takes, in bytes: a count of parts and the bytes
// of each.
std::size_t BytesOf(std::size_t parts, std::size_t each, std::size_t text)
{
    return parts * each + text + 256;
}

} // namespace

Style::Style(Fonts &fonts, const std::string &family, bool bold, bool italic)
    : faces_(fonts, family, bold, italic)
    , shaped_(fonts.Cache())
{
}

std::shared_ptr<const UnitShaped> Style::Shape(std::string_view text)
{
    if (auto kept = shaped_.Find(text))
        return kept;
    auto shaped = std::make_shared<const UnitShaped>(ShapeInUnits(faces_, text, true));
    return shaped_.Keep(std::string(text), shaped, BytesOf(shaped->glyphs.size(), sizeof(UnitGlyph), text.size()));
}

Font::Font(Fonts &fonts, std::shared_ptr<Style> style, int pixelSize, int fieldSpread, bool multiChannel)
    : style_(std::move(style))
    , pixelSize_(pixelSize)
    , layout_{pixelSize, BoldStrength(pixelSize)}
    , glyphs_(fonts.Cache(), GlyphStyle{pixelSize, BoldStrength(pixelSize), fieldSpread, multiChannel})
    , laid_(fonts.Cache())
    , nearInk_(fonts.Cache())
{
}

std::shared_ptr<const Shaped> Font::Shape(std::string_view text)
{
    if (pixelSize_ < 1 || text.empty()) {
        static const auto nothing = std::make_shared<const Shaped>();
        return nothing;
    }
    if (auto kept = laid_.Find(text))
        return kept;
    auto laid = std::make_shared<const Shaped>(AtSize(*style_->Shape(text), layout_));
    return laid_.Keep(std::string(text), laid, BytesOf(laid->glyphs.size(), sizeof(PlacedGlyph), text.size()));
}

std::vector<double> Font::Kernings(const std::vector<std::string> &texts)
{
    std::vector<double> kernings(texts.size() * texts.size(), 0.0);
    if (pixelSize_ < 1)
        return kernings;
    const auto separate
        = [&](const std::string &text) { return AtSize(ShapeInUnits(style_->Faces(), text, false), layout_).advance; };
    std::vector<F26Dot6> advances;
    for (const std::string &text : texts)
        advances.push_back(separate(text));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
            if (texts[i].empty() || texts[j].empty())
                continue;
            const F26Dot6 together = separate(texts[i] + texts[j]);
            kernings[i * texts.size() + j] = FromF26Dot6(together - advances[i] - advances[j]);
        }
    }
    return kernings;
}

int Font::DrawnSize() const
{
    const Face *face = style_->Faces().Primary().face.get();
    return face && !face->outlines && !face->colour ? face->StrikeFor(pixelSize_) : pixelSize_;
}

double Font::Ascent()
{
    const Face *face = style_->Faces().Primary().face.get();
    if (!face || pixelSize_ < 1)
        return 0;
    hb_position_t ascender = 0;
    hb_ot_metrics_get_position_with_fallback(face->shaper.get(), HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender);
    return static_cast<double>(ascender) * DrawnSize() / std::max(face->unitsPerEm, 1u);
}

double Font::LineSpacing()
{
    const Face *face = style_->Faces().Primary().face.get();
    if (!face || pixelSize_ < 1)
        return 0;
    hb_position_t ascender = 0;
    hb_position_t descender = 0;
    hb_position_t gap = 0;
    hb_font_t *font = face->shaper.get();
    hb_ot_metrics_get_position_with_fallback(font, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender);
    hb_ot_metrics_get_position_with_fallback(font, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descender);
    hb_ot_metrics_get_position_with_fallback(font, HB_OT_METRICS_TAG_HORIZONTAL_LINE_GAP, &gap);
    return static_cast<double>(ascender - descender + gap) * DrawnSize() / std::max(face->unitsPerEm, 1u);
}

template <class Visit>
void Font::ForEachNear(std::string_view text, std::int64_t x, std::int64_t y, const Box &area, Visit &&visit)
{
    const std::shared_ptr<const Shaped> kept = Shape(text);
    const Shaped &shaped = *kept;
    if (area.Empty())
        return;
    std::int64_t reach = 0;
    for (const StyledFace *face : shaped.faces)
        reach = std::max(reach, glyphs_.Reach(*face));
    // Pens never go back: the glyphs near the area are found by halving.
    const F26Dot6 from = (area.left - reach - x) * kOnePixel;
    const F26Dot6 to = (area.left + area.width + reach - x) * kOnePixel;
    const auto first = std::lower_bound(shaped.glyphs.begin(), shaped.glyphs.end(), from,
        [](const PlacedGlyph &g, F26Dot6 pen) { return g.pen < pen; });
    const auto last = std::upper_bound(
        first, shaped.glyphs.end(), to, [](F26Dot6 pen, const PlacedGlyph &g) { return pen < g.pen; });
    for (auto glyph = first; glyph != last; ++glyph) {
        const F26Dot6 originX = x * kOnePixel + glyph->x;
        const F26Dot6 originY = y * kOnePixel + glyph->y;
        const std::int64_t row = FloorPixels(originY);
        const std::int64_t down = glyphs_.Reach(*glyph->face);
        if (row + down >= area.top && row - down <= area.top + area.height)
            visit(*glyph, originX, originY);
    }
}

Placed Font::Place(std::string_view text, std::int64_t x, std::int64_t y, const Box &area)
{
    Placed placed;
    ForEachNear(text, x, y, area, [&](const PlacedGlyph &glyph, F26Dot6 originX, F26Dot6 originY) {
        CoveragePointer coverage = glyphs_.At(*glyph.face, glyph.index, originX, originY, area);
        const Box ink = coverage->ink.Moved(FloorPixels(originX), FloorPixels(originY)).Intersected(area);
        if (ink.Empty())
            return;
        placed.box = placed.box.United(ink);
        placed.blits.push_back(Blit{std::move(coverage), FloorPixels(originX), FloorPixels(originY)});
    });
    return placed;
}

Box Font::InkBox(std::string_view text, std::int64_t x, std::int64_t y, const Box &area)
{
    Box box;
    ForEachNear(text, x, y, area, [&](const PlacedGlyph &glyph, F26Dot6 originX, F26Dot6 originY) {
        // A glyph too large to draw whole is taken to ink its outline's
        // box: no picture could show it all.
        const Box large = glyphs_.Large(*glyph.face, glyph.index);
        const Box ink = (large.Empty() ? glyphs_.At(*glyph.face, glyph.index, originX, originY, area)->ink : large)
                            .Moved(FloorPixels(originX), FloorPixels(originY));
        if (!ink.Intersected(area).Empty())
            box = box.United(ink);
    });
    return box;
}

Box Font::InkNearPen(std::string_view text, std::int64_t side)
{
    std::pair<std::string, std::int64_t> key(text, side);
    if (auto kept = nearInk_.Find(key))
        return *kept;
    auto ink = std::make_shared<const Box>(InkBox(text, 0, 0, {-side, -side, 2 * side, 2 * side}));
    return *nearInk_.Keep(std::move(key), ink, BytesOf(1, sizeof(Box), text.size()));
}

} // namespace raster
