#include "window/window1.h"

#include "framework/listbox.h"
#include "framework/standard_edit.h"
#include "framework/text_dialog.h"
#include "window/cell_fill.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vantor {
namespace {

// What a step keeps of the texts, roughly.
std::size_t BytesOf(const std::vector<std::string> &texts)
{
    std::size_t bytes = 0;
    for (const std::string &text : texts)
        bytes += text.size() + sizeof(std::string);
    return bytes;
}

// The setting that differs, as the menu names its step; "Settings" for
// several.
std::string ChangedSetting(const Window1::Choices &before, const Window1::Choices &after)
{
    const std::pair<bool, const char *> changes[] = {{before.family != after.family, "Font"},
        {before.sizeRow != after.sizeRow, "Size"}, {before.textureItem != after.textureItem, "Texture Size"},
        {before.dx != after.dx, "dx"}, {before.dy != after.dy, "dy"}, {before.bold != after.bold, "Bold"},
        {before.italic != after.italic, "Italic"}, {before.field != after.field, "Distance Field"}};
    const char *name = nullptr;
    for (const auto &[changed, setting] : changes) {
        if (changed)
            name = name ? "Settings" : setting;
    }
    return name ? name : "Settings";
}

} // namespace

void Window1::WireEditHistory()
{
    // Undo and Redo take back the history's steps wherever the focus is,
    // when no field has typing of its own to take back; an edit in progress
    // ends first, as its own step.
    const auto endEdit = [this] {
        Find<fw::Listbox>("lstChars").EndEdit();
        run_.clear();
    };
    fw::SetProgramStep({[this] { return history_.CanUndo(); }, [this] { return history_.CanRedo(); },
        [this, endEdit] {
            endEdit();
            history_.Undo();
        },
        [this, endEdit] {
            endEdit();
            history_.Redo();
        },
        [this] { return history_.UndoName(); }, [this] { return history_.RedoName(); }});
}

void Window1::Remember(EditHistory::Step step)
{
    history_.Push(std::move(step));
    run_.clear();
    fw::EditStateChanged();
}

void Window1::NoteChoices()
{
    const Choices now = CurrentChoices();
    if (stepsHeld_ || !choices_ || now == *choices_) {
        choices_ = now;
        return;
    }
    const std::string name = ChangedSetting(*choices_, now);
    // A run of keys in one offset field is one step, from what was there
    // before the run; typed back to it, no step at all.
    const bool typing = name == "dx" || name == "dy";
    const Choices before = typing && name == run_ ? runStart_ : *choices_;
    if (typing && name == run_)
        history_.DropNewest();
    choices_ = now;
    if (now == before) {
        run_.clear();
        fw::EditStateChanged();
        return;
    }
    RememberChoices(name, before);
    if (typing) {
        run_ = name;
        runStart_ = before;
    }
}

void Window1::RememberChoices(std::string name, const Choices &before)
{
    const auto now = [this] { return CurrentChoices(); };
    const Choices after = CurrentChoices();
    // What the step keeps counts against the history's budget, as cells do.
    const std::size_t bytes = 2 * sizeof(Choices) + BytesOf({before.family, before.dx, before.dy, before.field})
        + BytesOf({after.family, after.dx, after.dy, after.field});
    Remember({std::move(name), [now, after] { return now() == after; }, [now, before] { return now() == before; },
        [this, before] { Choose(before); }, [this, after] { Choose(after); }, bytes});
}

void Window1::lstChars_CellEditEnd(int row, int column)
{
    const auto &chars = Find<fw::Listbox>("lstChars");
    RememberCells("Cell Edit", row * kGridSide + column, {chars.TextBeforeEdit()}, {chars.Cell(row, column)});
}

void Window1::RememberCells(
    std::string name, int first, std::vector<std::string> before, std::vector<std::string> after)
{
    // The cells from `first` on hold `texts`, or not, as the controls were
    // last read.
    const auto hold = [this, first](const std::vector<std::string> &texts) {
        const auto &cells = settings_.cells;
        const auto from = static_cast<std::size_t>(first);
        return cells.size() >= from + texts.size()
            && std::equal(texts.begin(), texts.end(), cells.begin() + static_cast<std::ptrdiff_t>(from));
    };
    const auto put = [this, first](const std::vector<std::string> &texts) {
        auto &chars = Find<fw::Listbox>("lstChars");
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const int cell = first + static_cast<int>(i);
            chars.SetCell(cell / kGridSide, cell % kGridSide, texts[i]);
        }
        UpdateFontMap();
    };
    const std::size_t bytes = BytesOf(before) + BytesOf(after);
    Remember({std::move(name), [hold, after] { return hold(after); }, [hold, before] { return hold(before); },
        [put, before] { put(before); }, [put, after] { put(after); }, bytes});
}

void Window1::EditFillCells_Action()
{
    auto &chars = Find<fw::Listbox>("lstChars");
    chars.EndEdit();
    const auto [row, column] = chars.CurrentCell();
    const int first = row < 0 ? 0 : row * kGridSide + column;
    const std::vector<std::string> before = Cells();
    std::vector<fw::TextChoice> starts;
    for (const auto &[name, text] : CharacterSets())
        starts.push_back({name, text});
    const std::optional<std::string> text = fw::AskForText("Fill Cells", "Characters:", starts,
        [&](const std::string &typed) { return FillNote(FillCells(before, first, typed)); });
    if (!text)
        return;
    const CellFill fill = FillCells(before, first, *text);
    if (fill.filled == 0)
        return;
    const auto from = before.begin() + first;
    std::vector<std::string> was(from, from + fill.filled);
    std::vector<std::string> now(fill.cells.begin() + first, fill.cells.begin() + first + fill.filled);
    for (int cell = first; cell < first + fill.filled; ++cell)
        chars.SetCell(cell / kGridSide, cell % kGridSide, fill.cells[static_cast<std::size_t>(cell)]);
    UpdateFontMap();
    RememberCells("Fill Cells", first, std::move(was), std::move(now));
}

} // namespace vantor
