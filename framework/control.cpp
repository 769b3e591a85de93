#include "framework/control.h"

#include "framework/dispatch.h"

#include <QWidget>

#include <cmath>
#include <stdexcept>

namespace fw {

namespace {

std::size_t ArgumentsOf(Event event)
{
    switch (event) {
    case Event::CellTextChange:
    case Event::CellEditEnd:
        return 1;
    case Event::Paint:
        return 2;
    default:
        return 0;
    }
}

} // namespace

Control::Control(QWidget *widget)
    : widget_(widget)
{
}

Control::~Control()
{
    delete widget_;
}

void Control::SetName(std::string name)
{
    name_ = std::move(name);
    widget_->setObjectName(QString::fromStdString(name_));
}

int Control::Width() const
{
    return widget_->width();
}

int Control::Height() const
{
    return widget_->height();
}

void Control::SetBounds(int left, int top, int width, int height)
{
    bounds_ = {left, top, width, height};
    SetScale(scale_);
}

void Control::SetScale(double scale)
{
    scale_ = scale;
    const auto scaled = [scale](int value) { return static_cast<int>(std::lround(value * scale)); };
    const int left = scaled(bounds_[0]);
    const int top = scaled(bounds_[1]);
    // Edges, not sizes, are scaled: neighbours stay as far apart.
    widget_->setGeometry(left, top, scaled(bounds_[0] + bounds_[2]) - left, scaled(bounds_[1] + bounds_[3]) - top);
}

bool Control::Enabled() const
{
    return widget_->isEnabled();
}

void Control::SetEnabled(bool enabled)
{
    widget_->setEnabled(enabled);
}

void Control::SetToolTip(const std::string &tip)
{
    toolTip_ = tip;
    widget_->setToolTip(QString::fromStdString(tip));
}

void Control::SetAccessibleName(const std::string &name)
{
    widget_->setAccessibleName(QString::fromStdString(name));
}

void Control::SetAccessibleDescription(const std::string &description)
{
    widget_->setAccessibleDescription(QString::fromStdString(description));
}

void Control::Refresh()
{
    widget_->update();
}

void Control::Bind(Event event, Handler handler)
{
    if (!HasEvent(event))
        throw std::invalid_argument("Control " + name_ + " has no such event");
    if (handler.index() != ArgumentsOf(event))
        throw std::invalid_argument("Handler for " + name_ + " takes the wrong arguments");
    handlers_[event] = std::move(handler);
}

template <class Function, class... Args> void Control::RaiseWith(Event event, Args &&...args)
{
    const auto found = handlers_.find(event);
    if (found == handlers_.end())
        return;
    // A copy: the handler may rebind or destroy this control's handlers.
    const Function handler = std::get<Function>(found->second);
    Run([&] { handler(std::forward<Args>(args)...); });
}

void Control::Run(const std::function<void()> &handler)
{
    Dispatch(handler);
}

void Control::Raise(Event event)
{
    RaiseWith<std::function<void()>>(event);
}

void Control::Raise(Event event, int row, int column)
{
    RaiseWith<std::function<void(int, int)>>(event, row, column);
}

void Control::Raise(Event event, Graphics &graphics)
{
    RaiseWith<std::function<void(Graphics &)>>(event, graphics);
}

} // namespace fw
