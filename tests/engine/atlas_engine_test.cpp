// The atlas engine alone: settings in, an atlas out, no window.
#include "engine_support.h"
#include "font_oracles.h"

#include "fontmap/width_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <tuple>

namespace {

using vantor::AtlasEngine;
using vantor::AtlasSettings;

Greys Rendered(AtlasEngine &engine, const AtlasSettings &settings)
{
    return Greys(engine.Render(settings)->Texture());
}

TEST(AtlasEngineTest, EachGlyphStandsAtItsCellsPenAndReachesOutOfItsSquareAsItIs)
{
    // Squares and pens truncated from tenths of the side: 204.8 * 2 + 5 and
    // 204.8 - 7 truncate to 414 and 197.
    EXPECT_EQ(vantor::CellSquare(1024, 3, 4), (raster::Box{409, 307, 103, 102}));
    EXPECT_EQ(vantor::CellSquare(2048, 9, 9), (raster::Box{1843, 1843, 205, 205}));
    const vantor::Pen pen = vantor::CellPen(2048, 5, 7, 0, 2);
    EXPECT_EQ(std::pair(pen.x, pen.y), std::pair(414, 197));
    AtlasEngine engine;
    raster::Fonts fonts;
    for (const auto &[side, size, dx, dy, row, column] :
        {std::tuple{1024, 72, 0, 0, 4, 5}, {1024, 72, 3, 2, 4, 5}, {2048, 144, 5, 7, 0, 2}}) {
        AtlasSettings settings{"Courier", size, side, dx, dy, true, false, false, OnlyCell(row, column, "H")};
        const vantor::Pen at = vantor::CellPen(side, dx, dy, row, column);
        EXPECT_EQ(
            Rendered(engine, settings), DrawnAt(fonts.Of("Courier", size, true, false), "H", side, side, at.x, at.y))
            << side << " " << dx << " " << dy;
    }
    // Glyphs are not clipped to their cell.
    const raster::Box wide
        = InkBounds(Rendered(engine, {"Courier", 72, 1024, 0, 0, true, false, false, OnlyCell(5, 5, "WWW")}));
    EXPECT_GT(wide.left + wide.width, 6 * 102);
}

TEST(AtlasEngineTest, EachWidthIsItsTextLaidOutOnceAsTheFontKernsAndJoinsIt)
{
    // A, T and f kern with a copy of themselves, the Arabic beh joins one,
    // A kerns with V: ten copies side by side are no measure of one.
    std::vector<std::string> cells = DefaultCells();
    for (const auto &[cell, text] : {std::pair{90, "A"}, {91, "T"}, {92, "f"}, {93, "\xD8\xA8"}, {94, "AV"}, {95, ""}})
        cells[static_cast<std::size_t>(cell)] = text;
    AtlasEngine engine;
    for (const auto &[bold, file] : {std::pair{false, "DejaVuSans.ttf"}, {true, "DejaVuSans-Bold.ttf"}}) {
        const auto atlas = engine.Render({"DejaVu Sans", 72, 1024, 4, 30, bold, false, false, cells});
        for (int cell = 0; cell < vantor::kCellCount; ++cell) {
            const std::string &text = atlas->Text(cell);
            EXPECT_EQ(atlas->Widths()[static_cast<std::size_t>(cell)], HarfBuzzAdvance(TestFontFile(file), 72, text))
                << file << ": " << text;
        }
    }
    // The table: each width to a tenth, two decimals, fractions kept.
    const auto courier = engine.Render({"Courier", 72, 1024, 4, 30, true, false, false, cells});
    const std::string table = vantor::WidthTable(*courier);
    EXPECT_EQ(table.substr(0, 16), " \t43.30\r!\t43.30\r") << "a monospace advance of 43.34 px";
    EXPECT_NE(table.find("\rAV\t86.70\r\t0.00\r"), std::string::npos) << "AV measured whole; nothing measures 0";
    EXPECT_EQ(std::count(table.begin(), table.end(), '\r'), 100);
    const auto small = engine.Render({"DejaVu Sans", 13, 1024, 4, 30, false, false, false, DefaultCells()});
    int fractional = 0;
    for (const double width : small->Widths()) {
        const std::string text = vantor::WidthText(width);
        EXPECT_EQ(text.back(), '0') << "tenths: " << text;
        fractional += text.substr(text.size() - 2) != "00";
    }
    EXPECT_GT(fractional, 50) << "advances are not rounded to whole pixels";
}

TEST(AtlasEngineTest, TwoEnginesSideBySideWithDifferentFontsShareNothing)
{
    // Checked against the font files, not a third engine, which would share
    // whatever the two share; one made anew between rounds may stand where
    // the old one stood.
    std::optional<AtlasEngine> engines[2];
    engines[1].emplace();
    const char *const families[2] = {"DejaVu Sans", "DejaVu Serif"};
    const char *const files[2] = {"DejaVuSans.ttf", "DejaVuSerif.ttf"};
    for (int round = 0; round < 3; ++round) {
        engines[round % 2].emplace(); // one of the two made anew each round
        for (int which : {0, 1, 0, 1}) {
            std::vector<std::string> cells = DefaultCells();
            cells[0] = std::string(1, static_cast<char>('a' + round)) + "fi";
            const auto atlas = engines[which]->Render({families[which], 72, 1024, 4, 30, false, false, false, cells});
            for (const int cell : {0, 33, 65, 94})
                EXPECT_EQ(atlas->Widths()[static_cast<std::size_t>(cell)],
                    HarfBuzzAdvance(TestFontFile(files[which]), 72, atlas->Text(cell)))
                    << families[which] << " " << atlas->Text(cell);
            const auto g
                = engines[which]->Render({families[which], 72, 1024, 4, 30, false, false, false, OnlyCell(4, 5, "g")});
            const auto [glyph, left, top] = FreeTypeGlyph(TestFontFile(files[which]), 72, U'g');
            const vantor::Pen pen = g->PenOf(45);
            EXPECT_EQ(Greys(g->Texture()).Copy(pen.x + left, pen.y + top, glyph.width, glyph.height), glyph)
                << families[which] << ", round " << round;
        }
    }
}

TEST(AtlasEngineTest, AnyChangeGivesTheBytesOfAFreshEngine)
{
    // One setting at a time, then a random walk through them: what the
    // engine kept and redrew in part is never seen.
    const AtlasSettings start = DefaultSettings();
    std::vector<AtlasSettings> changes;
    for (int field = 0; field < 9; ++field) {
        AtlasSettings changed = start;
        switch (field) {
        case 0:
            changed.family = "DejaVu Sans";
            break;
        case 1:
            changed.fontSize = 40;
            break;
        case 2:
            changed.textureSize = 512;
            break;
        case 3:
            changed.dx = 37;
            break;
        case 4:
            changed.dy = -20;
            break;
        case 5:
            changed.bold = false;
            break;
        case 6:
            changed.italic = true;
            break;
        case 7:
            changed.distanceField = true;
            break;
        default:
            changed.cells[33] = "WWWW";
            break;
        }
        changes.push_back(changed);
    }
    std::mt19937_64 random(20261207);
    const auto pick = [&](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    const char *const texts[] = {"W", "gj", "", "\xC3\xA9", "e\xCC\x81\xCC\x81\xCC\x81", "\xF0\x9F\x8D\x8E",
        "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", "WWWWWWWW", "\xE2\x9D\xA4\xEF\xB8\x8F"};
    const char *const families[] = {"Courier", "DejaVu Sans", "DejaVu Serif", "Terminus"};
    AtlasSettings walk = start;
    for (int step = 0; step < 60; ++step) {
        switch (pick(7)) {
        case 0:
            walk.cells[pick(100)] = texts[pick(std::size(texts))];
            break;
        case 1:
            walk.family = families[pick(std::size(families))];
            break;
        case 2:
            walk.fontSize = 9 + static_cast<int>(pick(60));
            break;
        case 3:
            walk.textureSize = pick(6) == 0 ? 1024 : 256 << pick(2);
            break;
        case 4:
            (pick(2) ? walk.dx : walk.dy) = static_cast<int>(pick(200)) - 60;
            break;
        case 5:
            (pick(2) ? walk.bold : walk.italic) ^= true;
            break;
        default:
            walk.distanceField ^= true;
            break;
        }
        changes.push_back(walk);
    }
    AtlasEngine engine;
    Rendered(engine, start);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const Greys kept = Rendered(engine, changes[i]);
        AtlasEngine fresh;
        ASSERT_EQ(kept, Rendered(fresh, changes[i])) << "change " << i << ": " << changes[i].family << " "
                                                     << changes[i].fontSize << " at " << changes[i].textureSize;
    }
}

TEST(AtlasEngineTest, EqualTextsGiveEqualCellsWhereverTheyStand)
{
    // The last five cells hold "?" at pens 0.4 px apart in their cells:
    // drawn at their fractions, within two levels of each other.
    AtlasEngine engine;
    for (const int side : {1024, 2048}) {
        const int size = 72 * side / 1024;
        const Greys map = Rendered(engine, {"DejaVu Sans", size, side, 4, 30, true, false, false, DefaultCells()});
        const auto cell = [&](int column) {
            const int x = static_cast<int>(column * side * 0.1 + 4);
            return map.Copy(x - 8, side - 30 - size * 8 / 10, side / 10 - 10, size * 8 / 10 + 8);
        };
        for (int column = 6; column < 10; ++column) {
            const Greys a = cell(5);
            const Greys b = cell(column);
            int most = 0;
            for (std::size_t i = 0; i < a.bytes.size(); ++i)
                most = std::max(most, std::abs(a.bytes[i] - b.bytes[i]));
            EXPECT_LE(most, 2) << side << ", column " << column;
        }
    }
}

TEST(AtlasEngineTest, BoldAndItalicChangeTheGlyphsAtEverySize)
{
    AtlasEngine engine;
    const auto render = [&](const char *family, int size, bool bold, bool italic) {
        const auto atlas = engine.Render({family, size, 1024, 4, 30, bold, italic, false, DefaultCells()});
        return std::pair(Greys(atlas->Texture()), vantor::WidthTable(*atlas));
    };
    // DejaVu Sans has bold and oblique faces; DejaVu Serif only a regular
    // one, so both styles are synthesised for it.
    for (const char *family : {"DejaVu Sans", "DejaVu Serif"}) {
        const auto regular = render(family, 72, false, false);
        const auto emboldened = render(family, 72, true, false);
        EXPECT_NE(emboldened.first, regular.first) << family;
        EXPECT_NE(emboldened.second, regular.second) << family << ": bold widens the advances";
        EXPECT_NE(render(family, 72, false, true).first, regular.first) << family;
    }
    for (int size : {9, 48, 144, 256})
        EXPECT_NE(render("DejaVu Serif", size, false, false), render("DejaVu Serif", size, true, false)) << size;
    const Greys image = render("Courier", 72, true, false).first;
    EXPECT_GT(std::count(image.bytes.begin(), image.bytes.end(), 255), 10000) << "cores are pure white";
}

TEST(AtlasEngineTest, PensFarOffOrNoSizeDrawWhatCanShowAndStillMeasure)
{
    AtlasEngine engine;
    for (const auto &[size, dx, dy] : {std::tuple{0, 4, 30}, {-5, 4, 30}, {72, 2147483647, -2147483647 - 1}}) {
        const auto atlas = engine.Render({"Courier", size, 256, dx, dy, true, false, false, DefaultCells()});
        EXPECT_TRUE(InkBounds(Greys(atlas->Texture())).Empty()) << size;
        EXPECT_EQ(vantor::WidthText(atlas->Widths()[33]), size > 0 ? "43.30" : "0.00");
    }
    // Marks stacked far from their pen, above or below the picture, show at
    // its edge as the font draws them on a picture that holds them whole.
    std::string above = "e";
    std::string below = "e";
    for (int i = 0; i < 60; ++i) {
        above += "\xCC\x81"; // U+0301
        below += "\xCC\xA3"; // U+0323
    }
    raster::Fonts fonts;
    for (const auto &[edge, text, row, dx, dy, italic] :
        {std::tuple{"bottom", above, 9, 4, -200, false}, {"top", below, 0, 4, 300, false},
            {"left", above, 9, -200, 30, true}, {"nowhere", above, 9, 4, -2000, false}}) {
        const auto atlas
            = engine.Render({"DejaVu Sans", 72, 1024, dx, dy, false, italic, false, OnlyCell(row, 0, text)});
        const vantor::Pen pen = atlas->PenOf(row * 10);
        const Greys whole
            = DrawnAt(fonts.Of("DejaVu Sans", 72, false, italic), text, 3072, 3072, pen.x + 1024, pen.y + 1024);
        const Greys image(atlas->Texture());
        EXPECT_EQ(image, whole.Copy(1024, 1024, 1024, 1024)) << edge;
        EXPECT_EQ(InkBounds(image).Empty(), std::string(edge) == "nowhere") << edge;
    }
    // Ten thousand W at 512 pixels advance far past what FreeType's 26.6
    // holds, and are measured, not wrapped; only what can show is drawn, as
    // on a picture that holds much more of the text.
    const auto one = engine.Render({"DejaVu Sans", 512, 2048, 4, 30, true, false, false, OnlyCell(0, 0, "W")});
    const double w = one->Widths()[0];
    const auto many
        = engine.Render({"DejaVu Sans", 512, 2048, 4, 30, true, false, false, OnlyCell(0, 0, std::string(10000, 'W'))});
    EXPECT_NEAR(many->Widths()[0], 10000 * w, 10000 * 0.1);
    const vantor::Pen start = many->PenOf(0);
    EXPECT_EQ(Greys(many->Texture()),
        DrawnAt(fonts.Of("DejaVu Sans", 512, true, false), std::string(10000, 'W'), 6144, 2048, start.x, start.y)
            .Copy(0, 0, 2048, 2048));
}

TEST(AtlasEngineTest, ColourAndBitmapGlyphsDrawInGreysByTheirCoverage)
{
    // An apple from the colour emoji font, reached by fallback; beside a
    // letter with an outline, its ink counts for the overflow marks and Fit.
    AtlasEngine engine;
    const auto apple
        = engine.Render({"DejaVu Sans", 72, 1024, 4, 30, false, false, false, OnlyCell(4, 4, "\xF0\x9F\x8D\x8E")});
    EXPECT_GT(InkBounds(Greys(apple->Texture())).width, 40) << "drawn, by its alpha";
    const raster::Box mixed
        = engine.FontAt(apple->Settings(), 72)->InkBox("i\xF0\x9F\x8D\x8E", 0, 0, {0, -100, 100, 200});
    EXPECT_GT(mixed.left + mixed.width, 60) << "the apple's right edge, not the i's";
    // Terminus has bitmaps only, in strikes up to 32 px, and no bold face.
    const auto inkOf = [&](bool bold) {
        const auto atlas = engine.Render({"Terminus", 72, 1024, 4, 30, bold, false, false, OnlyCell(3, 3, "A")});
        return std::pair(InkBounds(Greys(atlas->Texture())), atlas->Widths()[33]);
    };
    const auto [regular, regularWidth] = inkOf(false);
    const auto [emboldened, boldWidth] = inkOf(true);
    EXPECT_FALSE(regular.Empty()) << "the strike is drawn";
    EXPECT_EQ(emboldened, (raster::Box{regular.left, regular.top, regular.width + 1, regular.height}))
        << "one pixel wider, as FreeType emboldens";
    EXPECT_EQ(boldWidth, regularWidth + 1);
}

} // namespace
