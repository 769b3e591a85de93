#include "engine_support.h"
#include "font_oracles.h"

#include "raster/edge_colours.h"
#include "raster/multi_channel_field.h"
#include "raster/outline_distance.h"
#include "raster/outline_field.h"

#include FT_OUTLINE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <numbers>
#include <type_traits>

namespace {

// The signed distance (inside positive) the field measures from each
// pixel's centre of the box, in pixels; NaN beyond the reach.
std::vector<double> Distances(const std::vector<raster::Piece> &pieces, const raster::Box &box, float reach)
{
    raster::OutlineDistance distance(pieces, box, reach);
    std::vector<double> all;
    for (std::int64_t y = 0; y < box.height; ++y) {
        const raster::OutlineDistance::Row row = distance.Next();
        for (std::int32_t x = 0; x < box.width; ++x) {
            const bool in = std::any_of(row.inside.begin(), row.inside.end(),
                [x](const raster::Span &span) { return span.from <= x && x < span.to; });
            const bool measured = x >= row.first && x <= row.last && row.squares[0][x] < distance.Far();
            all.push_back(!measured ? std::nan("") : (in ? 1 : -1) * std::sqrt(double{row.squares[0][x]}));
        }
    }
    return all;
}

// The pieces of a contour as FreeType holds it (26.6, y up), its points
// on the outline or, where `on` says not, a curve's control points.
std::vector<raster::Piece> ContourPieces(std::vector<FT_Vector> points, const std::vector<bool> &on)
{
    // Field by field: FreeType 2.13 made the counts, tags and ends unsigned.
    using Tag = std::remove_pointer_t<decltype(FT_Outline::tags)>;
    std::vector<Tag> tags;
    for (const bool point : on)
        tags.push_back(static_cast<Tag>(point ? FT_CURVE_TAG_ON : FT_CURVE_TAG_CONIC));
    std::remove_pointer_t<decltype(FT_Outline::contours)> ends[] = {
        static_cast<std::remove_pointer_t<decltype(FT_Outline::contours)>>(points.size() - 1)};
    FT_Outline outline{};
    outline.n_contours = 1;
    outline.n_points = static_cast<decltype(outline.n_points)>(points.size());
    outline.points = points.data();
    outline.tags = tags.data();
    outline.contours = ends;
    outline.flags = FT_OUTLINE_NONE;
    return raster::Pieces(outline);
}

// The pieces of a square from (10.25, 12.5) to (40.75, 43), y down, moved
// `right` pixels, drawn one way round or the other.
std::vector<raster::Piece> SquarePieces(int right = 0, bool reversed = false)
{
    const int shift = right * 64;
    std::vector<FT_Vector> corners{{10 * 64 + 16 + shift, -12 * 64 - 32}, {10 * 64 + 16 + shift, -43 * 64},
        {40 * 64 + 48 + shift, -43 * 64}, {40 * 64 + 48 + shift, -12 * 64 - 32}};
    if (reversed)
        std::reverse(corners.begin(), corners.end());
    return ContourPieces(corners, {true, true, true, true});
}

// A square as FreeType holds an outline (26.6, y up) and a circle of 4096
// pieces beside it, both far enough apart that each pixel's nearest edge
// is its own shape's: the field of each is its distance in closed form.
TEST(OutlineDistanceTest, ASquareAndACircleAreMeasuredToAHundredthOfAPixel)
{
    std::vector<raster::Piece> pieces = SquarePieces();
    const double cx = 100.4;
    const double cy = 30.7;
    const double r = 20.3;
    constexpr int kSides = 4096;
    for (int i = 0; i < kSides; ++i) {
        const double a = 2 * std::numbers::pi * i / kSides;
        const double b = 2 * std::numbers::pi * (i + 1) / kSides;
        pieces.push_back(
            {cx + r * std::cos(a), cy + r * std::sin(a), cx + r * std::cos(b), cy + r * std::sin(b), i + 1 == kSides});
    }
    const auto exact = [&](double x, double y) {
        const double ox = std::max(std::abs(x - 25.5) - 15.25, 0.0);
        const double oy = std::max(std::abs(y - 27.75) - 15.25, 0.0);
        const double toSquare = ox > 0 || oy > 0 ? -std::hypot(ox, oy)
                                                 : std::min(15.25 - std::abs(x - 25.5), 15.25 - std::abs(y - 27.75));
        const double toCircle = r - std::hypot(x - cx, y - cy);
        return x < 62 ? toSquare : toCircle;
    };
    for (const float reach : {9.0F, 17.0F}) {
        SCOPED_TRACE(reach);
        const raster::Box box = raster::PiecesBox(pieces, 20).Moved(-3, -2);
        const std::vector<double> measured = Distances(pieces, box, reach);
        int checked = 0;
        for (std::int64_t y = 0; y < box.height; ++y) {
            for (std::int64_t x = 0; x < box.width; ++x) {
                const double want = exact(box.left + x + 0.5, box.top + y + 0.5);
                const double got = measured[static_cast<std::size_t>(y * box.width + x)];
                if (std::abs(want) < reach - 0.01) {
                    ASSERT_NEAR(got, want, 0.01) << "at " << box.left + x << ", " << box.top + y;
                    ++checked;
                } else if (std::abs(want) > reach + 0.01) {
                    ASSERT_TRUE(std::isnan(got)) << "beyond the reach at " << box.left + x << ", " << box.top + y;
                }
            }
        }
        EXPECT_GT(checked, 4000);
    }
}

// A picture with the text drawn at the pen, as coverage or as its field.
Greys Drawn(const std::string &text, int size, int x, int y, int spread)
{
    raster::Fonts fonts;
    return DrawnAt(fonts.Of("DejaVu Sans", size, false, false, spread), text, 400, 400, x, y);
}

int Grey(const Greys &image, int x, int y)
{
    return image.At(x, y);
}

TEST(DistanceFieldTest, GreysMeasureTheDistanceToTheEdgeOverTheSpread)
{
    for (const int spread : {8, 16}) {
        SCOPED_TRACE(spread);
        const std::string block = "\xE2\x96\x88"; // U+2588, a full block
        const Greys coverage = Drawn(block, 300, 100, 350, 0);
        const Greys field = Drawn(block, 300, 100, 350, spread);
        // Across the block's straight left edge, from far left of it to far
        // inside.
        for (int y = 150; y < 250; y += 7) {
            int edge = 0; // the first pixel of the stem's left edge
            while (Grey(coverage, edge, y) == 0)
                ++edge;
            // The edge lies within that pixel, as far from its right side
            // as the pixel is covered.
            const double at = edge + 1 - Grey(coverage, edge, y) / 255.0;
            for (int x = edge - spread + 1; x < edge + spread; ++x) {
                const double expected = 127.5 + (x + 0.5 - at) * 127.5 / spread;
                EXPECT_NEAR(Grey(field, x, y), std::clamp(expected, 0.0, 255.0), 1.0) << x << ", " << y;
            }
            EXPECT_EQ(Grey(field, edge - spread - 2, y), 0) << "far outside";
            EXPECT_EQ(Grey(field, edge + spread + 1, y), 255) << "deep inside";
            for (int x = edge - spread; x < edge + spread; ++x)
                EXPECT_LT(Grey(field, x, y), Grey(field, x + 1, y)) << "rising into the block at " << x;
        }
    }
}

TEST(DistanceFieldTest, GlyphsThatComeNearCombineAsTheirUnion)
{
    const Greys left = Drawn("l", 100, 100, 200, 8);
    const Greys right = Drawn("l", 100, 118, 200, 8);
    raster::Fonts fonts;
    const auto font = fonts.Of("DejaVu Sans", 100, false, false, 8);
    raster::Texture both(400, 400);
    for (const int x : {100, 118}) {
        for (const raster::Blit &blit : font->Place("l", x, 200, both.Bounds()).blits)
            both.Draw(blit, both.Bounds());
    }
    const Greys together(both);
    int shared = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 400; ++x) {
            ASSERT_EQ(Grey(together, x, y), std::max(Grey(left, x, y), Grey(right, x, y))) << x << ", " << y;
            shared += Grey(left, x, y) > 0 && Grey(right, x, y) > 0;
        }
    }
    EXPECT_GT(shared, 100) << "the fields overlap";
}

