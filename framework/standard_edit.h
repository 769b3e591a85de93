#pragma once

#include <functional>
#include <string_view>

namespace fw {

// The Edit menu commands that the framework carries out on the focused text
// field, chosen by the menu item's name.
enum class EditCommand { None, Undo, Redo, Cut, Copy, Paste, Clear, SelectAll };

EditCommand EditCommandNamed(std::string_view itemName);
// Whether the command would do something now: in the program's own step
// for Undo and Redo, else in the focused text field.
bool EditCommandApplies(EditCommand command);
void RunEditCommand(EditCommand command);

// A step the program made itself, setting several fields at once, which
// Undo takes back and Redo makes again wherever the focus is, before the
// focused field's own typing, while it applies.
struct ProgramStep {
    std::function<bool()> canUndo;
    std::function<bool()> canRedo;
    std::function<void()> undo;
    std::function<void()> redo;
};
// Replaces the program's step (one without functions: none) and brings the
// Edit items' state up to date.
void SetProgramStep(ProgramStep step);
// Runs on every change of what the Edit items apply to, until it returns
// false (its menu is gone).
void OnEditStateChange(std::function<bool()> listener);
void EditStateChanged();

} // namespace fw
