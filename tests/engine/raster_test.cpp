#include "font_oracles.h"
#include "greys.h"

#include "raster/font.h"
#include "raster/fonts.h"
#include "raster/texture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The default grid's characters and some that kern, join or combine.
std::vector<std::string> Texts()
{
    std::vector<std::string> texts;
    for (char c = ' '; c <= '~'; ++c)
        texts.emplace_back(1, c);
    for (const char *more : {"AV", "To", "fi", "\xD8\xA8", "\xD8\xA8\xD8\xA8", "e\xCC\x81", "**********"})
        texts.emplace_back(more);
    return texts;
}

TEST(RasterTest, EveryAdvanceIsHarfBuzzsExactlyForARealAndASyntheticFace)
{
    raster::Fonts fonts;
    for (const auto &[family, bold, file] : {std::tuple{"DejaVu Sans", false, "DejaVuSans.ttf"},
             {"DejaVu Sans", true, "DejaVuSans-Bold.ttf"}, {"Courier", true, "DejaVuSansMono-Bold.ttf"}}) {
        for (const int size : {9, 13, 72, 144}) {
            const std::shared_ptr<raster::Font> font = fonts.Of(family, size, bold, false);
            for (const std::string &text : Texts()) {
                ASSERT_EQ(font->Advance(text), HarfBuzzAdvance(TestFontFile(file), size, text))
                    << family << " " << size << " " << text;
            }
        }
    }
    // DejaVu Serif has no bold face: each glyph that advances grows by a
    // 24th of the size.
    const std::shared_ptr<raster::Font> serif = fonts.Of("DejaVu Serif", 72, true, false);
    EXPECT_EQ(serif->Advance("AV"), HarfBuzzAdvance(TestFontFile("DejaVuSerif.ttf"), 72, "AV") + 2 * 3.0);
}

TEST(RasterTest, GlyphsAreFreeTypesUnhintedGreysAtThePen)
{
    raster::Fonts fonts;
    for (const int size : {13, 72}) {
        const std::shared_ptr<raster::Font> font = fonts.Of("DejaVu Sans", size, false, false);
        raster::Texture texture(200, 200);
        for (const raster::Blit &blit : font->Place("g", 60, 120, texture.Bounds()).blits)
            texture.Draw(blit, texture.Bounds());
        const auto [glyph, left, top] = FreeTypeGlyph(TestFontFile("DejaVuSans.ttf"), size, U'g');
        const Greys drawn(texture);
        EXPECT_EQ(drawn.Copy(60 + left, 120 + top, glyph.width, glyph.height), glyph) << size;
        const raster::Box ink = InkBounds(drawn);
        const raster::Box glyphInk = InkBounds(glyph);
        EXPECT_EQ(std::pair(ink.width, ink.height), std::pair(glyphInk.width, glyphInk.height)) << "nothing else drawn";
    }
}

TEST(RasterTest, WhatTheFaceLacksComesFromTheNextFaceWithIt)
{
    raster::Fonts fonts;
    const std::string heart = "\xE2\x9D\xA4\xEF\xB8\x8F"; // U+2764 U+FE0F: the emoji, not the dingbat
    const std::string keycap = "1\xEF\xB8\x8F\xE2\x83\xA3"; // 1, U+FE0F, U+20E3
    for (int size = 9; size <= 256; size += 13) {
        const std::shared_ptr<raster::Font> courier = fonts.Of("Courier", size, true, false);
        EXPECT_EQ(courier->Advance(heart), HarfBuzzAdvance(TestFontFile("NotoColorEmoji.ttf"), size, heart)) << size;
        EXPECT_FALSE(courier->Place(heart, 0, 0, {-1000, -1000, 2000, 2000}).box.Empty()) << "drawn at " << size;
        EXPECT_EQ(courier->Shape(keycap)->glyphs.size(), 1u) << "a keycap is one glyph";
    }
}

TEST(RasterTest, AFontOfBitmapsDrawsTheStrikeNearestTheSizeAtOrBelowIt)
{
    raster::Fonts fonts;
    // Terminus has strikes of 12, 14, 16, 18, 20, 22, 24, 28 and 32 pixels.
    std::map<int, std::int64_t> heights; // of M, by strike
    for (const auto &[size, strike] : {std::pair{9, 12}, {12, 12}, {13, 12}, {16, 16}, {27, 24}, {32, 32}, {72, 32}}) {
        const std::shared_ptr<raster::Font> terminus = fonts.Of("Terminus", size, false, false);
        EXPECT_EQ(terminus->DrawnSize(), strike) << size;
        const std::int64_t height = terminus->Place("M", 0, 0, {-1000, -1000, 2000, 2000}).box.height;
        EXPECT_EQ(heights.emplace(strike, height).first->second, height) << "the same strike at " << size;
    }
    for (auto strike = heights.begin(); std::next(strike) != heights.end(); ++strike)
        EXPECT_LT(strike->second, std::next(strike)->second) << "a larger strike at " << std::next(strike)->first;
}

} // namespace
