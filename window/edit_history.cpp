#include "window/edit_history.h"

#include <utility>

namespace vantor {
namespace {

// Cells may hold megabytes: the history keeps at most this much of them.
constexpr std::size_t kBudget = std::size_t{64} << 20;

} // namespace

void EditHistory::Push(Step step)
{
    for (std::size_t i = done_; i < steps_.size(); ++i)
        bytes_ -= steps_[i].bytes;
    steps_.resize(done_);
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    while (bytes_ > kBudget && steps_.size() > 1) {
        bytes_ -= steps_.front().bytes;
        steps_.erase(steps_.begin());
    }
    done_ = steps_.size();
}

bool EditHistory::CanUndo() const
{
    for (std::size_t i = done_; i > 0; --i) {
        if (steps_[i - 1].undoable())
            return true;
    }
    return false;
}

bool EditHistory::CanRedo() const
{
    return done_ < steps_.size() && steps_[done_].redoable();
}

void EditHistory::Undo()
{
    // Steps that no longer apply are let go, those before them kept: each
    // takes back only its own change.
    while (done_ > 0 && !steps_[done_ - 1].undoable()) {
        bytes_ -= steps_[done_ - 1].bytes;
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_ - 1));
        --done_;
    }
    if (done_ == 0)
        return;
    --done_;
    // Copied: taking the step back may push or let go of others.
    const std::function<void()> undo = steps_[done_].undo;
    undo();
}

void EditHistory::Redo()
{
    if (!CanRedo()) {
        // What was undone cannot come back in order once one of it cannot.
        for (std::size_t i = done_; i < steps_.size(); ++i)
            bytes_ -= steps_[i].bytes;
        steps_.resize(done_);
        return;
    }
    const std::function<void()> redo = steps_[done_].redo;
    ++done_;
    redo();
}

} // namespace vantor
