#include "test_support.h"

namespace {

// Only the glyphs that can reach a picture are drawn: a long text shows on
// it exactly as on a picture wide enough for much more of it.
TEST(Graphics, ALongTextShowsAsOnAPictureThatHoldsMoreOfIt)
{
    const auto drawn = [](const QString &text, int x, int width, int shift) {
        fw::Picture picture(width, 128, 32);
        picture.Graphics().SetForeColor(fw::RGB(255, 255, 255));
        picture.Graphics().SetTextFont("DejaVu Sans");
        picture.Graphics().SetTextSize(40);
        picture.Graphics().DrawString(text.toStdString(), x + shift, 90);
        return picture.Image().copy(shift, 0, 512, 128);
    };
    const QString words = QStringLiteral("Waffle fig AVATAR office, ").repeated(100);
    const QString hebrew = QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D ").repeated(200);
    for (const auto &[text, x] : {std::pair{words, 20}, {hebrew, 20}, {QStringLiteral("abc ") + hebrew, -300}}) {
        const QImage shown = drawn(text, x, 512, 0);
        EXPECT_FALSE(InkBounds(shown, shown.rect()).isEmpty());
        EXPECT_EQ(shown, drawn(text, x, 4096, 2000)) << text.left(10);
    }
}

// Drawn over a render, a text or a rectangle is gone when the same render
// comes again: the picture holds what the render asks, nothing older.
TEST(Graphics, TheSameFillAndTextsGiveTheSameBytesWhateverWasDrawnBetween)
{
    fw::Picture picture(256, 128, 32);
    fw::Graphics &g = picture.Graphics();
    g.SetTextFont("DejaVu Sans");
    g.SetTextSize(40);
    const auto render = [&] {
        g.SetForeColor(fw::RGB(0, 0, 0));
        g.FillRect(0, 0, 256, 128);
        g.SetForeColor(fw::RGB(255, 255, 255));
        g.DrawString("Ab", 20, 90);
        return picture.Image();
    };
    const QImage first = render();
    for (const auto &[what, draw] : std::initializer_list<std::pair<const char *, std::function<void()>>>{
             {"text", [&] { g.DrawString("x", 150, 90); }}, {"rectangle", [&] { g.FillRect(200, 10, 5, 5); }}}) {
        draw();
        EXPECT_NE(picture.Image(), first) << what;
        EXPECT_EQ(render(), first) << what;
    }
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
