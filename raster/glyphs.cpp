#include "raster/glyphs.h"

#include "raster/distance_field.h"

#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <functional>

namespace raster {
namespace {

// FreeType's own slant for a synthetic italic: about 12 degrees.
constexpr FT_Matrix kSlant{0x10000, 0x0366A, 0, 0x10000};

// The box of the pixels that are not 0: the rows found by OR-ing each, the
// columns by OR-ing the rows together, both without a branch per pixel.
Box Tight(const std::vector<std::uint8_t> &bytes, const Box &pixels)
{
    const auto width = static_cast<std::size_t>(pixels.width);
    static std::vector<std::uint8_t> columns;
    columns.assign(width, 0);
    std::int64_t top = -1;
    std::int64_t bottom = -1;
    for (std::int64_t y = 0; y < pixels.height; ++y) {
        const std::uint8_t *__restrict line = bytes.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t *__restrict any = columns.data();
        std::uint8_t row = 0;
        for (std::size_t x = 0; x < width; ++x) {
            any[x] |= line[x];
            row |= line[x];
        }
        if (row != 0) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    if (top < 0)
        return {};
    const auto first = std::find_if(columns.begin(), columns.end(), [](std::uint8_t c) { return c != 0; });
    const auto last = std::find_if(columns.rbegin(), columns.rend(), [](std::uint8_t c) { return c != 0; });
    const std::int64_t left = first - columns.begin();
    const std::int64_t right = static_cast<std::int64_t>(width) - 1 - (last - columns.rbegin());
    return Box{pixels.left + left, pixels.top + top, right - left + 1, bottom - top + 1};
}

// The bitmap FreeType rendered, as 8-bit coverage: greys as they are,
// colour by its alpha, every other depth converted and stretched to 0..255.
std::vector<std::uint8_t> Greys(const FT_Bitmap &rendered)
{
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    const bool eightBits = rendered.pixel_mode == FT_PIXEL_MODE_GRAY || rendered.pixel_mode == FT_PIXEL_MODE_BGRA;
    if (!eightBits)
        Check(FT_Bitmap_Convert(Library(), &rendered, &converted, 1), "FT_Bitmap_Convert");
    const FT_Bitmap &bitmap = eightBits ? rendered : converted;
    const int levels = eightBits ? 256 : std::max<int>(bitmap.num_grays, 2);
    const auto width = static_cast<std::size_t>(bitmap.width);
    std::vector<std::uint8_t> bytes(width * bitmap.rows);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char *from = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t *to = bytes.data() + y * width;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_BGRA) {
            for (std::size_t x = 0; x < width; ++x)
                to[x] = from[4 * x + 3];
        } else if (levels == 256) {
            std::copy_n(from, width, to);
        } else {
            for (std::size_t x = 0; x < width; ++x)
                to[x] = static_cast<std::uint8_t>(from[x] * 255 / (levels - 1));
        }
    }
    FT_Bitmap_Done(Library(), &converted);
    return bytes;
}

// Coverage scaled by a factor, each pixel the mean of the source area it
// covers.
std::vector<std::uint8_t> Scaled(const std::vector<std::uint8_t> &from, std::int64_t width, std::int64_t height,
    double factor, std::int64_t toWidth, std::int64_t toHeight)
{
    std::vector<std::uint8_t> to(static_cast<std::size_t>(toWidth * toHeight));
    const auto spans = [factor](std::int64_t count, std::int64_t limit) {
        // For each target pixel, the source pixels it covers and how much.
        std::vector<std::vector<std::pair<std::int64_t, double>>> weights(static_cast<std::size_t>(count));
        for (std::int64_t i = 0; i < count; ++i) {
            const double start = i / factor;
            const double end = (i + 1) / factor;
            for (auto s = static_cast<std::int64_t>(std::floor(start)); s < end && s < limit; ++s) {
                const double overlap = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
                if (s >= 0 && overlap > 0)
                    weights[static_cast<std::size_t>(i)].emplace_back(s, overlap * factor);
            }
        }
        return weights;
    };
    const auto across = spans(toWidth, width);
    const auto down = spans(toHeight, height);
    for (std::int64_t y = 0; y < toHeight; ++y) {
        for (std::int64_t x = 0; x < toWidth; ++x) {
            double sum = 0;
            for (const auto &[sy, wy] : down[static_cast<std::size_t>(y)]) {
                for (const auto &[sx, wx] : across[static_cast<std::size_t>(x)])
                    sum += from[static_cast<std::size_t>(sy * width + sx)] * wx * wy;
            }
            to[static_cast<std::size_t>(y * toWidth + x)] = static_cast<std::uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    return to;
}

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

Box Box::United(const Box &other) const
{
    if (Empty())
        return other;
    if (other.Empty())
        return *this;
    const std::int64_t l = std::min(left, other.left);
    const std::int64_t t = std::min(top, other.top);
    return {l, t, std::max(left + width, other.left + other.width) - l, std::max(top + height, other.top + other.height) - t};
}

Box Box::Intersected(const Box &other) const
{
    const std::int64_t l = std::max(left, other.left);
    const std::int64_t t = std::max(top, other.top);
    const std::int64_t r = std::min(left + width, other.left + other.width);
    const std::int64_t b = std::min(top + height, other.top + other.height);
    return r > l && b > t ? Box{l, t, r - l, b - t} : Box{};
}

std::size_t Glyphs::KeyHash::operator()(const Key &key) const
{
    return std::hash<const void *>()(key.face) ^ (std::size_t{key.glyph} * 0x9E3779B97F4A7C15ULL)
        ^ (static_cast<std::size_t>(key.fractionX) << 7) ^ static_cast<std::size_t>(key.fractionY);
}

CoveragePointer Glyphs::At(const StyledFace &face, unsigned glyph, F26Dot6 x, F26Dot6 y)
{
    const Key key{&face, glyph, static_cast<int>(x - FloorPixels(x) * kOnePixel),
        static_cast<int>(y - FloorPixels(y) * kOnePixel)};
    if (const auto kept = kept_.find(key); kept != kept_.end())
        return kept->second;
    CoveragePointer drawn = Draw(face, glyph, key.fractionX, key.fractionY);
    // Any text may come: what is kept stays within a budget.
    constexpr std::size_t kMostKeptBytes = 32 << 20;
    if (keptBytes_ + drawn->bytes.size() > kMostKeptBytes) {
        kept_.clear();
        keptBytes_ = 0;
    }
    keptBytes_ += drawn->bytes.size() + sizeof(Coverage);
    kept_.emplace(key, drawn);
    return drawn;
}

// The glyph's greys at `scale` times the size, its origin at the fraction
// of a pixel given, scaled with it: the box lies from the origin's pixel.
Coverage Glyphs::Rendered(const StyledFace &styled, unsigned glyph, int fractionX, int fractionY, int scale) const
{
    Coverage coverage;
    const Face &face = *styled.face;
    FT_Face ft = face.ft.get();
    FT_Set_Transform(ft, nullptr, nullptr);
    if (face.outlines) {
        Check(FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(style_.pixelSize * scale)),
            "FT_Set_Pixel_Sizes(" + face.file + ")");
        if (FT_Load_Glyph(ft, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0
            || ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return coverage;
        FT_Outline &outline = ft->glyph->outline;
        if (styled.emboldened)
            FT_Outline_Embolden(&outline, style_.boldStrength * scale);
        if (styled.slanted)
            FT_Outline_Transform(&outline, &kSlant);
        // FreeType's y goes up, the picture's down.
        FT_Outline_Translate(&outline, fractionX * scale, -fractionY * scale);
        if (FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0)
            return coverage;
        const FT_Bitmap &bitmap = ft->glyph->bitmap;
        coverage.bytes = Greys(bitmap);
        coverage.pixels = Box{ft->glyph->bitmap_left, -ft->glyph->bitmap_top, bitmap.width, bitmap.rows};
        return coverage;
    }
    const int strike = face.colour ? face.strikes.empty() ? 0 : face.strikes.back() : face.StrikeFor(style_.pixelSize);
    SelectStrike(ft, strike, face.file);
    if (FT_Load_Glyph(ft, glyph, face.colour ? FT_LOAD_COLOR : FT_LOAD_DEFAULT) != 0
        || FT_Render_Glyph(ft->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return coverage;
    const FT_Bitmap &bitmap = ft->glyph->bitmap;
    std::vector<std::uint8_t> bytes = Greys(bitmap);
    Box pixels{ft->glyph->bitmap_left, -ft->glyph->bitmap_top, bitmap.width, bitmap.rows};
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
    coverage.bytes = std::move(bytes);
    coverage.pixels = pixels;
    return coverage;
}

CoveragePointer Glyphs::Draw(const StyledFace &styled, unsigned glyph, int fractionX, int fractionY) const
{
    auto coverage = std::make_shared<Coverage>(Rendered(styled, glyph, fractionX, fractionY, 1));
    if (style_.fieldSpread > 0 && !coverage->pixels.Empty()) {
        // Measured on greys drawn finer, as fine as a 288-pixel em or more,
        // from the outline where there is one.
        const int factor = style_.pixelSize >= 128 ? 2 : style_.pixelSize >= 48 ? 4 : 8;
        FineCoverage fine;
        if (styled.face->outlines) {
            Coverage finer = Rendered(styled, glyph, fractionX, fractionY, factor);
            fine = FineCoverage{std::move(finer.bytes), finer.pixels, factor};
        } else {
            fine = Finer(*coverage, factor);
        }
        *coverage = DistanceField(fine, style_.fieldSpread);
    }
    coverage->ink = Tight(coverage->bytes, coverage->pixels);
    return coverage;
}

std::int64_t Glyphs::Reach(const StyledFace &styled)
{
    if (const auto kept = reach_.find(&styled); kept != reach_.end())
        return kept->second;
    const Face &face = *styled.face;
    const FT_BBox &box = face.ft->bbox;
    const FT_Pos units = std::max({std::abs(box.xMin), std::abs(box.xMax), std::abs(box.yMin), std::abs(box.yMax),
        static_cast<FT_Pos>(face.unitsPerEm)});
    const int drawnSize = face.outlines ? style_.pixelSize : std::max(face.StrikeFor(style_.pixelSize), style_.pixelSize);
    const double pixels = static_cast<double>(units) * drawnSize / std::max(face.unitsPerEm, 1u);
    const std::int64_t reach
        = static_cast<std::int64_t>(std::ceil(pixels * 1.25)) + FloorPixels(style_.boldStrength) + style_.fieldSpread + 3;
    reach_.emplace(&styled, reach);
    return reach;
}

} // namespace raster
