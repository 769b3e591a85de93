#include "framework/application.h"
#include "window/window1.h"

namespace vantor {

void Window1::btnQuit_Action()
{
    fw::Quit(0);
}

} // namespace vantor
