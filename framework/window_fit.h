#pragma once

#include <QSize>

#include <memory>
#include <vector>

class QScrollArea;
class QVBoxLayout;
class QWidget;

namespace fw {

class Control;

// The widgets of a window: the window itself, its layout (with the menu
// bar), the scroll area inside it and the content the controls lie on.
struct WindowParts {
    QWidget &window;
    QVBoxLayout &layout;
    QScrollArea &scroller;
    QWidget &content;
};

// Sizes a window designed at `designed` for the desktop's font and its
// screen: the content and its controls scaled alike where a line of text
// needs more room than designed; the window as large as its content where
// the screen holds it, and otherwise within the screen, resizeable, its
// content scrolling. Gives the scale.
double FitWindow(const WindowParts &parts, const std::vector<std::unique_ptr<Control>> &controls, QSize designed,
    bool resizeable);

// Offers a maximise button, and a frame to resize by, or not; a shown
// window stays shown.
void SetWindowFlags(QWidget &window, bool resizeable);

} // namespace fw
