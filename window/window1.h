#pragma once

#include "framework/window.h"

#include <memory>

namespace fw {
class MenuItem;
class QuitMenuItem;
class Picture;
} // namespace fw

namespace vantor {

// The one window: the settings controls, the preview and the exports. The
// controls are the only store of the settings.
class Window1 : public fw::Window {
public:
    static constexpr const char *kClassName = "Window1";

    Window1();

    // The last rendered texture; nil until the first render.
    std::shared_ptr<fw::Picture> CurrentFontMap;

    void btnQuit_Action();

    // The items of the window's menu bar, by name.
    fw::MenuItem &EditMenu() const;
    fw::MenuItem &EditSelectAll() const;
    fw::MenuItem &UntitledMenu0() const;
    fw::MenuItem &EditClear() const;
    fw::MenuItem &EditPaste() const;
    fw::MenuItem &EditCopy() const;
    fw::MenuItem &EditCut() const;
    fw::MenuItem &UntitledMenu1() const;
    fw::MenuItem &EditUndo() const;
    fw::MenuItem &FileMenu() const;
    fw::QuitMenuItem &FileQuit() const;

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void CreateControls0();
};

namespace implicit {

// The open main window, made and opened on the first call.
vantor::Window1 &Window1();

} // namespace implicit
} // namespace vantor
