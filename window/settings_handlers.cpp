#include "window/flag_scope.h"
#include "window/window1.h"

#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/listbox.h"
#include "framework/popup_menu.h"
#include "framework/text.h"
#include "text/numbers.h"

#include <array>
#include <charconv>

namespace vantor {
namespace {

constexpr int kFirstSize = 9;
constexpr int kLastSize = 256;
constexpr int kDefaultSizeRow = 72 - kFirstSize;
constexpr int kDefaultTextureItem = 2;

// The printable ASCII characters, space to tilde, then five question marks:
// one character for each of the 100 cells.
std::string DefaultCharacters()
{
    std::string characters;
    for (char code = ' '; code <= '~'; ++code)
        characters += code;
    characters += "?????";
    return characters;
}

} // namespace

void Window1::lstChars_Open()
{
    auto &chars = Find<fw::Listbox>("lstChars");
    const std::string characters = DefaultCharacters();
    for (int r = 0; r < kGridSide; ++r) {
        chars.AddRow(" ");
        for (int c = 0; c < kGridSide; ++c) {
            chars.SetCell(r, c, fw::Mid(characters, kGridSide * r + c + 1, 1));
            chars.SetCellType(r, c, fw::Listbox::kTypeEditable);
        }
    }
}

void Window1::lstChars_CellTextChange(int, int)
{
    UpdateFontMap();
}

void Window1::lstSizes_Open()
{
    const FlagScope stepsHeld(stepsHeld_);
    auto &sizes = Find<fw::Listbox>("lstSizes");
    sizes.SetHeading(0, "Size");
    for (int size = kFirstSize; size <= kLastSize; ++size)
        sizes.AddRow(fw::Str(size));
    sizes.SetListIndex(kDefaultSizeRow);
}

void Window1::lstSizes_Change()
{
    UpdateFontMap();
}

void Window1::popTexSize_Open()
{
    const FlagScope stepsHeld(stepsHeld_);
    auto &textureSizes = Find<fw::PopupMenu>("popTexSize");
    for (const char *size : {"256", "512", "1024", "2048"})
        textureSizes.AddRow(size);
    textureSizes.SetListIndex(kDefaultTextureItem);
}

void Window1::popTexSize_Change()
{
    UpdateFontMap();
}

void Window1::edtDX_TextChange()
{
    ShowReading(Find<fw::EditField>("edtDX"));
    UpdateFontMap();
}

void Window1::edtDY_TextChange()
{
    ShowReading(Find<fw::EditField>("edtDY"));
    UpdateFontMap();
}

void Window1::ShowReading(fw::EditField &field)
{
    // Only the leading number counts ("12,5" is 12): a decimal comma, or
    // anything else after it, is not lost without a word.
    const std::string typed = field.Text();
    if (!typed.empty() && text::NumberLength(typed) == typed.size()) {
        field.SetNote({});
        return;
    }
    std::array<char, 32> read{};
    const auto end = std::to_chars(read.data(), read.data() + read.size(), text::Val(typed)).ptr;
    field.SetNote("This text is read as " + std::string(read.data(), end) + ".");
}

void Window1::chkBold_Action()
{
    UpdateFontMap();
}

void Window1::chkItalic_Action()
{
    UpdateFontMap();
}

void Window1::chkToFit_Action()
{
    ShowPreview();
}

} // namespace vantor
