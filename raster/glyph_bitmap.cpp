// Glyphs of bitmap strikes, colour or not, as coverage.
#include "raster/glyphs.h"

#include "raster/bitmap_greys.h"
#include "raster/distance_field.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace raster {
namespace {

void SelectStrike(FT_Face face, int strike, const std::string &file)
{
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
        if ((face->available_sizes[i].y_ppem + 32) / 64 == strike) {
            Check(FT_Select_Size(face, i), "FT_Select_Size(" + file + ")");
            return;
        }
    }
}

} // namespace

Coverage Glyphs::Bitmap(const StyledFace &styled, unsigned glyph) const
{
    const Face &face = *styled.face;
    FT_Face ft = face.ft.get();
    FT_Set_Transform(ft, nullptr, nullptr);
    const int strike = face.colour ? face.strikes.empty() ? 0 : face.strikes.back() : face.StrikeFor(style_.pixelSize);
    SelectStrike(ft, strike, face.file);
    if (FT_Load_Glyph(ft, glyph, face.colour ? FT_LOAD_COLOR : FT_LOAD_DEFAULT) != 0
        || FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return {};
    Coverage coverage = SlotCoverage(ft->glyph);
    std::vector<std::uint8_t> &bytes = coverage.bytes;
    Box &pixels = coverage.pixels;
    if (face.colour && strike > 0 && strike != style_.pixelSize && !pixels.Empty()) {
        const double factor = static_cast<double>(style_.pixelSize) / strike;
        const Box scaled{static_cast<std::int64_t>(std::floor(pixels.left * factor)),
            static_cast<std::int64_t>(std::floor(pixels.top * factor)),
            std::max<std::int64_t>(1, std::llround(pixels.width * factor)),
            std::max<std::int64_t>(1, std::llround(pixels.height * factor))};
        bytes = Scaled(bytes, pixels.width, pixels.height, factor, scaled.width, scaled.height);
        pixels = scaled;
    }
    if (styled.emboldened && !pixels.Empty()) {
        // One pixel wider to the right, as FreeType emboldens a bitmap.
        std::vector<std::uint8_t> wider(static_cast<std::size_t>((pixels.width + 1) * pixels.height));
        for (std::int64_t row = 0; row < pixels.height; ++row) {
            const std::uint8_t *from = bytes.data() + row * pixels.width;
            std::uint8_t *to = wider.data() + row * (pixels.width + 1);
            to[0] = from[0];
            for (std::int64_t column = 1; column < pixels.width; ++column)
                to[column] = std::max(from[column], from[column - 1]);
            to[pixels.width] = from[pixels.width - 1];
        }
        bytes = std::move(wider);
        ++pixels.width;
    }
    if (style_.fieldSpread > 0 && !pixels.Empty()) {
        // Measured on the greys enlarged: a bitmap has no outline.
        const int factor = style_.pixelSize >= 128 ? 2 : style_.pixelSize >= 48 ? 4 : 8;
        coverage = DistanceField(Finer(coverage, factor), style_.fieldSpread);
    }
    coverage.ink = Tight(coverage.bytes, coverage.pixels);
    return coverage;
}

} // namespace raster
