#include "framework/edit_field.h"

#include "framework/cell_editor.h"
#include "framework/qt_alignment.h"

#include <QLineEdit>

#include <limits>

namespace fw {

EditField::EditField()
    : Control(new FieldEdit)
{
    QLineEdit &line = WidgetAs<QLineEdit>();
    // Qt cuts text beyond 32,767 characters without a word; a field holds any.
    line.setMaxLength(std::numeric_limits<int>::max());
    QObject::connect(&line, &QLineEdit::textChanged, [this] { Raise(Event::TextChange); });
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
