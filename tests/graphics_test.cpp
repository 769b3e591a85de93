#include "test_support.h"

namespace {

TEST(Graphics, DrawsPicturesInDevicePixelsOnAHighDensityTarget)
{
    QImage greys(256, 256, QImage::Format_Grayscale8);
    greys.fill(0);
    greys.scanLine(0)[1] = 255;
    const fw::Picture texture(greys);
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
