#include "framework/check_box.h"
#include "framework/edit_field.h"
#include "framework/fonts.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "test_support.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts renders by the width list's refills.
class RenderCounter {
public:
    explicit RenderCounter(const fw::Window &window)
    {
        QObject::connect(
            QtChild<QTableView>(window, "lstWidths").model(), &QAbstractItemModel::modelReset, [this] { ++count; });
    }
    int count = 0;
};

bool ExportsEnabled(const fw::Window &window)
{
    bool any = false;
    for (const char *name : {"btnSave", "btnCopy", "btnSaveWidths", "btnCopyWidths"})
        any = any || window.Find<fw::PushButton>(name).Enabled();
    return any;
}

TEST(StartUp, TheFourthOpenEventMakesTheOnlyRender)
{
    auto &window = static_cast<vantor::Window1 &>(fw::BuildWindow(std::make_unique<vantor::Window1>()));
    RenderCounter renders(window);
    std::vector<int> countsAfterEachOpen;
    for (int i = 0; i < window.ControlCount(); ++i) {
        fw::Control &control = window.ControlAt(i);
        if (!control.IsBound(fw::Event::Open))
            continue;
        control.Raise(fw::Event::Open);
        countsAfterEachOpen.push_back(renders.count);
        if (renders.count == 0) {
            EXPECT_FALSE(ExportsEnabled(window)) << control.Name();
        }
    }
    EXPECT_EQ(countsAfterEachOpen, (std::vector<int>{0, 0, 0, 1, 1}))
        << "lstChars, lstFonts, lstSizes, popTexSize, lstWidths";
    EXPECT_TRUE(ExportsEnabled(window));
    EXPECT_EQ(window.Find<fw::Listbox>("lstWidths").Heading(0), "Char");
    EXPECT_EQ(window.Find<fw::Listbox>("lstWidths").Heading(1), "Width");
    fw::DestroyAllWindows();
}

using SettingsTest = MainWindowTest;

TEST_F(SettingsTest, TheGridHoldsTheDefaultCharacters)
{
    fw::Listbox &chars = List("lstChars");
    ASSERT_EQ(chars.ListCount(), 10);
    ASSERT_EQ(chars.ColumnCount(), 10);
    for (int i = 0; i < 95; ++i)
        EXPECT_EQ(chars.Cell(i / 10, i % 10), std::string(1, static_cast<char>(32 + i))) << i;
    for (int c = 5; c < 10; ++c)
        EXPECT_EQ(chars.Cell(9, c), "?");
    EXPECT_EQ(chars.Cell(0, 0), " ");
    EXPECT_EQ(chars.Cell(3, 3), "A");
    EXPECT_EQ(chars.Cell(6, 5), "a");
    EXPECT_EQ(chars.Cell(1, 6), "0");
    EXPECT_EQ(chars.Cell(9, 4), "~");
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(chars.CellType(i / 10, i % 10), fw::Listbox::kTypeEditable);
}

TEST_F(SettingsTest, AllHundredCellsShowAtOnceWithoutScrolling)
{
    auto &view = QtChild<QTableView>(window, "lstChars");
    window.Widget().show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
    const QRect last = view.visualRect(view.model()->index(9, 9));
    EXPECT_LE(last.bottom(), view.viewport()->height());
    EXPECT_LE(last.right(), view.viewport()->width());
    EXPECT_GE(last.height(), 16);
    EXPECT_LE(last.height(), 20);
}

TEST_F(SettingsTest, TheChoiceListsHoldTheirChoicesAndDefaults)
{
    fw::Listbox &fonts = List("lstFonts");
    ASSERT_EQ(fonts.ListCount(), fw::FontCount());
    for (int i = 0; i < fonts.ListCount(); ++i)
        EXPECT_EQ(fonts.Cell(i, 0), fw::Font(i));
    EXPECT_EQ(fonts.Text(), "Courier");
    EXPECT_EQ(fonts.Heading(0), "Fonts");

    fw::Listbox &sizes = List("lstSizes");
    ASSERT_EQ(sizes.ListCount(), 248);
    EXPECT_EQ(sizes.Cell(0, 0), "9");
    EXPECT_EQ(sizes.Cell(247, 0), "256");
    EXPECT_EQ(sizes.ListIndex(), 63);
    EXPECT_EQ(sizes.Text(), "72");
    EXPECT_EQ(sizes.Heading(0), "Size");

    auto &textures = window.Find<fw::PopupMenu>("popTexSize");
    ASSERT_EQ(textures.ListCount(), 4);
    EXPECT_EQ(textures.Text(), "1024");
    EXPECT_EQ(textures.ListIndex(), 2);
    EXPECT_EQ(window.CurrentFontMap->Width(), 1024);
}

