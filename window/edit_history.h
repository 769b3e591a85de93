#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace vantor {

// The window's undo history: the user's changes of cells, fills and fits,
// each taken back and made again whole. A step applies while the state it
// left (to undo) or found (to redo) is still there; one that no longer
// applies is passed over and let go.
class EditHistory {
public:
    struct Step {
        std::function<bool()> undoable;
        std::function<bool()> redoable;
        std::function<void()> undo;
        std::function<void()> redo;
        std::size_t bytes = 0; // what it keeps, roughly
    };

    // After the steps done so far: those undone are let go. The oldest go
    // when the history holds more than its budget.
    void Push(Step step);
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();

private:
    std::vector<Step> steps_;
    std::size_t done_ = 0; // the steps before it are done, those from it undone
    std::size_t bytes_ = 0;
};

} // namespace vantor
