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

void EditHistory::DropNewest()
{
    if (steps_.empty() || done_ != steps_.size())
        return;
    bytes_ -= steps_.back().bytes;
    steps_.pop_back();
    done_ = steps_.size();
}

const EditHistory::Step *EditHistory::NextUndo() const
{
    for (std::size_t i = done_; i > 0; --i) {
        if (steps_[i - 1].undoable())
            return &steps_[i - 1];
    }
    return nullptr;
}

bool EditHistory::CanUndo() const
{
    return NextUndo() != nullptr;
}

bool EditHistory::CanRedo() const
{
    return done_ < steps_.size() && steps_[done_].redoable();
}

std::string EditHistory::UndoName() const
{
    const Step *step = NextUndo();
    return step ? step->name : std::string();
}

std::string EditHistory::RedoName() const
{
    return CanRedo() ? steps_[done_].name : std::string();
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
