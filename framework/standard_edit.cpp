#include "framework/standard_edit.h"

#include "framework/cell_editor.h"
#include "framework/list_view.h"

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

// Every menu bar's Edit items hear the focus move, wherever it goes; never
// destroyed, as the step above.
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

namespace {

ListView *FocusedGrid()
{
    auto *grid = dynamic_cast<ListView *>(QApplication::focusWidget());
    return grid && grid->HasCommandCell() ? grid : nullptr;
}

// The field's own typing to take back or make again, first.
bool FieldCan(const QLineEdit *field, EditCommand command)
{
    return field && !field->isReadOnly()
        && (command == EditCommand::Undo ? field->isUndoAvailable() : field->isRedoAvailable());
}

bool CellCommandApplies(const ListView &grid, EditCommand command)
{
    switch (command) {
    case EditCommand::Cut:
    case EditCommand::Copy:
    case EditCommand::Clear:
        return !grid.CommandCellText().empty();
    case EditCommand::Paste:
        return !QGuiApplication::clipboard()->text().isEmpty();
    default:
        return false;
    }
}

// On a cell that is not being edited: its whole text.
void RunCellCommand(ListView &grid, EditCommand command)
{
    if (command == EditCommand::Cut || command == EditCommand::Copy)
        QGuiApplication::clipboard()->setText(QString::fromStdString(grid.CommandCellText()));
    if (command == EditCommand::Cut || command == EditCommand::Clear)
        grid.ReplaceCommandCell({});
    if (command == EditCommand::Paste)
        grid.ReplaceCommandCell(WithoutTabsAndLineBreaks(QGuiApplication::clipboard()->text()).toStdString());
}

} // namespace

bool EditCommandApplies(EditCommand command)
{
    const QLineEdit *field = FocusedField();
    if (command == EditCommand::Undo || command == EditCommand::Redo)
        return FieldCan(field, command)
            || ProgramCan(command == EditCommand::Undo ? TheProgramStep().canUndo : TheProgramStep().canRedo);
    if (const ListView *grid = FocusedGrid())
        return CellCommandApplies(*grid, command);
    if (!field)
        return false;
    const bool writable = !field->isReadOnly();
    switch (command) {
    case EditCommand::Cut:
    case EditCommand::Clear:
        return writable && field->hasSelectedText();
    case EditCommand::Copy:
        return field->hasSelectedText() && field->echoMode() == QLineEdit::Normal;
    case EditCommand::Paste:
        return writable && !QGuiApplication::clipboard()->text().isEmpty();
    case EditCommand::SelectAll:
        return !field->text().isEmpty();
    default:
        return false;
    }
}

void RunEditCommand(EditCommand command)
{
    if (!EditCommandApplies(command))
        return;
    QLineEdit *field = FocusedField();
    if (command == EditCommand::Undo || command == EditCommand::Redo) {
        if (FieldCan(field, command)) {
            command == EditCommand::Undo ? field->undo() : field->redo();
        } else {
            // Copied: the step may replace itself.
            const ProgramStep step = TheProgramStep();
            (command == EditCommand::Undo ? step.undo : step.redo)();
        }
        EditStateChanged();
        return;
    }
    if (ListView *grid = FocusedGrid()) {
        RunCellCommand(*grid, command);
        return;
    }
    switch (command) {
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
    default:
        break;
    }
}

std::string EditCommandSubject(EditCommand command)
{
    if (command != EditCommand::Undo && command != EditCommand::Redo)
        return {};
    if (FieldCan(FocusedField(), command))
        return "Typing";
    const ProgramStep &step = TheProgramStep();
    const auto &name = command == EditCommand::Undo ? step.undoName : step.redoName;
    return name ? name() : std::string();
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
    // Paste applies once the clipboard holds text.
    [[maybe_unused]] static const bool watching = [] {
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [] { EditStateChanged(); });
        return true;
    }();
    EditStateListeners().push_back(std::move(listener));
}

} // namespace fw
