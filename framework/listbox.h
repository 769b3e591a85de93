#pragma once

#include "framework/control.h"

#include <string>
#include <utility>

namespace fw {

class ListboxModel;

// A list of rows with one or more text columns, optionally headed.
// Raises Change when the selected row changes, whether the user or
// SetListIndex selects it; CellTextChange(row, column) when the user changes
// an editable cell's text (on every keystroke while editing); CellEditEnd
// (row, column) after a whole change of a cell by the user (an edit that
// ended, a paste, a cut, a delete), TextBeforeEdit then giving what it was
// before; SetCell raises nothing. A row or column outside the list throws
// OutOfBoundsException.
class Listbox : public Control {
public:
    static constexpr int kTypeEditable = 3;

    Listbox();

    // Only while the list has no rows.
    void SetColumnCount(int columns);
    void SetHasHeading(bool hasHeading);
    void SetHeading(int column, const std::string &heading);

    // Appends a row whose column 0 holds `text`; LastIndex is then its index.
    void AddRow(const std::string &text);
    int LastIndex() const;
    int ListCount() const;
    void DeleteAllRows();
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string &text);
    // Rows of an equal share of the list's height, so many that they show
    // whole without scrolling, in a font small enough for them.
    void SetRowsShown(int rows);
    // kTypeEditable lets the user edit the cell in place; a list with an
    // editable cell selects single cells rather than rows.
    void SetCellType(int row, int column, int type);

    // The cell's text before the change that CellEditEnd reports.
    const std::string &TextBeforeEdit() const { return textBeforeEdit_; }
    // Ends an edit in progress, keeping what was typed.
    void EndEdit();

    // The current cell's row and column; -1 and -1 when there is none.
    std::pair<int, int> CurrentCell() const;

    // -1 when no row is selected.
    int ListIndex() const;
    // -1 selects nothing.
    void SetListIndex(int index);
    // Column 0 of the selected row; empty when none is selected.
    std::string Text() const;

protected:
    bool HasEvent(Event event) const override;

private:
    void SelectionChanged();

    ListboxModel *model_; // owned by the widget
    int reportedIndex_ = -1;
    std::string textBeforeEdit_;
};

} // namespace fw
