#pragma once

class QMenuBar;
class QWidget;

namespace fw {

class MenuBar;

// The Qt menu bar for a menu tree: each action is named after its item, Quit
// items quit with exit code 0, and the standard Edit items act on the focused
// text field, enabled only while they apply when AutoEnable is set.
QMenuBar *BuildQtMenuBar(const MenuBar &tree, QWidget *parent);

} // namespace fw
