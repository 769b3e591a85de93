#pragma once

#include <QTableView>

#include <functional>
#include <string>

namespace fw {

// The view of a Listbox. Home and End go to the first and last row of a
// list; in a grid of editable cells they keep Qt's meaning. Asked to show a
// number of rows whole, it gives each an equal share of its height and takes
// a font small enough for it. In a grid of editable cells, the current cell
// takes Cut, Copy, Paste and Delete while it is not being edited.
class ListView : public QTableView {
public:
    // Each whole change of a cell by the user (an edit that ended, a paste,
    // a cut, a delete): its row, its column and the text it had before.
    std::function<void(int row, int column, const std::string &before)> cellChanged;

    void SetRowsShown(int rows);
    // Whether Cut, Copy, Paste and Delete have a cell to act on, and its
    // text.
    bool HasCommandCell() const;
    std::string CommandCellText() const;
    // The user's change of that cell.
    void ReplaceCommandCell(const std::string &text);
    // Ends an edit in progress, keeping what was typed.
    void EndEdit();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void FitRows();

    int rowsShown_ = 0;
};

} // namespace fw
