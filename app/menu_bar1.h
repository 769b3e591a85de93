#pragma once

#include "framework/menu.h"

namespace vantor {

// The File, Edit and View menus, built once in full.
class MenuBar1 : public fw::MenuBar {
public:
    MenuBar1();
};

namespace implicit {

// The one menu bar of the process, shared by the application and the window;
// made on the first call.
vantor::MenuBar1 &MenuBar1();

} // namespace implicit
} // namespace vantor
