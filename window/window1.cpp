#include "window/window1.h"

#include "app/menu_bar1.h"
#include "framework/menu.h"
#include "framework/standard_edit.h"

namespace vantor {

Window1::Window1()
    : fw::Window(kClassName)
{
}

Window1::~Window1()
{
    // The step to undo belongs to this window.
    fw::SetProgramStep({});
}

void Window1::Layout()
{
    SetMenuBar(&implicit::MenuBar1());
    EnableExportItems(false);
    SetTitle("Vantor Font Mapper");
    SetSize(981, 546);
    SetResizeable(false);
}

void Window1::EnableExportItems(bool enabled)
{
    for (const char *item : {"FileSaveTexture", "FileSaveWidthTable", "FileExportBMFont"})
        fw::NotNil(fw::NotNil(MenuBar()).Lookup(item)).SetEnabled(enabled);
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
