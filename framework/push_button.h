#pragma once

#include "framework/control.h"

#include <string>

namespace fw {

// Raises Action when clicked.
class PushButton : public Control {
public:
    PushButton();
    void SetCaption(const std::string &caption);

protected:
    bool HasEvent(Event event) const override { return event == Event::Action; }
};

} // namespace fw
