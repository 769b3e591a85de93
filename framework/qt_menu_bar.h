#pragma once

class QMenuBar;
class QWidget;

namespace fw {

class MenuBar;

// The Qt menu bar for a menu tree: each action is named after its item, Quit
// items quit with exit code 0, the standard Edit items act on the focused
// text field, enabled only while they apply when AutoEnable is set, and
// other items are chosen (Choose).
QMenuBar *BuildQtMenuBar(MenuBar &tree, QWidget *parent);

} // namespace fw
