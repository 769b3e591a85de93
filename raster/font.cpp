#include "raster/font.h"

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

const Shaped &Nothing()
{
    static const Shaped nothing;
    return nothing;
}

struct Kept {
    std::string family;
    int pixelSize;
    bool bold;
    bool italic;
    int fieldSpread;
    std::shared_ptr<Font> font;
};

// The most recent first.
std::vector<Kept> &RecentFonts()
{
    static std::vector<Kept> recent;
    return recent;
}

constexpr std::size_t kLongText = 1024;

// Tells styles and fonts apart for as long as the program runs, even one
// made where another was.
std::uint64_t NextSerial()
{
    static std::uint64_t serials = 0;
    return ++serials;
}

// What is kept of long texts, for the process rather than for each style
// or font: a long text's shaping is large, and a user going through fonts
// and sizes needs only the last few. By the serial of what made it.
template <class Value, class Make> Value &KeptLong(std::uint64_t serial, std::string_view text, Make &&make)
{
    struct Kept {
        std::uint64_t serial;
        std::string text;
        Value value;
    };
    static std::list<Kept> kept;
    for (auto found = kept.begin(); found != kept.end(); ++found) {
        if (found->serial == serial && found->text == text) {
            kept.splice(kept.begin(), kept, found);
            return kept.front().value;
        }
    }
    constexpr std::size_t kMostLongTexts = 2;
    if (kept.size() == kMostLongTexts)
        kept.pop_back();
    kept.push_front(Kept{serial, std::string(text), make()});
    return kept.front().value;
}

} // namespace

Style::Style(const std::string &family, bool bold, bool italic)
    : faces_(family, bold, italic)
    , serial_(NextSerial())
{
}

std::shared_ptr<Style> Style::Of(const std::string &family, bool bold, bool italic)
{
    struct KeptStyle {
        std::string family;
        bool bold;
        bool italic;
        std::shared_ptr<Style> style;
    };
    constexpr std::size_t kKept = 8;
    static std::vector<KeptStyle> recent;
    const auto found = std::find_if(recent.begin(), recent.end(),
        [&](const KeptStyle &kept) { return kept.bold == bold && kept.italic == italic && kept.family == family; });
    if (found != recent.end()) {
        std::rotate(recent.begin(), found, found + 1);
        return recent.front().style;
    }
    if (recent.size() == kKept)
        recent.pop_back();
    recent.insert(recent.begin(), KeptStyle{family, bold, italic, std::make_shared<Style>(family, bold, italic)});
    return recent.front().style;
}

const UnitShaped &Style::Shape(std::string_view text)
{
    if (text.size() <= kLongText) {
        return short_.Find(
            text, [&] { return ShapeInUnits(faces_, text, true); },
            [](const UnitShaped &s) { return s.glyphs.size(); });
    }
    return KeptLong<UnitShaped>(serial_, text, [&] { return ShapeInUnits(faces_, text, true); });
}

Font::Font(const std::string &family, int pixelSize, bool bold, bool italic, int fieldSpread)
    : style_(Style::Of(family, bold, italic))
    , pixelSize_(pixelSize)
    , layout_{pixelSize, BoldStrength(pixelSize)}
    , glyphs_(GlyphStyle{pixelSize, BoldStrength(pixelSize), fieldSpread})
    , serial_(NextSerial())
{
}

std::shared_ptr<Font> Font::Recent(const std::string &family, int pixelSize, bool bold, bool italic, int fieldSpread)
{
    constexpr std::size_t kKept = 6;
    std::vector<Kept> &recent = RecentFonts();
    const auto found = std::find_if(recent.begin(), recent.end(), [&](const Kept &kept) {
        return kept.pixelSize == pixelSize && kept.bold == bold && kept.italic == italic
            && kept.fieldSpread == fieldSpread && kept.family == family;
    });
    if (found != recent.end()) {
        std::rotate(recent.begin(), found, found + 1);
        return recent.front().font;
    }
    if (recent.size() == kKept)
        recent.pop_back();
    recent.insert(recent.begin(),
        Kept{family, pixelSize, bold, italic, fieldSpread,
            std::make_shared<Font>(family, pixelSize, bold, italic, fieldSpread)});
    return recent.front().font;
}

void Font::ForgetRecent()
{
    RecentFonts().clear();
}

Font::Laid &Font::LaidOut(std::string_view text)
{
    if (text.size() <= kLongText) {
        return short_.Find(
            text,
            [&] {
                return Laid{AtSize(style_->Shape(text), layout_), {}};
            },
            [](const Laid &laid) { return laid.shaped.glyphs.size(); });
    }
    return KeptLong<Laid>(serial_, text, [&] { return Laid{AtSize(style_->Shape(text), layout_), {}}; });
}

const Shaped &Font::Shape(std::string_view text)
{
    if (pixelSize_ < 1 || text.empty())
        return Nothing();
    return LaidOut(text).shaped;
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
    const Face *face = style_->Faces().Primary().face;
    return face && !face->outlines && !face->colour ? face->StrikeFor(pixelSize_) : pixelSize_;
}

double Font::Ascent()
{
    const Face *face = style_->Faces().Primary().face;
    if (!face || pixelSize_ < 1)
        return 0;
    hb_position_t ascender = 0;
    hb_ot_metrics_get_position_with_fallback(face->shaper.get(), HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender);
    return static_cast<double>(ascender) * DrawnSize() / std::max(face->unitsPerEm, 1u);
}

double Font::LineSpacing()
{
    const Face *face = style_->Faces().Primary().face;
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

Placed Font::Place(std::string_view text, std::int64_t x, std::int64_t y, const Box &area)
{
    Placed placed;
    const Shaped &shaped = Shape(text);
    if (shaped.glyphs.empty() || area.Empty())
        return placed;
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
        if (row + glyphs_.Reach(*glyph->face) < area.top || row - glyphs_.Reach(*glyph->face) > area.top + area.height)
            continue;
        CoveragePointer coverage = glyphs_.At(*glyph->face, glyph->index, originX, originY, area);
        const Box ink = coverage->ink.Moved(FloorPixels(originX), FloorPixels(originY)).Intersected(area);
        if (ink.Empty())
            continue;
        placed.box = placed.box.United(ink);
        placed.blits.push_back(Blit{std::move(coverage), FloorPixels(originX), FloorPixels(originY)});
    }
    return placed;
}

Box Font::InkBox(std::string_view text, std::int64_t x, std::int64_t y)
{
    if (Shape(text).glyphs.empty())
        return {};
    Laid &laid = LaidOut(text);
    if (!laid.ink) {
        Box box;
        for (const PlacedGlyph &glyph : laid.shaped.glyphs) {
            // A glyph too large to draw whole is taken to ink its outline's
            // box: no picture could show it all.
            const Box large = glyphs_.Large(*glyph.face, glyph.index);
            const Box ink = large.Empty() ? glyphs_.At(*glyph.face, glyph.index, glyph.x, glyph.y, {})->ink : large;
            box = box.United(ink.Moved(FloorPixels(glyph.x), FloorPixels(glyph.y)));
        }
        laid.ink = box;
    }
    return laid.ink->Empty() ? Box{} : laid.ink->Moved(x, y);
}

} // namespace raster
