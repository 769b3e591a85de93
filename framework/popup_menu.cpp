#include "framework/popup_menu.h"

#include "framework/exceptions.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace fw {

PopupMenu::PopupMenu()
    : Control(new QComboBox)
{
    QObject::connect(&WidgetAs<QComboBox>(), &QComboBox::currentIndexChanged, [this] { Raise(Event::Change); });
}

void PopupMenu::AddRow(const std::string &text)
{
    QComboBox &combo = WidgetAs<QComboBox>();
    const int selected = combo.currentIndex();
    // QComboBox selects the first item added; a new item must select nothing.
    const QSignalBlocker blocker(combo);
    combo.addItem(QString::fromStdString(text));
    combo.setCurrentIndex(selected);
}

void PopupMenu::SetListIndex(int index)
{
    if (index < -1 || index >= WidgetAs<QComboBox>().count())
        throw OutOfBoundsException("Popup menu index " + std::to_string(index) + " out of range");
    WidgetAs<QComboBox>().setCurrentIndex(index);
}

int PopupMenu::ListIndex() const
{
    return WidgetAs<QComboBox>().currentIndex();
}

std::string PopupMenu::Text() const
{
    return WidgetAs<QComboBox>().currentText().toStdString();
}

} // namespace fw
