#include "engine_support.h"
#include "test_support.h"

namespace {

// A picture with the text drawn at the pen, as coverage or as its field.
QImage Drawn(const std::string &text, int size, QPoint pen, int spread)
{
    raster::Fonts fonts;
    return DrawnAt(fonts.Of("DejaVu Sans", size, false, false, spread), text, {400, 400}, pen.x(), pen.y());
}

int Grey(const QImage &image, int x, int y)
{
    return image.constScanLine(y)[x];
}

TEST(DistanceFieldTest, GreysMeasureTheDistanceToTheEdgeOverTheSpread)
{
    for (const int spread : {8, 16}) {
        SCOPED_TRACE(spread);
        const QPoint pen(100, 350);
        const std::string block = "\xE2\x96\x88"; // U+2588, a full block
        const QImage coverage = Drawn(block, 300, pen, 0);
        const QImage field = Drawn(block, 300, pen, spread);
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
                const double expected = 128 + (x + 0.5 - at) * 128 / spread;
                EXPECT_NEAR(Grey(field, x, y), std::clamp(expected, 0.0, 255.0), 2.0) << x << ", " << y;
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
    const QImage left = Drawn("l", 100, QPoint(100, 200), 8);
    const QImage right = Drawn("l", 100, QPoint(118, 200), 8);
    raster::Fonts fonts;
    const auto font = fonts.Of("DejaVu Sans", 100, false, false, 8);
    raster::Texture both(400, 400);
    for (const int x : {100, 118}) {
        for (const raster::Blit &blit : font->Place("l", x, 200, both.Bounds()).blits)
            both.Draw(blit, both.Bounds());
    }
    const QImage together = ImageOf(both);
    int shared = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 400; ++x) {
            ASSERT_EQ(Grey(together, x, y), std::max(Grey(left, x, y), Grey(right, x, y))) << x << ", " << y;
            shared += Grey(left, x, y) > 0 && Grey(right, x, y) > 0;
        }
    }
    EXPECT_GT(shared, 100) << "the fields overlap";
}

using DistanceFieldWindowTest = MainWindowTest;

TEST_F(DistanceFieldWindowTest, TheMenuSwitchesTheTextureToFieldsAtOnceAndTheWidthsStay)
{
    auto &item = QtChild<QAction>(window, "ViewDistanceField");
    EXPECT_FALSE(item.isChecked()) << "off at start";
    const std::string widths = window.CharWidthTable();
    const QImage coverage = Texture();
    const int before = Renders();
    item.trigger();
    EXPECT_EQ(Renders(), before + 1) << "renders at once";
    EXPECT_EQ(window.CharWidthTable(), widths);
    const QImage field = Texture();
    EXPECT_NE(field, coverage);
    // It reaches beyond the ink by the spread: around the A, up to 8 pixels.
    const QRect square = ToQRect(vantor::CellSquare(1024, 3, 3));
    const QRect ink = InkBounds(coverage, square);
    EXPECT_TRUE(InkBounds(field, square).contains(ink.adjusted(-4, -4, 4, 4)));
    EXPECT_TRUE(ink.adjusted(-8, -8, 8, 8).contains(InkBounds(field, square)));

    // The export says what its page holds, in both formats, and each
    // character's rectangle holds its field, cut to its square.
    QTemporaryDir folder;
    for (const char *name : {"f.fnt", "f.xml"})
        window.ExportBMFont(folder.filePath(QString::fromLatin1(name)).toStdString());
    const auto read = [&](const char *name) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_EQ(read("f.fnt").split('\n').value(2), "distanceField fieldType=sdf distanceRange=16");
    EXPECT_EQ(read("f.xml").split('\n').value(4), "  <distanceField fieldType=\"sdf\" distanceRange=\"16\"/>");
    const QString fnt = QString::fromUtf8(read("f.fnt"));
    const QString charA = fnt.split(QLatin1Char('\n')).filter(QStringLiteral("char id=65 ")).value(0);
    EXPECT_TRUE(charA.contains(QStringLiteral(" x=%1 ").arg(InkBounds(field, square).left()))) << charA;
    // The spread scales with the texture: 16 pixels at 2048.
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    window.ExportBMFont(folder.filePath(QStringLiteral("f.fnt")).toStdString());
    EXPECT_EQ(read("f.fnt").split('\n').value(2), "distanceField fieldType=sdf distanceRange=32");
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(2);
    item.trigger();
    EXPECT_EQ(Texture(), coverage) << "off again, the coverage again";
}

} // namespace
