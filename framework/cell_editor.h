#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace fw {

// The text with every TAB, CR and LF taken out: a cell is one line of a
// table whose fields are separated by TAB and whose lines end in CR.
QString WithoutTabsAndLineBreaks(const QString &text);

// A line of text the user edits: Undo and Redo take back its own typing,
// and with none to take back, their keys reach the program's menu.
class FieldEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override;
};

// The in-place editor of a list cell: pasted or dropped text loses its TABs
// and line breaks as it comes in, so that the edit stays one undo step.
class CellEditor : public FieldEdit {
public:
    using FieldEdit::FieldEdit;

    // Inserts the clipboard's text, or the selection's, without them.
    void Paste(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void EndUndoStep();
};

} // namespace fw
