#include "framework/push_button.h"

#include <QPushButton>

namespace fw {

PushButton::PushButton()
    : Control(new QPushButton)
{
    QObject::connect(&WidgetAs<QPushButton>(), &QPushButton::clicked, [this] { Raise(Event::Action); });
}

std::string PushButton::Caption() const
{
    return WidgetAs<QPushButton>().text().toStdString();
}

void PushButton::SetCaption(const std::string &caption)
{
    WidgetAs<QPushButton>().setText(QString::fromStdString(caption));
}

} // namespace fw
