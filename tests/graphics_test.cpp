#include "framework/graphics.h"
#include "framework/image_scaling.h"
#include "framework/picture.h"

#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Picture, IsOpaqueBlackAtDepth32AndRefusesOtherShapes)
{
    fw::Picture picture(3, 2, 32);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(reinterpret_cast<const QRgb *>(picture.Image().constScanLine(1))[2], qRgb(0, 0, 0))
        << "opaque black, as RGB32 stores it";
    EXPECT_THROW(fw::Picture(16, 16, 24), std::invalid_argument);
    EXPECT_THROW(fw::Picture(0, 16, 32), std::invalid_argument);
    EXPECT_THROW(fw::Picture(16, -1, 32), std::invalid_argument);
    EXPECT_THROW(fw::Picture(fw::Picture::kMaxSide + 1, 16, 32), std::invalid_argument);
}

TEST(Graphics, MeasuresAndDrawsWithTheSameFontState)
{
    fw::Picture picture(200, 100, 32);
    fw::Graphics &g = picture.Graphics();
    g.SetTextFont("DejaVu Sans");
    g.SetTextSize(0);
    EXPECT_EQ(g.StringWidth("Hello"), 0) << "no size, no width, no Qt warning";
    g.SetTextSize(20);
    const int regular = g.StringWidth("Hello");
    EXPECT_GT(regular, 40);
    g.SetBold(true);
    EXPECT_GT(g.StringWidth("Hello"), regular);
    g.SetForeColor(fw::RGB(300, -4, 255));
    EXPECT_EQ(g.ForeColor(), (fw::Color{255, 0, 255}));
    g.FillRect(0, 0, 200, 100);
    EXPECT_EQ(picture.Image().pixel(199, 99), qRgb(255, 0, 255));
    g.FillRect(10, 10, -5, 20);
    EXPECT_EQ(picture.Image().pixel(9, 15), qRgb(255, 0, 255)) << "a negative width fills nothing";
}

TEST(ScaleImage, AveragesEachBlockPerChannelWhenShrinking)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 10));
    image.setPixel(1, 0, qRgb(0, 255, 20));
    image.setPixel(0, 1, qRgb(255, 255, 30));
    image.setPixel(1, 1, qRgb(1, 0, 41));
    for (int x = 2; x < 4; ++x) {
        for (int y = 0; y < 2; ++y)
            image.setPixel(x, y, qRgb(200, 100, 50));
    }
    const QImage half = fw::ScaleImage(image, image.rect(), QSize(2, 1));
    ASSERT_EQ(half.size(), QSize(2, 1));
    const QRgb mixed = half.pixel(0, 0);
    EXPECT_NEAR(qRed(mixed), 511 / 4.0, 1);
    EXPECT_NEAR(qGreen(mixed), 510 / 4.0, 1);
    EXPECT_NEAR(qBlue(mixed), 101 / 4.0, 1);
    EXPECT_EQ(half.pixel(1, 0), qRgb(200, 100, 50));

    QImage white(2048, 2048, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage quarter = fw::ScaleImage(white, white.rect(), QSize(128, 128));
    EXPECT_EQ(quarter.pixel(127, 127), qRgb(255, 255, 255));
}

TEST(ScaleImage, EnlargesByRepeatingPixels)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setPixel(1, 0, qRgb(255, 255, 255));
    const QImage large = fw::ScaleImage(image, image.rect(), QSize(6, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(large.pixel(x, y), image.pixel(x / 3, y / 3)) << x << ", " << y;
    }
    EXPECT_EQ(fw::ScaleImage(image, QRect(1, 0, 1, 1), QSize(1, 1)).pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Graphics, DrawsPicturesInDevicePixelsOnAHighDensityTarget)
{
    fw::Picture texture(256, 256, 32);
    texture.Graphics().SetForeColor(fw::RGB(255, 255, 255));
    texture.Graphics().FillRect(1, 0, 1, 1);
    QImage screen(1024, 1024, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2);
    screen.fill(Qt::red);
    {
        QPainter painter(&screen);
        fw::Graphics g(painter);
        g.DrawPicture(texture, 0, 0, 512, 512, 0, 0, 256, 256);
    }
    // 256 texture pixels across 1024 device pixels: 4 device pixels each.
    EXPECT_EQ(screen.pixel(3, 0), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(4, 0), qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(7, 3), qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(8, 0), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(1023, 1023), qRgb(0, 0, 0));
}

} // namespace

namespace {

// The same text as Qt draws it whole, as the oracle.
QImage DrawnWhole(const QString &text, int x, int y)
{
    QImage image(512, 128, QImage::Format_RGB32);
    image.fill(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(x, y), text);
    return image;
}

QImage DrawnByGraphics(const QString &text, int x, int y)
{
    fw::Picture picture(512, 128, 32);
    fw::Graphics &g = picture.Graphics();
    g.SetForeColor(fw::RGB(255, 255, 255));
    g.SetTextFont("DejaVu Sans");
    g.SetTextSize(40);
    g.DrawString(text.toStdString(), x, y);
    return picture.Image();
}

TEST(Graphics, ALongTextShowsExactlyAsQtDrawsItWhole)
{
    const QString words = QStringLiteral("Waffle fig AVATAR office, ").repeated(100);
    EXPECT_EQ(DrawnByGraphics(words, 20, 90), DrawnWhole(words, 20, 90)) << "left to right, cut past the edge";
    const QString hebrew = QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D ").repeated(200);
    EXPECT_EQ(DrawnByGraphics(hebrew, 20, 90), DrawnWhole(hebrew, 20, 90)) << "right to left, drawn whole";
    const QString mixed = QStringLiteral("abc ") + hebrew;
    EXPECT_EQ(DrawnByGraphics(mixed, -300, 90), DrawnWhole(mixed, -300, 90));
}

} // namespace
