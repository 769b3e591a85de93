#include "framework/exceptions.h"
#include "framework/menu.h"
#include "window/window1.h"

namespace vantor {
namespace {

fw::MenuItem &ItemNamed(const Window1 &window, std::string_view name)
{
    return fw::NotNil(fw::NotNil(window.MenuBar()).Lookup(name));
}

} // namespace

fw::MenuItem &Window1::EditMenu() const
{
    return ItemNamed(*this, "EditMenu");
}

fw::MenuItem &Window1::EditSelectAll() const
{
    return ItemNamed(*this, "EditSelectAll");
}

fw::MenuItem &Window1::UntitledMenu0() const
{
    return ItemNamed(*this, "UntitledMenu0");
}

fw::MenuItem &Window1::EditClear() const
{
    return ItemNamed(*this, "EditClear");
}

fw::MenuItem &Window1::EditPaste() const
{
    return ItemNamed(*this, "EditPaste");
}

fw::MenuItem &Window1::EditCopy() const
{
    return ItemNamed(*this, "EditCopy");
}

fw::MenuItem &Window1::EditCut() const
{
    return ItemNamed(*this, "EditCut");
}

fw::MenuItem &Window1::UntitledMenu1() const
{
    return ItemNamed(*this, "UntitledMenu1");
}

fw::MenuItem &Window1::EditUndo() const
{
    return ItemNamed(*this, "EditUndo");
}

fw::MenuItem &Window1::FileMenu() const
{
    return ItemNamed(*this, "FileMenu");
}

fw::QuitMenuItem &Window1::FileQuit() const
{
    auto *item = dynamic_cast<fw::QuitMenuItem *>(&ItemNamed(*this, "FileQuit"));
    return fw::NotNil(item);
}

} // namespace vantor
