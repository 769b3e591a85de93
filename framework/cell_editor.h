#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace fw {

// The text with every TAB, CR and LF taken out: a cell is one line of a
// table whose fields are separated by TAB and whose lines end in CR.
QString WithoutTabsAndLineBreaks(const QString &text);

// The in-place editor of a list cell: pasted or dropped text loses its TABs
// and line breaks as it comes in, so that the edit stays one undo step.
class CellEditor : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

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
