#include "app/menu_bar1.h"

#include "framework/exceptions.h"

#include <array>
#include <optional>
#include <string_view>

namespace vantor {
namespace {

constexpr std::string_view kMenuBar = "";

struct MenuRow {
    std::string_view parent; // kMenuBar for the bar itself
    std::string_view name;
    bool quits;
    std::string_view text;
    std::optional<std::string_view> shortcut; // separators get none assigned
};

constexpr std::array<MenuRow, 11> kMenuTree{{
    {kMenuBar, "FileMenu", false, "&File", ""},
    {"FileMenu", "FileQuit", true, "&Quit", "Cmd+Q"},
    {kMenuBar, "EditMenu", false, "&Edit", ""},
    {"EditMenu", "EditUndo", false, "&Undo", "Cmd+Z"},
    {"EditMenu", "UntitledMenu1", false, "-", std::nullopt},
    {"EditMenu", "EditCut", false, "Cu&t", "Cmd+X"},
    {"EditMenu", "EditCopy", false, "&Copy", "Cmd+C"},
    {"EditMenu", "EditPaste", false, "&Paste", "Cmd+V"},
    {"EditMenu", "EditClear", false, "&Delete", ""},
    {"EditMenu", "UntitledMenu0", false, "-", std::nullopt},
    {"EditMenu", "EditSelectAll", false, "Select &All", "Cmd+A"},
}};

} // namespace

MenuBar1::MenuBar1()
{
    for (const MenuRow &row : kMenuTree) {
        std::unique_ptr<fw::MenuItem> item;
        if (row.quits)
            item = std::make_unique<fw::QuitMenuItem>();
        else
            item = std::make_unique<fw::MenuItem>();
        item->SetName(std::string(row.name));
        item->SetAutoEnable(true);
        item->SetText(std::string(row.text));
        if (row.shortcut)
            item->SetKeyboardShortcut(std::string(*row.shortcut));
        fw::MenuItem &parent = row.parent == kMenuBar ? *this : fw::NotNil(Child(row.parent));
        parent.Append(std::move(item));
    }
}

namespace implicit {

vantor::MenuBar1 &MenuBar1()
{
    static vantor::MenuBar1 menuBar;
    return menuBar;
}

} // namespace implicit
} // namespace vantor
