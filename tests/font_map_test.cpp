#include "allocation_failure.h"
#include "font_oracles.h"
#include "test_support.h"

namespace {

using FontMapTest = MainWindowTest;

// The same text drawn by hand at an explicit pen position, as the oracle.
QImage DrawnAt(const std::string &text, int size, int side, int x, int y)
{
    fw::Picture picture(side, side, 32);
    fw::Graphics &g = picture.Graphics();
    g.SetForeColor(fw::RGB(255, 255, 255));
    g.SetTextFont("Courier");
    g.SetTextSize(size);
    g.SetBold(true);
    g.DrawString(text, x, y);
    return picture.Image();
}

// The largest difference of one grey level between two images of one size.
int MaxDifference(const QImage &a, const QImage &b)
{
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            most = std::max(most, std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))));
    }
    return most;
}

TEST_F(FontMapTest, PutsEachPenStartAtItsCellsCornerPlusTheOffsets)
{
    SetOnlyCell(4, 5, "H");
    auto map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 0, 0);
    EXPECT_EQ(map->Image(), DrawnAt("H", 72, 1024, 512, 512));
    map = window.FontMap(map, "Courier", 72, 1024, 1024, 3, 2);
    EXPECT_EQ(map->Image(), DrawnAt("H", 72, 1024, 515, 510));
    // 204.8 * 2 + 5 = 414.6 and 204.8 * 1 - 7 = 197.8 both truncate.
    SetOnlyCell(0, 2, "H");
    map = window.FontMap(nullptr, "Courier", 144, 2048, 2048, 5, 7);
    EXPECT_EQ(map->Image(), DrawnAt("H", 144, 2048, 414, 197));

    // Pen at (3 * 102.4 + 4, 4 * 102.4 - 30) = (311, 379): the A sits on the
    // baseline, about 53 px tall and within its 43 px advance.
    SetOnlyCell(3, 3, "A");
    map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
    const QRect ink = InkBounds(map->Image(), map->Image().rect());
    EXPECT_TRUE(ink.left() >= 311 && ink.right() <= 311 + 44) << ink.left() << " " << ink.right();
    EXPECT_TRUE(ink.bottom() >= 377 && ink.bottom() <= 379 && ink.top() >= 379 - 60 && ink.top() <= 379 - 45);
    SetOnlyCell(5, 5, "WWW");
    map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 0, 0);
    EXPECT_GT(InkBounds(map->Image(), map->Image().rect()).right(), 6 * 102) << "not clipped to its cell";
}

TEST_F(FontMapTest, RedrawsInPlaceAsAFreshRenderAndMakesAPictureOnlyForANewSize)
{
    const auto map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
    EXPECT_EQ(map->Image().format(), QImage::Format_Grayscale8) << "greys, 8 bits a pixel";
    EXPECT_EQ(map->Image().size(), QSize(1024, 1024));
    const QImage fresh = map->Image();
    window.FontMap(map, "DejaVu Serif", 150, 1024, 1024, -7, 90);
    EXPECT_EQ(window.FontMap(map, "Courier", 72, 1024, 1024, 4, 30), map) << "same size: drawn again in place";
    EXPECT_EQ(map->Image(), fresh) << "nothing of the render before is left";

    const auto larger = window.FontMap(map, "Courier", 72, 2048, 2048, 4, 30);
    EXPECT_NE(larger, map);
    EXPECT_EQ(larger->Image().size(), QSize(2048, 2048));
    EXPECT_EQ(map->Image(), fresh) << "the old picture is left untouched";
    // Drawn again with the same font state, the texts come from what was
    // kept: as Qt draws them within 2 levels, glyphs that reach into their
    // neighbours' cells included.
    List("lstChars").SetCell(4, 4, "WWW@");
    const auto kept = window.FontMap(nullptr, "Courier", 144, 1024, 1024, 4, 30);
    window.FontMap(kept, "Courier", 144, 1024, 1024, 9, 41);
    const QImage direct = window.FontMap(nullptr, "Courier", 144, 1024, 1024, 9, 41)->Image();
    EXPECT_LE(MaxDifference(kept->Image(), direct), 2);
    window.FontMap(kept, "Courier", 144, 1024, 1024, 9, 41);
    EXPECT_LE(MaxDifference(kept->Image(), direct), 2);
    const auto tall = std::make_shared<fw::Picture>(512, 600, 32);
    EXPECT_NE(window.FontMap(tall, "Courier", 36, 512, 512, 4, 30), tall) << "width matches, height differs";
}

