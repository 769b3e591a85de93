#include "test_support.h"

#include "framework/graphics_exporter.h"

#include "fontmap/grid.h"

namespace {

class DistanceFieldWindowTest : public MainWindowTest {
protected:
    QTemporaryDir folder;
    QString PathOf(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    // The BMFont export to that name, in the format its ending asks, as
    // written.
    QByteArray Exported(const char *name)
    {
        window.ExportBMFont(PathOf(name).toStdString());
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(DistanceFieldWindowTest, TheMenuSwitchesTheTextureToFieldsAtOnceAndTheWidthsStay)
{
    auto &item = QtChild<QAction>(window, "ViewDistanceFieldSingle");
    EXPECT_TRUE(QtChild<QAction>(window, "ViewDistanceFieldOff").isChecked()) << "off at start";
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
    const QString fnt = QString::fromUtf8(Exported("f.fnt"));
    EXPECT_EQ(
        fnt.split(QLatin1Char('\n')).value(2), QStringLiteral("distanceField fieldType=\"sdf\" distanceRange=16"));
    EXPECT_EQ(Exported("f.xml").split('\n').value(4), "  <distanceField fieldType=\"sdf\" distanceRange=\"16\"/>");
    const QString charA = fnt.split(QLatin1Char('\n')).filter(QStringLiteral("char id=65 ")).value(0);
    EXPECT_TRUE(charA.contains(QStringLiteral(" x=%1 ").arg(InkBounds(field, square).left()))) << charA;
    // The spread scales with the texture: 16 pixels at 2048.
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    EXPECT_EQ(Exported("f.fnt").split('\n').value(2), "distanceField fieldType=\"sdf\" distanceRange=32");
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(2);
    QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
    EXPECT_FALSE(item.isChecked());
    EXPECT_EQ(Texture(), coverage) << "off again, the coverage again";
}

// Multi-Channel: the texture in colour, its greys the single channel's
// field; the PNG in RGB, the BMFont page that colour, opaque, and both
// formats say so. With the true distance, the same texture, and the page's
// alpha the single channel's field.
TEST_F(DistanceFieldWindowTest, MultiChannelTheTextureIsInColourAndTheExportSaysMsdf)
{
    QtChild<QAction>(window, "ViewDistanceFieldSingle").trigger();
    const QImage single = ImageOf(window.LastAtlas()->Texture());
    const int before = Renders();
    QtChild<QAction>(window, "ViewDistanceFieldMulti").trigger();
    EXPECT_EQ(Renders(), before + 1) << "renders at once";
    EXPECT_FALSE(QtChild<QAction>(window, "ViewDistanceFieldSingle").isChecked()) << "one at a time";
    const raster::Texture &texture = window.LastAtlas()->Texture();
    ASSERT_TRUE(texture.Coloured());
    EXPECT_EQ(ImageOf(texture), single) << "the true distance, as the single channel";
    const QImage shown = window.CurrentFontMap->View();
    ASSERT_EQ(shown.format(), QImage::Format_RGB888) << "the preview shows the colour";
    const QImage png = QImage::fromData(QByteArray::fromStdString(fw::EncodePng(*window.CurrentFontMap, 6, "t.png")));
    EXPECT_FALSE(png.hasAlphaChannel());
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB888), shown);
    EXPECT_FALSE(png.allGray()) << "corners in colour";

    const auto pageHolds = [&](const char *type, bool trueDistance) {
        SCOPED_TRACE(type);
        EXPECT_EQ(Exported("f.fnt").split('\n').value(2),
            QStringLiteral("distanceField fieldType=\"%1\" distanceRange=16").arg(type));
        EXPECT_TRUE(Exported("f.fnt").split('\n').value(1).contains(trueDistance ? " alphaChnl=0 " : " alphaChnl=4 "))
            << "the alpha the field, or one";
        EXPECT_EQ(Exported("f.xml").split('\n').value(4),
            QStringLiteral("  <distanceField fieldType=\"%1\" distanceRange=\"16\"/>").arg(type));
        const QImage page = QImage(PathOf("f_0.png")).convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(page.size(), shown.size());
        for (int y = 0; y < page.height(); y += 3) {
            for (int x = 0; x < page.width(); x += 3) {
                const QRgb p = page.pixel(x, y);
                ASSERT_EQ(qAlpha(p), trueDistance ? single.constScanLine(y)[x] : 255) << x << ", " << y;
                const uchar *rgb = shown.constScanLine(y) + 3 * x;
                ASSERT_EQ(qRgb(qRed(p), qGreen(p), qBlue(p)), qRgb(rgb[0], rgb[1], rgb[2])) << x << ", " << y;
            }
        }
    };
    pageHolds("msdf", false);
    QtChild<QAction>(window, "ViewDistanceFieldTrue").trigger();
    EXPECT_FALSE(QtChild<QAction>(window, "ViewDistanceFieldMulti").isChecked()) << "one of the four";
    EXPECT_EQ(window.CurrentFontMap->View(), shown) << "the same channels";
    pageHolds("mtsdf", true);
    QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
}

} // namespace
