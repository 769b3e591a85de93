#include "window/window1.h"

#include "framework/application.h"
#include "framework/menu.h"
#include "framework/standard_edit.h"

namespace vantor {

Window1::Window1()
    : fw::Window(kClassName)
{
    WireEditHistory();
}

Window1::~Window1()
{
    // The steps to undo belong to this window.
    fw::SetProgramStep({});
}

void Window1::Layout()
{
    // The application's menu bar, which the window shares.
    if (const fw::Application *application = fw::RegisteredApplication())
        SetMenuBar(application->MenuBar());
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
