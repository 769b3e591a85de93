#include "framework/push_button.h"

#include <QPushButton>

namespace fw {

PushButton::PushButton()
    : Control(new QPushButton)
{
    QObject::connect(&WidgetAs<QPushButton>(), &QPushButton::clicked, [this] { Raise(Event::Action); });
}

void PushButton::SetCaption(const std::string &caption)
{
    WidgetAs<QPushButton>().setText(QString::fromStdString(caption));
}

} // namespace fw
