#pragma once

#include <QStyledItemDelegate>

namespace fw {

// The property of an in-place editor holding the cell's text before the edit.
constexpr char kTextBeforeEdit[] = "textBeforeEdit";

// Commits an in-place edit on every change, so the model sees each one as it
// is typed, undone or redone; the editor keeps its undo history throughout.
// Escape restores the text the cell had before the edit.
class LiveEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};

} // namespace fw
