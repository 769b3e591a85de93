#pragma once

#include "framework/control.h"

#include <string>

namespace fw {

// A single-line text field. Raises TextChange whenever its text changes,
// by typing or by SetText.
class EditField : public Control {
public:
    EditField();
    std::string Text() const;
    void SetText(const std::string &text);
    void SetAlignment(Alignment alignment);

protected:
    bool HasEvent(Event event) const override { return event == Event::TextChange; }
};

} // namespace fw
