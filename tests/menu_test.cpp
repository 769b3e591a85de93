#include "app/menu_bar1.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MenuTest : public WindowTest {
protected:
    vantor::Window1 &window = vantor::implicit::Window1();

    QMenu &Menu(const char *name) { return QtChild<QMenu>(window, name); }
    QAction &Action(const char *name) { return QtChild<QAction>(window, name); }
};

TEST_F(MenuTest, TheMenusShowTheirItemsWithPlatformShortcuts)
{
    EXPECT_EQ(window.MenuBar(), &vantor::implicit::MenuBar1()) << "the one menu bar of the process";
    EXPECT_EQ(vantor::implicit::MenuBar1().Count(), 2) << "built once";
    QStringList shown;
    for (const QAction *menu : window.Widget().findChild<QMenuBar *>()->actions()) {
        shown << menu->text() + QLatin1Char(':');
        for (const QAction *item : menu->menu()->actions())
            shown << (item->isSeparator() ? QStringLiteral("-") : item->text() + QLatin1Char(' ') + item->shortcut().toString());
    }
    EXPECT_EQ(shown.join(QLatin1Char('|')),
        QStringLiteral("&File:|&Quit Ctrl+Q|&Edit:|&Undo Ctrl+Z|-|Cu&t Ctrl+X|&Copy Ctrl+C|&Paste Ctrl+V|&Delete |-|"
                       "Select &All Ctrl+A"));
}

TEST_F(MenuTest, EditItemsActOnTheFocusedFieldAndApplyOnlyWhenTheyCan)
{
    QApplication::setActiveWindow(&window.Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.Widget()));
    auto &dx = QtChild<QLineEdit>(window, "edtDX");
    auto &dy = QtChild<QLineEdit>(window, "edtDY");
    dx.setFocus();
    dx.deselect();
    QGuiApplication::clipboard()->clear();

    // Without opening the menu: its shortcuts follow the focus.
    EXPECT_FALSE(Action("EditCopy").isEnabled()) << "nothing selected";
    EXPECT_FALSE(Action("EditPaste").isEnabled()) << "clipboard empty";
    EXPECT_TRUE(Action("EditSelectAll").isEnabled());
    QtChild<QWidget>(window, "btnQuit").setFocus();
    EXPECT_FALSE(Action("EditSelectAll").isEnabled()) << "no text field focused";
    dx.setFocus();

    QMenu &edit = Menu("EditMenu");
    Action("EditSelectAll").trigger();
    EXPECT_EQ(dx.selectedText(), QStringLiteral("4"));
    Q_EMIT edit.aboutToShow();
    EXPECT_TRUE(Action("EditCut").isEnabled());
    ASSERT_TRUE(Action("EditCopy").isEnabled());
    Action("EditCopy").trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("4"));

    dy.setFocus();
    dy.selectAll();
    Q_EMIT edit.aboutToShow();
    ASSERT_TRUE(Action("EditPaste").isEnabled());
    Action("EditPaste").trigger();
    EXPECT_EQ(dy.text(), QStringLiteral("4"));
    Q_EMIT edit.aboutToShow();
    ASSERT_TRUE(Action("EditUndo").isEnabled());
    Action("EditUndo").trigger();
    EXPECT_EQ(dy.text(), QStringLiteral("30"));
    dy.selectAll();
    Q_EMIT edit.aboutToShow();
    Action("EditClear").trigger();
    EXPECT_EQ(dy.text(), QString());

    QtChild<QWidget>(window, "btnQuit").setFocus();
    Q_EMIT edit.aboutToShow();
    for (const char *name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
        EXPECT_FALSE(Action(name).isEnabled()) << name << " with no text field focused";
}

} // namespace
