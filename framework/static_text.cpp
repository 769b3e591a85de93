#include "framework/static_text.h"

#include "framework/qt_alignment.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace fw {
namespace {

class Label : public QLabel {
public:
    bool elides = false;

    QSize minimumSizeHint() const override
    {
        QSize size = QLabel::minimumSizeHint();
        if (elides)
            size.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("\u2026")));
        return size;
    }
    QSize sizeHint() const override { return elides ? minimumSizeHint() : QLabel::sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!elides) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        const QRect room = contentsRect();
        style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
            fontMetrics().elidedText(text(), Qt::ElideRight, room.width()), foregroundRole());
    }
};

} // namespace

StaticText::StaticText()
    : Control(new Label)
{
    WidgetAs<QLabel>().setTextFormat(Qt::PlainText);
}

namespace {

// Escaped, so that a text such as "<b>" is shown as it is.
QString PlainToolTip(const QString &text)
{
    return text.isEmpty() ? text : QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace

void StaticText::SetText(const std::string &text)
{
    Label &label = WidgetAs<Label>();
    label.setText(QString::fromStdString(text));
    if (label.elides)
        label.setToolTip(PlainToolTip(label.text()));
}

void StaticText::SetAlignment(Alignment alignment)
{
    WidgetAs<QLabel>().setAlignment(ToQt(alignment) | Qt::AlignVCenter);
}

void StaticText::SetElides(bool elides)
{
    Label &label = WidgetAs<Label>();
    label.elides = elides;
    label.setToolTip(elides ? PlainToolTip(label.text()) : QString());
    label.updateGeometry();
}

} // namespace fw
