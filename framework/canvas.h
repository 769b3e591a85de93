#pragma once

#include "framework/control.h"

namespace fw {

// A drawing area. Raises Paint with a drawing context whenever it must be
// drawn; Refresh asks for that. Erases its background before each paint.
class Canvas : public Control {
public:
    Canvas();

protected:
    bool HasEvent(Event event) const override { return event == Event::Paint; }
};

} // namespace fw
