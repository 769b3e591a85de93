#include "app/menu_bar1.h"
#include "app/startup.h"
#include "framework/application.h"
#include "framework/menu.h"
#include "test_support.h"
#include "window/window1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ExpectedItem {
    const char *name;
    const char *text;
    const char *shortcut;
    bool quits = false;
};

TEST(MenuBar1, HoldsTheFileAndEditMenusInOrder)
{
    const fw::MenuBar &bar = vantor::implicit::MenuBar1();
    ASSERT_EQ(bar.Count(), 2);
    const fw::MenuItem &file = bar.Item(0);
    const fw::MenuItem &edit = bar.Item(1);
    EXPECT_EQ(file.Name(), "FileMenu");
    EXPECT_EQ(file.Text(), "&File");
    EXPECT_EQ(file.KeyboardShortcut(), "");
    EXPECT_EQ(edit.Name(), "EditMenu");
    EXPECT_EQ(edit.Text(), "&Edit");
    EXPECT_EQ(edit.KeyboardShortcut(), "");

    ASSERT_EQ(file.Count(), 1);
    EXPECT_EQ(file.Item(0).Name(), "FileQuit");
    EXPECT_EQ(file.Item(0).Text(), "&Quit");
    EXPECT_EQ(file.Item(0).KeyboardShortcut(), "Cmd+Q");
    EXPECT_TRUE(file.Item(0).QuitsApplication());
    EXPECT_NE(dynamic_cast<const fw::QuitMenuItem *>(&file.Item(0)), nullptr);

    const ExpectedItem editItems[] = {
        {"EditUndo", "&Undo", "Cmd+Z"},
        {"UntitledMenu1", "-", ""},
        {"EditCut", "Cu&t", "Cmd+X"},
        {"EditCopy", "&Copy", "Cmd+C"},
        {"EditPaste", "&Paste", "Cmd+V"},
        {"EditClear", "&Delete", ""},
        {"UntitledMenu0", "-", ""},
        {"EditSelectAll", "Select &All", "Cmd+A"},
    };
    ASSERT_EQ(edit.Count(), 8);
    for (int i = 0; i < edit.Count(); ++i) {
        const fw::MenuItem &item = edit.Item(i);
        const ExpectedItem &expected = editItems[i];
        EXPECT_EQ(item.Name(), expected.name) << i;
        EXPECT_EQ(item.Text(), expected.text) << i;
        EXPECT_EQ(item.KeyboardShortcut(), expected.shortcut) << i;
        EXPECT_EQ(item.IsSeparator(), std::string(expected.text) == "-") << i;
        EXPECT_FALSE(item.QuitsApplication()) << i;
        EXPECT_TRUE(item.AutoEnable()) << i;
    }
    EXPECT_TRUE(file.AutoEnable());
    EXPECT_TRUE(edit.AutoEnable());
}

TEST(MenuBar1, IsOneObjectForTheWholeRun)
{
    vantor::MenuBar1 &first = vantor::implicit::MenuBar1();
    EXPECT_EQ(&vantor::implicit::MenuBar1(), &first);
    EXPECT_EQ(first.Count(), 2) << "a second call builds no second tree";
}

class WindowMenuTest : public WindowTest {
protected:
    vantor::Window1 &window = vantor::implicit::Window1();

    QMenu &Menu(const char *name) { return QtChild<QMenu>(window, name); }
    QAction &Action(const char *name) { return QtChild<QAction>(window, name); }
};

TEST_F(WindowMenuTest, TheApplicationAndTheWindowShareTheOneMenuBar)
{
    vantor::NewAppInstance();
    ASSERT_NE(fw::RegisteredAppObject(), nullptr);
    EXPECT_EQ(fw::RegisteredAppObject()->MenuBar(), &vantor::implicit::MenuBar1());
    EXPECT_EQ(window.MenuBar(), &vantor::implicit::MenuBar1());
}

TEST_F(WindowMenuTest, ShowsTheMenusWithPlatformShortcuts)
{
    auto *bar = window.Widget().findChild<QMenuBar *>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(bar->actions()[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(Action("FileQuit").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(Action("EditUndo").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(Action("EditSelectAll").shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_TRUE(Action("EditClear").shortcut().isEmpty());
    EXPECT_TRUE(Action("UntitledMenu0").isSeparator());
    EXPECT_TRUE(Action("UntitledMenu1").isSeparator());
    QStringList editTexts;
    for (const QAction *action : Menu("EditMenu").actions())
        editTexts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(editTexts.join(QLatin1Char('|')), QStringLiteral("&Undo|-|Cu&t|&Copy|&Paste|&Delete|-|Select &All"));
}

TEST_F(WindowMenuTest, AccessorsFindTheItemsByName)
{
    EXPECT_EQ(window.FileQuit().Name(), "FileQuit");
    EXPECT_EQ(window.FileMenu().Text(), "&File");
    EXPECT_EQ(window.EditMenu().Count(), 8);
    EXPECT_EQ(window.EditClear().Text(), "&Delete");
    EXPECT_EQ(window.EditCut().Name(), "EditCut");
    EXPECT_EQ(window.EditCopy().Name(), "EditCopy");
    EXPECT_EQ(window.EditPaste().Name(), "EditPaste");
    EXPECT_EQ(window.EditUndo().Name(), "EditUndo");
    EXPECT_EQ(window.EditSelectAll().Name(), "EditSelectAll");
    EXPECT_TRUE(window.UntitledMenu0().IsSeparator());
    EXPECT_TRUE(window.UntitledMenu1().IsSeparator());
    window.SetMenuBar(nullptr);
    EXPECT_THROW(window.EditCopy(), fw::NilObjectException);
}

TEST_F(WindowMenuTest, EditItemsActOnTheFocusedFieldAndApplyOnlyWhenTheyCan)
{
    QApplication::setActiveWindow(&window.Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.Widget()));
    auto &dx = QtChild<QLineEdit>(window, "edtDX");
    auto &dy = QtChild<QLineEdit>(window, "edtDY");
    dx.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &dx);
    dx.deselect();
    QGuiApplication::clipboard()->clear();

    QMenu &edit = Menu("EditMenu");
    Q_EMIT edit.aboutToShow();
    EXPECT_FALSE(Action("EditCopy").isEnabled()) << "nothing selected";
    EXPECT_FALSE(Action("EditCut").isEnabled());
    EXPECT_FALSE(Action("EditClear").isEnabled());
    EXPECT_FALSE(Action("EditPaste").isEnabled()) << "clipboard empty";
    EXPECT_TRUE(Action("EditSelectAll").isEnabled());

    Action("EditSelectAll").trigger();
    EXPECT_EQ(dx.selectedText(), QStringLiteral("4"));
    Q_EMIT edit.aboutToShow();
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