TEST_F(FontMapTest, EqualTextsGiveEqualCellsWhereverTheyStand)
{
    // The last five cells hold "?" at pens 0.4 px apart in their cells.
    for (const int side : {1024, 2048}) {
        const int size = 72 * side / 1024;
        const auto map = window.FontMap(nullptr, "DejaVu Sans", size, side, side, 4, 30);
        // From just left of the pen to the right of the glyph, and from its
        // top to just below the baseline: no neighbour reaches in.
        const auto cell = [&](int column) {
            const int x = fw::ToInt32(column * side * 0.1 + 4);
            const int y = fw::ToInt32(side - 30);
            return map->Image().copy(x - 8, y - size * 8 / 10, side / 10 - 10, size * 8 / 10 + 8);
        };
        for (int column = 6; column < 10; ++column)
            EXPECT_LE(MaxDifference(cell(5), cell(column)), 2) << side << ", column " << column;
    }
}

TEST_F(FontMapTest, FillsOneWidthRowPerCellInGridOrder)
{
    List("lstChars").SetCell(2, 7, "");
    List("lstChars").SetCell(8, 1, "AB");
    window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
    fw::Listbox &widths = List("lstWidths");
    ASSERT_EQ(widths.ListCount(), 100);
    for (int row = 0; row < 100; ++row)
        EXPECT_EQ(widths.Cell(row, 0), List("lstChars").Cell(row / 10, row % 10)) << row;
    EXPECT_EQ(widths.Cell(27, 1), "0.00") << "an empty cell measures nothing";
    EXPECT_EQ(widths.Cell(81, 1), "86.70") << "AB is measured whole";
    for (int row = 0; row < 100; ++row) {
        if (row != 27 && row != 81) {
            EXPECT_EQ(widths.Cell(row, 1), "43.30") << "a monospace advance of 43.34 px, cell " << row;
        }
    }
    EXPECT_EQ(window.CharWidthTable().substr(0, 16), " \t43.30\r!\t43.30\r");

    window.FontMap(nullptr, "DejaVu Sans", 13, 1024, 1024, 4, 30);
    int fractional = 0;
    for (int row = 0; row < 100; ++row) {
        const std::string width = widths.Cell(row, 1);
        EXPECT_EQ(width.substr(width.size() - 3, 1) + width.back(), ".0") << "w10 is whole: " << width;
        fractional += width.substr(width.size() - 2) != "00";
    }
    EXPECT_GT(fractional, 50) << "hinting must not round advances to whole pixels";
}

