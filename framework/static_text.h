#pragma once

#include "framework/control.h"

#include <string>

namespace fw {

// A one-line label. One that elides shows as much of its text as its width
// holds, ending in an ellipsis, and the whole text in its tooltip: however
// long the text, it never widens its window.
class StaticText : public Control {
public:
    StaticText();
    void SetText(const std::string &text);
    void SetAlignment(Alignment alignment);
    void SetElides(bool elides);

protected:
    bool HasEvent(Event) const override { return false; }
};

} // namespace fw
