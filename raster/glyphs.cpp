#include "raster/glyphs.h"

#include "raster/bitmap_greys.h"

#include "raster/multi_channel_field.h"
#include "raster/outline_field.h"

#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <tuple>

namespace raster {
namespace {

// FreeType's own slant for a synthetic italic: about 12 degrees.
constexpr FT_Matrix kSlant{0x10000, 0x0366A, 0, 0x10000};

// A colour glyph draws at most this many layers.
constexpr std::size_t kMostLayers = 1024;

// A glyph drawn whole keeps at most this many pixels: beyond, it is drawn
// only where it shows.
constexpr std::int64_t kMostPixelsWhole = 1 << 20;
// Such a glyph is drawn in whole tiles of this many pixels a side.
constexpr std::int64_t kTile = 128;

// Both coverages in one, the brighter of the two where they meet.
Coverage Brighter(const Coverage &a, const Coverage &b)
{
    if (a.pixels.Empty())
        return b;
    if (b.pixels.Empty())
        return a;
    Coverage both;
    both.pixels = a.pixels.United(b.pixels);
    both.bytes.assign(static_cast<std::size_t>(both.pixels.Area()), 0);
    for (const Coverage *part : {&a, &b}) {
        for (std::int64_t y = 0; y < part->pixels.height; ++y) {
            const std::uint8_t *from = part->bytes.data() + y * part->pixels.width;
            std::uint8_t *to = both.bytes.data() + (part->pixels.top - both.pixels.top + y) * both.pixels.width
                + (part->pixels.left - both.pixels.left);
            for (std::int64_t x = 0; x < part->pixels.width; ++x)
                to[x] = std::max(to[x], from[x]);
        }
    }
    return both;
}

// The spans FreeType draws of an outline within a clip, by row: FreeType
// goes up from the clip's bottom, the coverage down from its top. A row may
// come in several calls, and not always one after the other (FreeType 2.13
// sweeps in strips), so the spans are put in order once all have come.
struct Spans {
    struct RowSpan {
        std::uint32_t row;
        FT_Span span;
    };
    std::vector<RowSpan> gathered;
    std::vector<FT_Span> spans;
    std::vector<std::uint32_t> rows; // each row's first span, and one past the last row's

