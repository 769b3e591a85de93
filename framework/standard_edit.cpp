#include "framework/standard_edit.h"

#include "framework/cell_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <array>
#include <utility>

namespace fw {

namespace {

QLineEdit *FocusedField()
{
    return qobject_cast<QLineEdit *>(QApplication::focusWidget());
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

} // namespace fw