TEST_F(FontMapTest, EachWidthIsItsTextLaidOutOnceAsTheFontKernsAndJoinsIt)
{
    // A, T and f kern with a copy of themselves, the Arabic beh joins one,
    // A kerns with V: ten copies side by side are no measure of one.
    const std::vector<std::string> texts{"A", "T", "f", "\xD8\xA8", "AV"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        List("lstChars").SetCell(9, static_cast<int>(i), texts[i]);
    for (const auto &[bold, file] : {std::pair{false, "DejaVuSans.ttf"}, {true, "DejaVuSans-Bold.ttf"}}) {
        window.Find<fw::CheckBox>("chkBold").SetValue(bold);
        window.FontMap(nullptr, "DejaVu Sans", 72, 1024, 1024, 4, 30);
        for (int row = 0; row < 100; ++row) {
            const std::string text = List("lstWidths").Cell(row, 0);
            const double once = HarfBuzzAdvance(TestFontFile(file), 72, text);
            EXPECT_EQ(List("lstWidths").Cell(row, 1), fw::Format(std::round(once * 10) * 0.1, "0.00"))
                << file << ": " << text << " laid out once advances " << once;
        }
    }
}

TEST_F(FontMapTest, BoldAndItalicChangeTheGreyGlyphsAtEverySize)
{
    auto &bold = window.Find<fw::CheckBox>("chkBold");
    auto &italic = window.Find<fw::CheckBox>("chkItalic");
    const auto render = [&](const char *family, int size, bool isBold, bool isItalic) {
        bold.SetValue(isBold);
        italic.SetValue(isItalic);
        const QImage image = window.FontMap(nullptr, family, size, 1024, 1024, 4, 30)->Image();
        return std::make_pair(image, window.CharWidthTable());
    };
    // DejaVu Sans has bold and oblique faces; DejaVu Serif only a regular
    // one, so both styles are synthesised for it.
    for (const char *family : {"DejaVu Sans", "DejaVu Serif"}) {
        SCOPED_TRACE(family);
        const auto regular = render(family, 72, false, false);
        const auto emboldened = render(family, 72, true, false);
        const auto slanted = render(family, 72, false, true);
        EXPECT_NE(emboldened.first, regular.first);
        EXPECT_NE(emboldened.second, regular.second) << "bold widens the advances";
        EXPECT_NE(slanted.first, regular.first);
        EXPECT_EQ(render(family, 72, false, false), regular) << "switching back gives the same texture";
    }
    for (int size : {9, 48, 64, 144, 256})
        EXPECT_NE(render("DejaVu Serif", size, false, false), render("DejaVu Serif", size, true, false)) << size;
    const QImage image = render("Courier", 72, true, false).first;
    EXPECT_GT(std::count(image.constBits(), image.constBits() + 1024 * 1024, 255), 10000)
        << "glyph cores are pure white";
}

TEST_F(FontMapTest, TextsLongerThanQtsLayoutCanHoldAreMeasuredNotWrapped)
{
    // Ten copies of 10,000 W at 512 px advance about 50 million pixels, past
    // what Qt's 26.6 fixed point holds: the width once came out negative.
    SetOnlyCell(0, 0, "W");
    window.FontMap(nullptr, "DejaVu Sans", 512, 2048, 2048, 4, 30);
    const double one = std::stod(List("lstWidths").Cell(0, 1));
    SetOnlyCell(0, 0, std::string(10000, 'W'));
    const auto map = window.FontMap(nullptr, "DejaVu Sans", 512, 2048, 2048, 4, 30);
    EXPECT_NEAR(std::stod(List("lstWidths").Cell(0, 1)), 10000 * one, 10000 * 0.1);
    EXPECT_FALSE(InkBounds(map->Image(), QRect(0, 0, 2048, 205)).isEmpty()) << "the start of the text is drawn";
}

TEST_F(FontMapTest, NoSizeOrAPenFarOutsideDrawsNothingButStillMeasures)
{
    for (const auto &[size, dx, dy] : {std::tuple{0, 4, 30}, {-5, 4, 30}, {72, 2147483647, -2147483647 - 1}}) {
        auto map = window.FontMap(nullptr, "Courier", size, 256, 256, dx, dy);
        EXPECT_TRUE(InkBounds(map->Image(), map->Image().rect()).isEmpty()) << size;
        EXPECT_EQ(List("lstWidths").Cell(33, 1), size > 0 ? "43.30" : "0.00");
    }
}

TEST_F(FontMapTest, MarksStackedFarFromTheirPenStillShowAtEachEdge)
{
    const QString above = QStringLiteral("e") + QString(QChar(0x301)).repeated(60);
    const QString below = QStringLiteral("e") + QString(QChar(0x323)).repeated(60);
    const struct {
        const char *edge;
        QString text;
        int row, column, dx, dy;
        bool italic;
    } cases[] = {
        {"bottom", above, 9, 0, 4, -200, false}, // pen 200 px below the picture
        {"top", below, 0, 0, 4, 300, false}, // pen 198 px above it
        {"left", above, 9, 0, -200, 30, true}, // the slanted stack leans in
        {"nowhere", above, 9, 0, 4, -2000, false}, // the stack ends below the picture
    };
    window.Find<fw::CheckBox>("chkBold").SetValue(false);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.edge);
        window.Find<fw::CheckBox>("chkItalic").SetValue(c.italic);
        SetOnlyCell(c.row, c.column, c.text.toStdString());
        const QImage image = window.FontMap(nullptr, "DejaVu Sans", 72, 1024, 1024, c.dx, c.dy)->Image();
        const int x = fw::ToInt32(c.column * 102.4 + c.dx);
        const int y = fw::ToInt32((c.row + 1) * 102.4 - c.dy);
        // The same drawn whole on a picture that holds the whole stack.
        fw::Picture whole(3072, 3072, 32);
        fw::Graphics &g = whole.Graphics();
        g.SetTextFont("DejaVu Sans");
        g.SetTextSize(72);
        g.SetItalic(c.italic);
        g.DrawString(c.text.toStdString(), x + 1024, y + 1024);
        EXPECT_EQ(image, whole.Image().copy(1024, 1024, 1024, 1024));
        EXPECT_EQ(InkBounds(image, image.rect()).isEmpty(), std::string(c.edge) == "nowhere");
    }
}

} // namespace

