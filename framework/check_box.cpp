#include "framework/check_box.h"

#include <QCheckBox>

namespace fw {

CheckBox::CheckBox()
    : Control(new QCheckBox)
{
    QObject::connect(&WidgetAs<QCheckBox>(), &QCheckBox::clicked, [this] { Raise(Event::Action); });
}

void CheckBox::SetCaption(const std::string &caption)
{
    WidgetAs<QCheckBox>().setText(QString::fromStdString(caption));
}

bool CheckBox::Value() const
{
    return WidgetAs<QCheckBox>().isChecked();
}

void CheckBox::SetValue(bool checked)
{
    WidgetAs<QCheckBox>().setChecked(checked);
}

} // namespace fw
