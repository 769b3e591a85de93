#include "framework/edit_field.h"

#include "framework/qt_alignment.h"

#include <QLineEdit>

namespace fw {
namespace {

QLineEdit &Field(const Control &control)
{
    return static_cast<QLineEdit &>(control.Widget());
}

} // namespace

EditField::EditField()
    : Control(new QLineEdit)
{
    QObject::connect(&Field(*this), &QLineEdit::textChanged, [this] { Raise(Event::TextChange); });
}

std::string EditField::Text() const
{
    return Field(*this).text().toStdString();
}

void EditField::SetText(const std::string &text)
{
    Field(*this).setText(QString::fromStdString(text));
}

void EditField::SetAlignment(Alignment alignment)
{
    Field(*this).setAlignment(ToQt(alignment));
}

} // namespace fw
