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
    const std::string &text = Text(index.row(), index.column());
    if (role == Qt::EditRole)
        return QString::fromStdString(text);
    // A view lays out and elides all it is given, on every paint: of a long
    // text it gets what a row can show, the first characters.
    constexpr std::size_t kShown = 256;
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < kShown; ++characters) {
        do
            ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
    }
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(end));
    return end < text.size() ? QString(shown + QChar(0x2026)) : shown;
}

bool ListboxModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !Editable(index.row(), index.column()))
        return false;
    // However the text came in, a cell stays one line of the width table.
    std::string text = WithoutTabsAndLineBreaks(value.toString()).toStdString();
    if (text == Text(index.row(), index.column()))
        return true;
    SetText(index.row(), index.column(), std::move(text));
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

void ListboxModel::AppendRow(std::string text)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    Row added{std::vector<std::string>(static_cast<std::size_t>(columns_)),
        std::vector<bool>(static_cast<std::size_t>(columns_), false)};
    added.text[0] = std::move(text);
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

const std::string &ListboxModel::Text(int row, int column) const
{
    return rows_[CheckedRow(row, column)].text[static_cast<std::size_t>(column)];
}

void ListboxModel::SetText(int row, int column, std::string text)
{
    std::string &cell = rows_[CheckedRow(row, column)].text[static_cast<std::size_t>(column)];
    // The same text is no change, for the views to show again.
    if (cell == text)
        return;
    cell = std::move(text);
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
