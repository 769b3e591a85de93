#include "harfbuzz_oracle.h"
#include "test_support.h"

#include "raster/font.h"

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
    for (const auto &[family, bold, file] : {std::tuple{"DejaVu Sans", false, "DejaVuSans.ttf"},
             {"DejaVu Sans", true, "DejaVuSans-Bold.ttf"}, {"Courier", true, "DejaVuSansMono-Bold.ttf"}}) {
        for (const int size : {9, 13, 72, 144}) {
            raster::Font font(family, size, bold, false);
            for (const std::string &text : Texts())
                ASSERT_EQ(font.Advance(text), HarfBuzzAdvance(TestFontFile(file), size, text)) << family << " " << size << " " << text;
        }
    }
    // DejaVu Serif has no bold face: each glyph that advances grows by a
    // 24th of the size, rounded to a 64th.
    raster::Font serif("DejaVu Serif", 72, true, false);
    EXPECT_EQ(serif.Advance("AV"), HarfBuzzAdvance(TestFontFile("DejaVuSerif.ttf"), 72, "AV") + 2 * 3.0);
}

} // namespace
