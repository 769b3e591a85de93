#pragma once

#include "raster/face_list.h"
#include "raster/glyphs.h"
#include "raster/lru_cache.h"
#include "raster/shaping.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace raster {

// A glyph's coverage placed on a picture: its top left corner there.
struct Blit {
    CoveragePointer coverage;
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// What of a text can show on a picture: its glyphs that reach it, and the
// box of their pixels.
struct Placed {
    std::vector<Blit> blits;
    Box box;
};

class Fonts;

// A family in a style: its faces, and the texts shaped with them, which
// every size of it shares.
class Style {
public:
    Style(Fonts &fonts, const std::string &family, bool bold, bool italic);

    FaceList &Faces() { return faces_; }
    const FaceList &Faces() const { return faces_; }
    // The text shaped with ligatures: kept for texts used again.
    std::shared_ptr<const UnitShaped> Shape(std::string_view text);

private:
    FaceList faces_;
    Cached<std::string, const UnitShaped> shaped_;
};

// A family at a size and style, as texts are measured and drawn with it,
// and what it keeps of them, in its fonts' cache.
class Font {
public:
    // Above 0, `fieldSpread` draws each glyph as its distance field, over
    // that many pixels either side of its edge.
    // `multiChannel` adds the multi-channel field of outlines.
    Font(Fonts &fonts, std::shared_ptr<Style> style, int pixelSize, int fieldSpread, bool multiChannel);

    // The text laid out once: kept for texts used again.
    std::shared_ptr<const Shaped> Shape(std::string_view text);
    // Its advance, in pixels.
    double Advance(std::string_view text) { return FromF26Dot6(Shape(text)->advance); }
    // For every ordered pair of the texts, row by row: how much further
    // the two advance laid out together than one after the other, without
    // ligatures, in pixels.
    std::vector<double> Kernings(const std::vector<std::string> &texts);

    // The primary face's ascent and baseline-to-baseline distance, at the
    // size drawn.
    double Ascent();
    double LineSpacing();
    // The size drawn: a face of bitmaps only draws its strike for the size.
    int DrawnSize() const;
    // The faces it draws with.
    const FaceList &Faces() const { return style_->Faces(); }

    // The glyphs of the text with its pen at (x, y) that reach the area.
    Placed Place(std::string_view text, std::int64_t x, std::int64_t y, const Box &area);
    // The pixels those of its glyphs ink, each whole: what can overflow
    // there. A glyph too large to draw whole counts as inking its
    // outline's box.
    Box InkBox(std::string_view text, std::int64_t x, std::int64_t y, const Box &area);

    // The same of a pen at (0, 0) within `side` pixels of it each way: as
    // far as a text can lie and land on a texture of that side with its pen
    // anywhere on it. Kept for texts used again.
    Box InkNearPen(std::string_view text, std::int64_t side);

private:
    // Calls visit(glyph, originX, originY) for each glyph of the text with
    // its pen at (x, y) that may reach the area, in order.
    template <class Visit>
    void ForEachNear(std::string_view text, std::int64_t x, std::int64_t y, const Box &area, Visit &&visit);

    std::shared_ptr<Style> style_;
    int pixelSize_;
    Layout layout_;
    Glyphs glyphs_;
    Cached<std::string, const Shaped> laid_;
    Cached<std::pair<std::string, std::int64_t>, const Box> nearInk_;
};

} // namespace raster