TEST_F(SettingsTest, EveryChangeOfASettingRendersOnceAndTheFitSwitchNever)
{
    RenderCounter renders(window);
    auto &dx = window.Find<fw::EditField>("edtDX");
    auto &dy = window.Find<fw::EditField>("edtDY");

    QApplication::setActiveWindow(&window.Widget());
    auto &dxField = QtChild<QLineEdit>(window, "edtDX");
    dxField.setFocus();
    dxField.selectAll();
    QTest::keyClicks(&dxField, QStringLiteral("12"));
    EXPECT_EQ(dx.Text(), "12");
    EXPECT_EQ(renders.count, 2) << "typing 12 renders for 1 and for 12";
    dx.SetText("");
    EXPECT_EQ(renders.count, 3) << "clearing renders";
    dy.SetText("5");
    EXPECT_EQ(renders.count, 4);

    QtChild<QCheckBox>(window, "chkBold").click();
    EXPECT_EQ(renders.count, 5);
    QtChild<QCheckBox>(window, "chkItalic").click();
    EXPECT_EQ(renders.count, 6);
    List("lstFonts").SetListIndex(1);
    EXPECT_EQ(renders.count, 7);
    List("lstSizes").SetListIndex(0);
    EXPECT_EQ(renders.count, 8);
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    EXPECT_EQ(renders.count, 9);

    const auto texture = window.CurrentFontMap;
    const std::string widths = window.CharWidthTable();
    QtChild<QCheckBox>(window, "chkToFit").click();
    EXPECT_EQ(renders.count, 9);
    EXPECT_EQ(window.CurrentFontMap, texture);
    EXPECT_EQ(window.CharWidthTable(), widths);
}

TEST_F(SettingsTest, TogglingBoldTwiceGivesTheTextureBack)
{
    const QImage before = Texture();
    QtChild<QCheckBox>(window, "chkBold").click();
    EXPECT_NE(Texture(), before);
    QtChild<QCheckBox>(window, "chkBold").click();
    EXPECT_EQ(Texture(), before);
}

TEST_F(SettingsTest, TypingIntoACellRendersAtEveryKeystroke)
{
    RenderCounter renders(window);
    QApplication::setActiveWindow(&window.Widget());
    auto &view = QtChild<QTableView>(window, "lstChars");
    view.setFocus();
    view.setCurrentIndex(view.model()->index(3, 3));
    QTest::keyClick(&view, 'X');
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &view) << "typing opens the cell's editor";
    EXPECT_EQ(List("lstChars").Cell(3, 3), "X");
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "X");
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QStringLiteral("AB"));
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "AB");
    EXPECT_EQ(List("lstWidths").Cell(33, 1), "86.70");
    EXPECT_EQ(renders.count, 4) << "X, erase, A, B";
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(renders.count, 4) << "ending the edit changes nothing more";
    EXPECT_EQ(List("lstChars").Cell(3, 3), "AB");
}

TEST_F(SettingsTest, EscapeGivesTheCellItsTextBack)
{
    QApplication::setActiveWindow(&window.Widget());
    auto &view = QtChild<QTableView>(window, "lstChars");
    view.setFocus();
    view.setCurrentIndex(view.model()->index(4, 0));
    QTest::keyClick(&view, 'Q');
    EXPECT_EQ(List("lstWidths").Cell(40, 0), "Q");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(List("lstChars").Cell(4, 0), "H");
    EXPECT_EQ(List("lstWidths").Cell(40, 0), "H") << "the restored text is rendered";
}

