#include "framework/edit_field.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class UpdateFontMapTest : public MainWindowTest {
protected:
    fw::EditField &Field(const char *name) { return window.Find<fw::EditField>(name); }
    void ChooseTexture(int item) { window.Find<fw::PopupMenu>("popTexSize").SetListIndex(item); }
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
    // Size row, texture item, dx, dy; then what the renderer gets.
    const struct {
        int sizeRow, textureItem;
        const char *dx, *dy;
        int side, size, scaledDx, scaledDy;
    } cases[] = {
        {24 - 9, 0, "3", "-2", 256, 6, 0, 0},
        {24 - 9, 3, "3", "-2", 2048, 48, 6, -4},
        {24 - 9, 2, "3.9", "-2", 1024, 24, 3, -2},
        {13 - 9, 1, "7", "9", 512, 6, 3, 4},
        {72 - 9, 1, "-7", "-9", 512, 36, -3, -4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.side);
        List("lstSizes").SetListIndex(c.sizeRow);
        Field("edtDX").SetText(c.dx);
        Field("edtDY").SetText(c.dy);
        ChooseTexture(c.textureItem);
        const QImage rendered = Texture();
        const std::string widths = window.CharWidthTable();
        EXPECT_EQ(
            window.FontMap(nullptr, "Courier", c.size, c.side, c.side, c.scaledDx, c.scaledDy)->Image(), rendered);
        EXPECT_EQ(window.CharWidthTable(), widths);
    }
}

TEST_F(UpdateFontMapTest, DrawsIntoTheSamePictureWhileTheTextureSizeStays)
{
    const auto first = window.CurrentFontMap;
    Field("edtDX").SetText("12");
    EXPECT_EQ(window.CurrentFontMap, first);
    ChooseTexture(3);
    EXPECT_NE(window.CurrentFontMap, first);
    ChooseTexture(0);
    EXPECT_EQ(Texture().width(), 256);
}

TEST_F(UpdateFontMapTest, SettingsThatAllowNoRenderKeepTheLastTexture)
{
    const auto texture = window.CurrentFontMap;
    const QImage pixels = Texture();
    const std::string widths = window.CharWidthTable();
    List("lstChars").SetCell(0, 0, "Y");
    const std::pair<int, const char *> sizes[] = {{-1, "none"}, {0, "abc"}, {1, "0"}, {2, "-12"}};
    for (const auto &[row, text] : sizes) {
        if (row >= 0)
            List("lstSizes").SetCell(row, 0, text);
        List("lstSizes").SetListIndex(row);
    }
    List("lstFonts").SetListIndex(-1);
    List("lstSizes").SetListIndex(63);
    EXPECT_EQ(window.CurrentFontMap, texture);
    EXPECT_EQ(Texture(), pixels);
    EXPECT_EQ(window.CharWidthTable(), widths);
    EXPECT_TRUE(ExportsEnabled());
    List("lstFonts").SetListIndex(0);
    EXPECT_EQ(List("lstWidths").Cell(0, 0), "Y") << "a font and a size render again";
}

TEST_F(UpdateFontMapTest, HugeOffsetsRenderSafely)
{
    for (const char *offset : {"1e300", "-99999999999999999999", "-1e308", "2147483647", "nan"}) {
        Field("edtDX").SetText(offset);
        Field("edtDY").SetText(offset);
        EXPECT_EQ(List("lstWidths").Cell(33, 1), "43.30") << offset;
    }
    ChooseTexture(3);
    EXPECT_EQ(List("lstWidths").Cell(33, 1), "86.70") << "at 2048 the size is 144";
}

} // namespace
