#include "framework/graphics.h"
#include "framework/image_scaling.h"
#include "framework/picture.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Picture, IsOpaqueBlackAtDepth32AndRefusesOtherShapes)
{
    fw::Picture picture(3, 2, 32);
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
    g.FillRect(0, 0, 200, 100);
    EXPECT_EQ(picture.Image().pixel(199, 99), qRgb(255, 0, 255)) << "components clamped";
    g.SetForeColor(fw::RGB(0, 0, 0));
    g.FillRect(10, 10, -5, 20);
    EXPECT_EQ(picture.Image().pixel(9, 15), qRgb(255, 0, 255)) << "a negative width fills nothing";
}

TEST(Graphics, ALongTextShowsExactlyAsQtDrawsItWhole)
{
    const auto drawn = [](const QString &text, int x) {
        fw::Picture picture(512, 128, 32);
        picture.Graphics().SetForeColor(fw::RGB(255, 255, 255));
        picture.Graphics().SetTextFont("DejaVu Sans");
        picture.Graphics().SetTextSize(40);
        picture.Graphics().DrawString(text.toStdString(), x, 90);
        return picture.Image();
    };
    const QString words = QStringLiteral("Waffle fig AVATAR office, ").repeated(100);
    const QString hebrew = QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D ").repeated(200);
    for (const auto &[text, x] : {std::pair{words, 20}, {hebrew, 20}, {QStringLiteral("abc ") + hebrew, -300}})
        EXPECT_EQ(drawn(text, x), DrawnByQt(text, QSize(512, 128), 40, false, QPoint(x, 90))) << text.left(10);
}

TEST(ScaleImage, AveragesEachBlockWhenShrinkingAndRepeatsPixelsWhenEnlarging)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(200, 100, 50));
    image.setPixel(0, 0, qRgb(255, 0, 10));
    image.setPixel(1, 0, qRgb(0, 255, 20));
    image.setPixel(0, 1, qRgb(255, 255, 30));
    image.setPixel(1, 1, qRgb(1, 0, 41));
    const QImage half = fw::ScaleImage(image, image.rect(), QSize(2, 1));
    EXPECT_NEAR(qRed(half.pixel(0, 0)), 511 / 4.0, 1);
    EXPECT_NEAR(qGreen(half.pixel(0, 0)), 510 / 4.0, 1);
    EXPECT_NEAR(qBlue(half.pixel(0, 0)), 101 / 4.0, 1);
    EXPECT_EQ(half.pixel(1, 0), qRgb(200, 100, 50));

    const QImage large = fw::ScaleImage(image, image.rect(), QSize(12, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(large.pixel(x, y), image.pixel(x / 3, y / 3)) << x << ", " << y;
    }
    EXPECT_EQ(fw::ScaleImage(image, QRect(1, 0, 1, 1), QSize(1, 1)).pixel(0, 0), qRgb(0, 255, 20));
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
    const std::pair<QPoint, QRgb> expected[] = {{{3, 0}, qRgb(0, 0, 0)}, {{4, 0}, qRgb(255, 255, 255)},
        {{7, 3}, qRgb(255, 255, 255)}, {{8, 0}, qRgb(0, 0, 0)}, {{1023, 1023}, qRgb(0, 0, 0)}};
    for (const auto &[point, colour] : expected)
        EXPECT_EQ(screen.pixel(point), colour) << point.x() << ", " << point.y();
}

} // namespace
