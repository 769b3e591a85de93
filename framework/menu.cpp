#include "framework/menu.h"

#include "framework/dispatch.h"
#include "framework/exceptions.h"

#include <algorithm>

namespace fw {

void MenuItem::Append(std::unique_ptr<MenuItem> item)
{
    NotNil(item.get()).parent_ = this;
    children_.push_back(std::move(item));
}

void MenuItem::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    StateChanged();
}

void MenuItem::SetChecked(bool checked)
{
    checked = checkable_ && checked;
    if (checked && parent_ && parent_->exclusive_) {
        for (const auto &sibling : parent_->children_) {
            if (sibling.get() != this && sibling->checked_) {
                sibling->checked_ = false;
                sibling->StateChanged();
            }
        }
    }
    if (checked == checked_)
        return;
    checked_ = checked;
    StateChanged();
}

void MenuItem::OnStateChange(std::function<bool()> listener)
{
    listeners_.push_back(std::move(listener));
}

void MenuItem::StateChanged()
{
    std::erase_if(listeners_, [](const auto &listener) { return !listener(); });
}

MenuItem &MenuItem::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw OutOfBoundsException("Menu item index out of range");
    return *children_[static_cast<std::size_t>(index)];
}

MenuItem *MenuItem::Child(std::string_view name) const
{
    for (const auto &child : children_) {
        if (child->Name() == name)
            return child.get();
    }
    return nullptr;
}

void Choose(MenuItem &item, bool checked)
{
    if (item.parent_ && item.parent_->exclusive_ && item.checkable_) {
        for (const auto &sibling : item.parent_->children_)
            sibling->checked_ = false;
        checked = true;
    }
    item.checked_ = item.checkable_ && checked;
    if (item.action_)
        Dispatch(item.action_);
}

MenuItem *MenuItem::Lookup(std::string_view name) const
{
    for (const auto &child : children_) {
        if (child->Name() == name)
            return child.get();
        if (MenuItem *found = child->Lookup(name))
            return found;
    }
    return nullptr;
}

} // namespace fw
