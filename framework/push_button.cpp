#include "framework/push_button.h"

#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace fw {
namespace {

// A style whose padding leaves less than a line of text inside a low button
// would cut its caption: the button then draws the caption centred in the
// whole of itself, over the style's own frame.
class CaptionButton : public QPushButton {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        if (style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).height()
            >= fontMetrics().height()) {
            painter.drawControl(QStyle::CE_PushButton, option);
            return;
        }
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        painter.drawItemText(
            rect(), Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), caption, QPalette::ButtonText);
    }
};

} // namespace

PushButton::PushButton()
    : Control(new CaptionButton)
{
    QObject::connect(&WidgetAs<QPushButton>(), &QPushButton::clicked, [this] { Raise(Event::Action); });
}

void PushButton::SetCaption(const std::string &caption)
{
    WidgetAs<QPushButton>().setText(QString::fromStdString(caption));
}

} // namespace fw
