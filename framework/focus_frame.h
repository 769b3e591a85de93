#pragma once

class QWidget;

namespace fw {

// A frame of the highlight colour just inside the widget's edge, drawn
// over what it paints while it has the keyboard focus: the styles' own
// focus marks on lists and drawings are faint or missing.
void DrawFocusFrame(QWidget &surface, bool focused);

} // namespace fw