namespace {

TEST_F(FontMapTest, ColourAndBitmapGlyphsDrawInGreysByTheirCoverage)
{
    auto &bold = window.Find<fw::CheckBox>("chkBold");
    // An apple from the colour emoji font, reached by fallback.
    bold.SetValue(false);
    SetOnlyCell(4, 4, "\xF0\x9F\x8D\x8E");
    const QImage apple = window.FontMap(nullptr, "DejaVu Sans", 72, 1024, 1024, 4, 30)->Image();
    EXPECT_GT(InkBounds(apple, apple.rect()).width(), 40) << "drawn, by its alpha";
    // Beside a letter with an outline, the apple's ink still counts for the
    // overflow marks and the fit.
    fw::Picture scratch(1, 1, 32);
    fw::Graphics &g = scratch.Graphics();
    g.SetTextFont("DejaVu Sans");
    g.SetTextSize(72);
    const fw::Rect mixed = g.InkRect("i\xF0\x9F\x8D\x8E", 0, 0);
    EXPECT_GT(mixed.left + mixed.width, 60) << "the apple's right edge, not the i's";

    // Terminus has bitmaps only, in strikes up to 32 px, and no bold face.
    SetOnlyCell(3, 3, "A");
    const auto inkOf = [&](bool isBold) {
        bold.SetValue(isBold);
        const QImage image = window.FontMap(nullptr, "Terminus", 72, 1024, 1024, 4, 30)->Image();
        return std::make_pair(InkBounds(image, image.rect()), List("lstWidths").Cell(33, 1));
    };
    const auto [regular, regularWidth] = inkOf(false);
    const auto [emboldened, boldWidth] = inkOf(true);
    EXPECT_FALSE(regular.isEmpty()) << "the strike is drawn";
    EXPECT_EQ(emboldened, regular.adjusted(0, 0, 1, 0)) << "one pixel wider, as FreeType emboldens";
    EXPECT_EQ(std::stod(boldWidth), std::stod(regularWidth) + 1) << regularWidth << " " << boldWidth;
}

TEST_F(FontMapTest, ARenderThatRunsOutOfMemorySaysSoAndLeavesNothingToSave)
{
    fw::ForgetFonts();
    ErrorSpy errors;
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    SelectFont("DejaVu Sans");
    {
        const LargeAllocationsFail fail(64 << 10);
        List("lstSizes").SetListIndex(256 - 9);
    }
    EXPECT_EQ(errors.messages,
        std::vector<std::string>{
            "Not enough memory to draw DejaVu Sans at size 256 on a 2048 texture. A smaller size or texture may fit."});
    EXPECT_FALSE(window.CurrentFontMap);
    EXPECT_EQ(List("lstWidths").ListCount(), 0);
    const auto enabled = [&] {
        std::string states;
        for (const char *button : {"btnSave", "btnCopy", "btnSaveWidths", "btnCopyWidths"})
            states += window.Find<fw::PushButton>(button).Enabled() ? "1" : "0";
        return states;
    };
    EXPECT_EQ(enabled(), "0000") << "nothing shown, nothing to save";
    List("lstSizes").SetListIndex(72 - 9);
    EXPECT_TRUE(window.CurrentFontMap);
    EXPECT_EQ(List("lstWidths").ListCount(), 100);
    EXPECT_EQ(enabled(), "1111");
    EXPECT_EQ(errors.messages.size(), 1U);
}

} // namespace
