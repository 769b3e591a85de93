#include "framework/static_text.h"

#include "framework/qt_alignment.h"

#include <QLabel>

namespace fw {
namespace {

QLabel &Label(const Control &control)
{
    return static_cast<QLabel &>(control.Widget());
}

} // namespace

StaticText::StaticText()
    : Control(new QLabel)
{
    Label(*this).setTextFormat(Qt::PlainText);
}

std::string StaticText::Text() const
{
    return Label(*this).text().toStdString();
}

void StaticText::SetText(const std::string &text)
{
    Label(*this).setText(QString::fromStdString(text));
}

void StaticText::SetAlignment(Alignment alignment)
{
    Label(*this).setAlignment(ToQt(alignment) | Qt::AlignVCenter);
}

} // namespace fw