float Median(float a, float b, float c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// A square's four edges meet at corners: within the reach, its channels'
// median is the distance to the nearer of its sides' lines, inside and
// out, so that cutting it at 0 gives the square with sharp corners, where
// a single channel rounds them; the fourth value is the true distance. So
// too for a square beside it drawn the other way round, which the non-zero
// rule fills as well.
TEST(MultiChannelFieldTest, TheMedianOfASquaresChannelsKeepsItsCornersSharp)
{
    std::vector<raster::Piece> pieces = SquarePieces();
    const std::vector<raster::Piece> reversed = SquarePieces(80, true);
    pieces.insert(pieces.end(), reversed.begin(), reversed.end());
    const std::vector<std::uint8_t> colours = raster::EdgeColours(pieces);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const std::uint8_t shared = colours[i] & colours[(i + 1) % colours.size()];
        EXPECT_TRUE(shared == 1 || shared == 2 || shared == 4) << "corner " << i << " shares one channel";
    }
    for (const float reach : {9.0F, 17.0F}) {
        SCOPED_TRACE(reach);
        const raster::Box box = raster::PiecesBox(pieces, static_cast<std::int64_t>(reach) + 1);
        const raster::ChannelDistances field = raster::MultiChannelDistances(pieces, box, reach);
        for (std::int64_t y = 0; y < box.height; ++y) {
            for (std::int64_t x = 0; x < box.width; ++x) {
                const double centre = box.left + x + 0.5 < 65.5 ? 25.5 : 105.5;
                const double dx = std::abs(box.left + x + 0.5 - centre) - 15.25;
                const double dy = std::abs(box.top + y + 0.5 - 27.75) - 15.25;
                const double sharp = -std::max(dx, dy);
                const double exact = dx > 0 || dy > 0 ? -std::hypot(std::max(dx, 0.0), std::max(dy, 0.0)) : sharp;
                const auto at = static_cast<std::size_t>(y * box.width + x);
                const float *c = field.channels.data() + at * 3;
                if (std::abs(exact) < reach - 0.01) {
                    ASSERT_NEAR(Median(c[0], c[1], c[2]), sharp, 0.01) << "at " << box.left + x << ", " << box.top + y;
                    ASSERT_NEAR(field.distances[at], exact, 0.01) << "at " << box.left + x << ", " << box.top + y;
                }
            }
        }
    }
}

