#include "app/menu_bar1.h"
#include "modal_driver.h"
#include "test_support.h"

namespace {

class MenuTest : public WindowTest {
protected:
    vantor::Window1 &window = vantor::implicit::Window1();
    QAction &Action(const char *name) { return QtChild<QAction>(window, name); }
};

TEST_F(MenuTest, TheMenusShowTheirItemsWithPlatformShortcuts)
{
    EXPECT_EQ(window.MenuBar(), &vantor::implicit::MenuBar1()) << "the one menu bar of the process";
    EXPECT_EQ(vantor::implicit::MenuBar1().Count(), 4) << "built once";
    QStringList shown;
    for (const QAction *menu : window.Widget().findChild<QMenuBar *>()->actions()) {
        shown << menu->text() + QLatin1Char(':');
        for (const QAction *item : menu->menu()->actions())
            shown << (item->isSeparator() ? QStringLiteral("-")
                                          : item->text() + QLatin1Char(' ') + item->shortcut().toString());
    }
    EXPECT_EQ(shown.join(QLatin1Char('|')),
        QStringLiteral("&File:|Save &Texture... Ctrl+S|Save &Width Table... Ctrl+Shift+S|Export &BMFont... |-|&Quit "
                       "Ctrl+Q|&Edit:|&Undo "
                       "Ctrl+Z|&Redo Ctrl+Shift+Z|-|Cu&t Ctrl+X|&Copy Ctrl+C|&Paste Ctrl+V|&Delete Del|-|"
                       "Select &All Ctrl+A|-|&Fill Cells... |&View:|&Sample Text Ctrl+T|Show Cell &Overflow |"
                       "&Fit Glyphs to Cells |&Distance Field |&Help:|&About Vantor Font Mapper "));
    // View > Distance Field: a choice of four, off at start.
    QStringList choices;
    for (const QAction *item : QtChild<QMenu>(window, "ViewDistanceField").actions())
        choices << item->text() + (item->isChecked() ? QStringLiteral(" (chosen)") : QString());
    EXPECT_EQ(choices.join(QLatin1Char('|')),
        QStringLiteral("&Off (chosen)|&Single Channel|&Multi-Channel|Multi-Channel and &True Distance"));
    // Help > About: the version, the licence, and what it runs with.
    ModalDriver driver({});
    QtChild<QAction>(window, "HelpAbout").trigger();
    ASSERT_EQ(driver.messages.size(), 1);
    const QString about = driver.messages[0];
    EXPECT_TRUE(
        about.startsWith(QStringLiteral("Vantor Font Mapper 1.")) && about.contains(QStringLiteral("MIT licence")))
        << about;
    EXPECT_TRUE(about.contains(QRegularExpression(
        QStringLiteral("\\nQt 6\\.\\d+\\.\\d+, FreeType 2\\.\\d+\\.\\d+, HarfBuzz \\d+\\.\\d+\\.\\d+$"))))
        << about;
}

TEST_F(MenuTest, EditItemsActOnTheFocusedFieldAndApplyOnlyWhenTheyCan)
{
    ASSERT_TRUE(MakeActive(window));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.Widget()));
    auto &dx = QtChild<QLineEdit>(window, "edtDX");
    auto &dy = QtChild<QLineEdit>(window, "edtDY");
    dx.setFocus();
    dx.deselect();
    QGuiApplication::clipboard()->clear();
    // The items follow the focus without the menu being opened, as their
    // shortcuts do.
    EXPECT_FALSE(Action("EditCopy").isEnabled()) << "nothing selected";
    EXPECT_FALSE(Action("EditPaste").isEnabled()) << "clipboard empty";
    EXPECT_TRUE(Action("EditSelectAll").isEnabled());
    QMenu &edit = QtChild<QMenu>(window, "EditMenu");
    Action("EditSelectAll").trigger();
    EXPECT_EQ(dx.selectedText(), QStringLiteral("4"));
    Q_EMIT edit.aboutToShow();
    Action("EditCopy").trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("4"));

    dy.setFocus();
    dy.selectAll();
    Q_EMIT edit.aboutToShow();
    EXPECT_TRUE(Action("EditCut").isEnabled() && Action("EditClear").isEnabled() && Action("EditPaste").isEnabled());
    Action("EditPaste").trigger();
    EXPECT_EQ(dy.text(), QStringLiteral("4"));
    Q_EMIT edit.aboutToShow();
    Action("EditUndo").trigger();
    EXPECT_EQ(dy.text(), QStringLiteral("30"));

    QtChild<QWidget>(window, "btnQuit").setFocus();
    for (const char *name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
        EXPECT_FALSE(Action(name).isEnabled()) << name << " with no text field focused";
}

} // namespace
