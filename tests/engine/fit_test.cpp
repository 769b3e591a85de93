// Fit Glyphs to Cells without a window: the size and offsets found, and
// what is said of the cells left out.
#include "engine_support.h"

#include "fontmap/bmfont.h"
#include "fontmap/cell_names.h"
#include "fontmap/fit.h"

#include "text/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using vantor::AtlasSettings;

// The sizes of the list, 9 to 256, as a texture of that side draws them.
std::vector<std::int32_t> Sizes(int side)
{
    std::vector<std::int32_t> sizes;
    for (int size = 9; size <= 256; ++size)
        sizes.push_back(text::ToInt32(size * side / 1024.0));
    return sizes;
}

class FitTest : public testing::Test {
protected:
    // The settings fitted: at the size and offsets found.
    AtlasSettings Fit(AtlasSettings settings, std::string *told = nullptr)
    {
        const vantor::Fitted fitted = vantor::FitGlyphs(engine, settings, Sizes(settings.textureSize));
        if (told)
            *told = fitted.message;
        if (fitted.size) {
            settings.fontSize = Sizes(settings.textureSize)[*fitted.size];
            settings.dx = fitted.dx;
            settings.dy = fitted.dy;
        }
        return settings;
    }
    std::vector<int> Overflowing(const AtlasSettings &settings)
    {
        return vantor::OverflowingCells(settings.textureSize, engine.Render(settings)->Inks());
    }

    vantor::AtlasEngine engine;
};

TEST_F(FitTest, AfterAFitNoCellOverflowsAndOneSizeLargerWouldAtAnyOffsets)
{
    for (const int side : {1024, 2048, 256}) {
        AtlasSettings settings = DefaultSettings();
        settings.textureSize = side;
        const AtlasSettings fitted = Fit(settings);
        EXPECT_EQ(Overflowing(fitted), std::vector<int>{}) << side;
        AtlasSettings larger = fitted;
        const std::vector<std::int32_t> sizes = Sizes(side);
        larger.fontSize = *std::upper_bound(sizes.begin(), sizes.end(), fitted.fontSize);
        for (int moveX = -2; moveX <= 2; ++moveX) {
            for (int moveY = -2; moveY <= 2; ++moveY) {
                larger.dx = fitted.dx + moveX;
                larger.dy = fitted.dy + moveY;
                EXPECT_FALSE(Overflowing(larger).empty()) << side << ": " << moveX << ", " << moveY;
            }
        }
    }
}

TEST_F(FitTest, OnlyGlyphsThatLandOnTheTextureCanOverflowTheirSquare)
{
    // A glyph past the texture's edge is never drawn there; one that
    // reaches the texture counts whole, even past the edge.
    AtlasSettings settings = DefaultSettings();
    settings.cells = OnlyCell(0, 0, "A" + std::string(3000, ' ') + "W");
    EXPECT_EQ(Overflowing(settings), std::vector<int>{});
    settings.cells = OnlyCell(0, 0, "A" + std::string(10, ' ') + "W");
    EXPECT_EQ(Overflowing(settings), std::vector<int>{0});
    settings.cells = OnlyCell(0, 9, "AWW");
    EXPECT_EQ(Overflowing(settings), std::vector<int>{9}) << "cut off by the texture's edge";
    settings.cells = OnlyCell(0, 9, "A");
    EXPECT_EQ(Overflowing(settings), std::vector<int>{});
}

TEST_F(FitTest, TheGlyphsInkIsCentredInTheCellWithinAPixel)
{
    const AtlasSettings fitted = Fit(DefaultSettings());
    EXPECT_GT(fitted.fontSize, 72) << "Courier fits larger than the default";
    const auto font = engine.FontAt(fitted, fitted.fontSize);
    raster::Box all;
    for (const std::string &text : fitted.cells)
        all = all.United(font->InkBox(text, 0, 0, {-1024, -1024, 2048, 2048}));
    const raster::Box square = vantor::CellSquare(1024, 0, 0);
    const vantor::Pen pen = vantor::CellPen(1024, fitted.dx, fitted.dy, 0, 0);
    const std::int64_t left = pen.x + all.left;
    const std::int64_t right = square.width - (pen.x + all.left + all.width);
    const std::int64_t top = pen.y + all.top;
    const std::int64_t bottom = square.height - (pen.y + all.top + all.height);
    EXPECT_LE(std::abs(left - right), 1) << left << " " << right;
    EXPECT_LE(std::abs(top - bottom), 1) << top << " " << bottom;
    // Italic and a synthetic bold reach further, and fit too.
    const AtlasSettings serif = Fit({"DejaVu Serif", 72, 1024, 4, 30, true, true, false, DefaultCells()});
    EXPECT_EQ(Overflowing(serif), std::vector<int>{});
}

TEST_F(FitTest, AFontOfBitmapsFitsAtOneOfItsStrikesAndExportsTheSizeDrawn)
{
    // Terminus: strikes of 12 to 32 pixels, none larger.
    const AtlasSettings fitted = Fit({"Terminus", 72, 1024, 4, 30, true, false, false, DefaultCells()});
    EXPECT_EQ(fitted.fontSize, 32) << "the largest strike, not a size drawn as it";
    for (const int size : {32, 72}) {
        AtlasSettings drawn = fitted;
        drawn.fontSize = size;
        std::vector<std::string> several;
        EXPECT_EQ(vantor::BMFontOf(*engine.Render(drawn), "t_0.png", several).size, 32) << "the size drawn at " << size;
    }
}

TEST_F(FitTest, CellsThatCannotFitAreNamedAndWhenNothingCanNothingChanges)
{
    const std::string nothing
        = "Nothing changed: at no offsets does every cell's ink lie inside its square, even at the smallest size.";
    const std::string tooLarge
        = "Too large for their cells even at the smallest size, left out: WWWWWWWWWWWWWWWW\u2026";
    std::string told;
    // Twenty W, as docs/window.md says, left out: every other cell fits.
    AtlasSettings settings = DefaultSettings();
    settings.cells[44] = std::string(20, 'W');
    EXPECT_EQ(Overflowing(Fit(settings, &told)), std::vector<int>{44});
    EXPECT_EQ(told, tooLarge);
    // Only that cell: nothing can fit.
    settings.cells = OnlyCell(0, 0, std::string(20, 'W'));
    EXPECT_EQ(Fit(settings, &told), settings);
    EXPECT_EQ(told, nothing + " " + tooLarge);
    // Each ink small, but one far right of its pen and one at it: no pen
    // puts both inside.
    std::string farRight(61, ' ');
    farRight.back() = 'x';
    settings.cells = OnlyCell(0, 0, farRight);
    settings.cells[1] = "x";
    EXPECT_EQ(Fit(settings, &told), settings);
    EXPECT_EQ(told, nothing);
    // Nothing to fit: silence.
    settings.cells = OnlyCell(0, 0, "");
    EXPECT_EQ(Fit(settings, &told), settings);
    EXPECT_EQ(told, "");
}

} // namespace
