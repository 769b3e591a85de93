#include "framework/standard_edit.h"

#include "framework/cell_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <array>
#include <utility>
#include <vector>

namespace fw {

namespace {

QLineEdit *FocusedField()
{
    return qobject_cast<QLineEdit *>(QApplication::focusWidget());
}

// Never destroyed: a window that outlives the statics lets go of its step.
ProgramStep &TheProgramStep()
{
    static auto *step = new ProgramStep;
    return *step;
}

bool ProgramCan(const std::function<bool()> &can)
{
    return can && can();
}

std::vector<std::function<bool()>> &EditStateListeners()
{
    static auto *listeners = new std::vector<std::function<bool()>>;
    return *listeners;
}

} // namespace

EditCommand EditCommandNamed(std::string_view itemName)
{
    static constexpr std::array<std::pair<std::string_view, EditCommand>, 7> kNames{{
        {"EditUndo", EditCommand::Undo},
        {"EditRedo", EditCommand::Redo},
        {"EditCut", EditCommand::Cut},
        {"EditCopy", EditCommand::Copy},
        {"EditPaste", EditCommand::Paste},
        {"EditClear", EditCommand::Clear},
        {"EditSelectAll", EditCommand::SelectAll},
    }};
    for (const auto &[name, command] : kNames) {
        if (name == itemName)
            return command;
    }
    return EditCommand::None;
}

bool EditCommandApplies(EditCommand command)
{
    if ((command == EditCommand::Undo && ProgramCan(TheProgramStep().canUndo))
        || (command == EditCommand::Redo && ProgramCan(TheProgramStep().canRedo)))
        return true;
    const QLineEdit *field = FocusedField();
    if (!field)
        return false;
    const bool writable = !field->isReadOnly();
    switch (command) {
    case EditCommand::Undo:
        return writable && field->isUndoAvailable();
    case EditCommand::Redo:
        return writable && field->isRedoAvailable();
    case EditCommand::Cut:
    case EditCommand::Clear:
        return writable && field->hasSelectedText();
    case EditCommand::Copy:
        return field->hasSelectedText() && field->echoMode() == QLineEdit::Normal;
    case EditCommand::Paste:
        return writable && !QGuiApplication::clipboard()->text().isEmpty();
    case EditCommand::SelectAll:
        return !field->text().isEmpty();
    case EditCommand::None:
        break;
    }
    return false;
}

void RunEditCommand(EditCommand command)
{
    if (!EditCommandApplies(command))
        return;
    // Copied: the step may replace itself.
    const ProgramStep step = TheProgramStep();
    if ((command == EditCommand::Undo && ProgramCan(step.canUndo))
        || (command == EditCommand::Redo && ProgramCan(step.canRedo))) {
        (command == EditCommand::Undo ? step.undo : step.redo)();
        EditStateChanged();
        return;
    }
    QLineEdit *field = FocusedField();
    switch (command) {
    case EditCommand::Undo:
        field->undo();
        break;
    case EditCommand::Redo:
        field->redo();
        break;
    case EditCommand::Cut:
        field->cut();
        break;
    case EditCommand::Copy:
        field->copy();
        break;
    case EditCommand::Paste:
        if (auto *cell = dynamic_cast<CellEditor *>(field))
            cell->Paste();
        else
            field->paste();
        break;
    case EditCommand::Clear:
        field->del();
        break;
    case EditCommand::SelectAll:
        field->selectAll();
        break;
    case EditCommand::None:
        break;
    }
}

void SetProgramStep(ProgramStep step)
{
    TheProgramStep() = std::move(step);
    EditStateChanged();
}

void EditStateChanged()
{
    std::erase_if(EditStateListeners(), [](const auto &listener) { return !listener(); });
}

void OnEditStateChange(std::function<bool()> listener)
{
    EditStateListeners().push_back(std::move(listener));
}

} // namespace fw
