#include "framework/live_edit_delegate.h"

#include "framework/cell_editor.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <limits>

namespace fw {

QWidget *LiveEditDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.data(Qt::EditRole).userType() != QMetaType::QString)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *line = new CellEditor(parent);
    line->setFrame(false);
    // Qt cuts text beyond 32,767 characters without a word; a cell holds any.
    line->setMaxLength(std::numeric_limits<int>::max());
    auto *self = const_cast<LiveEditDelegate *>(this);
    // Every change, typed, undone or redone, reaches the model at once.
    connect(line, &QLineEdit::textChanged, self, [self, line] { Q_EMIT self->commitData(line); });
    return line;
}

void LiveEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // Only the first time: commits while typing call this again.
    if (!editor->property(kTextBeforeEdit).isValid())
        editor->setProperty(kTextBeforeEdit, index.data(Qt::EditRole));
    // Setting the text the editor already shows would wipe its undo history.
    const auto *line = qobject_cast<QLineEdit *>(editor);
    if (line && line->text() == index.data(Qt::EditRole).toString())
        return;
    // The model's own text, not a change to commit back to it.
    const QSignalBlocker blocker(editor);
    QStyledItemDelegate::setEditorData(editor, index);
}

bool LiveEditDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *line = qobject_cast<QLineEdit *>(object);
    const int key = line && event->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(event)->key() : 0;
    if (key == Qt::Key_Escape)
        line->setText(line->property(kTextBeforeEdit).toString());
    // Every change is committed already, so Return only ends the edit, and
    // at once: Qt's own close comes later, after a click elsewhere may have
    // closed the editor, and then finds no editor to close.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Q_EMIT closeEditor(line, QAbstractItemDelegate::SubmitModelCache);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace fw
