#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fw {

// The Edit menu commands that the framework carries out on the focused text
// field, chosen by the menu item's name.
enum class EditCommand { None, Undo, Redo, Cut, Copy, Paste, Clear, SelectAll };

EditCommand EditCommandNamed(std::string_view itemName);
// Whether the command would do something now. Undo and Redo take back or
// make again the focused field's own typing first, else the program's own
// step; the other commands act on the focused text field, or on the current
// cell of a focused grid that is not being edited, its whole text.
bool EditCommandApplies(EditCommand command);
void RunEditCommand(EditCommand command);
// What Undo or Redo would take back or make again, as its menu text names
// it ("Typing", or the program step's name); empty when nothing is named.
std::string EditCommandSubject(EditCommand command);

// The program's own steps, which Undo takes back and Redo makes again
// wherever the focus is, when the focused field has no typing of its own
// to take back or make again.
struct ProgramStep {
    std::function<bool()> canUndo;
    std::function<bool()> canRedo;
    std::function<void()> undo;
    std::function<void()> redo;
    // What undo and redo would take back and make again, for the menu.
    std::function<std::string()> undoName;
    std::function<std::string()> redoName;
};
// Replaces the program's step (one without functions: none) and brings the
// Edit items' state up to date.
void SetProgramStep(ProgramStep step);
// Runs on every change of what the Edit items apply to, until it returns
// false (its menu is gone).
void OnEditStateChange(std::function<bool()> listener);
void EditStateChanged();

} // namespace fw
