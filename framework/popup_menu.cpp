#include "framework/popup_menu.h"

#include "framework/exceptions.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace fw {
namespace {

QComboBox &Combo(const Control &control)
{
    return static_cast<QComboBox &>(control.Widget());
}

} // namespace

PopupMenu::PopupMenu()
    : Control(new QComboBox)
{
    QObject::connect(&Combo(*this), &QComboBox::currentIndexChanged, [this] { Raise(Event::Change); });
}

void PopupMenu::AddRow(const std::string &text)
{
    QComboBox &combo = Combo(*this);
    const int selected = combo.currentIndex();
    // QComboBox selects the first item added; a new item must select nothing.
    const QSignalBlocker blocker(combo);
    combo.addItem(QString::fromStdString(text));
    combo.setCurrentIndex(selected);
}

int PopupMenu::ListCount() const
{
    return Combo(*this).count();
}

int PopupMenu::ListIndex() const
{
    return Combo(*this).currentIndex();
}

void PopupMenu::SetListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        throw OutOfBoundsException("Popup menu index " + std::to_string(index) + " out of range");
    Combo(*this).setCurrentIndex(index);
}

std::string PopupMenu::Text() const
{
    return Combo(*this).currentText().toStdString();
}

} // namespace fw
