#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <variant>

class QWidget;

namespace fw {

class Graphics;

enum class Event { Open, Change, CellTextChange, CellEditEnd, TextChange, Action, Paint };

enum class Alignment { Left, Center, Right };

// Open, Change, TextChange and Action take no arguments; CellTextChange and
// CellEditEnd take the row and column; Paint takes the drawing context.
using Handler = std::variant<std::function<void()>, std::function<void(int, int)>, std::function<void(Graphics &)>>;

// A control placed in a window. Events reach handlers through Dispatch.
// Property writes raise no event unless a control says otherwise.
class Control {
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const std::string &Name() const { return name_; }
    // The window calls this when the control is added; it is also the Qt
    // object name, by which tests find the widget.
    void SetName(std::string name);

    int Width() const;
    int Height() const;
    // As designed; the window shows them larger, all in proportion, where
    // the desktop's font needs more room (Window::SetSize).
    void SetBounds(int left, int top, int width, int height);
    // Shows the control at its bounds times the scale.
    void SetScale(double scale);
    double Scale() const { return scale_; }
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // What a screen reader says for the control.
    void SetAccessibleName(const std::string &name);
    // What a screen reader says of the control beside its name.
    void SetAccessibleDescription(const std::string &description);
    // What the control shows when the pointer rests on it.
    void SetToolTip(const std::string &tip);
    const std::string &ToolTip() const { return toolTip_; }
    // Asks for a repaint of the whole control; a Canvas raises Paint for it.
    virtual void Refresh();

    // Throws std::invalid_argument when the control has no such event or the
    // handler takes the wrong arguments.
    void Bind(Event event, Handler handler);
    // Runs the bound handler, if any, through Dispatch.
    void Raise(Event event);
    void Raise(Event event, int row, int column);
    void Raise(Event event, Graphics &graphics);

    QWidget &Widget() const { return *widget_; }
    // The widget as the Qt class the control made it with.
    template <class QtWidget> QtWidget &WidgetAs() const { return static_cast<QtWidget &>(*widget_); }

protected:
    // Owns the widget; the window destroys its controls before its own
    // widget, so each widget is deleted once, here.
    explicit Control(QWidget *widget);
    virtual bool HasEvent(Event event) const = 0;
    // Runs a bound handler; Dispatch unless a control needs otherwise.
    virtual void Run(const std::function<void()> &handler);

private:
    template <class Function, class... Args> void RaiseWith(Event event, Args &&...args);

    QWidget *widget_;
    std::array<int, 4> bounds_{};
    double scale_ = 1.0;
    std::string name_;
    std::string toolTip_;
    std::map<Event, Handler> handlers_;
};

} // namespace fw
