#include "test_support.h"

#include <functional>
#include <optional>

namespace {

// The four buttons and the File menu's exports, when they agree.
std::optional<bool> ExportsEnabled(const fw::Window &window)
{
    std::vector<bool> states;
    for (const char *name : {"btnSave", "btnCopy", "btnSaveWidths", "btnCopyWidths"})
        states.push_back(QtChild<QPushButton>(window, name).isEnabled());
    for (const char *name : {"FileSaveTexture", "FileSaveWidthTable", "FileExportBMFont"})
        states.push_back(QtChild<QAction>(window, name).isEnabled());
    if (std::adjacent_find(states.begin(), states.end(), std::not_equal_to<>()) != states.end())
        return std::nullopt;
    return states.front();
}

QStringList Column(const fw::Window &window, const char *list, int column = 0)
{
    const QAbstractItemModel &model = *QtChild<QTableView>(window, list).model();
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

class SettingsTest : public MainWindowTest {
protected:
    fw::EditField &Field(const char *name) { return window.Find<fw::EditField>(name); }
    void ChooseTexture(int item) { window.Find<fw::PopupMenu>("popTexSize").SetListIndex(item); }
};

TEST(StartUp, FillsTheChoicesSelectsTheDefaultsAndRendersOnce)
{
    auto &window = static_cast<vantor::Window1 &>(fw::BuildWindow(std::make_unique<vantor::Window1>()));
    EXPECT_EQ(ExportsEnabled(window), false);
    for (const char *name : {"lstChars", "lstFonts", "lstSizes", "popTexSize", "lstWidths"})
        window.Find<fw::Control>(name).Raise(fw::Event::Open);
    EXPECT_EQ(window.Renders(), 1U);
    EXPECT_EQ(ExportsEnabled(window), true);

    std::string characters;
    for (int i = 0; i < 100; ++i)
        characters += window.Find<fw::Listbox>("lstChars").Cell(i / 10, i % 10);
    std::string printable;
    for (char c = ' '; c <= '~'; ++c)
        printable += c;
    EXPECT_EQ(characters, printable + "?????");
    const QAbstractItemModel &cells = *QtChild<QTableView>(window, "lstChars").model();
    EXPECT_TRUE(cells.flags(cells.index(9, 9)) & Qt::ItemIsEditable);

    const QStringList sizes = Column(window, "lstSizes");
    EXPECT_EQ(sizes.size(), 248);
    EXPECT_EQ(sizes.first() + sizes.last(), QStringLiteral("9256"));
    // Exactly the tests' fonts, each family once.
    EXPECT_EQ(Column(window, "lstFonts").join(QLatin1Char('|')),
        QStringLiteral("Courier|DejaVu Sans|DejaVu Serif|Noto Color Emoji|Terminus"));
    EXPECT_EQ(window.Find<fw::Listbox>("lstFonts").Text(), "Courier");
    EXPECT_EQ(window.Find<fw::Listbox>("lstSizes").Text(), "72");
    EXPECT_EQ(window.Find<fw::PopupMenu>("popTexSize").Text(), "1024");
    EXPECT_EQ(QtChild<QComboBox>(window, "popTexSize").count(), 4);
    const QAbstractItemModel &widths = *QtChild<QTableView>(window, "lstWidths").model();
    EXPECT_EQ(widths.headerData(0, Qt::Horizontal).toString() + widths.headerData(1, Qt::Horizontal).toString(),
        QStringLiteral("CharWidth"));
    EXPECT_FALSE(widths.flags(widths.index(5, 1)) & Qt::ItemIsEditable) << "the width list is for display only";
    fw::DestroyAllWindows();
}

TEST_F(SettingsTest, AllHundredCellsShowAtOnce)
{
    auto &view = QtChild<QTableView>(window, "lstChars");
    window.Widget().show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
    const QRect last = view.visualRect(view.model()->index(9, 9));
    EXPECT_TRUE(last.bottom() <= view.viewport()->height() && last.right() <= view.viewport()->width());
    EXPECT_TRUE(last.height() >= 16 && last.height() <= 20) << last.height();
}

TEST_F(SettingsTest, EveryChangeOfASettingRendersOnce)
{
    ASSERT_TRUE(MakeActive(window));
    auto &dxField = QtChild<QLineEdit>(window, "edtDX");
    dxField.setFocus();
    dxField.selectAll();
    QTest::keyClicks(&dxField, QStringLiteral("12"));
    EXPECT_EQ(Renders(), 2) << "typing 12 renders for 1 and for 12";
    window.Find<fw::EditField>("edtDY").SetText("5");
    EXPECT_EQ(Renders(), 3);
    QtChild<QCheckBox>(window, "chkBold").click();
    QtChild<QCheckBox>(window, "chkItalic").click();
    EXPECT_EQ(Renders(), 5);
    window.Find<fw::PopupMenu>("popTexSize").SetListIndex(3);
    EXPECT_EQ(Renders(), 6);

    // As the user picks: a click on a row, then the arrow key.
    auto &fonts = QtChild<QTableView>(window, "lstFonts");
    fonts.setFocus();
    QTest::mouseClick(fonts.viewport(), Qt::LeftButton, {}, fonts.visualRect(fonts.model()->index(1, 0)).center());
    EXPECT_EQ(List("lstFonts").Text(), "DejaVu Sans");
    EXPECT_EQ(Renders(), 7);
    QTest::keyClick(&fonts, Qt::Key_Down);
    EXPECT_EQ(List("lstFonts").Text(), "DejaVu Serif");
    EXPECT_EQ(Renders(), 8);

    const auto texture = window.CurrentFontMap;
    QtChild<QCheckBox>(window, "chkToFit").click();
    EXPECT_EQ(Renders(), 8) << "the fit switch only shows the texture another way";
    EXPECT_EQ(window.CurrentFontMap, texture);
}

TEST_F(SettingsTest, EveryChangeInACellRendersTypedUndoneRedoneOrEscaped)
{
    ASSERT_TRUE(MakeActive(window));
    auto &view = QtChild<QTableView>(window, "lstChars");
    view.setFocus();
    view.setCurrentIndex(view.model()->index(3, 3));
    QTest::keyClick(&view, 'X');
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, &view) << "typing opens the cell's editor";
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClicks(editor, QStringLiteral("AB"));
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "ABX") << "the cursor stays where the user put it";
    EXPECT_EQ(Renders(), 3) << "X, A, B";
    Q_EMIT QtChild<QMenu>(window, "EditMenu").aboutToShow();
    ASSERT_TRUE(QtChild<QAction>(window, "EditUndo").isEnabled()) << "Edit > Undo applies to the cell";
    QtChild<QAction>(window, "EditUndo").trigger();
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "X");
    Q_EMIT QtChild<QMenu>(window, "EditMenu").aboutToShow();
    QtChild<QAction>(window, "EditRedo").trigger();
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "ABX");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor closes once the key has been handled
    EXPECT_EQ(Renders(), 5) << "ending the edit changes nothing more";

    QTest::keyClick(&view, 'Q');
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "Q");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(List("lstChars").Cell(3, 3), "ABX");
    EXPECT_EQ(List("lstWidths").Cell(33, 0), "ABX") << "the restored text is rendered";

    // Return, then a click elsewhere before Qt has run its events: no
    // warning of an editor that is gone.
    QTest::keyClick(&view, 'Z');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QtChild<QWidget>(window, "btnQuit").setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(List("lstChars").Cell(3, 3), "Z");
}

