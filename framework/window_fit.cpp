#include "framework/window_fit.h"

#include "framework/control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace fw {
namespace {

// The room a control showing a line of text needs beside its font's
// height, or -1 for a control that shows none: a field's frame, a push
// button's (its caption drawn whole however the style pads it).
int TextRoom(const QWidget &widget)
{
    if (qobject_cast<const QLineEdit *>(&widget) || qobject_cast<const QComboBox *>(&widget))
        return 4;
    if (qobject_cast<const QPushButton *>(&widget))
        return 2;
    if (qobject_cast<const QAbstractButton *>(&widget) || qobject_cast<const QLabel *>(&widget))
        return 0;
    return -1;
}

// How much larger than designed the controls must be for a line of text to
// fit each control that shows one.
double ScaleForText(const std::vector<std::unique_ptr<Control>> &controls)
{
    double scale = 1.0;
    for (const auto &control : controls) {
        const QWidget &widget = control->Widget();
        if (const int room = TextRoom(widget); room >= 0 && control->Height() > 0) {
            // The desktop's font, which the widget follows only after.
            const QFontMetrics metrics(QApplication::font(&widget));
            scale = std::max(scale, (metrics.height() + room) * control->Scale() / control->Height());
            // Captions whole across too.
            if (!qobject_cast<const QLineEdit *>(&widget) && !qobject_cast<const QComboBox *>(&widget))
                scale = std::max(scale, static_cast<double>(widget.sizeHint().width()) * control->Scale()
                        * metrics.height() / widget.fontMetrics().height() / std::max(control->Width(), 1));
        }
    }
    return scale;
}

} // namespace

double FitWindow(const WindowParts &parts, const std::vector<std::unique_ptr<Control>> &controls, QSize designed,
    bool resizeable)
{
    const double scale = ScaleForText(controls);
    for (const auto &control : controls)
        control->SetScale(scale);
    const QSize content(static_cast<int>(std::lround(designed.width() * scale)),
        static_cast<int>(std::lround(designed.height() * scale)));
    parts.content.setFixedSize(content);
    QWidget &widget = parts.window;
    // The screen's room less the title bar, which only a shown window knows.
    const QRect room = widget.screen()->availableGeometry();
    const int frame = widget.isVisible() ? widget.frameGeometry().height() - widget.geometry().height()
                                         : widget.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QMenuBar *bar = qobject_cast<QMenuBar *>(parts.layout.menuBar());
    const int barHeight = bar ? bar->sizeHint().height() : 0;
    const QSize fits(room.width(), room.height() - frame - barHeight);
    if (content.width() <= fits.width() && content.height() <= fits.height()) {
        parts.scroller.setFixedSize(content);
        widget.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        parts.layout.setSizeConstraint(resizeable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
        SetWindowFlags(widget, resizeable);
        return scale;
    }
    // Larger than the screen: as large as the screen allows, and no larger
    // than the content; every control is reached by scrolling.
    const QSize whole = content
        + QSize(parts.scroller.verticalScrollBar()->sizeHint().width(),
            parts.scroller.horizontalScrollBar()->sizeHint().height());
    parts.layout.setSizeConstraint(QLayout::SetDefaultConstraint);
    parts.scroller.setMinimumSize(1, 1);
    parts.scroller.setMaximumSize(whole);
    widget.setMaximumSize(whole.width(), whole.height() + barHeight);
    widget.resize(std::min(whole.width(), fits.width()), std::min(whole.height(), fits.height()) + barHeight);
    SetWindowFlags(widget, true);
    return scale;
}

void SetWindowFlags(QWidget &widget, bool resizeable)
{
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowCloseButtonHint;
    if (resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    else
        flags |= Qt::CustomizeWindowHint;
    if (widget.windowFlags() == flags)
        return;
    // New flags hide a shown window.
    const bool shown = widget.isVisible();
    widget.setWindowFlags(flags);
    if (shown)
        widget.show();
}

} // namespace fw
