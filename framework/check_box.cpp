#include "framework/check_box.h"

#include <QCheckBox>

namespace fw {
namespace {

QCheckBox &Box(const Control &control)
{
    return static_cast<QCheckBox &>(control.Widget());
}

} // namespace

CheckBox::CheckBox()
    : Control(new QCheckBox)
{
    QObject::connect(&Box(*this), &QCheckBox::clicked, [this] { Raise(Event::Action); });
}

std::string CheckBox::Caption() const
{
    return Box(*this).text().toStdString();
}

void CheckBox::SetCaption(const std::string &caption)
{
    Box(*this).setText(QString::fromStdString(caption));
}

bool CheckBox::Value() const
{
    return Box(*this).isChecked();
}

void CheckBox::SetValue(bool checked)
{
    Box(*this).setChecked(checked);
}

} // namespace fw
