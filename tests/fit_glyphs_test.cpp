#include "modal_driver.h"
#include "test_support.h"

namespace {

class FitGlyphsWindowTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        if (QtChild<QAction>(window, "ViewCellOverflow").isChecked())
            QtChild<QAction>(window, "ViewCellOverflow").trigger();
        MainWindowTest::TearDown();
    }
};

TEST_F(FitGlyphsWindowTest, TheMenuFitsInOneRenderAndSaysWhatItLeftOut)
{
    QtChild<QAction>(window, "ViewCellOverflow").trigger();
    List("lstChars").SetCell(4, 4, std::string(20, 'W'));
    window.UpdateFontMap();
    const int before = Renders();
    ModalDriver driver({});
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    EXPECT_EQ(Renders() - before, 1) << "not a render per size tried, nor per setting";
    EXPECT_EQ(driver.messages,
        QStringList{
            QStringLiteral("Too large for their cells even at the smallest size, left out: WWWWWWWWWWWWWWWW\u2026")});
    EXPECT_EQ(window.OverflowingCells(), std::vector<int>{44}) << "every other cell fits";
    List("lstFonts").SetListIndex(-1);
    EXPECT_EQ(window.FitGlyphsToCells(), "") << "no font, nothing to fit";
}

TEST_F(FitGlyphsWindowTest, UndoPutsSizeAndOffsetsBackInOneRenderAndRedoFitsAgain)
{
    const vantor::Window1::Choices start = window.CurrentChoices();
    const QImage unfitted = Texture();
    QtChild<QAction>(window, "ViewFitGlyphs").trigger();
    const vantor::Window1::Choices fitted = window.CurrentChoices();
    ASSERT_NE(fitted, start);
    auto &undo = QtChild<QAction>(window, "EditUndo");
    auto &redo = QtChild<QAction>(window, "EditRedo");
    // Wherever the focus is: a list, or a field with no typing to undo.
    for (const char *focus : {"lstFonts", "edtDX"}) {
        SCOPED_TRACE(focus);
        QtChild<QWidget>(window, focus).setFocus();
        ASSERT_TRUE(undo.isEnabled());
        const int before = Renders();
        undo.trigger();
        EXPECT_EQ(Renders() - before, 1);
        EXPECT_EQ(window.CurrentChoices(), start);
        EXPECT_EQ(Texture(), unfitted);
        ASSERT_TRUE(redo.isEnabled());
        redo.trigger();
        EXPECT_EQ(window.CurrentChoices(), fitted);
    }
    // A change made since is taken back first.
    QtChild<QCheckBox>(window, "chkBold").click();
    undo.trigger();
    EXPECT_EQ(window.CurrentChoices(), fitted);
}

} // namespace
