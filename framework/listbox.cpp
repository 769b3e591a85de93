#include "framework/listbox.h"

#include "framework/exceptions.h"
#include "framework/list_view.h"
#include "framework/listbox_model.h"
#include "framework/live_edit_delegate.h"

#include <QHeaderView>

namespace fw {

namespace {

QTableView *NewView()
{
    auto *view = new ListView;
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
        | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    view->setItemDelegate(new LiveEditDelegate(view));
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    // Compact rows, as list boxes have, rather than Qt's spacious default.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QHeaderView *heading = view->horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Stretch);
    // The columns share the width however narrow that makes them.
    heading->setMinimumSectionSize(1);
    heading->setSectionsClickable(false);
    heading->setHighlightSections(false);
    heading->hide();
    return view;
}

} // namespace

Listbox::Listbox()
    : Control(NewView())
    , model_(new ListboxModel([this](int row, int column) { Raise(Event::CellTextChange, row, column); }, &Widget()))
{
    WidgetAs<QTableView>().setModel(model_);
    WidgetAs<ListView>().cellChanged = [this](int row, int column, const std::string &before) {
        textBeforeEdit_ = before;
        Raise(Event::CellEditEnd, row, column);
    };
    QObject::connect(WidgetAs<QTableView>().selectionModel(), &QItemSelectionModel::selectionChanged,
        [this] { SelectionChanged(); });
    QObject::connect(model_, &QAbstractItemModel::modelReset, [this] { SelectionChanged(); });
}

bool Listbox::HasEvent(Event event) const
{
    return event == Event::Open || event == Event::Change || event == Event::CellTextChange
        || event == Event::CellEditEnd;
}

void Listbox::SetColumnCount(int columns)
{
    model_->SetColumnCount(columns);
}

void Listbox::SetHasHeading(bool hasHeading)
{
    WidgetAs<QTableView>().horizontalHeader()->setVisible(hasHeading);
}

void Listbox::SetHeading(int column, const std::string &heading)
{
    model_->SetHeading(column, QString::fromStdString(heading));
}

void Listbox::AddRow(const std::string &text)
{
    model_->AppendRow(text);
}

int Listbox::LastIndex() const
{
    return model_->rowCount() - 1;
}

int Listbox::ListCount() const
{
    return model_->rowCount();
}

void Listbox::DeleteAllRows()
{
    model_->Clear();
}

std::string Listbox::Cell(int row, int column) const
{
    return model_->Text(row, column);
}

void Listbox::SetCell(int row, int column, const std::string &text)
{
    model_->SetText(row, column, text);
}

void Listbox::SetRowsShown(int rows)
{
    WidgetAs<ListView>().SetRowsShown(rows);
}

void Listbox::EndEdit()
{
    WidgetAs<ListView>().EndEdit();
}

void Listbox::SetCellType(int row, int column, int type)
{
    model_->SetEditable(row, column, type == kTypeEditable);
    if (model_->AnyEditable())
        WidgetAs<QTableView>().setSelectionBehavior(QAbstractItemView::SelectItems);
}

int Listbox::ListIndex() const
{
    const QModelIndexList selected = WidgetAs<QTableView>().selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void Listbox::SetListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        throw OutOfBoundsException("List index " + std::to_string(index) + " out of range");
    QTableView &view = WidgetAs<QTableView>();
    if (index == -1) {
        view.selectionModel()->clear();
        return;
    }
    const QModelIndex cell = model_->index(index, 0);
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (!model_->AnyEditable())
        flags |= QItemSelectionModel::Rows;
    view.selectionModel()->setCurrentIndex(cell, flags);
    view.scrollTo(cell);
}

std::pair<int, int> Listbox::CurrentCell() const
{
    const QModelIndex cell = WidgetAs<QTableView>().currentIndex();
    return cell.isValid() ? std::pair{cell.row(), cell.column()} : std::pair{-1, -1};
}

std::string Listbox::Text() const
{
    const int index = ListIndex();
    return index < 0 ? std::string() : Cell(index, 0);
}

void Listbox::SelectionChanged()
{
    const int index = ListIndex();
    if (index == reportedIndex_)
        return;
    reportedIndex_ = index;
    Raise(Event::Change);
}

} // namespace fw
