#include "window/window1.h"

#include "framework/listbox.h"
#include "framework/standard_edit.h"
#include "framework/text_dialog.h"
#include "window/cell_fill.h"

#include <algorithm>
#include <optional>

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

} // namespace

void Window1::WireEditHistory()
{
    // Undo and Redo take back the history's steps wherever the focus is,
    // when no field has typing of its own to take back; an edit in progress
    // ends first, as its own step.
    const auto endEdit = [this] { Find<fw::Listbox>("lstChars").EndEdit(); };
    fw::SetProgramStep({[this] { return history_.CanUndo(); }, [this] { return history_.CanRedo(); },
        [this, endEdit] {
            endEdit();
            history_.Undo();
        },
        [this, endEdit] {
            endEdit();
            history_.Redo();
        }});
}

void Window1::lstChars_CellEditEnd(int row, int column)
{
    const auto &chars = Find<fw::Listbox>("lstChars");
    RememberCells(row * kGridSide + column, {chars.TextBeforeEdit()}, {chars.Cell(row, column)});
}

void Window1::RememberCells(int first, std::vector<std::string> before, std::vector<std::string> after)
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
    history_.Push({[hold, after] { return hold(after); }, [hold, before] { return hold(before); },
        [put, before] { put(before); }, [put, after] { put(after); }, BytesOf(before) + BytesOf(after)});
    fw::EditStateChanged();
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
    RememberCells(first, std::move(was), std::move(now));
}

void Window1::RememberFit(const Placement &before, AtlasSettings settingsBefore)
{
    const Placement after = CurrentPlacement();
    // The step applies only while the rest stays as the fit found it.
    const auto state = [this](const AtlasSettings &settings) { return settings_ == settings; };
    history_.Push({[state, after = settings_] { return state(after); },
        [state, before = std::move(settingsBefore)] { return state(before); }, [this, before] { Place(before); },
        [this, after] { Place(after); }, 2 * BytesOf(settings_.cells)});
    fw::EditStateChanged();
}

} // namespace vantor