TEST_F(SettingsTest, APasteOfAHundredThousandCharactersIsKeptWhole)
{
    const QString text(100000, QLatin1Char('i'));
    QGuiApplication::clipboard()->setText(text);
    QApplication::setActiveWindow(&window.Widget());
    auto &dx = QtChild<QLineEdit>(window, "edtDX");
    dx.setFocus();
    dx.selectAll();
    dx.paste();
    EXPECT_EQ(window.Find<fw::EditField>("edtDX").Text().size(), 100000u);

    auto &view = QtChild<QTableView>(window, "lstChars");
    view.setFocus();
    view.setCurrentIndex(view.model()->index(2, 2));
    QTest::keyClick(&view, 'X');
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    editor->paste();
    EXPECT_EQ(List("lstChars").Cell(2, 2).size(), 100000u);
    EXPECT_EQ(List("lstWidths").Cell(22, 0).size(), 100000u) << "rendered whole";
}

TEST_F(SettingsTest, TabFollowsTheReadingOrderOfTheWindow)
{
    window.Widget().show();
    QApplication::setActiveWindow(&window.Widget());
    QtChild<QWidget>(window, "lstChars").setFocus();
    QStringList order;
    for (int i = 0; i < 16; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(QLatin1Char(' ')).toStdString(),
        "lstChars lstFonts lstSizes chkBold chkItalic btnSave btnCopy popTexSize chkToFit edtDX edtDY lstWidths "
        "btnSaveWidths btnCopyWidths btnQuit lstChars");
}

TEST_F(SettingsTest, UndoAndRedoInACellStepThroughTheTypingAndRender)
{
    QApplication::setActiveWindow(&window.Widget());
    auto &view = QtChild<QTableView>(window, "lstChars");
    view.setFocus();
    view.setCurrentIndex(view.model()->index(3, 3));
    QTest::keyClick(&view, 'X');
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClicks(editor, QStringLiteral("YZ"));
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "YZX");
    auto &undo = QtChild<QAction>(window, "EditUndo");
    Q_EMIT QtChild<QMenu>(window, "EditMenu").aboutToShow();
    ASSERT_TRUE(undo.isEnabled()) << "Edit > Undo applies to the cell being edited";
    undo.trigger();
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "X") << "each step renders";
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "YZX");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(List("lstChars").Cell(3, 3), "A") << "Escape still restores the cell as it was";
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "A");
}

TEST_F(SettingsTest, TheWidthListIsForDisplayOnly)
{
    auto &view = QtChild<QTableView>(window, "lstWidths");
    EXPECT_FALSE(view.model()->flags(view.model()->index(5, 1)) & Qt::ItemIsEditable);
}

class FontChoiceTest : public WindowTest {
protected:
    void TearDown() override
    {
        WindowTest::TearDown();
        fw::RestoreFontFamilies();
    }
};

TEST_F(FontChoiceTest, WithoutCourierNothingRendersUntilAFontIsPicked)
{
    fw::OverrideFontFamilies({"DejaVu Sans", "DejaVu Serif"});
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").ListIndex(), -1);
    EXPECT_EQ(window.CurrentFontMap, nullptr);
    EXPECT_FALSE(ExportsEnabled(window));
    EXPECT_EQ(window.Find<fw::Listbox>("lstWidths").ListCount(), 0);

    window.Find<fw::Listbox>("lstFonts").SetListIndex(1);
    ASSERT_NE(window.CurrentFontMap, nullptr);
    EXPECT_TRUE(ExportsEnabled(window));
    EXPECT_EQ(window.Find<fw::Listbox>("lstWidths").ListCount(), 100);
}

TEST_F(FontChoiceTest, TheLastFontNamedCourierInAnyCaseIsSelected)
{
    fw::OverrideFontFamilies({"courier", "DejaVu Sans", "COURIER", "Courier New"});
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").ListIndex(), 2);
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").ListCount(), 4);
}

TEST_F(FontChoiceTest, NoFontsAtAllMeansNoRender)
{
    fw::OverrideFontFamilies({});
    vantor::Window1 &window = vantor::implicit::Window1();
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").ListCount(), 0);
    EXPECT_EQ(window.CurrentFontMap, nullptr);
}

} // namespace
