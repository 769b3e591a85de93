#include "framework/check_box.h"
#include "framework/graphics.h"
#include "framework/picture.h"
#include "framework/text.h"
#include "test_support.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

using FontMapTest = MainWindowTest;

// The same text drawn by hand at an explicit pen position, as the oracle.
QImage DrawnAt(const std::string &text, int size, int side, int x, int y, bool bold = true)
{
    fw::Picture picture(side, side, 32);
    fw::Graphics &g = picture.Graphics();
    g.SetForeColor(fw::RGB(255, 255, 255));
    g.SetTextFont("Courier");
    g.SetTextSize(size);
    g.SetBold(bold);
    g.DrawString(text, x, y);
    return picture.Image();
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
}

TEST_F(FontMapTest, MakesANewOpaquePictureOnlyWhenTheSizeDiffers)
{
    auto first = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Width(), 1024);
    EXPECT_EQ(first->Height(), 1024);
    EXPECT_EQ(first->Image().format(), QImage::Format_RGB32);
    EXPECT_FALSE(first->Image().hasAlphaChannel());

    EXPECT_EQ(window.FontMap(first, "Courier", 72, 1024, 1024, 4, 30), first) << "same size: redrawn in place";

    const QImage before = first->Image();
    auto larger = window.FontMap(first, "Courier", 72, 2048, 2048, 4, 30);
    EXPECT_NE(larger, first);
    EXPECT_EQ(larger->Width(), 2048);
    EXPECT_EQ(first->Image(), before) << "the old picture is left untouched";

    auto tall = std::make_shared<fw::Picture>(512, 600, 32);
    auto remade = window.FontMap(tall, "Courier", 36, 512, 512, 4, 30);
    EXPECT_NE(remade, tall) << "width matches, height differs";
    EXPECT_EQ(remade->Height(), 512);
}

TEST_F(FontMapTest, ARedrawErasesEverythingThePictureHeld)
{
    auto map = window.FontMap(nullptr, "Courier", 72, 512, 512, 4, 30);
    map->Graphics().SetForeColor(fw::RGB(255, 0, 0));
    map->Graphics().FillRect(0, 0, 512, 512);
    SetOnlyCell(0, 0, "");
    window.FontMap(map, "Courier", 72, 512, 512, 4, 30);
    EXPECT_TRUE(InkBounds(map->Image(), map->Image().rect()).isEmpty()) << "an empty grid leaves all black";
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
    EXPECT_EQ(widths.Cell(0, 0), " ");
    EXPECT_EQ(widths.Cell(94, 0), "~");
    for (int row = 95; row < 100; ++row)
        EXPECT_EQ(widths.Cell(row, 0), "?");
    EXPECT_EQ(widths.Cell(27, 0), "");
    EXPECT_EQ(widths.Cell(27, 1), "0.00") << "an empty cell measures nothing";
    EXPECT_EQ(widths.Cell(33, 1), "43.30") << "ten A measure 433.44 px";
    EXPECT_EQ(widths.Cell(81, 1), "86.70") << "AB is measured whole";
}

TEST_F(FontMapTest, WidthsCarryATenthOfAPixel)
{
    window.FontMap(nullptr, "DejaVu Sans", 13, 1024, 1024, 4, 30);
    fw::Listbox &widths = List("lstWidths");
    int fractional = 0;
    for (int row = 0; row < widths.ListCount(); ++row) {
        const std::string width = widths.Cell(row, 1);
        ASSERT_GE(width.size(), 4u);
        EXPECT_EQ(width.substr(width.size() - 3, 1), ".") << width;
        EXPECT_EQ(width.back(), '0') << "w10 is whole, so the hundredths are 0";
        fractional += width.substr(width.size() - 2) != "00";
    }
    EXPECT_GT(fractional, 50) << "hinting must not round advances to whole pixels";
}

TEST_F(FontMapTest, BoldAndItalicChangeGlyphsAndWidthsAlike)
{
    auto &bold = window.Find<fw::CheckBox>("chkBold");
    auto &italic = window.Find<fw::CheckBox>("chkItalic");
    // DejaVu Sans has bold and oblique faces; DejaVu Serif has only a
    // regular face here, so both styles are synthesised for it.
    for (const char *family : {"DejaVu Sans", "DejaVu Serif"}) {
        SCOPED_TRACE(family);
        const auto render = [&](bool isBold, bool isItalic) {
            bold.SetValue(isBold);
            italic.SetValue(isItalic);
            const QImage image = window.FontMap(nullptr, family, 72, 1024, 1024, 4, 30)->Image();
            return std::make_pair(image, window.CharWidthTable());
        };
        const auto regular = render(false, false);
        const auto emboldened = render(true, false);
        const auto slanted = render(false, true);
        EXPECT_NE(emboldened.first, regular.first);
        EXPECT_NE(emboldened.second, regular.second);
        EXPECT_NE(slanted.first, regular.first);
        EXPECT_EQ(render(false, false), regular) << "switching back gives the same texture";
    }
    // Only a real oblique face has advances of its own.
    bold.SetValue(false);
    italic.SetValue(false);
    window.FontMap(nullptr, "DejaVu Sans", 72, 1024, 1024, 4, 30);
    const std::string upright = window.CharWidthTable();
    italic.SetValue(true);
    window.FontMap(nullptr, "DejaVu Sans", 72, 1024, 1024, 4, 30);
    EXPECT_NE(window.CharWidthTable(), upright);
}

