#include "modal_driver.h"
#include "test_support.h"

namespace {

class FitGlyphsTest : public MainWindowTest {
protected:
    void ShowOverflow() { QtChild<QAction>(window, "ViewCellOverflow").trigger(); }
    void TearDown() override
    {
        if (QtChild<QAction>(window, "ViewCellOverflow").isChecked())
            ShowOverflow();
        MainWindowTest::TearDown();
    }
    int SizeRow() { return List("lstSizes").ListIndex(); }
    // The overflowing cells at other offsets, as entered.
    std::vector<int> OverflowingAt(double dx, double dy)
    {
        window.Find<fw::EditField>("edtDX").SetText(fw::Format(dx, "0.0"));
        window.Find<fw::EditField>("edtDY").SetText(fw::Format(dy, "0.0"));
        return window.OverflowingCells();
    }
};

TEST_F(FitGlyphsTest, AfterAFitNoCellOverflowsAndOneSizeLargerWould)
{
    for (const int texture : {2, 3, 0}) {
        SCOPED_TRACE(texture);
        window.Find<fw::PopupMenu>("popTexSize").SetListIndex(texture);
        ShowOverflow();
        const int before = renders;
        QtChild<QAction>(window, "ViewFitGlyphs").trigger();
        EXPECT_EQ(renders - before, 1) << "not a render per size tried, nor per setting";
        EXPECT_EQ(window.OverflowingCells(), std::vector<int>{});
        const double dx = fw::Val(window.Find<fw::EditField>("edtDX").Text());
        const double dy = fw::Val(window.Find<fw::EditField>("edtDY").Text());
        const double pixel = 1024.0 / window.Rendered.textureSize;
        List("lstSizes").SetListIndex(SizeRow() + 1);
        for (const double moveX : {-2.0, -1.0, 0.0, 1.0, 2.0}) {
            for (const double moveY : {-2.0, -1.0, 0.0, 1.0, 2.0})
                EXPECT_FALSE(OverflowingAt(dx + moveX * pixel, dy + moveY * pixel).empty()) << moveX << ", " << moveY;
        }
        ShowOverflow();
        List("lstSizes").SetListIndex(72 - 9);
    }
}

TEST_F(FitGlyphsTest, TheGlyphsInkIsCentredInTheCellWithinAPixel)
{
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    fw::Graphics &g = window.CurrentFontMap->Graphics();
    QRect all;
    for (int cell = 0; cell < 100; ++cell) {
        const fw::Rect ink = g.InkRect(List("lstChars").Cell(cell / 10, cell % 10), 0, 0);
        if (!ink.Empty())
            all |= QRect(ink.left, ink.top, ink.width, ink.height);
    }
    const fw::Rect square = vantor::Window1::CellSquare(1024, 0, 0);
    const vantor::Window1::Pen pen = vantor::Window1::CellPen(window.Rendered, 0, 0);
    const int left = pen.x + all.left();
    const int right = square.width - (pen.x + all.right() + 1);
    const int top = pen.y + all.top();
    const int bottom = square.height - (pen.y + all.bottom() + 1);
    EXPECT_LE(std::abs(left - right), 1) << left << " " << right;
    EXPECT_LE(std::abs(top - bottom), 1) << top << " " << bottom;
    EXPECT_GT(window.Rendered.fontSize, 72) << "Courier fits larger than the default";
}

TEST_F(FitGlyphsTest, UndoPutsSizeAndOffsetsBackInOneRenderAndRedoFitsAgain)
{
    const vantor::Window1::Placement start = window.CurrentPlacement();
    const QImage unfitted = Texture();
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    const vantor::Window1::Placement fitted = window.CurrentPlacement();
    ASSERT_NE(fitted, start);
    auto &undo = QtChild<QAction>(window, "EditUndo");
    auto &redo = QtChild<QAction>(window, "EditRedo");
    // Wherever the focus is: a list, or a field with no typing to undo.
    for (const char *focus : {"lstFonts", "edtDX"}) {
        SCOPED_TRACE(focus);
        QtChild<QWidget>(window, focus).setFocus();
        ASSERT_TRUE(undo.isEnabled());
        const int before = renders;
        undo.trigger();
        EXPECT_EQ(renders - before, 1);
        EXPECT_EQ(window.CurrentPlacement(), start);
        EXPECT_EQ(Texture(), unfitted);
        ASSERT_TRUE(redo.isEnabled());
        redo.trigger();
        EXPECT_EQ(window.CurrentPlacement(), fitted);
    }
    // Anything else changed since, and the fit is no step to take back.
    QtChild<QCheckBox>(window, "chkBold").click();
    undo.trigger();
    EXPECT_EQ(window.CurrentPlacement(), fitted);
}

TEST_F(FitGlyphsTest, CellsTooLargeEvenAtTheSmallestSizeAreNamedAndLeftOut)
{
    List("lstChars").SetCell(4, 4, std::string(20, 'W')); // as the README says
    window.UpdateFontMap();
    ShowOverflow();
    ModalDriver driver({});
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    EXPECT_EQ(driver.messages,
        QStringList{
            QStringLiteral("Too large for their cells even at the smallest size, left out: WWWWWWWWWWWWWWWW\u2026")});
    EXPECT_EQ(window.OverflowingCells(), std::vector<int>{44}) << "every other cell fits";
}

TEST_F(FitGlyphsTest, ItalicAndSyntheticBoldReachFurtherAndFitToo)
{
    List("lstFonts").SetListIndex(2); // DejaVu Serif: both styles synthesised
    QtChild<QCheckBox>(window, "chkItalic").click();
    ShowOverflow();
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    EXPECT_EQ(window.OverflowingCells(), std::vector<int>{});
    EXPECT_TRUE(window.Rendered.bold && window.Rendered.italic);
}

TEST_F(FitGlyphsTest, AFontOfBitmapsFitsAtOneOfItsStrikesAndExportsTheSizeDrawn)
{
    SelectFont("Terminus"); // strikes of 12 to 32 pixels, none larger
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    EXPECT_EQ(window.Rendered.fontSize, 32) << "the largest strike, not a size drawn as it";
    EXPECT_EQ(window.CurrentFontMap->Graphics().DrawnSize(), 32);
    QTemporaryDir folder;
    window.ExportBMFont(folder.filePath(QStringLiteral("t.fnt")).toStdString());
    QFile fnt(folder.filePath(QStringLiteral("t.fnt")));
    ASSERT_TRUE(fnt.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fnt.readAll().startsWith("info face=\"Terminus\" size=32 ")) << "the size drawn";
    List("lstSizes").SetListIndex(72 - 9);
    window.ExportBMFont(folder.filePath(QStringLiteral("t.fnt")).toStdString());
    fnt.seek(0);
    EXPECT_TRUE(fnt.readAll().startsWith("info face=\"Terminus\" size=32 ")) << "72 draws the 32-pixel strike";
}

TEST_F(FitGlyphsTest, WhenNothingCanFitNothingChangesAndTheUserIsToldWhy)
{
    const auto settings = [&] {
        return List("lstSizes").Text() + " " + window.Find<fw::EditField>("edtDX").Text() + " "
            + window.Find<fw::EditField>("edtDY").Text();
    };
    const std::string before = settings();
    const QString nothing = QStringLiteral(
        "Nothing changed: at no offsets does every cell's ink lie inside its square, even at the smallest size.");
    const auto fit = [&](const QStringList &told) {
        window.UpdateFontMap();
        ModalDriver driver({});
        QtChild<QAction>(window, "ViewFitGlyphs").trigger();
        EXPECT_EQ(driver.messages, told);
        EXPECT_EQ(settings(), before);
    };
    SetOnlyCell(0, 0, "");
    fit({});
    SetOnlyCell(0, 0, std::string(20, 'W')); // as the README says
    fit({nothing
        + QStringLiteral(" Too large for their cells even at the smallest size, left out: "
                         "WWWWWWWWWWWWWWWW\u2026")});
    // Each ink small, but one far right of its pen and one at it: no pen
    // puts both inside.
    List("lstChars").SetCell(0, 1, "x");
    std::string farRight(61, ' ');
    farRight.back() = 'x';
    List("lstChars").SetCell(0, 0, farRight);
    fit({nothing});
    List("lstFonts").SetListIndex(-1);
    fit({});
}

} // namespace
