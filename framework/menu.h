#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A node of a menu tree: a menu, an item or, when its text is "-", a
// separator. The tree is plain data; a window turns it into its menu bar
// when the bar is attached (Window::SetMenuBar).
class MenuItem {
public:
    MenuItem() = default;
    virtual ~MenuItem() = default;
    MenuItem(const MenuItem &) = delete;
    MenuItem &operator=(const MenuItem &) = delete;

    const std::string &Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // "&" marks the access letter.
    const std::string &Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // "Cmd+<key>": the platform's primary modifier (Ctrl, or Command on macOS).
    const std::string &KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }
    // Enabled only while the item applies (the standard Edit items apply to
    // the focused text field); otherwise always enabled.
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    // Whether the user can choose the item at all; a change shows at once in
    // every menu built from it, and for its shortcut.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Called on every change of Enabled or Checked until it returns false
    // (its menu is gone).
    void OnStateChange(std::function<bool()> listener);

    // A check item shows a check mark that choosing it turns on and off.
    bool Checkable() const { return checkable_; }
    void SetCheckable(bool checkable) { checkable_ = checkable; }
    bool Checked() const { return checked_; }
    // Sets the mark, in a choice of one clearing the others', without
    // running the action; a change shows at once in every menu built from it.
    void SetChecked(bool checked);
    // A menu whose check items are a choice of one: choosing one marks it
    // and clears the others.
    bool Exclusive() const { return exclusive_; }
    void SetExclusive(bool exclusive) { exclusive_ = exclusive; }
    // Runs, through Dispatch, when the user chooses the item, after a check
    // item's mark has changed.
    const std::function<void()> &Action() const { return action_; }
    void SetAction(std::function<void()> action) { action_ = std::move(action); }

    bool IsSeparator() const { return text_ == "-"; }
    virtual bool QuitsApplication() const { return false; }

    // Puts the item after the existing children.
    void Append(std::unique_ptr<MenuItem> item);
    int Count() const { return static_cast<int>(children_.size()); }
    // Throws OutOfBoundsException for an index outside 0..Count()-1.
    MenuItem &Item(int index) const;
    // The direct child of that name, or nullptr.
    MenuItem *Child(std::string_view name) const;
    // The item of that name anywhere below this one, or nullptr.
    MenuItem *Lookup(std::string_view name) const;

private:
    std::string name_;
    std::string text_;
    std::string shortcut_;
    bool autoEnable_ = false;
    bool enabled_ = true;
    std::vector<std::function<bool()>> listeners_;
    bool checkable_ = false;
    bool checked_ = false;
    bool exclusive_ = false;
    MenuItem *parent_ = nullptr;
    std::function<void()> action_;
    std::vector<std::unique_ptr<MenuItem>> children_;

    void StateChanged();

    friend void Choose(MenuItem &item, bool checked);
};

// Choosing it quits the application with exit code 0.
class QuitMenuItem : public MenuItem {
public:
    bool QuitsApplication() const override { return true; }
};

class MenuBar : public MenuItem { };

// What choosing an item in a menu does: sets a check item's mark, then runs
// the item's action.
void Choose(MenuItem &item, bool checked);

} // namespace fw
