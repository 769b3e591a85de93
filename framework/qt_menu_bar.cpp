#include "framework/qt_menu_bar.h"

#include "framework/application.h"
#include "framework/dispatch.h"
#include "framework/menu.h"
#include "framework/standard_edit.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace fw {

namespace {

QKeySequence ToKeySequence(const std::string &shortcut)
{
    // Qt's Ctrl is the Command key on macOS, so it is the primary modifier
    // everywhere.
    QString keys = QString::fromStdString(shortcut);
    keys.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
    return QKeySequence(keys, QKeySequence::PortableText);
}

// The action as the item and the focus now have it: enabled, marked, and
// Undo and Redo naming what they would take back or make again.
void UpdateAction(QAction *action, const MenuItem &item)
{
    const EditCommand command = EditCommandNamed(item.Name());
    const bool applies = !item.AutoEnable() || command == EditCommand::None || EditCommandApplies(command);
    action->setEnabled(item.Enabled() && applies);
    if (item.Checkable())
        action->setChecked(item.Checked());
    if (command == EditCommand::Undo || command == EditCommand::Redo) {
        const std::string subject = applies ? EditCommandSubject(command) : std::string();
        action->setText(QString::fromStdString(subject.empty() ? item.Text() : item.Text() + " " + subject));
    }
}

// Brings the action up to date, for as long as it lives.
std::function<bool()> ActionUpdater(QAction *action, const MenuItem &item)
{
    return [action = QPointer<QAction>(action), &item] {
        if (action)
            UpdateAction(action, item);
        return !action.isNull();
    };
}

void AddItems(QMenu *menu, MenuItem &items);

QAction *AddAction(QMenu *menu, MenuItem &item)
{
    if (item.Count() > 0) {
        QMenu *submenu = menu->addMenu(QString::fromStdString(item.Text()));
        submenu->setObjectName(QString::fromStdString(item.Name()));
        AddItems(submenu, item);
        return submenu->menuAction();
    }
    if (item.IsSeparator()) {
        QAction *separator = menu->addSeparator();
        separator->setObjectName(QString::fromStdString(item.Name()));
        return separator;
    }
    QAction *action = menu->addAction(QString::fromStdString(item.Text()));
    action->setObjectName(QString::fromStdString(item.Name()));
    action->setShortcut(ToKeySequence(item.KeyboardShortcut()));
    // The program's windows share one menu bar, so its keys work from any
    // of them; a modal dialog still keeps them to itself.
    action->setShortcutContext(Qt::ApplicationShortcut);
    if (item.QuitsApplication()) {
        action->setMenuRole(QAction::QuitRole);
        QObject::connect(action, &QAction::triggered, [] { Dispatch([] { Quit(0); }); });
    } else if (const EditCommand command = EditCommandNamed(item.Name()); command != EditCommand::None) {
        QObject::connect(action, &QAction::triggered, [command] { Dispatch([command] { RunEditCommand(command); }); });
    } else {
        action->setCheckable(item.Checkable());
        action->setChecked(item.Checked());
        if (auto *group = menu->findChild<QActionGroup *>(QString(), Qt::FindDirectChildrenOnly);
            group && item.Checkable())
            group->addAction(action);
        QObject::connect(action, &QAction::triggered, [&item](bool checked) { Choose(item, checked); });
    }
    UpdateAction(action, item);
    item.OnStateChange(ActionUpdater(action, item));
    return action;
}

// The menu's items, a submenu's in turn; an exclusive menu's check items
// in one group, one of them marked.
void AddItems(QMenu *menu, MenuItem &items)
{
    if (items.Exclusive())
        (new QActionGroup(menu))->setExclusive(true);
    for (int j = 0; j < items.Count(); ++j) {
        MenuItem &item = items.Item(j);
        QAction *action = AddAction(menu, item);
        const auto update = [action, &item] { UpdateAction(action, item); };
        QObject::connect(menu, &QMenu::aboutToShow, action, update);
        // Shortcuts fire only for enabled actions, so the state follows
        // focus and the program's own steps too.
        QObject::connect(qApp, &QApplication::focusChanged, action, update);
        OnEditStateChange(ActionUpdater(action, item));
    }
}

} // namespace

QMenuBar *BuildQtMenuBar(MenuBar &tree, QWidget *parent)
{
    auto *bar = new QMenuBar(parent);
    for (int i = 0; i < tree.Count(); ++i) {
        MenuItem &menuItem = tree.Item(i);
        QMenu *menu = bar->addMenu(QString::fromStdString(menuItem.Text()));
        menu->setObjectName(QString::fromStdString(menuItem.Name()));
        AddItems(menu, menuItem);
    }
    return bar;
}

} // namespace fw
