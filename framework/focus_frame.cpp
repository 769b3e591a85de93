#include "framework/focus_frame.h"

#include <QPainter>
#include <QPen>
#include <QWidget>

namespace fw {

void DrawFocusFrame(QWidget &surface, bool focused)
{
    if (!focused)
        return;
    QPainter painter(&surface);
    painter.setPen(QPen(surface.palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(surface.rect()).adjusted(1, 1, -1, -1));
}

} // namespace fw
