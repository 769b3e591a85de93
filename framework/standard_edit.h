#pragma once

#include <string_view>

namespace fw {

// The Edit menu commands that the framework carries out on the focused text
// field, chosen by the menu item's name.
enum class EditCommand { None, Undo, Redo, Cut, Copy, Paste, Clear, SelectAll };

EditCommand EditCommandNamed(std::string_view itemName);
// Whether the command would do something in the focused text field now.
bool EditCommandApplies(EditCommand command);
void RunEditCommand(EditCommand command);

} // namespace fw
