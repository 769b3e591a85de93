// The window's undo history, the Edit commands on a selected cell, and
// Edit > Fill Cells.
#include "engine/engine_support.h"
#include "modal_driver.h"
#include "test_support.h"

#include "window/cell_fill.h"

namespace {

class EditHistoryTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeActive(window));
        grid.setFocus();
    }
    QAction &Action(const char *name) { return QtChild<QAction>(window, name); }
    // As the Edit menu shows it when opened.
    QString Shown(const char *name)
    {
        Q_EMIT QtChild<QMenu>(window, "EditMenu").aboutToShow();
        return Action(name).text();
    }
    // The cell selected, not being edited.
    void Select(int row, int column)
    {
        grid.setFocus();
        grid.setCurrentIndex(grid.model()->index(row, column));
    }
    // What a user sees and saves: the cells, size and offsets, and the
    // texture, which must be a fresh render's.
    struct State {
        std::vector<std::string> cells;
        vantor::Window1::Choices choices;
        QImage texture;
        friend bool operator==(const State &, const State &) = default;
    };
    State Now()
    {
        std::vector<std::string> cells;
        for (int cell = 0; cell < 100; ++cell)
            cells.push_back(List("lstChars").Cell(cell / 10, cell % 10));
        vantor::AtlasEngine fresh;
        EXPECT_EQ(window.CurrentFontMap->Image(), ImageOf(fresh.Render(window.LastAtlas()->Settings())->Texture()));
        return {cells, window.CurrentChoices(), window.CurrentFontMap->Image()};
    }

    QTableView &grid = QtChild<QTableView>(window, "lstChars");
};

