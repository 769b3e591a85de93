#pragma once

#include "framework/application.h"

namespace vantor {

// The application object: all behaviour lives in the window and the menu bar.
class App : public fw::Application { };

} // namespace vantor
