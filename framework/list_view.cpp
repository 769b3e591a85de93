#include "framework/list_view.h"

#include "framework/focus_frame.h"
#include "framework/listbox_model.h"
#include "framework/live_edit_delegate.h"
#include "framework/standard_edit.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace fw {

void ListView::SetRowsShown(int rows)
{
    // The grid's own font keeps the desktop's from reaching it, so a new
    // desktop font is fitted anew.
    if (rowsShown_ == 0)
        qApp->installEventFilter(this);
    rowsShown_ = rows;
    FitRows();
}

bool ListView::HasCommandCell() const
{
    const QModelIndex cell = currentIndex();
    return cell.isValid() && state() != EditingState && (model()->flags(cell) & Qt::ItemIsEditable);
}

std::string ListView::CommandCellText() const
{
    const QModelIndex cell = currentIndex();
    return static_cast<const ListboxModel *>(model())->Text(cell.row(), cell.column());
}

void ListView::ReplaceCommandCell(const std::string &text)
{
    const QModelIndex cell = currentIndex();
    const std::string before = CommandCellText();
    if (before == text)
        return;
    model()->setData(cell, QString::fromStdString(text), Qt::EditRole);
    if (cellChanged)
        cellChanged(cell.row(), cell.column(), before);
    EditStateChanged();
}

void ListView::EndEdit()
{
    if (state() != EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if ((action == MoveHome || action == MoveEnd) && !static_cast<ListboxModel *>(model())->AnyEditable())
        return model()->index(action == MoveHome ? 0 : model()->rowCount() - 1, 0);
    return QTableView::moveCursor(action, modifiers);
}

void ListView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    FitRows();
}

bool ListView::eventFilter(QObject *watched, QEvent *event)
{
    // Queued: the fonts of widget classes follow the new font only after.
    if (watched == qApp && event->type() == QEvent::ApplicationFontChange)
        QMetaObject::invokeMethod(this, &ListView::FitRows, Qt::QueuedConnection);
    return QTableView::eventFilter(watched, event);
}

void ListView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && event->modifiers() == Qt::NoModifier
        && HasCommandCell()) {
        ReplaceCommandCell({});
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    EditStateChanged();
}

// An edit that changed the cell is one change of it, however many keys it
// took.
void ListView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex cell = currentIndex();
    const QVariant before = editor ? editor->property(kTextBeforeEdit) : QVariant();
    QTableView::closeEditor(editor, hint);
    if (!before.isValid() || !cell.isValid())
        return;
    const std::string was = before.toString().toStdString();
    if (cellChanged && static_cast<const ListboxModel *>(model())->Text(cell.row(), cell.column()) != was)
        cellChanged(cell.row(), cell.column(), was);
    EditStateChanged();
}

void ListView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    DrawFocusFrame(*viewport(), hasFocus());
}

void ListView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void ListView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void ListView::FitRows()
{
    if (rowsShown_ < 1)
        return;
    const int height
        = this->height() - 2 * frameWidth() - (horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0);
    const int row = std::max(height / rowsShown_, 1);
    // The font the desktop gives, made smaller until a line fits a row.
    QFont font = QApplication::font(this);
    // Without any font installed Qt finds no size at all: left as it is.
    if (const int pixels = QFontInfo(font).pixelSize(); font.pixelSize() < 0 && pixels > 0)
        font.setPixelSize(pixels);
    while (font.pixelSize() > 6 && QFontMetrics(font).height() + 2 > row)
        font.setPixelSize(font.pixelSize() - 1);
    setFont(font);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(row);
}

} // namespace fw
