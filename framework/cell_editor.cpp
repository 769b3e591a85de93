#include "framework/cell_editor.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>

namespace fw {

QString WithoutTabsAndLineBreaks(const QString &text)
{
    QString kept = text;
    kept.removeIf([](QChar c) { return c == u'\t' || c == u'\r' || c == u'\n'; });
    return kept;
}

bool FieldEdit::event(QEvent *event)
{
    // A line edit claims Undo's and Redo's keys even with nothing to do.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *keys = static_cast<QKeyEvent *>(event);
        if ((keys->matches(QKeySequence::Undo) && !isUndoAvailable())
            || (keys->matches(QKeySequence::Redo) && !isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

// Qt ends an undo step whenever the cursor moves: a step aside and back
// ends the one that typing builds, as Qt's own paste does before and after.
void CellEditor::EndUndoStep()
{
    const int cursor = cursorPosition();
    const int aside = cursor > 0 ? cursor - 1 : cursor + 1;
    if (aside > text().size())
        return;
    setCursorPosition(aside);
    setCursorPosition(cursor);
}

void CellEditor::Paste(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString text = WithoutTabsAndLineBreaks(QGuiApplication::clipboard()->text(mode));
    if (text.isEmpty() && !hasSelectedText())
        return;
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    EndUndoStep();
    if (length > 0)
        setSelection(start, length);
    insert(text);
    EndUndoStep();
}

void CellEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CellEditor::mouseReleaseEvent(QMouseEvent *event)
{
    // X11 pastes the selection with the middle button.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        Paste(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CellEditor::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // Qt names none of its actions; Paste is the one with Paste's shortcut.
    const QString pasteKeys = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (action->text().endsWith(pasteKeys)) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, [this] { Paste(); });
        }
    }
    menu->exec(event->globalPos());
}

void CellEditor::dropEvent(QDropEvent *event)
{
    QMimeData text;
    text.setText(WithoutTabsAndLineBreaks(event->mimeData()->text()));
    QDropEvent cleaned(event->position(), event->possibleActions(), &text, event->buttons(), event->modifiers());
    QLineEdit::dropEvent(&cleaned);
    event->setDropAction(cleaned.dropAction());
    event->setAccepted(cleaned.isAccepted());
}

void CellEditor::inputMethodEvent(QInputMethodEvent *event)
{
    QInputMethodEvent cleaned(event->preeditString(), event->attributes());
    cleaned.setCommitString(
        WithoutTabsAndLineBreaks(event->commitString()), event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&cleaned);
}

} // namespace fw
