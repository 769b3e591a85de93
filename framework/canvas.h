#pragma once

#include "framework/control.h"

namespace fw {

// A drawing area. Raises Paint with a drawing context whenever it must be
// drawn; Refresh asks for that. Erases its background before each paint.
// An exception from the Paint handler is reported after the paint, once for
// a run of failing paints; the frame shows what the handler drew before.
class Canvas : public Control {
public:
    // A scrolling canvas lies in a view with scroll bars, which scroll bars
    // and the mouse wheel move over what it draws.
    explicit Canvas(bool scrolls = false);

    // For a scrolling canvas: the least size of the drawing; the drawing is
    // never smaller than the view. Scroll bars show where it is larger.
    void SetContentSize(int width, int height);
    void Refresh() override;

protected:
    bool HasEvent(Event event) const override { return event == Event::Paint; }
    void Run(const std::function<void()> &handler) override;

private:
    bool paintFailing_ = false;
};

} // namespace fw
