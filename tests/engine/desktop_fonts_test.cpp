// The fonts of a real desktop, as the engine reads them.
#include "engine_support.h"
#include "font_oracles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace {

// A variable font's Bold and Italic are its own instances, measured as
// hb-shape measures them at those axes, never a synthetic bold or slant.
TEST(DesktopFontsTest, AVariableFontsBoldAndItalicAreItsOwnInstances)
{
    if (!std::getenv("VANTOR_DESKTOP_FONTS"))
        GTEST_SKIP() << "needs the fonts of a desktop";
    const std::string file = VANTOR_DESKTOP_FONT_DIR "/weights.ttf";
    vantor::AtlasEngine engine;
    for (const auto &[bold, italic, axes] : {std::tuple{false, false, "wght=400"}, std::tuple{true, false, "wght=700"},
             std::tuple{false, true, "slnt=-12"}, std::tuple{true, true, "wght=700"}}) {
        SCOPED_TRACE(axes);
        const auto atlas = engine.Render({"Vantor Weights", 72, 1024, 0, 0, bold, italic, false, OnlyCell(5, 5, "H")});
        EXPECT_DOUBLE_EQ(atlas->Widths()[55], HarfBuzzAdvance(file, 72, "H", axes));
        // The bar: 200 units wide, 500 at wght 700; leaning 150 units at
        // its top at slnt -12, where a synthetic slant leans 149.
        const raster::Box ink = atlas->DrawnInk(55);
        EXPECT_NEAR(ink.width, (bold ? 500 : 200) * 0.072 + (italic ? 150 * 0.072 : 0), 2.0);
    }
}

} // namespace