// A circle of four curves a quarter of a pixel across, two of its joins
// bent by a tenth of a right angle: the edges change colour there, where the
// curves' own tangents meet at a corner, however few pieces draw them; and
// nowhere else, where they meet smoothly.
TEST(MultiChannelFieldTest, EdgesChangeColourWhereTheCurvesTangentsMeetAtACorner)
{
    const std::vector<raster::Piece> pieces = ContourPieces(
        {{16, 0}, {13, 16}, {0, 16}, {-16, 16}, {-16, 0}, {-13, -16}, {0, -16}, {16, -16}},
        {true, false, true, false, true, false, true, false});
    const std::vector<std::uint8_t> colours = raster::EdgeColours(pieces);
    std::vector<std::pair<double, double>> changes;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (colours[k] != colours[k == 0 ? pieces.size() - 1 : k - 1])
            changes.emplace_back(pieces[k].x0, pieces[k].y0);
    }
    EXPECT_EQ(changes, (std::vector<std::pair<double, double>>{{0.25, 0}, {-0.25, 0}}));
}

// Glyphs with thin serifs and small counters, and accented capitals whose
// accents overlap them, their multi-channel field magnified sixteen times
// as a reader filters it, in floats, and cut at its median's half: no point
// further than a texel and a half from the outline inks wrongly, inside or
// out.
TEST(MultiChannelFieldTest, NoStrayTexelInksWhenTheFieldIsMagnified)
{
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    const std::pair<const char *, std::u32string> sets[]
        = {{"DejaVuSerif.ttf", U"eag&%"}, {"DejaVuSansMono-Bold.ttf", U"\u0118\u015E\u0162\u016E\u0172"}};
    for (const auto &[file, codes] : sets) {
        FT_Face face = nullptr;
        ASSERT_EQ(FT_New_Face(library, TestFontFile(file).c_str(), 0, &face), 0);
        for (const int size : {24, 72}) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
            for (const char32_t c : codes) {
                SCOPED_TRACE(std::to_string(c) + " at " + std::to_string(size));
                ASSERT_EQ(FT_Load_Char(face, c, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP), 0);
                FT_Outline_Translate(&face->glyph->outline, 23, -41);
                const std::vector<raster::Piece> pieces = raster::Pieces(face->glyph->outline);
                const raster::Box box = raster::PiecesBox(pieces, 9);
                const raster::Coverage field = raster::MultiChannelFieldCoverage(pieces, box, 8);
                ASSERT_EQ(field.colour.size(), field.bytes.size() * 3);
                const std::vector<double> exact = Distances(pieces, box, 40);
                const auto channel = [&](std::int64_t x, std::int64_t y, int k) {
                    return field.colour[static_cast<std::size_t>((y * box.width + x) * 3 + k)] / 255.0;
                };
                int stray = 0;
                for (std::int64_t y = 0; y + 1 < box.height; ++y) {
                    for (std::int64_t x = 0; x + 1 < box.width; ++x) {
                        for (int sy = 0; sy < 16; ++sy) {
                            for (int sx = 0; sx < 16; ++sx) {
                                const double fx = (sx + 0.5) / 16;
                                const double fy = (sy + 0.5) / 16;
                                std::array<double, 3> v{};
                                for (int k = 0; k < 3; ++k) {
                                    v[k] = (channel(x, y, k) * (1 - fx) + channel(x + 1, y, k) * fx) * (1 - fy)
                                        + (channel(x, y + 1, k) * (1 - fx) + channel(x + 1, y + 1, k) * fx) * fy;
                                }
                                const bool inks = Median(static_cast<float>(v[0]), static_cast<float>(v[1]),
                                                      static_cast<float>(v[2]))
                                    >= 0.5F;
                                // The true distance there, from the pixel centres
                                // around, is off by less than the pixel's size.
                                const double d
                                    = exact[static_cast<std::size_t>((y + (fy >= 0.5)) * box.width + x + (fx >= 0.5))];
                                if (std::abs(d) > 1.5 && inks != (d > 0))
                                    ++stray;
                            }
                        }
                    }
                }
                EXPECT_EQ(stray, 0);
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
}

} // namespace
