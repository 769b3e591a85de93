#include "framework/edit_field.h"

#include "framework/cell_editor.h"
#include "framework/qt_alignment.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

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

void EditField::SetNote(const std::string &note)
{
    if (note == note_)
        return;
    note_ = note;
    auto &line = WidgetAs<QLineEdit>();
    line.setToolTip(QString::fromStdString(note.empty() ? ToolTip() : ToolTip() + "\n" + note));
    line.setAccessibleDescription(QString::fromStdString(note));
    if (note.empty()) {
        line.setPalette(QPalette()); // the desktop's again, as it changes
        return;
    }
    // A tint of the desktop's own field colour, light or dark, towards red.
    QPalette palette = QApplication::palette(&line);
    const QColor base = palette.color(QPalette::Base);
    palette.setColor(QPalette::Base, QColor((base.red() * 3 + 255) / 4, base.green() * 3 / 4, base.blue() * 3 / 4));
    line.setPalette(palette);
}

void EditField::SetAlignment(Alignment alignment)
{
    WidgetAs<QLineEdit>().setAlignment(ToQt(alignment));
}

} // namespace fw
