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
    // Marks the field, its tooltip and what a screen reader says of it
    // ending in the note, for as long as there is one; empty clears it.
    void SetNote(const std::string &note);
    const std::string &Note() const { return note_; }

protected:
    bool HasEvent(Event event) const override { return event == Event::TextChange; }

private:
    std::string note_;
};

} // namespace fw