    static void Gather(int y, int count, const FT_Span *spans, void *user)
    {
        auto &self = *static_cast<Spans *>(user);
        const auto row = static_cast<std::int64_t>(self.rows.size()) - 2 - y;
        if (row < 0 || row >= static_cast<std::int64_t>(self.rows.size()) - 1)
            return;
        for (int i = 0; i < count; ++i)
            self.gathered.push_back({static_cast<std::uint32_t>(row), spans[i]});
    }
    void Render(FT_Outline &outline, const Box &clip)
    {
        rows.assign(static_cast<std::size_t>(clip.height) + 1, 0);
        FT_Raster_Params params{};
        params.source = &outline;
        params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
        params.gray_spans = &Spans::Gather;
        params.user = this;
        params.clip_box = FT_BBox{0, 0, static_cast<FT_Pos>(clip.width), static_cast<FT_Pos>(clip.height)};
        FT_Outline_Render(Library(), &outline, &params);
        std::stable_sort(gathered.begin(), gathered.end(),
            [](const RowSpan &a, const RowSpan &b) { return std::tie(a.row, a.span.x) < std::tie(b.row, b.span.x); });
        spans.reserve(gathered.size());
        for (const RowSpan &s : gathered) {
            ++rows[s.row + 1];
            spans.push_back(s.span);
        }
        for (std::size_t row = 1; row < rows.size(); ++row)
            rows[row] += rows[row - 1];
        gathered = {};
    }
    const FT_Span *begin(std::size_t row) const { return spans.data() + rows[row]; }
    const FT_Span *end(std::size_t row) const { return spans.data() + rows[row + 1]; }
};

} // namespace

bool Glyphs::Key::operator<(const Key &other) const
{
    return std::tie(face, glyph, fractionX, fractionY, clip.left, clip.top, clip.width, clip.height)
        < std::tie(other.face, other.glyph, other.fractionX, other.fractionY, other.clip.left, other.clip.top,
            other.clip.width, other.clip.height);
}

CoveragePointer Glyphs::At(const StyledFace &face, unsigned glyph, F26Dot6 x, F26Dot6 y, const Box &area)
{
    Key key{&face, glyph, static_cast<int>(x - FloorPixels(x) * kOnePixel),
        static_cast<int>(y - FloorPixels(y) * kOnePixel), {}};
    if (const Box extent = Large(face, glyph); !extent.Empty()) {
        // The area from the origin, out to whole tiles: the glyph moved a
        // little (a key into dx) is found again.
        const Box from = area.Moved(-FloorPixels(x), -FloorPixels(y));
        const std::int64_t left = FloorPixels(from.left * kOnePixel / kTile) * kTile;
        const std::int64_t top = FloorPixels(from.top * kOnePixel / kTile) * kTile;
        const std::int64_t right = -FloorPixels(-(from.left + from.width) * kOnePixel / kTile) * kTile;
        const std::int64_t bottom = -FloorPixels(-(from.top + from.height) * kOnePixel / kTile) * kTile;
        key.clip = Box{left, top, right - left, bottom - top}.Intersected(extent);
        if (key.clip.Empty()) {
            static const CoveragePointer nothing = std::make_shared<const Coverage>();
            return nothing;
        }
    }
    if (CoveragePointer kept = kept_.Find(key))
        return kept;
    CoveragePointer drawn = Draw(key);
    return kept_.Keep(key, drawn, drawn->Bytes() + sizeof(Coverage));
}

template <class Use>
bool Glyphs::ForEachOutline(const StyledFace &styled, unsigned glyph, int fractionX, int fractionY, Use &&use) const
{
    const Face &face = *styled.face;
    FT_Face ft = face.ft.get();
    FT_Set_Transform(ft, nullptr, nullptr);
    Check(FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(style_.pixelSize)), "FT_Set_Pixel_Sizes(" + face.file + ")");
    // A colour glyph of layers is drawn as all of them together, whatever
    // their colours.
    std::vector<FT_UInt> layers;
    FT_UInt layer = 0;
    FT_UInt colour = 0;
    FT_LayerIterator iterator{};
    while (layers.size() < kMostLayers && FT_Get_Color_Glyph_Layer(ft, glyph, &layer, &colour, &iterator))
        layers.push_back(layer);
    if (layers.empty())
        layers.push_back(glyph);
    bool any = false;
    for (const FT_UInt drawn : layers) {
        if (FT_Load_Glyph(ft, drawn, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0
            || ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            continue;
        FT_Outline &outline = ft->glyph->outline;
        if (styled.emboldened)
            FT_Outline_Embolden(&outline, style_.boldStrength);
        if (styled.slanted)
            FT_Outline_Transform(&outline, &kSlant);
        // FreeType's y goes up, the picture's down.
        FT_Outline_Translate(&outline, fractionX, -fractionY);
        use(ft->glyph);
        any = true;
    }
    return any;
}

Coverage Glyphs::Outline(const StyledFace &styled, unsigned glyph, int fractionX, int fractionY) const
{
    if (style_.fieldSpread > 0) {
        std::vector<Piece> pieces;
        ForEachOutline(styled, glyph, fractionX, fractionY, [&](FT_GlyphSlot slot) {
            const std::vector<Piece> more = Pieces(slot->outline);
            pieces.insert(pieces.end(), more.begin(), more.end());
        });
        if (pieces.empty())
            return {};
        const Box box = PiecesBox(pieces, style_.fieldSpread + 1);
        if (style_.multiChannel)
            return MultiChannelFieldCoverage(pieces, box, style_.fieldSpread);
        return OutlineFieldCoverage(pieces, box, style_.fieldSpread, false);
    }
    Coverage coverage;
    ForEachOutline(styled, glyph, fractionX, fractionY, [&](FT_GlyphSlot slot) {
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0)
            coverage = Brighter(coverage, SlotCoverage(slot));
    });
    coverage.ink = Tight(coverage.bytes, coverage.pixels);
    return coverage;
}

// Only the clip is drawn, in runs: FreeType draws an outline's spans within
// it, however large the outline.
Coverage Glyphs::OutlineIn(
    const StyledFace &styled, unsigned glyph, int fractionX, int fractionY, const Box &clip) const
{
    if (style_.fieldSpread > 0) {
        std::vector<Piece> pieces;
        ForEachOutline(styled, glyph, fractionX, fractionY, [&](FT_GlyphSlot slot) {
            const std::vector<Piece> more = Pieces(slot->outline);
            pieces.insert(pieces.end(), more.begin(), more.end());
        });
        return OutlineFieldCoverage(pieces, clip, style_.fieldSpread, true);
    }
    std::vector<Spans> layers;
    ForEachOutline(styled, glyph, fractionX, fractionY, [&](FT_GlyphSlot slot) {
        // The clip's bottom left corner at FreeType's origin.
        FT_Outline_Translate(&slot->outline, -clip.left * kOnePixel, (clip.top + clip.height) * kOnePixel);
        layers.emplace_back().Render(slot->outline, clip);
    });
    RunsBuilder runs(clip);
    // Layers overlap: of several, the brighter grey of each.
    std::vector<std::uint8_t> line(layers.size() > 1 ? static_cast<std::size_t>(clip.width) : 0);
    for (std::size_t row = 0; row < static_cast<std::size_t>(clip.height); ++row) {
        if (layers.size() == 1) {
            for (const FT_Span *span = layers.front().begin(row); span != layers.front().end(row); ++span)
                runs.Add(span->x, span->len, span->coverage);
        } else if (layers.size() > 1) {
            std::fill(line.begin(), line.end(), 0);
            for (const Spans &layer : layers) {
                for (const FT_Span *span = layer.begin(row); span != layer.end(row); ++span) {
                    for (int x = span->x; x < span->x + span->len; ++x)
                        line[static_cast<std::size_t>(x)] = std::max(line[static_cast<std::size_t>(x)], span->coverage);
                }
            }
            runs.AddRow(line.data());
        }
        runs.NextRow();
    }
    return runs.Finish();
}

CoveragePointer Glyphs::Draw(const Key &key) const
{
    const StyledFace &styled = *key.face;
    if (!styled.face->outlines)
        return std::make_shared<const Coverage>(Bitmap(styled, key.glyph));
    if (!key.clip.Empty())
        return std::make_shared<const Coverage>(OutlineIn(styled, key.glyph, key.fractionX, key.fractionY, key.clip));
    return std::make_shared<const Coverage>(Outline(styled, key.glyph, key.fractionX, key.fractionY));
}

Box Glyphs::Large(const StyledFace &styled, unsigned glyph)
{
    if (!styled.face->outlines)
        return {};
    const auto id = std::pair{&styled, glyph};
    if (const auto kept = large_.Find(id))
        return *kept;
    // The outlines' box at the origin, a pixel more right and down for any
    // fraction, and the field's reach beyond.
    Box extent;
    ForEachOutline(styled, glyph, 0, 0, [&](FT_GlyphSlot slot) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        const std::int64_t left = FloorPixels(box.xMin);
        const std::int64_t top = FloorPixels(-box.yMax);
        extent = extent.United(Box{left, top, FloorPixels(box.xMax + kOnePixel - 1) + 1 - left + 1,
            FloorPixels(-box.yMin + kOnePixel - 1) + 1 - top + 1});
    });
    const std::int64_t margin = style_.fieldSpread > 0 ? style_.fieldSpread + 1 : 0;
    extent = Box{extent.left - margin, extent.top - margin, extent.width + 2 * margin, extent.height + 2 * margin};
    const Box large = extent.Area() > kMostPixelsWhole ? extent : Box{};
    large_.Keep(id, std::make_shared<const Box>(large), sizeof(Box) + kEntryBytes);
    return large;
}

std::int64_t Glyphs::Reach(const StyledFace &styled)
{
    if (const auto kept = reach_.Find(&styled))
        return *kept;
    const Face &face = *styled.face;
    const FT_BBox &box = face.ft->bbox;
    const FT_Pos units = std::max({std::abs(box.xMin), std::abs(box.xMax), std::abs(box.yMin), std::abs(box.yMax),
        static_cast<FT_Pos>(face.unitsPerEm)});
    const int drawnSize
        = face.outlines ? style_.pixelSize : std::max(face.StrikeFor(style_.pixelSize), style_.pixelSize);
    const double pixels = static_cast<double>(units) * drawnSize / std::max(face.unitsPerEm, 1u);
    const std::int64_t reach = static_cast<std::int64_t>(std::ceil(pixels * 1.25)) + FloorPixels(style_.boldStrength)
        + style_.fieldSpread + 3;
    reach_.Keep(&styled, std::make_shared<const std::int64_t>(reach), sizeof(reach) + kEntryBytes);
    return reach;
}

} // namespace raster
