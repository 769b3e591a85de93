#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vantor {

// The window's undo history: the user's changes of settings and cells,
// fills and fits, each taken back and made again whole. A step applies while the state it
// left (to undo) or found (to redo) is still there; one that no longer
// applies is passed over and let go.
class EditHistory {
public:
    struct Step {
        std::string name; // as Undo and Redo say it: "Size", "Fill Cells"
        std::function<bool()> undoable;
        std::function<bool()> redoable;
        std::function<void()> undo;
        std::function<void()> redo;
        std::size_t bytes = 0; // what it keeps, roughly
    };

    // After the steps done so far: those undone are let go. The oldest go
    // when the history holds more than its budget.
    void Push(Step step);
    // Lets go of the newest step, when it is done and none is undone.
    void DropNewest();
    bool CanUndo() const;
    bool CanRedo() const;
    // The names of the steps Undo and Redo would take; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    void Undo();
    void Redo();

private:
    // The newest done step that still applies, or nil.
    const Step *NextUndo() const;

    std::vector<Step> steps_;
    std::size_t done_ = 0; // the steps before it are done, those from it undone
    std::size_t bytes_ = 0;
};

} // namespace vantor
