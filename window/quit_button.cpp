#include "framework/application.h"
#include "window/window1.h"

namespace vantor {

void Window1::btnQuit_Action()
{
    fw::Quit(0);
}

void Window1::Closing()
{
    // Closing the main window quits, as Quit does: the sample text window
    // never outlives it.
    fw::Quit(0);
}

} // namespace vantor
