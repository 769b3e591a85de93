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
            ASSERT_EQ(together.At(x, y), std::max(left.At(x, y), right.At(x, y))) << x << ", " << y;
            shared += left.At(x, y) > 0 && right.At(x, y) > 0;
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

} // namespace
