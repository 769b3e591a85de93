#include "framework/live_edit_delegate.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace fw {

namespace {

constexpr char kTextBeforeEdit[] = "textBeforeEdit";

} // namespace

QWidget *LiveEditDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        auto *self = const_cast<LiveEditDelegate *>(this);
        connect(line, &QLineEdit::textEdited, self, [self, line] { Q_EMIT self->commitData(line); });
    }
    return editor;
}

void LiveEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // Only the first time: commits while typing call this again.
    if (!editor->property(kTextBeforeEdit).isValid())
        editor->setProperty(kTextBeforeEdit, index.data(Qt::EditRole));
    QStyledItemDelegate::setEditorData(editor, index);
}

bool LiveEditDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *line = qobject_cast<QLineEdit *>(object);
    if (line && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        line->setText(line->property(kTextBeforeEdit).toString());
        Q_EMIT commitData(line);
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace fw
