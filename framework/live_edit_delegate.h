#pragma once

#include <QStyledItemDelegate>

namespace fw {

// Commits an in-place edit on every keystroke, so the model sees each change
// as it is typed; Escape restores the text the cell had before the edit.
class LiveEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};

} // namespace fw