TEST_F(EditHistoryTest, EveryChangeOfASettingOrOfCellsIsOneStepOfOneHistoryNamedInTheMenu)
{
    std::vector<State> states{Now()};
    // Typed into a cell, Enter: one step, however many keys.
    Select(3, 3);
    QTest::keyClicks(&grid, QStringLiteral("Q"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("RS"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    states.push_back(Now());
    // Pasted over a selected cell, its TAB left out; and deleted.
    QGuiApplication::clipboard()->setText(QStringLiteral("p\tq"));
    Select(4, 4);
    Action("EditPaste").trigger();
    EXPECT_EQ(List("lstChars").Cell(4, 4), "pq");
    states.push_back(Now());
    Select(5, 5);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(List("lstChars").Cell(5, 5), "");
    states.push_back(Now());
    // Filled, from the cell selected.
    Select(9, 5);
    ModalDriver fill({[](QWidget &dialog) {
        auto &field = *dialog.findChild<QLineEdit *>(QStringLiteral("text"));
        EXPECT_TRUE(field.hasFocus() && field.selectedText() == field.text())
            << "typing or a paste replaces the set it starts from";
        field.setText(QString::fromUtf8("\xCE\xB1\xCE\xB2 \xCE\xB3"));
        dynamic_cast<QDialog &>(dialog).accept();
    }});
    const int before = Renders();
    Action("EditFillCells").trigger();
    EXPECT_EQ(Renders() - before, 1) << "one render for the whole fill";
    EXPECT_EQ(List("lstChars").Cell(9, 8), "\xCE\xB3");
    states.push_back(Now());
    // Fitted.
    Action("ViewFitGlyphs").trigger();
    states.push_back(Now());
    // Each setting: a run of keys in dx one step, taken back by the field
    // itself first while it has the focus.
    List("lstSizes").SetListIndex(40);
    states.push_back(Now());
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(1);
    states.push_back(Now());
    auto &dx = QtChild<QLineEdit>(window, "edtDX");
    ASSERT_TRUE(MakeActive(window));
    dx.setFocus();
    QTest::keyClick(&dx, Qt::Key_End);
    QTest::keyClicks(&dx, QStringLiteral("12"));
    EXPECT_EQ(Shown("EditUndo"), QStringLiteral("&Undo Typing"));
    states.push_back(Now());
    QtChild<QCheckBox>(window, "chkBold").click();
    states.push_back(Now());
    Action("ViewDistanceFieldSingle").trigger();
    states.push_back(Now());
    List("lstFonts").SetListIndex((List("lstFonts").ListIndex() + 1) % List("lstFonts").ListCount());
    states.push_back(Now());
    grid.setFocus();
    const QStringList names{"Cell Edit", "Cell Edit", "Cell Edit", "Fill Cells", "Fit Glyphs to Cells", "Size",
        "Texture Size", "dx", "Bold", "Distance Field", "Font"};
    ASSERT_EQ(static_cast<std::size_t>(names.size()), states.size() - 1);

    for (std::size_t step = states.size() - 1; step > 0; --step) {
        ASSERT_TRUE(Action("EditUndo").isEnabled()) << step;
        EXPECT_EQ(Shown("EditUndo"), QStringLiteral("&Undo ") + names[static_cast<int>(step - 1)]);
        const int renders0 = Renders();
        Action("EditUndo").trigger();
        EXPECT_EQ(Renders() - renders0, 1) << "one render a step";
        ASSERT_TRUE(Now() == states[step - 1]) << "undone back to state " << step - 1;
    }
    EXPECT_FALSE(Action("EditUndo").isEnabled()) << "nothing before the first step";
    EXPECT_EQ(Shown("EditUndo"), QStringLiteral("&Undo"));
    for (std::size_t step = 1; step < states.size(); ++step) {
        ASSERT_TRUE(Action("EditRedo").isEnabled()) << step;
        EXPECT_EQ(Shown("EditRedo"), QStringLiteral("&Redo ") + names[static_cast<int>(step - 1)]);
        Action("EditRedo").trigger();
        ASSERT_TRUE(Now() == states[step]) << "redone to state " << step;
    }
    // A change of its own after an undo lets go of what was undone.
    Action("EditUndo").trigger();
    Select(0, 0);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_FALSE(Action("EditRedo").isEnabled());
}

TEST_F(EditHistoryTest, InAnOpenEditorCtrlZTakesBackItsTypingFirstThenTheHistory)
{
    Action("ViewFitGlyphs").trigger();
    const vantor::Window1::Choices fitted = window.CurrentChoices();
    Select(2, 2);
    QTest::keyClick(&grid, Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid) << "the cell's editor is open";
    // Nothing of its own to take back: the keys reach the history.
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(window.CurrentChoices(), fitted) << "the fit taken back";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.CurrentChoices(), fitted) << "and made again";
    // Typing of its own: taken back first, as in any field.
    Select(2, 2);
    QTest::keyClick(&grid, Qt::Key_F2);
    editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral("xy"));
    EXPECT_EQ(List("lstChars").Cell(2, 2), "6xy");
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(List("lstChars").Cell(2, 2), "6");
    EXPECT_EQ(window.CurrentChoices(), fitted);
}

TEST_F(EditHistoryTest, CutCopyPasteAndDeleteActOnASelectedCell)
{
    Select(3, 3); // "A"
    for (const char *name : {"EditCut", "EditCopy", "EditClear"})
        EXPECT_TRUE(Action(name).isEnabled()) << name;
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("A"));
    Select(3, 4);
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(List("lstChars").Cell(3, 4), "A");
    QTest::keyClick(&grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(List("lstChars").Cell(3, 4), "");
    EXPECT_EQ(List("lstWidths").Cell(34, 1), "0.00") << "rendered";
    EXPECT_FALSE(Action("EditCut").isEnabled()) << "nothing to cut from an empty cell";
    QGuiApplication::clipboard()->setText(QStringLiteral("line\r\nbreak"));
    Action("EditPaste").trigger();
    EXPECT_EQ(List("lstChars").Cell(3, 4), "linebreak") << "one line of the table";
    Action("EditClear").trigger();
    EXPECT_EQ(List("lstChars").Cell(3, 4), "");
    for (int step = 0; step < 4; ++step)
        Action("EditUndo").trigger();
    EXPECT_EQ(List("lstChars").Cell(3, 4), "B") << "each change one step";
}

TEST(CellFillTest, OneCharacterACellFromTheFirstOnWhiteSpaceButTheSpaceLeftOut)
{
    const std::vector<std::string> grid = DefaultCells();
    // Grapheme clusters: e with its accent, a flag.
    const vantor::CellFill fill = vantor::FillCells(grid, 95, "e\xCC\x81\t\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7\n x");
    EXPECT_EQ(std::vector<std::string>(fill.cells.begin() + 95, fill.cells.end()),
        (std::vector<std::string>{"e\xCC\x81", "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7", " ", "x", "?"}));
    EXPECT_EQ(std::vector<std::string>(fill.cells.begin(), fill.cells.begin() + 95),
        std::vector<std::string>(grid.begin(), grid.begin() + 95));
    EXPECT_EQ(vantor::FillNote(fill), "Fills 4 cells from the selected one on; the other 96 keep their text.");
    const vantor::CellFill over = vantor::FillCells(grid, 90, std::string(25, 'y'));
    EXPECT_EQ(over.filled, 10);
    EXPECT_EQ(vantor::FillNote(over),
        "Fills the 10 cells from the selected one to the last; 15 characters more than there are cells are left out.");
    EXPECT_EQ(vantor::FillNote(vantor::FillCells(grid, 0, "\t\n")), "No characters to fill the cells with.");
    // The sets to start from, each of its characters a cell.
    for (const auto &[name, text] : vantor::CharacterSets())
        EXPECT_GT(vantor::FillCells(grid, 0, text).filled, 20) << name;
    EXPECT_EQ(vantor::FillCells(grid, 0, vantor::CharacterSets().front().second).cells, grid) << "the default";
}

} // namespace
