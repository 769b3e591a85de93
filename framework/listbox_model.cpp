#include "framework/listbox_model.h"

#include "framework/cell_editor.h"
#include "framework/exceptions.h"

#include <string>

namespace fw {

ListboxModel::ListboxModel(std::function<void(int, int)> userEdited, QObject *parent)
    : QAbstractTableModel(parent)
    , userEdited_(std::move(userEdited))
    , headings_(1)
{
}

int ListboxModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListboxModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant ListboxModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QString &text = Text(index.row(), index.column());
    // A view lays out and elides all it is given, on every paint: of a long
    // text it gets what a row can show.
    constexpr qsizetype kShown = 256;
    if (role == Qt::EditRole || text.size() <= kShown)
        return text;
    const qsizetype cut = text[kShown - 1].isHighSurrogate() ? kShown - 1 : kShown;
    return QString(text.left(cut) + QChar(0x2026));
}

bool ListboxModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !Editable(index.row(), index.column()))
        return false;
    // However the text came in, a cell stays one line of the width table.
    const QString text = WithoutTabsAndLineBreaks(value.toString());
    if (text == Text(index.row(), index.column()))
        return true;
    SetText(index.row(), index.column(), text);
    userEdited_(index.row(), index.column());
    return true;
}

Qt::ItemFlags ListboxModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (Editable(index.row(), index.column()))
        result |= Qt::ItemIsEditable;
    return result;
}

QVariant ListboxModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_)
        return {};
    return headings_[section];
}

void ListboxModel::SetColumnCount(int columns)
{
    if (columns < 1)
        throw OutOfBoundsException("A list needs at least one column");
    if (!rows_.empty())
        throw std::logic_error("Columns can only be set while a list has no rows");
    beginResetModel();
    columns_ = columns;
    headings_.resize(columns);
    endResetModel();
}

QString ListboxModel::Heading(int column) const
{
    if (column < 0 || column >= columns_)
        throw OutOfBoundsException("Column " + std::to_string(column) + " out of range");
    return headings_[column];
}

void ListboxModel::SetHeading(int column, const QString &heading)
{
    Heading(column);
    headings_[column] = heading;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void ListboxModel::AppendRow(const QString &text)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    Row added{std::vector<QString>(static_cast<std::size_t>(columns_)),
        std::vector<bool>(static_cast<std::size_t>(columns_), false)};
    added.text[0] = text;
    rows_.push_back(std::move(added));
    endInsertRows();
}

void ListboxModel::Clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

std::size_t ListboxModel::CheckedRow(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        throw OutOfBoundsException("Row " + std::to_string(row) + " out of range");
    if (column < 0 || column >= columns_)
        throw OutOfBoundsException("Column " + std::to_string(column) + " out of range");
    return static_cast<std::size_t>(row);
}

const QString &ListboxModel::Text(int row, int column) const
{
    return rows_[CheckedRow(row, column)].text[static_cast<std::size_t>(column)];
}

void ListboxModel::SetText(int row, int column, const QString &text)
{
    rows_[CheckedRow(row, column)].text[static_cast<std::size_t>(column)] = text;
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

bool ListboxModel::Editable(int row, int column) const
{
    return rows_[CheckedRow(row, column)].editable[static_cast<std::size_t>(column)];
}

void ListboxModel::SetEditable(int row, int column, bool editable)
{
    rows_[CheckedRow(row, column)].editable[static_cast<std::size_t>(column)] = editable;
    anyEditable_ = anyEditable_ || editable;
}

} // namespace fw
