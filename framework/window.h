#pragma once

#include "framework/exceptions.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace fw {

class Control;
class MenuBar;

// A top-level window holding named controls. Build one with OpenWindow.
class Window {
public:
    virtual ~Window();
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    const std::string &ClassName() const { return className_; }
    void SetTitle(const std::string &title);
    // The content area, below the menu bar, as designed for controls at
    // their bounds. Where the desktop's font needs more room for a line of
    // text, all of it is shown larger in proportion; where the screen is
    // smaller than the window, the window fits the screen and its content
    // scrolls.
    void SetSize(int width, int height);
    // How much larger than designed the content is shown.
    double Scale() const { return scale_; }
    // A window that is not resizeable keeps its size and offers no maximise.
    void SetResizeable(bool resizeable);
    // For a resizeable window: the size it opens with.
    void SetInitialSize(int width, int height);
    // Builds the window's menus from the bar's tree, which must outlive the
    // window. Quit items quit with exit code 0; the Edit items named
    // EditUndo, EditCut, EditCopy, EditPaste, EditClear and EditSelectAll act
    // on the focused text field and, with AutoEnable, are enabled only when
    // they apply to it.
    fw::MenuBar *MenuBar() const { return menuBar_; }
    void SetMenuBar(fw::MenuBar *menuBar);

    // Adds the control under a name; a name already in use throws
    // std::invalid_argument.
    void AddControl(const std::string &name, std::unique_ptr<Control> control);
    int ControlCount() const;
    // In the order in which the controls were added.
    Control &ControlAt(int index) const;
    // Places the controls in rows, top to bottom, each row's left to right,
    // instead of at their bounds; the control named `stretching` takes the
    // room the others leave as the window is resized.
    void LayOutInRows(const std::vector<std::vector<std::string_view>> &rows, std::string_view stretching);
    // Tab moves through these controls in this order, and from the last back
    // to the first; controls that take no focus may be left out.
    void SetFocusOrder(std::span<const std::string_view> names);
    // nullptr when there is no control of that name.
    Control *FindControl(std::string_view name) const;
    // Throws NilObjectException when there is no such control of that class.
    template <class T> T &Find(std::string_view name) const
    {
        auto *control = dynamic_cast<T *>(FindControl(name));
        if (!control)
            throw NilObjectException("No control named " + std::string(name));
        return *control;
    }

    // As the window's close button: hides the window and destroys it once
    // the current event has been handled.
    void Close();
    // Runs, through Dispatch, when the window closes, by its close button or
    // by Close; the window is destroyed afterwards whatever it does.
    virtual void Closing() { }
    // Runs, through Dispatch, when fonts were installed or removed while the
    // window was open.
    virtual void InstalledFontsChanged() { }
    // Escape and the platform's close keys (Ctrl+W) close the window.
    void CloseOnEscape();
    // Brings the window to the front with the keyboard focus on the control.
    void Activate(std::string_view focused);

    QWidget &Widget() const;

protected:
    explicit Window(std::string className);
    // Window properties, then the controls; called by OpenWindow in this order.
    virtual void Layout() = 0;
    virtual void CreateControls() = 0;

private:
    friend Window &BuildWindow(std::unique_ptr<Window> window);
    struct Impl;
    // Sizes the content and its controls for the desktop's font, and the
    // window for its screen.
    void Fit();

    std::string className_;
    fw::MenuBar *menuBar_ = nullptr;
    int width_ = 0; // as designed; 0 for a window laid out in rows
    int height_ = 0;
    bool resizeable_ = true;
    double scale_ = 1.0;
    std::unique_ptr<Impl> impl_;
};

// Lays the window out and creates its controls, keeping it as the one open
// window of its class until it is closed; raises no Open event.
Window &BuildWindow(std::unique_ptr<Window> window);
// BuildWindow, then each control's Open event in creation order, then shows it.
Window &OpenWindow(std::unique_ptr<Window> window);

// The open window of that class, or nullptr.
Window *GetImplicitWindow(std::string_view className);

// The open window of class W (named by W::kClassName), made and opened on
// the first call.
template <class W> W &ImplicitWindow()
{
    if (Window *open = GetImplicitWindow(W::kClassName))
        return static_cast<W &>(*open);
    return static_cast<W &>(OpenWindow(std::make_unique<W>()));
}

// Destroys every open window; part of shutting the runtime down.
void DestroyAllWindows();

// Raises InstalledFontsChanged in every open window, in the order they
// opened.
void RaiseInstalledFontsChanged();

} // namespace fw
