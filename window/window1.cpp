#include "window/window1.h"

#include "app/menu_bar1.h"

namespace vantor {

Window1::Window1()
    : fw::Window(kClassName)
{
}

void Window1::Layout()
{
    SetMenuBar(&implicit::MenuBar1());
    SetTitle("Vantor Font Mapper");
    SetSize(981, 546);
    SetResizeable(false);
}

void Window1::CreateControls()
{
    CreateControls0();
}

namespace implicit {

vantor::Window1 &Window1()
{
    return fw::ImplicitWindow<vantor::Window1>();
}

} // namespace implicit
} // namespace vantor
