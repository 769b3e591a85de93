#include "framework/edit_field.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CharWidthTableTest : public MainWindowTest {
protected:
    void SetRows(const std::vector<std::pair<std::string, std::string>> &rows)
    {
        fw::Listbox &widths = List("lstWidths");
        widths.DeleteAllRows();
        for (const auto &[text, width] : rows) {
            widths.AddRow(text);
            widths.SetCell(widths.LastIndex(), 1, width);
        }
    }
};

TEST_F(CharWidthTableTest, WritesTextTabWidthCrForEveryRow)
{
    SetRows({{"A", "7.30"}});
    EXPECT_EQ(window.CharWidthTable(), std::string("\x41\x09\x37\x2E\x33\x30\x0D"));
    SetRows({{"", "0.00"}, {"AB", "12.50"}, {"\t\r\n", "1.00"}, {"\xC3\xA9", "5.10"}});
    EXPECT_EQ(window.CharWidthTable(), std::string("\t0.00\rAB\t12.50\r\t\r\n\t1.00\r\xC3\xA9\t5.10\r"));
}

TEST_F(CharWidthTableTest, AnEmptyListGivesNothing)
{
    SetRows({});
    EXPECT_EQ(window.CharWidthTable(), "");
}

TEST_F(CharWidthTableTest, HoldsExactlyTheRowsOfTheLastRender)
{
    const std::string table = window.CharWidthTable();
    EXPECT_EQ(std::count(table.begin(), table.end(), '\r'), 100);
    EXPECT_EQ(table.back(), '\r');
    EXPECT_EQ(table.find('\n'), std::string::npos);
    EXPECT_EQ(table.find("Char"), std::string::npos);
    std::size_t expectedLength = 0;
    for (int row = 0; row < 100; ++row)
        expectedLength += List("lstWidths").Cell(row, 0).size() + List("lstWidths").Cell(row, 1).size() + 2;
    EXPECT_EQ(table.size(), expectedLength);
    EXPECT_EQ(table.substr(0, 8), " \t43.30\r");
    EXPECT_EQ(window.CharWidthTable(), table) << "reading changes nothing";
    EXPECT_EQ(List("lstWidths").ListCount(), 100);

    List("lstChars").SetCell(0, 0, "Q");
    window.Find<fw::EditField>("edtDX").SetText("5");
    const std::string next = window.CharWidthTable();
    EXPECT_EQ(std::count(next.begin(), next.end(), '\r'), 100);
    EXPECT_EQ(next.substr(0, 2), "Q\t");
}

} // namespace