TEST_F(SettingsTest, ACellStaysOneLineOfTheWidthTableHoweverTextComesIn)
{
    ASSERT_TRUE(MakeActive(window));
    auto &view = QtChild<QTableView>(window, "lstChars");
    view.setFocus();
    const auto editCell = [&](int row, int column) {
        view.setCurrentIndex(view.model()->index(row, column));
        QTest::keyClick(&view, 'Q');
        return QApplication::focusWidget();
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ny\rz"));
    QWidget *editor = editCell(2, 2);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(List("lstChars").Cell(2, 2), "Qxyz");
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(List("lstChars").Cell(2, 2), "Q") << "the paste is one step to undo";
    QTest::keyClick(editor, Qt::Key_Return);

    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb"));
    editCell(2, 3);
    Q_EMIT QtChild<QMenu>(window, "EditMenu").aboutToShow();
    QtChild<QAction>(window, "EditPaste").trigger();
    EXPECT_EQ(List("lstChars").Cell(2, 3), "Qab");
    // Whatever reaches the cell by another road.
    view.model()->setData(view.model()->index(2, 4), QStringLiteral("\r\n\t"), Qt::EditRole);
    EXPECT_EQ(List("lstChars").Cell(2, 4), "");

    const std::string table = window.CharWidthTable();
    EXPECT_EQ(std::count(table.begin(), table.end(), '\r'), 100);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\t'), 100);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 0);
}

TEST_F(SettingsTest, HomeAndEndGoToTheFirstAndLastRowOfEachList)
{
    for (const auto &[list, first, last] :
        {std::tuple{"lstFonts", "Courier", "Terminus"}, {"lstSizes", "9", "256"}, {"lstWidths", " ", "?"}}) {
        auto &view = QtChild<QTableView>(window, list);
        QTest::keyClick(&view, Qt::Key_End);
        EXPECT_EQ(List(list).Text(), last) << list;
        QTest::keyClick(&view, Qt::Key_Home);
        EXPECT_EQ(List(list).Text(), first) << list;
    }
}

TEST_F(SettingsTest, APasteOfAHundredThousandCharactersIsKeptWhole)
{
    QGuiApplication::clipboard()->setText(QString(100000, QLatin1Char('i')));
    ASSERT_TRUE(MakeActive(window));
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
    EXPECT_EQ(List("lstWidths").Cell(22, 0).size(), 100000u) << "rendered whole";
}

TEST_F(SettingsTest, TabFollowsTheReadingOrderOfTheWindow)
{
    window.Widget().show();
    ASSERT_TRUE(MakeActive(window));
    QtChild<QWidget>(window, "lstChars").setFocus();
    QStringList order;
    for (int i = 0; i < 16; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(QLatin1Char(' ')),
        QStringLiteral("lstChars lstFonts lstSizes chkBold chkItalic btnSave btnCopy popTexSize chkToFit edtDX edtDY "
                       "lstWidths btnSaveWidths btnCopyWidths btnQuit lstChars"));
}

TEST_F(SettingsTest, ScalesTheSettingsToTheTextureSizeAndRedrawsInPlaceUntilItChanges)
{
    // Size row, texture item, dx, dy; then what the renderer gets.
    const struct {
        int sizeRow, textureItem;
        const char *dx, *dy;
        int side, size, scaledDx, scaledDy;
    } cases[] = {{15, 0, "3", "-2", 256, 6, 0, 0}, {15, 0, "9", "-2", 256, 6, 2, 0},
        {15, 3, "3", "-2", 2048, 48, 6, -4}, {15, 2, "3.9", "-2", 1024, 24, 3, -2}, {4, 1, "7", "9", 512, 6, 3, 4},
        {63, 1, "-7", "-9", 512, 36, -3, -4}};
    int side = 1024;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.side);
        const auto before = window.CurrentFontMap;
        List("lstSizes").SetListIndex(c.sizeRow);
        Field("edtDX").SetText(c.dx);
        Field("edtDY").SetText(c.dy);
        ChooseTexture(c.textureItem);
        EXPECT_EQ(window.CurrentFontMap == before, c.side == std::exchange(side, c.side));
        const QImage rendered = window.CurrentFontMap->Image();
        const std::string widths = window.CharWidthTable();
        EXPECT_EQ(
            window.FontMap(nullptr, "Courier", c.size, c.side, c.side, c.scaledDx, c.scaledDy)->Image(), rendered);
        EXPECT_EQ(window.CharWidthTable(), widths);
    }
    for (const char *offset : {"1e300", "-99999999999999999999", "-1e308", "2147483647", "nan"}) {
        Field("edtDX").SetText(offset);
        Field("edtDY").SetText(offset);
        EXPECT_EQ(List("lstWidths").Cell(33, 1), "21.70") << offset << " is rendered safely";
    }
}

} // namespace
