#pragma once

#include "framework/control.h"

#include <string>

namespace fw {

// A one-line label.
class StaticText : public Control {
public:
    StaticText();
    void SetText(const std::string &text);
    void SetAlignment(Alignment alignment);

protected:
    bool HasEvent(Event) const override { return false; }
};

} // namespace fw
