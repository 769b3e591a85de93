#include "framework/popup_menu.h"
#include "test_support.h"

#include <QCheckBox>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

class PreviewTest : public MainWindowTest {
protected:
    QImage Preview()
    {
        QWidget &canvas = window.Find<fw::Control>("cnvPreview").Widget();
        return canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRgb Background() { return window.Find<fw::Control>("cnvPreview").Widget().palette().window().color().rgb(); }

    void ChooseTexture(int item) { window.Find<fw::PopupMenu>("popTexSize").SetListIndex(item); }
    void SetFit(bool fit)
    {
        auto &box = QtChild<QCheckBox>(window, "chkToFit");
        if (box.isChecked() != fit)
            box.click();
    }
};

TEST_F(PreviewTest, FitShrinksA2048TextureToTheAverageOfEachBlock)
{
    ChooseTexture(3);
    SetFit(true);
    const QImage preview = Preview();
    const QImage &texture = Texture();
    ASSERT_EQ(preview.size(), QSize(512, 512));
    for (int y = 0; y < 512; y += 3) {
        for (int x = 0; x < 512; x += 3) {
            int sum = 0;
            for (int j = 0; j < 4; ++j) {
                for (int i = 0; i < 4; ++i)
                    sum += qRed(texture.pixel(4 * x + i, 4 * y + j));
            }
            ASSERT_NEAR(qRed(preview.pixel(x, y)), (sum + 8) / 16, 1) << x << ", " << y;
        }
    }
    EXPECT_TRUE(AllGrey(preview));
}

TEST_F(PreviewTest, FitEnlargesA256TextureByWholePixels)
{
    ChooseTexture(0);
    SetFit(true);
    const QImage preview = Preview();
    const QImage &texture = Texture();
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x)
            ASSERT_EQ(preview.pixel(x, y), texture.pixel(x / 2, y / 2)) << x << ", " << y;
    }
}

TEST_F(PreviewTest, UnscaledShowsTheTopLeftOfALargeTexture)
{
    ChooseTexture(3);
    SetFit(false);
    EXPECT_EQ(Preview(), Texture().copy(0, 0, 512, 512));
}

TEST_F(PreviewTest, UnscaledLeavesTheBackgroundAroundASmallTexture)
{
    ChooseTexture(0);
    SetFit(false);
    const QImage preview = Preview();
    EXPECT_EQ(preview.copy(0, 0, 256, 256), Texture());
    EXPECT_EQ(preview.pixel(400, 100), Background());
    EXPECT_EQ(preview.pixel(100, 400), Background());
    EXPECT_EQ(preview.pixel(511, 511), Background());
}

TEST_F(PreviewTest, A512TextureLooksTheSameEitherWay)
{
    ChooseTexture(1);
    SetFit(true);
    const QImage fitted = Preview();
    SetFit(false);
    EXPECT_EQ(Preview(), fitted);
    EXPECT_EQ(fitted, Texture());
}

TEST_F(PreviewTest, StaysBlankBeforeTheFirstRender)
{
    window.CurrentFontMap.reset();
    const QImage preview = Preview();
    for (const QPoint point : {QPoint(0, 0), QPoint(256, 256), QPoint(511, 511)})
        EXPECT_EQ(preview.pixel(point), Background());
}

} // namespace