TEST_F(FontMapTest, SyntheticBoldShowsAtEverySize)
{
    auto &bold = window.Find<fw::CheckBox>("chkBold");
    for (int size : {9, 48, 64, 72, 144, 256}) {
        bold.SetValue(false);
        const QImage regular = window.FontMap(nullptr, "DejaVu Serif", size, 1024, 1024, 4, 30)->Image();
        bold.SetValue(true);
        const QImage emboldened = window.FontMap(nullptr, "DejaVu Serif", size, 1024, 1024, 4, 30)->Image();
        EXPECT_NE(regular, emboldened) << size;
    }
}

TEST_F(FontMapTest, DrawsWhiteGlyphsInGreyOnlyOnBlack)
{
    for (const char *family : {"Courier", "DejaVu Sans", "DejaVu Serif"}) {
        window.Find<fw::CheckBox>("chkItalic").SetValue(true);
        const QImage image = window.FontMap(nullptr, family, 37, 512, 512, 4, 30)->Image();
        EXPECT_TRUE(AllGrey(image)) << family;
    }
    const QImage image = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30)->Image();
    // Cell (0, 0) holds a space: no ink anywhere in it.
    EXPECT_TRUE(InkBounds(image, QRect(0, 0, 102, 102)).isEmpty());
    int white = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            white += image.pixel(x, y) == qRgb(255, 255, 255);
    }
    EXPECT_GT(white, 10000) << "glyph cores are pure white";
}

TEST_F(FontMapTest, TheGlyphOfAStandsWhereItsCellAndOffsetsSay)
{
    SetOnlyCell(3, 3, "A");
    const QImage image = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30)->Image();
    // Pen at (3 * 102.4 + 4, 4 * 102.4 - 30) = (311, 379); A sits on the
    // baseline, about 53 px tall and within its 43 px advance.
    const QRect ink = InkBounds(image, image.rect());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 311);
    EXPECT_LE(ink.right(), 311 + 44);
    EXPECT_LE(ink.bottom(), 379);
    EXPECT_GE(ink.bottom(), 377);
    EXPECT_GE(ink.top(), 379 - 60);
    EXPECT_LE(ink.top(), 379 - 45);
}

TEST_F(FontMapTest, GlyphsAreNotClippedToTheirCells)
{
    SetOnlyCell(5, 5, "WWW");
    const QImage image = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 0, 0)->Image();
    const QRect ink = InkBounds(image, image.rect());
    EXPECT_GT(ink.right(), 6 * 102) << "runs into the next cells";
}

TEST_F(FontMapTest, AnyCellTextRendersAndKeepsItsRowWhole)
{
    const std::string texts[] = {
        "",
        "\t",
        "\r",
        "a\nb",
        std::string("\0x", 2),
        "\xF0\x9F\x98\x80",
        "\xE6\xBC\xA2\xE5\xAD\x97",
        "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D",
        "\xDC\x90\xDC\x91\xDC\x92", // Syriac, which no test font can shape
        "e\xCC\x81\xCC\x81\xCC\x81",
        std::string(10000, 'M'),
    };
    for (const std::string &text : texts) {
        SetOnlyCell(9, 9, text);
        auto map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(List("lstWidths").ListCount(), 100);
        EXPECT_EQ(List("lstWidths").Cell(99, 0), text);
        EXPECT_TRUE(AllGrey(map->Image()));
    }
    EXPECT_EQ(List("lstWidths").Cell(99, 1), "433437.50") << "10,000 M measured whole";
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
    const double many = std::stod(List("lstWidths").Cell(0, 1));
    EXPECT_NEAR(many, 10000 * one, 10000 * 0.1);
    EXPECT_FALSE(InkBounds(map->Image(), QRect(0, 0, 2048, 205)).isEmpty()) << "the start of the text is drawn";
}

TEST_F(FontMapTest, SizesBelowOnePixelDrawAndMeasureNothing)
{
    for (int size : {0, -5}) {
        auto map = window.FontMap(nullptr, "Courier", size, 256, 256, 4, 30);
        EXPECT_TRUE(InkBounds(map->Image(), map->Image().rect()).isEmpty());
        EXPECT_EQ(List("lstWidths").Cell(33, 1), "0.00");
    }
}

TEST_F(FontMapTest, OffsetsFarOutsideDrawNothingButStillMeasure)
{
    const std::int32_t extremes[] = {2147483647, -2147483647 - 1, 100000, -100000};
    for (std::int32_t dx : extremes) {
        for (std::int32_t dy : extremes) {
            auto map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, dx, dy);
            EXPECT_TRUE(InkBounds(map->Image(), map->Image().rect()).isEmpty()) << dx << ", " << dy;
            EXPECT_EQ(List("lstWidths").Cell(33, 1), "43.30");
        }
    }
}

} // namespace

namespace {

// Qt drawing the text whole at the pen, as the oracle for glyphs far from it.
QImage DrawnByQt(const QString &text, bool italic, int x, int y)
{
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(72);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(x, y), text);
    return image;
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
        EXPECT_EQ(image, DrawnByQt(c.text, c.italic, x, y));
        EXPECT_EQ(InkBounds(image, image.rect()).isEmpty(), std::string(c.edge) == "nowhere");
    }
}

} // namespace
