#include "framework/edit_field.h"

#include "framework/qt_alignment.h"

#include <QLineEdit>

namespace fw {

EditField::EditField()
    : Control(new QLineEdit)
{
    QObject::connect(&WidgetAs<QLineEdit>(), &QLineEdit::textChanged, [this] { Raise(Event::TextChange); });
}

std::string EditField::Text() const
{
    return WidgetAs<QLineEdit>().text().toStdString();
}

void EditField::SetText(const std::string &text)
{
    WidgetAs<QLineEdit>().setText(QString::fromStdString(text));
}

void EditField::SetAlignment(Alignment alignment)
{
    WidgetAs<QLineEdit>().setAlignment(ToQt(alignment));
}

} // namespace fw
