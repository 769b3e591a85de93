#pragma once

#include <memory>
#include <string>

namespace fw {

class MenuBar;

// The application object; the runtime holds the registered one.
class Application {
public:
    virtual ~Application() = default;
    fw::MenuBar *MenuBar() const { return menuBar_; }
    void SetMenuBar(fw::MenuBar *menuBar) { menuBar_ = menuBar; }

private:
    fw::MenuBar *menuBar_ = nullptr;
};

// Starts the toolkit. Without a graphical display it prints one line saying
// so and ends the process with a failure status.
void RuntimeInit(int argc, char **argv);

struct ApplicationIdentity {
    std::string desktopFileName; // the .desktop file, without its suffix
    std::string displayName; // in dialogs' titles
    std::string icon; // a file or ":/" resource path
};
// Names the application to the desktop; after RuntimeInit.
void SetApplicationIdentity(const ApplicationIdentity &identity);
void RegisterAppObject(std::unique_ptr<Application> application);
// The registered application object, or nil.
Application *RegisteredApplication();
// Runs the event loop until the application quits; gives the exit code.
int RuntimeRun();
// Ends the event loop, which then returns; outside it, only sets the status
// that RuntimeExit gives.
void Quit(int exitCode);
// Destroys the windows and the application object, shuts the toolkit down
// and gives the exit status.
int RuntimeExit();

} // namespace fw
