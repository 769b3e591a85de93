#include "app/startup.h"

#include "app/app.h"
#include "app/menu_bar1.h"
#include "framework/dispatch.h"
#include "window/window1.h"

#include <memory>

namespace vantor {

void NewAppInstance()
{
    auto app = std::make_unique<App>();
    app->SetMenuBar(&implicit::MenuBar1());
    fw::RegisterAppObject(std::move(app));
}

void MakeDefaultView()
{
    implicit::Window1();
}

void Main()
{
    // No file types are registered and the application installs no menu
    // handlers: the save dialogs take plain filter names, and the Edit items
    // act on the focused field by themselves.
    try {
        NewAppInstance();
        MakeDefaultView();
        fw::RuntimeRun();
    } catch (...) {
        fw::UnhandledException(std::current_exception());
        fw::Quit(kStartupFailed);
    }
}

int RunProcess(int argc, char **argv)
{
    fw::RuntimeInit(argc, argv);
    fw::SetApplicationIdentity({"vantor-font-mapper", "Vantor Font Mapper", ":/vantor-font-mapper.png"});
    Main();
    return fw::RuntimeExit();
}

} // namespace vantor
