#include "allocation_failure.h"
#include "test_support.h"

// The renderer's contract with its window: the controls it reads, the width
// list it fills, the picture it gives. What it draws and measures is the
// atlas engine's, tested on its own.
namespace {

using FontMapTest = MainWindowTest;

TEST_F(FontMapTest, RedrawsTheSamePictureInPlaceAndMakesOneOnlyForANewSize)
{
    const auto map = window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
    EXPECT_EQ(map->Image().format(), QImage::Format_Grayscale8) << "greys, 8 bits a pixel";
    EXPECT_EQ(map->Image().size(), QSize(1024, 1024));
    const QImage fresh = map->Image();
    window.FontMap(map, "DejaVu Serif", 150, 1024, 1024, -7, 90);
    EXPECT_NE(map->Image(), fresh);
    EXPECT_EQ(window.FontMap(map, "Courier", 72, 1024, 1024, 4, 30), map) << "same size: drawn again in place";
    EXPECT_EQ(map->Image(), fresh) << "nothing of the render before is left";
    const auto larger = window.FontMap(map, "Courier", 72, 2048, 2048, 4, 30);
    EXPECT_NE(larger, map);
    EXPECT_EQ(larger->Image().size(), QSize(2048, 2048));
    EXPECT_EQ(map->Image(), fresh) << "the old picture is left untouched";
    const auto other = std::make_shared<fw::Picture>(512, 512, 32);
    EXPECT_NE(window.FontMap(other, "Courier", 36, 512, 512, 4, 30), other) << "a picture it did not make";
}

TEST_F(FontMapTest, ReadsBoldAndItalicAndFillsOneWidthRowPerCellInGridOrder)
{
    List("lstChars").SetCell(2, 7, "");
    List("lstChars").SetCell(8, 1, "AB");
    window.Find<fw::CheckBox>("chkBold").SetValue(false);
    window.Find<fw::CheckBox>("chkItalic").SetValue(true);
    window.FontMap(nullptr, "Courier", 72, 1024, 1024, 4, 30);
    EXPECT_FALSE(window.LastAtlas()->Settings().bold);
    EXPECT_TRUE(window.LastAtlas()->Settings().italic);
    fw::Listbox &widths = List("lstWidths");
    ASSERT_EQ(widths.ListCount(), 100);
    for (int row = 0; row < 100; ++row) {
        EXPECT_EQ(widths.Cell(row, 0), List("lstChars").Cell(row / 10, row % 10)) << row;
        const std::string expected = row == 27 ? "0.00" : row == 81 ? "86.70" : "43.30";
        EXPECT_EQ(widths.Cell(row, 1), expected) << "a monospace advance of 43.34 px, cell " << row;
    }
    EXPECT_EQ(window.CharWidthTable().substr(0, 16), " \t43.30\r!\t43.30\r");
}

TEST_F(FontMapTest, ARenderThatRunsOutOfMemorySaysSoAndLeavesNothingToSave)
{
    ErrorSpy errors;
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    SelectFont("DejaVu Sans");
    {
        const LargeAllocationsFail fail(64 << 10);
        List("lstSizes").SetListIndex(256 - 9);
    }
    EXPECT_EQ(errors.messages,
        std::vector<std::string>{
            "Not enough memory to draw DejaVu Sans at size 256 on a 2048 texture. A smaller size or texture may fit."});
    EXPECT_FALSE(window.CurrentFontMap);
    EXPECT_EQ(List("lstWidths").ListCount(), 0);
    const auto enabled = [&] {
        std::string states;
        for (const char *button : {"btnSave", "btnCopy", "btnSaveWidths", "btnCopyWidths"})
            states += window.Find<fw::PushButton>(button).Enabled() ? "1" : "0";
        return states;
    };
    EXPECT_EQ(enabled(), "0000") << "nothing shown, nothing to save";
    List("lstSizes").SetListIndex(72 - 9);
    EXPECT_TRUE(window.CurrentFontMap);
    EXPECT_EQ(List("lstWidths").ListCount(), 100);
    EXPECT_EQ(enabled(), "1111");
    EXPECT_EQ(errors.messages.size(), 1U);
}

} // namespace
