#include "framework/static_text.h"

#include "framework/qt_alignment.h"

#include <QLabel>

namespace fw {

StaticText::StaticText()
    : Control(new QLabel)
{
    WidgetAs<QLabel>().setTextFormat(Qt::PlainText);
}

void StaticText::SetText(const std::string &text)
{
    WidgetAs<QLabel>().setText(QString::fromStdString(text));
}

void StaticText::SetAlignment(Alignment alignment)
{
    WidgetAs<QLabel>().setAlignment(ToQt(alignment) | Qt::AlignVCenter);
}

} // namespace fw
