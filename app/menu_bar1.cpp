#include "app/menu_bar1.h"

#include "app/about.h"

#include "framework/exceptions.h"
#include "framework/window.h"
#include "window/window1.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace vantor {
namespace {

constexpr std::string_view kMenuBar = "";

// A choice is a check item of a menu that holds one marked of its choices.
enum class Kind { Item, Quit, Check, Choice };

struct MenuRow {
    std::string_view parent; // kMenuBar for the bar itself
    std::string_view name;
    Kind kind;
    std::string_view text;
    std::optional<std::string_view> shortcut; // separators get none assigned
};

constexpr std::array<MenuRow, 29> kMenuTree{{
    {kMenuBar, "FileMenu", Kind::Item, "&File", ""},
    {"FileMenu", "FileSaveTexture", Kind::Item, "Save &Texture...", "Cmd+S"},
    {"FileMenu", "FileSaveWidthTable", Kind::Item, "Save &Width Table...", "Cmd+Shift+S"},
    {"FileMenu", "FileExportBMFont", Kind::Item, "Export &BMFont...", ""},
    {"FileMenu", "UntitledMenu2", Kind::Item, "-", std::nullopt},
    {"FileMenu", "FileQuit", Kind::Quit, "&Quit", "Cmd+Q"},
    {kMenuBar, "EditMenu", Kind::Item, "&Edit", ""},
    {"EditMenu", "EditUndo", Kind::Item, "&Undo", "Cmd+Z"},
    {"EditMenu", "EditRedo", Kind::Item, "&Redo", "Cmd+Shift+Z"},
    {"EditMenu", "UntitledMenu1", Kind::Item, "-", std::nullopt},
    {"EditMenu", "EditCut", Kind::Item, "Cu&t", "Cmd+X"},
    {"EditMenu", "EditCopy", Kind::Item, "&Copy", "Cmd+C"},
    {"EditMenu", "EditPaste", Kind::Item, "&Paste", "Cmd+V"},
    {"EditMenu", "EditClear", Kind::Item, "&Delete", "Del"},
    {"EditMenu", "UntitledMenu0", Kind::Item, "-", std::nullopt},
    {"EditMenu", "EditSelectAll", Kind::Item, "Select &All", "Cmd+A"},
    {"EditMenu", "UntitledMenu3", Kind::Item, "-", std::nullopt},
    {"EditMenu", "EditFillCells", Kind::Item, "&Fill Cells...", ""},
    {kMenuBar, "ViewMenu", Kind::Item, "&View", ""},
    {"ViewMenu", "ViewSampleText", Kind::Item, "&Sample Text", "Cmd+T"},
    {"ViewMenu", "ViewCellOverflow", Kind::Check, "Show Cell &Overflow", ""},
    {"ViewMenu", "ViewFitGlyphs", Kind::Item, "&Fit Glyphs to Cells", ""},
    {"ViewMenu", "ViewDistanceField", Kind::Item, "&Distance Field", ""},
    {"ViewDistanceField", "ViewDistanceFieldOff", Kind::Choice, "&Off", ""},
    {"ViewDistanceField", "ViewDistanceFieldSingle", Kind::Choice, "&Single Channel", ""},
    {"ViewDistanceField", "ViewDistanceFieldMulti", Kind::Choice, "&Multi-Channel", ""},
    {"ViewDistanceField", "ViewDistanceFieldTrue", Kind::Choice, "Multi-Channel and &True Distance", ""},
    {kMenuBar, "HelpMenu", Kind::Item, "&Help", ""},
    {"HelpMenu", "HelpAbout", Kind::Item, "&About Vantor Font Mapper", ""},
}};

// The File and View items act on the main window, when it is open.
void OnMainWindow(void (Window1::*command)())
{
    if (fw::Window *window = fw::GetImplicitWindow(Window1::kClassName))
        (static_cast<Window1 &>(*window).*command)();
}

// The File and View items' commands; the saves do exactly what the Save
// buttons do.
constexpr std::array<std::pair<std::string_view, void (Window1::*)()>, 11> kActions{{
    {"EditFillCells", &Window1::EditFillCells_Action},
    {"FileSaveTexture", &Window1::btnSave_Action},
    {"FileSaveWidthTable", &Window1::btnSaveWidths_Action},
    {"FileExportBMFont", &Window1::FileExportBMFont_Action},
    {"ViewSampleText", &Window1::ViewSampleText_Action},
    {"ViewCellOverflow", &Window1::ViewCellOverflow_Action},
    {"ViewFitGlyphs", &Window1::ViewFitGlyphs_Action},
    {"ViewDistanceFieldOff", &Window1::ViewDistanceField_Action},
    {"ViewDistanceFieldSingle", &Window1::ViewDistanceField_Action},
    {"ViewDistanceFieldMulti", &Window1::ViewDistanceField_Action},
    {"ViewDistanceFieldTrue", &Window1::ViewDistanceField_Action},
}};

} // namespace

MenuBar1::MenuBar1()
{
    for (const MenuRow &row : kMenuTree) {
        std::unique_ptr<fw::MenuItem> item;
        if (row.kind == Kind::Quit)
            item = std::make_unique<fw::QuitMenuItem>();
        else
            item = std::make_unique<fw::MenuItem>();
        item->SetCheckable(row.kind == Kind::Check || row.kind == Kind::Choice);
        item->SetName(std::string(row.name));
        item->SetAutoEnable(true);
        item->SetText(std::string(row.text));
        if (row.shortcut)
            item->SetKeyboardShortcut(std::string(*row.shortcut));
        fw::MenuItem &parent = row.parent == kMenuBar ? *this : fw::NotNil(Lookup(row.parent));
        // A menu of choices starts on its first.
        if (row.kind == Kind::Choice && !parent.Exclusive()) {
            parent.SetExclusive(true);
            item->SetChecked(true);
        }
        parent.Append(std::move(item));
    }
    for (const auto &action : kActions)
        fw::NotNil(Lookup(action.first)).SetAction([command = action.second] { OnMainWindow(command); });
    fw::NotNil(Lookup("HelpAbout")).SetAction(ShowAbout);
}

namespace implicit {

// Made on first use and kept for the whole process: every window shows it.
vantor::MenuBar1 &MenuBar1()
{
    static vantor::MenuBar1 menuBar;
    return menuBar;
}

} // namespace implicit
} // namespace vantor
