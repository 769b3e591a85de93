#pragma once

#include "framework/control.h"

namespace fw {

// A drawing area. Raises Paint with a drawing context whenever it must be
// drawn; Refresh asks for that. Erases its background before each paint.
// An exception from the Paint handler is reported after the paint, once for
// a run of failing paints; the frame shows what the handler drew before.
class Canvas : public Control {
public:
    Canvas();

protected:
    bool HasEvent(Event event) const override { return event == Event::Paint; }
    void Run(const std::function<void()> &handler) override;

private:
    bool paintFailing_ = false;
};

} // namespace fw
