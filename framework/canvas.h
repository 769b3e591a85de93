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
    // For a canvas without scroll bars: the size of the drawing it shows a
    // part of, from the pan's point on; the mouse drags it, the wheel moves
    // it (with Shift, sideways), and so do the arrow keys while the canvas
    // has the focus; always within the drawing. No larger than the canvas:
    // nothing to pan.
    void SetPannedSize(int width, int height);
    int PanX() const { return panX_; }
    int PanY() const { return panY_; }
    // Within the drawing; repaints.
    void SetPan(int x, int y);
    void Refresh() override;

protected:
    bool HasEvent(Event event) const override { return event == Event::Paint; }
    void Run(const std::function<void()> &handler) override;

private:
    friend class CanvasWidget;

    bool paintFailing_ = false;
    int pannedWidth_ = 0;
    int pannedHeight_ = 0;
    int panX_ = 0;
    int panY_ = 0;
};

} // namespace fw
