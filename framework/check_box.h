#pragma once

#include "framework/control.h"

#include <string>

namespace fw {

// Raises Action when the user clicks it; SetValue raises nothing.
class CheckBox : public Control {
public:
    CheckBox();
    void SetCaption(const std::string &caption);
    bool Value() const;
    void SetValue(bool checked);

protected:
    bool HasEvent(Event event) const override { return event == Event::Action; }
};

} // namespace fw
