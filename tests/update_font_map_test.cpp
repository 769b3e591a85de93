#include "framework/edit_field.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class UpdateFontMapTest : public MainWindowTest {
protected:
    void Choose(int sizeRow, int textureItem, const std::string &dx, const std::string &dy)
    {
        List("lstSizes").SetListIndex(sizeRow);
        window.Find<fw::EditField>("edtDX").SetText(dx);
        window.Find<fw::EditField>("edtDY").SetText(dy);
        window.Find<fw::PopupMenu>("popTexSize").SetListIndex(textureItem);
    }

    bool ExportsEnabled()
    {
        bool all = true;
        for (const char *name : {"btnSave", "btnCopy", "btnSaveWidths", "btnCopyWidths"})
            all = all && window.Find<fw::PushButton>(name).Enabled();
        return all;
    }
};

TEST_F(UpdateFontMapTest, ScalesSizeAndOffsetsToTheTextureSize)
{
    const struct {
        int sizeRow;
        int textureItem;
        const char *dx;
        const char *dy;
        int side;
        int size;
        int scaledDx;
        int scaledDy;
    } cases[] = {
        {24 - 9, 0, "3", "-2", 256, 6, 0, 0},
        {24 - 9, 3, "3", "-2", 2048, 48, 6, -4},
        {24 - 9, 2, "3", "-2", 1024, 24, 3, -2},
        {13 - 9, 1, "7", "9", 512, 6, 3, 4},
        {72 - 9, 1, "-7", "-9", 512, 36, -3, -4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.side);
        Choose(c.sizeRow, c.textureItem, c.dx, c.dy);
        ASSERT_NE(window.CurrentFontMap, nullptr);
        const QImage rendered = Texture();
        const std::string widths = window.CharWidthTable();
        EXPECT_EQ(rendered.width(), c.side);
        EXPECT_EQ(
            window.FontMap(nullptr, "Courier", c.size, c.side, c.side, c.scaledDx, c.scaledDy)->Image(), rendered);
        EXPECT_EQ(window.CharWidthTable(), widths);
    }
}

TEST_F(UpdateFontMapTest, KeepsThePictureWhileTheTextureSizeStays)
{
    const auto first = window.CurrentFontMap;
    window.Find<fw::EditField>("edtDX").SetText("12");
    EXPECT_EQ(window.CurrentFontMap, first);
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    EXPECT_NE(window.CurrentFontMap, first);
    EXPECT_EQ(window.CurrentFontMap->Width(), 2048);
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(0);
    EXPECT_EQ(window.CurrentFontMap->Width(), 256);
}

TEST_F(UpdateFontMapTest, SettingsThatAllowNoRenderKeepTheLastTexture)
{
    List("lstChars").SetCell(0, 0, "Z");
    window.UpdateFontMap();
    const auto texture = window.CurrentFontMap;
    const QImage pixels = Texture();
    const std::string widths = window.CharWidthTable();
    ASSERT_TRUE(ExportsEnabled());

    const auto expectUnchanged = [&](const char *what) {
        EXPECT_EQ(window.CurrentFontMap, texture) << what;
        EXPECT_EQ(Texture(), pixels) << what;
        EXPECT_EQ(window.CharWidthTable(), widths) << what;
        EXPECT_TRUE(ExportsEnabled()) << what;
    };
    List("lstChars").SetCell(0, 0, "Y");

    List("lstSizes").SetListIndex(-1);
    expectUnchanged("no size");
    List("lstSizes").SetCell(0, 0, "abc");
    List("lstSizes").SetListIndex(0);
    expectUnchanged("size not a number");
    List("lstSizes").SetCell(1, 0, "0");
    List("lstSizes").SetListIndex(1);
    expectUnchanged("size 0");
    List("lstSizes").SetCell(2, 0, "-12");
    List("lstSizes").SetListIndex(2);
    expectUnchanged("negative size");
    List("lstFonts").SetListIndex(-1);
    expectUnchanged("no font");
    List("lstSizes").SetListIndex(63);
    expectUnchanged("no font, a valid size");

    List("lstFonts").SetListIndex(0);
    EXPECT_EQ(List("lstWidths").Cell(0, 0), "Y") << "a font and a size render again";
}

TEST_F(UpdateFontMapTest, HugeOffsetsRenderSafely)
{
    for (const char *offset : {"1e300", "-99999999999999999999", "1e308", "-1e308", "2147483647", "nan", "-0"}) {
        window.Find<fw::EditField>("edtDX").SetText(offset);
        window.Find<fw::EditField>("edtDY").SetText(offset);
        ASSERT_NE(window.CurrentFontMap, nullptr);
        EXPECT_EQ(List("lstWidths").ListCount(), 100) << offset;
        EXPECT_EQ(List("lstWidths").Cell(33, 1), "43.30") << offset;
    }
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    EXPECT_EQ(List("lstWidths").Cell(33, 1), "86.70") << "at 2048 the size is 144";
}

} // namespace
