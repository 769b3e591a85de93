#pragma once

#include "framework/control.h"

#include <string>

namespace fw {

// A drop-down choice. Raises Change when the selected item changes, whether
// the user or SetListIndex selects it; adding items selects nothing.
class PopupMenu : public Control {
public:
    PopupMenu();
    void AddRow(const std::string &text);
    // -1 selects nothing; an index beyond the items throws OutOfBoundsException.
    void SetListIndex(int index);
    int ListIndex() const;
    // The selected item's text; empty when nothing is selected.
    std::string Text() const;

protected:
    bool HasEvent(Event event) const override { return event == Event::Open || event == Event::Change; }
};

} // namespace fw
