#include "framework/push_button.h"

#include <QPushButton>

namespace fw {
namespace {

QPushButton &Button(const Control &control)
{
    return static_cast<QPushButton &>(control.Widget());
}

} // namespace

PushButton::PushButton()
    : Control(new QPushButton)
{
    QObject::connect(&Button(*this), &QPushButton::clicked, [this] { Raise(Event::Action); });
}

std::string PushButton::Caption() const
{
    return Button(*this).text().toStdString();
}

void PushButton::SetCaption(const std::string &caption)
{
    Button(*this).setText(QString::fromStdString(caption));
}

} // namespace fw
